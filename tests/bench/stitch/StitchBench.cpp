// Stitching cost per frame on generated article pages seen through a browser-like window (toolbar, footer,
// scroll bar), one wheel step a third of the frame.
//   BM_StitchFrame/W/H        one call of the entry point in the middle of a long run (the steady state)
//   BM_StitchFrameNumber/N    the N-th frame of a 1920x1080 run, every earlier frame stitched untimed first:
//                             frame 500 must cost no more than frame 2 (the run steps a sixth of the frame, so
//                             that 500 frames stay below the height limit: a picture of 90,900 rows)
//   BM_StitchCoveredFrame/N   after N frames of that run, a frame that a dialog covers: it fails against the last
//                             frame and against both ends of the picture; after 500 as cheap as after 2
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

#include "companions/stitch/LongPicture.h"
#include "companions/stitch/LongPictureApi.h"
#include "tests/stitch-corpus/StitchCorpus.h"

namespace {

using namespace qor::stitch;

struct TRun {
  std::vector<std::vector<uint8_t>> Frames;
  std::vector<int32_t> Directions;
};

// A run of `frames` frames of width x height, cached per size (rendering is slower than stitching).
const TRun& Run(int32_t width, int32_t height, int frames) {
  static std::map<std::tuple<int32_t, int32_t, int>, std::unique_ptr<TRun>> runs;
  auto& run = runs[{width, height, frames}];
  if (!run) {
    const corpus::TCaseRecipe recipe = corpus::LongRun(width, height, frames, height / 3);
    const qor::TImage page = corpus::RenderPage(recipe.Page, recipe.Width, recipe.PageHeight, recipe.Seed);
    run = std::make_unique<TRun>();
    for (size_t i = 0; i < recipe.Offsets.size(); ++i) run->Frames.push_back(corpus::RenderFrame(recipe, page, i));
    run->Directions = corpus::Directions(recipe.Offsets);
  }
  return *run;
}

// A 1920x1080 run as long as wanted: the page repeats every `distinct` steps (far more than a frame), so only
// that many frames are held.
const TRun& PeriodicRun(int distinct, int32_t step) {
  static std::unique_ptr<TRun> run;
  if (!run) {
    corpus::TCaseRecipe recipe = corpus::LongRun(1920, 1080, distinct, step);
    recipe.ScrollBar = false;  // its thumb would tell the repeats apart
    const int32_t period = distinct * step, visible = corpus::ScrollHeight(recipe);
    const qor::TImage page = corpus::RenderPage(recipe.Page, recipe.Width, period, recipe.Seed);
    qor::TImage wrapped(recipe.Width, period + visible);
    for (int32_t y = 0; y < period + visible; ++y)
      std::memcpy(wrapped.View().Row(y), page.View().Row(y % period), size_t(recipe.Width) * 4);
    recipe.PageHeight = period + visible;
    run = std::make_unique<TRun>();
    for (size_t i = 0; i < recipe.Offsets.size(); ++i) run->Frames.push_back(corpus::RenderFrame(recipe, wrapped, i));
    run->Directions = corpus::Directions(recipe.Offsets);
  }
  return *run;
}

void Call(const TRun& run, size_t i, benchmark::State& state) {
  uint8_t* result = nullptr;
  int32_t size = 0;
  if (!OpencvLongScreenShot(run.Directions[i], run.Frames[i].data(), int32_t(run.Frames[i].size()), &result, &size))
    state.SkipWithError("a frame did not stitch");
  benchmark::DoNotOptimize(result);
}

void BM_StitchFrame(benchmark::State& state) {
  const int32_t width = int32_t(state.range(0)), height = int32_t(state.range(1));
  const TRun& run = Run(width, height, 40);
  size_t next = 0;
  for (auto _ : state) {
    if (next == 0) {
      state.PauseTiming();
      ResetEntryPoint();
      Call(run, 0, state);
      next = 1;
      state.ResumeTiming();
    }
    Call(run, next, state);
    next = next + 1 < run.Frames.size() ? next + 1 : 0;
  }
  ResetEntryPoint();
}
BENCHMARK(BM_StitchFrame)->Args({800, 600})->Args({1920, 1080})->Unit(benchmark::kMillisecond);

void BM_StitchFrameNumber(benchmark::State& state) {
  const size_t number = size_t(state.range(0));
  const TRun& run = PeriodicRun(40, 180);
  const auto call = [&](size_t i) {
    uint8_t* result = nullptr;
    int32_t size = 0;
    const size_t f = i % run.Frames.size();
    if (!OpencvLongScreenShot(1, run.Frames[f].data(), int32_t(run.Frames[f].size()), &result, &size))
      state.SkipWithError("a frame did not stitch");
    benchmark::DoNotOptimize(result);
  };
  for (auto _ : state) {
    state.PauseTiming();
    ResetEntryPoint();
    for (size_t i = 0; i + 1 < number; ++i) call(i);
    state.ResumeTiming();
    call(number - 1);
  }
  ResetEntryPoint();
}
BENCHMARK(BM_StitchFrameNumber)->Arg(2)->Arg(200)->Arg(500)->Iterations(15)->Unit(benchmark::kMillisecond);

void BM_StitchCoveredFrame(benchmark::State& state) {
  const size_t number = size_t(state.range(0));
  const TRun& run = PeriodicRun(40, 180);
  // The frame after the run, with a grey dialog over all but a margin of 24 rows above and below.
  std::vector<uint8_t> covered = run.Frames[number % run.Frames.size()];
  const size_t stride = covered.size() / 1080;  // 54 header bytes do not fill a row
  std::fill(covered.begin() + ptrdiff_t(54 + 24 * stride), covered.end() - ptrdiff_t(24 * stride), uint8_t(0x9A));
  for (auto _ : state) {
    state.PauseTiming();
    ResetEntryPoint();
    for (size_t i = 0; i < number; ++i) {
      const std::vector<uint8_t>& frame = run.Frames[i % run.Frames.size()];
      uint8_t* result = nullptr;
      int32_t size = 0;
      OpencvLongScreenShot(1, frame.data(), int32_t(frame.size()), &result, &size);
    }
    state.ResumeTiming();
    uint8_t* result = nullptr;
    int32_t size = 0;
    if (OpencvLongScreenShot(1, covered.data(), int32_t(covered.size()), &result, &size))
      state.SkipWithError("a covered frame stitched");
    benchmark::DoNotOptimize(result);
  }
  ResetEntryPoint();
}
BENCHMARK(BM_StitchCoveredFrame)->Arg(2)->Arg(500)->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace
