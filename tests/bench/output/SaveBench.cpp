// Encoding one 3840 x 2160 screenshot-like capture as PNG (our zlib writer, by level and row filter), JPEG
// (quality 90) and BMP. Each benchmark reports the file size as the counter "bytes".
//   cmake --preset bench -B build/<you>-bench && cmake --build build/<you>-bench --target bench_save
//   build/<you>-bench/tests/bench/output/bench_save --benchmark_repetitions=5 --benchmark_report_aggregates_only
#include <benchmark/benchmark.h>

#include "base/BmpFile.h"
#include "output/JpegWriter.h"
#include "output/PngWriter.h"
#include "tests/bench/output/ScreenshotLikeImage.h"

namespace qor {
namespace {

const TImage& Capture() {
  static const TImage image = bench::ScreenshotLikeImage();
  return image;
}

// Encodes the capture on each iteration; the file size goes to the counter "bytes".
template <class TWrite>
void Measure(benchmark::State& state, TWrite write) {
  size_t size = 0;
  for (auto _ : state) {
    const auto file = write(Capture().View());
    size = file.size();
    benchmark::DoNotOptimize(file.data());
  }
  state.counters["bytes"] = double(size);
}

void BM_Png(benchmark::State& state) {
  const TPngOptions options{int(state.range(0)), TPngFilter(state.range(1))};
  Measure(state, [&](const TConstImageView& view) { return WritePng(view, options); });
}
// Levels 1, 3, 6 and 9 with the Up filter; the other filters at level 6 (and Sub, the cheap one, at level 1).
BENCHMARK(BM_Png)
    ->ArgNames({"level", "filter"})
    ->Args({1, int(TPngFilter::Up)})
    ->Args({3, int(TPngFilter::Up)})
    ->Args({6, int(TPngFilter::Up)})
    ->Args({9, int(TPngFilter::Up)})
    ->Args({1, int(TPngFilter::Sub)})
    ->Args({6, int(TPngFilter::None)})
    ->Args({6, int(TPngFilter::Sub)})
    ->Args({6, int(TPngFilter::Paeth)})
    ->Args({6, int(TPngFilter::Adaptive)})
    ->Args({1, int(TPngFilter::Adaptive)})
    ->Unit(benchmark::kMillisecond);

void BM_PngDefault(benchmark::State& state) {
  Measure(state, [](const TConstImageView& view) { return WritePng(view); });
}
void BM_JpegQuality90(benchmark::State& state) {
  Measure(state, [](const TConstImageView& view) { return WriteJpeg(view, 90); });
}
void BM_Bmp24(benchmark::State& state) {
  Measure(state, [](const TConstImageView& view) { return WriteBmp(view, 24); });
}
BENCHMARK(BM_PngDefault)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegQuality90)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Bmp24)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qor
