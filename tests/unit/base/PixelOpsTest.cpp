#include "base/PixelOps.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qor;

namespace {
TImage Gradient(int w, int h) {
  TImage image(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      image.View().At(x, y) = TBgra{uint8_t(x * 7 + y), uint8_t(x + y * 3), uint8_t((x * y) & 0xFF), uint8_t(x)};
  return image;
}
}  // namespace

TEST(BlendOverBlack, EveryByteIsRoundedExactlyAndTheResultIsOpaque) {
  // 256 columns cover every byte value in the blue channel.
  TImage source(256, 1);
  for (int x = 0; x < 256; ++x) source.View().At(x, 0) = TBgra{uint8_t(x), uint8_t(255 - x), 0, 0};
  for (int alpha : {0, 1, 140, 254, 255}) {
    TImage target(256, 1);
    BlendOverBlack(source.View(), target.View(), uint8_t(alpha));
    for (int x = 0; x < 256; ++x) {
      const TBgra p = target.View().At(x, 0);
      EXPECT_EQ(p.B, uint8_t(std::lround(x * alpha / 255.0))) << "alpha " << alpha << " value " << x;
      EXPECT_EQ(p.G, uint8_t(std::lround((255 - x) * alpha / 255.0)));
      EXPECT_EQ(p.A, 255);
    }
  }
}

TEST(BlendOverBlack, WorksInPlaceAndOnSubViewsWithoutTouchingOutside) {
  TImage image = Gradient(9, 7);
  const TImage before = image.Clone();
  const TImageView inner = image.View().Sub(TRect{2, 1, 7, 5});
  BlendOverBlack(inner, inner, 140);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 9; ++x) {
      const bool inside = x >= 2 && x < 7 && y >= 1 && y < 5;
      const TBgra was = before.View().At(x, y), now = image.View().At(x, y);
      if (inside)
        EXPECT_EQ(now.R, uint8_t(std::lround(was.R * 140 / 255.0)));
      else
        EXPECT_EQ(now, was);
    }
}

TEST(BlendOverBlack, EmptyOrMismatchedViewsAreClippedNotOverrun) {
  TImage small(3, 2), large = Gradient(5, 4);
  BlendOverBlack(large.View(), small.View(), 140);  // writes only 3 x 2
  EXPECT_EQ(small.View().At(2, 1).R, uint8_t(std::lround(large.View().At(2, 1).R * 140 / 255.0)));
  BlendOverBlack(TImageView{}, small.View(), 140);
  BlendOverBlack(large.View(), TImageView{}, 140);
}

TEST(BlendOverBlack, StripsGiveTheSamePictureAsOnePassForAnyCount) {
  const TImage source = Gradient(13, 7);
  TImage once(13, 7);
  BlendOverBlack(source.View(), once.View(), 140);
  // More strips than rows, a count that does not divide the height, none, and a smaller target.
  for (int strips : {-1, 0, 1, 2, 3, 7, 50}) {
    TImage striped(13, 7, TBgra{1, 2, 3, 4});
    BlendOverBlackInStrips(source.View(), striped.View(), 140, strips);
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < 13; ++x) ASSERT_EQ(striped.View().At(x, y), once.View().At(x, y)) << strips;
  }
  TImage small(4, 3, TBgra{1, 2, 3, 4});
  BlendOverBlackInStrips(source.View(), small.View(), 140, 2);
  EXPECT_EQ(small.View().At(3, 2), once.View().At(3, 2));
  BlendOverBlackInStrips(TImageView{}, small.View(), 140, 2);
}

TEST(CropImage, TakesExactlyTheRectangleClippedToTheImage) {
  const TImage source = Gradient(10, 8);
  const TImage crop = CropImage(source.View(), TRect{3, 2, 7, 5});
  ASSERT_EQ(crop.Width(), 4);
  ASSERT_EQ(crop.Height(), 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(crop.View().At(x, y), source.View().At(x + 3, y + 2));
  const TImage clipped = CropImage(source.View(), TRect{-2, -3, 2, 1});
  EXPECT_EQ(clipped.Width(), 2);
  EXPECT_EQ(clipped.Height(), 1);
  EXPECT_EQ(clipped.View().At(1, 0), source.View().At(1, 0));
  // Empty, outside and inverted rectangles, and an empty source, give an empty image.
  for (const TRect& r : {TRect{2, 2, 2, 3}, TRect{11, 9, 15, 12}, TRect{3, 3, 1, 1}})
    EXPECT_TRUE(CropImage(source.View(), r).IsEmpty()) << r.Left << "," << r.Top;
  EXPECT_TRUE(CropImage(TImageView{}, TRect{0, 0, 1, 1}).IsEmpty());
}
