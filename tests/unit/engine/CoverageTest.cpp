#include "engine/Coverage.h"

#include <gtest/gtest.h>

using namespace qor;

TEST(Coverage, RunsRaiseByMaximumOnBothSidesOfTheOriginAndBoundsHoldExactlyTheDrawnPixels) {
  TCoverage coverage;
  EXPECT_TRUE(coverage.IsEmpty());
  coverage.MaxRun(-40, -70, 5, 100);
  coverage.MaxRun(-40, -10, 30, 60);
  const uint8_t alphas[] = {0, 0, 200, 0, 50, 0};
  coverage.MaxRun(33, 62, alphas, 6);
  coverage.MaxRun(70, 0, 10, 0);
  EXPECT_EQ(coverage.At({-70, -40}), 100);
  EXPECT_EQ(coverage.At({4, -40}), 100);
  EXPECT_EQ(coverage.At({5, -40}), 60);
  EXPECT_EQ(coverage.At({29, -40}), 60);
  EXPECT_EQ(coverage.At({30, -40}), 0);
  EXPECT_EQ(coverage.At({-71, -40}), 0);
  EXPECT_EQ(coverage.At({64, 33}), 200);
  EXPECT_EQ(coverage.At({66, 33}), 50);
  EXPECT_EQ(coverage.At({63, 33}), 0);
  // Zeros at the ends of a run and runs of zero draw nothing.
  EXPECT_EQ(coverage.Bounds(), (TRect{-70, -40, 67, 34}));
  EXPECT_EQ(coverage.At({5000, -9000}), 0);

  coverage.Clear();
  EXPECT_TRUE(coverage.IsEmpty());
  EXPECT_EQ(coverage.At({64, 33}), 0);
  EXPECT_TRUE(coverage.TileRects().empty());
}

TEST(Coverage, TilesExistOnlyAlongWhatIsDrawnAndTileRectsHoldEveryDrawnPixel) {
  TCoverage coverage;
  for (int32_t i = 0; i < 4000; i += 3) coverage.MaxRun(i / 2 - 1000, i - 2000, i - 1998, 255);
  const auto rects = coverage.TileRects();
  int64_t area = 0;
  for (const TRect& r : rects) area += int64_t(r.Width()) * r.Height();
  // A diagonal over 4000 x 2000 pixels needs about 190 tiles, not the 7800 of its bounding box.
  EXPECT_LT(area, 300 * 32 * 32);
  for (int32_t i = 0; i < 4000; i += 3) {
    const TPoint p{i - 2000, i / 2 - 1000};
    EXPECT_TRUE(std::any_of(rects.begin(), rects.end(), [&](const TRect& r) { return r.Contains(p); }));
  }
  // Adjacent tiles of a row come as one rectangle.
  TCoverage row;
  row.MaxRun(5, -40, 100, 9);
  EXPECT_EQ(row.TileRects(), (std::vector<TRect>{{-64, 0, 128, 32}}));
}

namespace {

uint8_t Over(uint32_t a, uint8_t colour, uint8_t under) {
  return uint8_t((a * colour + (255 - a) * under + 127) / 255);
}

}  // namespace

TEST(Coverage, BlendIsExactSkipsZeroAndCopiesFullCoverage) {
  TCoverage coverage;
  for (int32_t x = 0; x < 256; ++x) coverage.MaxRun(0, x, x + 1, uint8_t(x));
  const TBgra under{10, 100, 250, 255};
  for (uint8_t colourAlpha : {255, 128, 1}) {
    TImage picture(256, 1, under);
    const TBgra colour{200, 7, 99, colourAlpha};
    BlendCoverage(coverage, {0, 0}, colour, {0, 0, 256, 1}, picture.View(), {0, 0});
    for (int32_t x = 0; x < 256; ++x) {
      const uint32_t a = (uint32_t(x) * colourAlpha + 127) / 255;
      const TBgra expected{Over(a, 200, 10), Over(a, 7, 100), Over(a, 99, 250), 255};
      ASSERT_EQ(picture.View().At(x, 0), expected) << "coverage " << x << " alpha " << int(colourAlpha);
    }
    EXPECT_EQ(picture.View().At(0, 0), under);
    if (colourAlpha == 255) {
      EXPECT_EQ(picture.View().At(255, 0), (TBgra{200, 7, 99, 255}));
    }
  }
}

TEST(Coverage, BlendPlacesCoverageByOffsetAndTargetOriginAndStaysInsideAreaAndTarget) {
  TCoverage coverage;
  for (int32_t y = 0; y < 10; ++y) coverage.MaxRun(y, 0, 10, 255);
  // Coverage (0..9, 0..9) lands on surface (20..29, 30..39); the target shows surface (25.., 33..).
  TImage picture(8, 8, TBgra{0, 0, 0, 255});
  const TRect area{0, 0, 28, 100};
  BlendCoverage(coverage, {20, 30}, TBgra{255, 255, 255, 255}, area, picture.View(), {25, 33});
  for (int32_t y = 0; y < 8; ++y)
    for (int32_t x = 0; x < 8; ++x) {
      const bool drawn = x + 25 < 28 && y + 33 < 40;
      EXPECT_EQ(picture.View().At(x, y).G, drawn ? 255 : 0) << x << "," << y;
    }
}
