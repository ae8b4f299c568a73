// The scrolling capture's work per wheel step outside the stitching call, on 1920-wide article pictures.
//   BM_UiStepWork/rows      the interface thread: the worker's preview snapshot scaled into a 400 x 1000 box
//                           (4000 rows: the largest copy, every picture row kept)
//   BM_WorkerStepWork/rows  the worker after the library call: TLongResult::Update, TPreviewCopy::Update and
//                           Snapshot for a step down of 360 new rows (the footer band replaced) on 1080-row frames
// Neither may grow with the picture: compare /2000 with /30000.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <utility>

#include "base/BmpFile.h"
#include "scroll/LongResult.h"
#include "scroll/PreviewCopy.h"
#include "tests/stitch-corpus/StitchCorpus.h"

namespace {

using namespace qor;

constexpr int32_t Width = 1920;
constexpr int32_t FrameRows = 1080;
constexpr int32_t StepRows = 360;
constexpr int32_t FooterRows = 40;

// An article page, rendered once and repeated down the picture.
const TImage& Page() {
  static const TImage page = stitch::corpus::RenderPage(stitch::corpus::TPageKind::Article, Width, 4096, 3);
  return page;
}

// The library's picture of `rows` rows: page rows, then a footer band whose pattern depends on `shade`.
std::vector<uint8_t> Picture(int32_t rows, int shade) {
  TImage picture(Width, rows);
  for (int32_t y = 0; y < rows; ++y) {
    TBgra* row = picture.View().Row(y);
    if (y >= rows - FooterRows)
      for (int32_t x = 0; x < Width; ++x) row[x] = TBgra{uint8_t(x + shade * 17), 40, 90, 255};
    else
      std::memcpy(row, Page().View().Row(y % Page().Height()), size_t(Width) * sizeof(TBgra));
  }
  return WriteBmp(picture.View(), 24);
}

// A long result and its preview copy as a run leaves them at `rows` rows: the first frame, then the picture.
struct TRunState {
  TLongResult Result;
  TPreviewCopy Copy;

  void Feed(const std::vector<uint8_t>& bmp) {
    TRowSpan changed;
    if (!Result.Update(bmp.data(), bmp.size(), true, changed)) std::abort();
    Copy.Update(Result.View(), changed, Result.Prepended());
  }
  explicit TRunState(const std::vector<uint8_t>& picture) {
    Feed(Picture(FrameRows, 0));
    Feed(picture);
  }
};

// Largest and mean per-channel difference (blue, green, red).
std::pair<int, double> Difference(const TConstImageView& a, const TConstImageView& b) {
  int worst = 0;
  int64_t sum = 0;
  for (int32_t y = 0; y < a.Height; ++y)
    for (int32_t x = 0; x < a.Width; ++x) {
      const TBgra p = a.At(x, y), q = b.At(x, y);
      const int db = std::abs(p.B - q.B), dg = std::abs(p.G - q.G), dr = std::abs(p.R - q.R);
      worst = std::max({worst, db, dg, dr});
      sum += db + dg + dr;
    }
  return {worst, double(sum) / (3.0 * a.Width * a.Height)};
}

void BM_UiStepWork(benchmark::State& state) {
  const int32_t rows = int32_t(state.range(0));
  TRunState run(Picture(rows, 1));
  const TImage snapshot = run.Copy.Snapshot();
  TImage box(PreviewMaxWidth, 1000);
  for (auto _ : state) {
    ScalePreview(snapshot.View(), box.View());
    benchmark::DoNotOptimize(box.View().Pixels);
    benchmark::ClobberMemory();
  }
  // How far this preview is from the whole picture scaled directly (not timed).
  TImage direct(PreviewMaxWidth, 1000);
  ScalePreview(run.Result.View(), direct.View());
  state.counters["copy_rows"] = snapshot.Height();
  const auto [worst, mean] = Difference(box.View(), direct.View());
  state.counters["max_diff"] = worst;
  state.counters["mean_diff"] = mean;
}

void BM_WorkerStepWork(benchmark::State& state) {
  const int32_t rows = int32_t(state.range(0));
  const std::vector<uint8_t> before = Picture(rows, 1), after = Picture(rows + StepRows, 2);
  TRunState run(before);
  for (auto _ : state) {
    TRowSpan changed;
    run.Result.Update(after.data(), after.size(), true, changed);
    run.Copy.Update(run.Result.View(), changed, run.Result.Prepended());
    TImage snapshot = run.Copy.Snapshot();
    benchmark::DoNotOptimize(snapshot.View().Pixels);
    // Back to the picture before the step (untimed): the same band and rows change again next time.
    state.PauseTiming();
    run.Feed(before);
    state.ResumeTiming();
  }
}

}  // namespace

BENCHMARK(BM_UiStepWork)->Arg(2000)->Arg(4000)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WorkerStepWork)->Arg(2000)->Arg(30000)->Unit(benchmark::kMillisecond);
