// Encoding one 3840 x 2160 screenshot-like capture as PNG (our zlib writer, by level and row filter), JPEG
// (quality 90) and BMP; and a long 30,000 x 1200 one as PNG streamed into a sink (bytes counted and dropped) and
// into a file. Each benchmark reports the file size as the counter "bytes".
//   cmake --preset bench -B build/<you>-bench && cmake --build build/<you>-bench --target bench_save
//   build/<you>-bench/tests/bench/output/bench_save --benchmark_repetitions=5 --benchmark_report_aggregates_only
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

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
// Counts what the writer hands over and keeps nothing: the encoding alone.
class TCountingSink : public TByteSink {
 public:
  bool Write(const uint8_t*, size_t size) override {
    Bytes += size;
    return true;
  }
  size_t Bytes = 0;
};

// Writes through the C library into a file in the temporary folder.
class TStdioSink : public TByteSink {
 public:
  explicit TStdioSink(const char* path) : FFile(std::fopen(path, "wb")) {}
  ~TStdioSink() override {
    if (FFile) std::fclose(FFile);
  }
  bool Write(const uint8_t* data, size_t size) override {
    Bytes += size;
    return FFile && std::fwrite(data, 1, size, FFile) == size;
  }
  size_t Bytes = 0;

 private:
  std::FILE* FFile;
};

const TImage& LongCapture() {
  static const TImage image = bench::ScreenshotLikeImage(30000, 1200);
  return image;
}

void BM_PngLongStreamed(benchmark::State& state) {
  size_t size = 0;
  for (auto _ : state) {
    TCountingSink sink;
    if (!WritePngTo(sink, LongCapture().View())) state.SkipWithError("not written");
    size = sink.Bytes;
  }
  state.counters["bytes"] = double(size);
}
void BM_PngLongToFile(benchmark::State& state) {
  const std::string path = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/bench_save_long.png";
  size_t size = 0;
  for (auto _ : state) {
    TStdioSink sink(path.c_str());
    if (!WritePngTo(sink, LongCapture().View())) state.SkipWithError("not written");
    size = sink.Bytes;
  }
  std::remove(path.c_str());
  state.counters["bytes"] = double(size);
}
BENCHMARK(BM_PngLongStreamed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngLongToFile)->Unit(benchmark::kMillisecond);

BENCHMARK(BM_PngDefault)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegQuality90)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Bmp24)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qor
