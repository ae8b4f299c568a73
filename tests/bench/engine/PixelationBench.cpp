// The pixelation brush on a 3840 x 2160 picture with the 40-pixel brush, for block sizes 2, 10 and 30: one move of a
// stroke (10 px, a steady hand, or 400 px, a flick) with the compose of what it reports, and a stroke over the whole
// surface, its rows 40 px apart, with or without composing what each move reports (also at block size 3, the
// smallest that cells of 2 x 2 pixels' own loop leaves to the general one), and the undo of that stroke.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "engine/EditSurface.h"

using namespace qor;

namespace {

constexpr int32_t Width = 3840, Height = 2160, Brush = 40;

TImage Screenshot() {
  TImage picture(Width, Height);
  for (int32_t y = 0; y < Height; ++y)
    for (int32_t x = 0; x < Width; ++x) picture.View().At(x, y) = TBgra{uint8_t(x), uint8_t(y), uint8_t(x ^ y), 255};
  return picture;
}

// A stroke over the whole surface: rows 40 px apart, there and back, in moves of step px.
std::vector<TPoint> Raster(int32_t step) {
  std::vector<TPoint> path;
  for (int32_t y = Brush / 2, row = 0; y < Height + Brush / 2; y += Brush, ++row)
    for (int32_t k = 0; k * step < Width; ++k) path.push_back({row % 2 ? Width - 1 - k * step : k * step, y});
  return path;
}

std::unique_ptr<TEditSurface> Armed(int32_t block) {
  auto surface = std::make_unique<TEditSurface>(Screenshot());
  surface->SetCreateMode(TCreateMode::Pixelate);
  surface->SetPixelationBrush(Brush, block);
  return surface;
}

void ComposeDirty(const TEditSurface& surface, const TSurfaceUpdate& update, TImage& screen) {
  for (const TRect& r : update.Dirty) surface.Compose(r, screen.View(), {0, 0});
}

// Puts the picture back between strokes, and drops the step, so that the next stroke starts on fresh pixels.
void Reset(TEditSurface& surface) {
  surface.Undo();
  surface.MergeAll();
}

void BM_PixelationStep(benchmark::State& state) {
  auto surface = Armed(int32_t(state.range(0)));
  const std::vector<TPoint> path = Raster(int32_t(state.range(1)));
  TImage screen(Width, Height);
  size_t next = 1;
  int64_t dirtyPixels = 0;
  surface->MouseDown(path[0]);
  for (auto _ : state) {
    if (next == path.size()) {
      state.PauseTiming();
      surface->MouseUp(path.back());
      Reset(*surface);
      surface->MouseDown(path[0]);
      next = 1;
      state.ResumeTiming();
    }
    const TSurfaceUpdate update = surface->MouseMove(path[next++]);
    ComposeDirty(*surface, update, screen);
    benchmark::DoNotOptimize(screen.View().Pixels);
    for (const TRect& r : update.Dirty) dirtyPixels += int64_t(r.Width()) * r.Height();
  }
  state.counters["dirty px"] = benchmark::Counter(double(dirtyPixels), benchmark::Counter::kAvgIterations);
}

// A press and release: a stroke's first dab, with what starting a stroke costs.
void BM_PixelationPress(benchmark::State& state) {
  auto surface = Armed(int32_t(state.range(0)));
  TImage screen(Width, Height);
  for (auto _ : state) {
    ComposeDirty(*surface, surface->MouseDown({1900, 1000}), screen);
    ComposeDirty(*surface, surface->MouseUp({1900, 1000}), screen);
    state.PauseTiming();
    Reset(*surface);
    state.ResumeTiming();
  }
}

void BM_PixelateWholeSurface(benchmark::State& state) {
  auto surface = Armed(int32_t(state.range(0)));
  const bool compose = state.range(1) != 0;
  const std::vector<TPoint> path = Raster(Brush);
  TImage screen(Width, Height);
  const auto show = [&](const TSurfaceUpdate& update) {
    if (compose) ComposeDirty(*surface, update, screen);
  };
  for (auto _ : state) {
    show(surface->MouseDown(path[0]));
    for (const TPoint& p : path) show(surface->MouseMove(p));
    show(surface->MouseUp(path.back()));
    state.PauseTiming();
    Reset(*surface);
    state.ResumeTiming();
  }
  state.counters["moves"] = double(path.size());
}

// Undoing the whole-surface stroke: the pixels put back and the rectangles reported, composed.
void BM_UndoWholeSurface(benchmark::State& state) {
  auto surface = Armed(int32_t(state.range(0)));
  const std::vector<TPoint> path = Raster(Brush);
  TImage screen(Width, Height);
  for (auto _ : state) {
    state.PauseTiming();
    surface->MouseDown(path[0]);
    for (const TPoint& p : path) surface->MouseMove(p);
    surface->MouseUp(path.back());
    state.ResumeTiming();
    ComposeDirty(*surface, surface->Undo(), screen);
    state.PauseTiming();
    surface->MergeAll();
    state.ResumeTiming();
  }
}

}  // namespace

BENCHMARK(BM_PixelationStep)
    ->ArgNames({"block", "move"})
    ->ArgsProduct({{2, 10, 30}, {10, 400}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PixelationPress)->ArgName("block")->Arg(2)->Arg(10)->Arg(30)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PixelateWholeSurface)
    ->ArgNames({"block", "compose"})
    ->ArgsProduct({{2, 3, 10, 30}, {0, 1}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoWholeSurface)->ArgName("block")->Arg(2)->Arg(10)->Arg(30)->Unit(benchmark::kMillisecond);
