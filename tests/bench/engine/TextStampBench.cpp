// The portable part of a keystroke's repaint in a long text: blending the rendered text over the picture, for one
// line of the text (what typing repaints) and for the whole 25-line text area (what a resize repaints).
#include <benchmark/benchmark.h>

#include "engine/TextStamp.h"

using namespace qor;

namespace {

// A stamp of red text: every third pixel of each 19-pixel line's middle 12 rows is ink, a third of those half
// covered.
TTextStamp TextLines(int32_t width, int32_t lines) {
  const int32_t height = lines * 19;
  TTextStamp stamp{TImage(width, height, {0, 0, 0, 255}), TImage(width, height, {255, 255, 255, 255})};
  for (int32_t y = 0; y < height; ++y) {
    if (y % 19 < 4 || y % 19 >= 16) continue;
    for (int32_t x = y % 3; x < width; x += 3) {
      const bool half = x % 9 == 0;
      stamp.OnBlack.View().At(x, y) = {0, 0, uint8_t(half ? 128 : 255), 255};
      stamp.OnWhite.View().At(x, y) = {uint8_t(half ? 127 : 0), uint8_t(half ? 127 : 0), 255, 255};
    }
  }
  return stamp;
}

void BM_BlendTextStamp(benchmark::State& state) {
  const TTextStamp stamp = TextLines(820, int32_t(state.range(0)));
  TImage picture(820, stamp.Size().Height, {90, 120, 150, 255});
  const TRect all = TRect::FromSize(0, 0, picture.Width(), picture.Height());
  for (auto _ : state) {
    BlendStamp(stamp, {0, 0}, all, picture.View(), {0, 0});
    benchmark::DoNotOptimize(picture.View().At(3, 5));
  }
}
BENCHMARK(BM_BlendTextStamp)->Arg(1)->Arg(25)->Unit(benchmark::kMillisecond);

}  // namespace
