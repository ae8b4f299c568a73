// The overlay's mask (the frozen screen dimmed to 140/255) and a selection crop, at common desktop sizes.
#include <benchmark/benchmark.h>

#include "base/PixelOps.h"

using namespace qor;

namespace {

TImage Desktop(int w, int h) {
  TImage image(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.View().At(x, y) = TBgra{uint8_t(x), uint8_t(y), uint8_t(x ^ y), 255};
  return image;
}

void BM_MaskBlend(benchmark::State& state) {
  const int w = int(state.range(0)), h = int(state.range(1));
  const TImage screen = Desktop(w, h);
  TImage mask(w, h);
  for (auto _ : state) {
    BlendOverBlack(screen.View(), mask.View(), 140);
    benchmark::DoNotOptimize(mask.View().Pixels);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * int64_t(w) * h * 4);
}

// A selection of half the desktop's width and height, cut from its middle.
void BM_Crop(benchmark::State& state) {
  const int w = int(state.range(0)), h = int(state.range(1));
  const TImage screen = Desktop(w, h);
  const TRect r{w / 4, h / 4, w / 4 + w / 2, h / 4 + h / 2};
  for (auto _ : state) {
    TImage crop = CropImage(screen.View(), r);
    benchmark::DoNotOptimize(crop.View().Pixels);
  }
}

}  // namespace

BENCHMARK(BM_MaskBlend)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Crop)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);
