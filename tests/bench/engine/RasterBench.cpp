// The rasteriser's hot paths at 4K: a shape's border redrawn on every drag step, one free-hand brush step, and the
// blend of a drawn ring into the picture that every repaint does.
#include <benchmark/benchmark.h>

#include "engine/Coverage.h"
#include "engine/Rasterizer.h"
#include "engine/ShapeOutline.h"

using namespace qor;

namespace {

const TRect Surface4k{0, 0, 3840, 2160};

void BM_EllipseBorder4k(benchmark::State& state) {
  const TRect box = DragBox({0, 0}, {3839, 2159});
  int64_t pixels = 0;
  for (auto _ : state) {
    TCoverage coverage;
    FillPolygons(EllipseBorder(box, 8), Surface4k, coverage);
    benchmark::DoNotOptimize(coverage.At({0, 1080}));
    pixels = 0;
    coverage.ForEachRun(Surface4k, [&](int32_t, int32_t, const uint8_t*, int32_t count) { pixels += count; });
  }
  state.counters["tile px"] = double(pixels);
}

void BM_RectangleBorder(benchmark::State& state) {
  const TRect box = DragBox({100, 100}, {2099, 1099});
  for (auto _ : state) {
    TCoverage coverage;
    FillPolygons(RectangleBorder(box, int32_t(state.range(0))), Surface4k, coverage);
    benchmark::DoNotOptimize(coverage.At({100, 100}));
  }
}

// One mouse move of the brush: a segment of 40 px added to a stroke whose earlier coverage is kept.
void BM_BrushSegment(benchmark::State& state) {
  TCoverage coverage;
  const TPointF points[2] = {{1000, 1000}, {1032, 1024}};
  for (auto _ : state) {
    StrokePolyline(points, 8, Surface4k, coverage);
    benchmark::DoNotOptimize(coverage.At({1016, 1012}));
  }
}

// A long straight line across the picture (the line tool redrawn on a drag step).
void BM_StrokeLine4k(benchmark::State& state) {
  const TPointF points[2] = {{10, 20}, {3800, 2100}};
  for (auto _ : state) {
    TCoverage coverage;
    StrokePolyline(points, 8, Surface4k, coverage);
    benchmark::DoNotOptimize(coverage.At({1000, 1000}));
  }
}

void BM_BlendEllipseRing4k(benchmark::State& state) {
  TCoverage coverage;
  FillPolygons(EllipseBorder(DragBox({0, 0}, {3839, 2159}), 8), Surface4k, coverage);
  TImage picture(Surface4k.Width(), Surface4k.Height(), TBgra{40, 80, 120, 255});
  const uint8_t alpha = uint8_t(state.range(0));
  for (auto _ : state) {
    BlendCoverage(coverage, {0, 0}, TBgra{0, 0, 255, alpha}, Surface4k, picture.View(), {0, 0});
    benchmark::DoNotOptimize(picture.View().Pixels);
  }
}

}  // namespace

BENCHMARK(BM_EllipseBorder4k)->Unit(benchmark::kMicrosecond);
// Arg: border width.
BENCHMARK(BM_RectangleBorder)->Arg(1)->Arg(8)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BrushSegment)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StrokeLine4k)->Unit(benchmark::kMicrosecond);
// Arg: the colour's alpha (255 copies full coverage; below it every pixel blends).
BENCHMARK(BM_BlendEllipseRing4k)->Arg(255)->Arg(128)->Unit(benchmark::kMicrosecond);
