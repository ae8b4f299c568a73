#include "CommonLib/RdControl/win/RdDesignDraw.h"

#include <gtest/gtest.h>

#include <string>

#include "base/win/DibImage.h"

namespace qor {
namespace {

using enum TSuperStretchMode;

// A picture whose every pixel tells where it lies: red = 20 x, green = 20 y.
void FillWithCoordinates(TDibImage& picture) {
  for (int32_t y = 0; y < picture.Height(); ++y)
    for (int32_t x = 0; x < picture.Width(); ++x)
      picture.View().At(x, y) = TBgra{0, uint8_t(20 * y), uint8_t(20 * x), 255};
}

// Where a target pixel comes from along one axis when the two 2-pixel margins are copied and the 6-pixel middle
// of a 10-pixel picture is tiled.
int32_t TiledSource(int32_t t, int32_t length) {
  if (t < 2) return t;
  if (t >= length - 2) return 10 - (length - t);
  return 2 + (t - 2) % 6;
}

TEST(RdDesignDraw, FillTilesEveryPixelFromItsPlaceInThePictureAndClipsTheLastTiles) {
  TDibImage picture;
  ASSERT_TRUE(picture.Create(10, 10));
  FillWithCoordinates(picture);
  for (const TSize size : {TSize{30, 20}, TSize{10, 10}, TSize{17, 5}, TSize{64, 41}}) {
    SCOPED_TRACE(std::to_string(size.Width) + "x" + std::to_string(size.Height));
    TDibImage target;
    ASSERT_TRUE(target.Create(size.Width + 1, size.Height + 1));
    DrawDesignRect(target.Dc(), TRect::FromSize(1, 1, size.Width, size.Height), picture.Dc(), {10, 10},
                   TDesignRect(2, 2, 2, 2, sdmFill));
    ::GdiFlush();
    for (int32_t y = 0; y < size.Height; ++y)
      for (int32_t x = 0; x < size.Width; ++x) {
        const TBgra p = target.View().At(x + 1, y + 1);
        const int32_t sx = TiledSource(x, size.Width), sy = TiledSource(y, size.Height);
        ASSERT_EQ(p, (TBgra{0, uint8_t(20 * sy), uint8_t(20 * sx), 255})) << x << "," << y;
      }
    EXPECT_EQ(target.View().At(0, 0), TBgra{});  // nothing outside the target
  }
}

TEST(RdDesignDraw, CornersStayExactWhileTheCentreIsStretchedAndHalfAlphaBlendsHalf) {
  TDibImage picture;
  ASSERT_TRUE(picture.Create(10, 10));
  FillWithCoordinates(picture);
  TDibImage target;
  ASSERT_TRUE(target.Create(200, 40));
  DrawDesignRect(target.Dc(), TRect::FromSize(0, 0, 200, 40), picture.Dc(), {10, 10}, TDesignRect(2, 2, 2, 2));
  ::GdiFlush();
  const TImageView& v = target.View();
  EXPECT_EQ(v.At(1, 1), (TBgra{0, 20, 20, 255}));
  EXPECT_EQ(v.At(199, 39), (TBgra{0, 180, 180, 255}));
  EXPECT_EQ(v.At(198, 0), (TBgra{0, 0, 160, 255}));
  EXPECT_EQ(v.At(0, 38), (TBgra{0, 160, 0, 255}));
  // Half opacity over black gives half of each channel.
  TDibImage half;
  ASSERT_TRUE(half.Create(10, 10));
  DrawDesignRect(half.Dc(), TRect::FromSize(0, 0, 10, 10), picture.Dc(), {10, 10}, TDesignRect(), 128);
  ::GdiFlush();
  const TBgra p = half.View().At(9, 9);
  EXPECT_NEAR(p.R, 90, 2);
  EXPECT_NEAR(p.A, 128, 2);
}

}  // namespace
}  // namespace qor
