#include "engine/Coverage.h"

#include <gtest/gtest.h>

using namespace qor;

TEST(Coverage, RunsRaiseByMaximumOnBothSidesOfTheOriginAndTilesExistOnlyAlongWhatIsDrawn) {
  TCoverage coverage;
  coverage.MaxRun(-40, -70, 5, 100);
  coverage.MaxRun(-40, -10, 30, 60);
  const uint8_t alphas[] = {0, 0, 200, 0, 50, 0};
  coverage.MaxRun(33, 62, alphas, 6);
  coverage.MaxRun(70, 0, 10, 0);
  const std::pair<TPoint, int> expected[] = {{{-71, -40}, 0}, {{-70, -40}, 100}, {{4, -40}, 100}, {{5, -40}, 60},
                                             {{29, -40}, 60}, {{30, -40}, 0},    {{63, 33}, 0},   {{64, 33}, 200},
                                             {{66, 33}, 50},  {{5000, -9000}, 0}};
  for (const auto& [p, alpha] : expected) EXPECT_EQ(coverage.At(p), alpha) << p.X << "," << p.Y;
  // Zeros at the ends of a run and runs of zero draw nothing.
  EXPECT_EQ(coverage.Bounds(), (TRect{-70, -40, 67, 34}));
  coverage.Clear();

  // A diagonal over 4000 x 2000 pixels needs about 190 tiles, not the 7800 of its bounding box.
  for (int32_t i = 0; i < 4000; i += 3) coverage.MaxRun(i / 2 - 1000, i - 2000, i - 1998, 255);
  int64_t area = 0;
  for (const TRect& r : coverage.TileRects()) area += int64_t(r.Width()) * r.Height();
  EXPECT_LT(area, 300 * 32 * 32);
}

TEST(Coverage, BlendIsExactSkipsZeroAndCopiesFullCoverage) {
  const auto over = [](uint32_t a, uint8_t colour, uint8_t under) {
    return uint8_t((a * colour + (255 - a) * under + 127) / 255);
  };
  TCoverage coverage;
  for (int32_t x = 0; x < 256; ++x) coverage.MaxRun(0, x, x + 1, uint8_t(x));
  const TBgra under{10, 100, 250, 255};
  for (uint8_t colourAlpha : {255, 128, 1}) {
    TImage picture(256, 1, under);
    BlendCoverage(coverage, {0, 0}, TBgra{200, 7, 99, colourAlpha}, {0, 0, 256, 1}, picture.View(), {0, 0});
    for (int32_t x = 0; x < 256; ++x) {
      const uint32_t a = (uint32_t(x) * colourAlpha + 127) / 255;
      const TBgra expected{over(a, 200, 10), over(a, 7, 100), over(a, 99, 250), 255};
      ASSERT_EQ(picture.View().At(x, 0), expected) << "coverage " << x << " alpha " << int(colourAlpha);
    }
  }
}
