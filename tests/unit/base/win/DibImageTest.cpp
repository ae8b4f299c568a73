#include "base/win/DibImage.h"

#include <gtest/gtest.h>

using namespace qor;

TEST(DibImage, ATallBlitArrivesWholeAcrossItsStrips) {
  // 1000 pixels wide: 32 rows a strip, so 75 rows take two full strips and a part.
  TDibImage source, target;
  ASSERT_TRUE(source.Create(1000, 80));
  ASSERT_TRUE(target.Create(1000, 75));
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 1000; ++x) source.View().At(x, y) = TBgra{uint8_t(x), uint8_t(y), uint8_t(x >> 8), 255};
  ASSERT_TRUE(CopyFromDc(source.Dc(), 0, 5, target));
  for (int y = 0; y < 75; ++y)
    for (int x = 0; x < 1000; x += 37) ASSERT_EQ(target.View().At(x, y), source.View().At(x, y + 5)) << x << "," << y;
}

TEST(DibImage, EmptySizesGiveAnEmptyImageAndRecreateReplacesTheOld) {
  TDibImage image;
  EXPECT_TRUE(image.Create(0, 10));
  EXPECT_TRUE(image.IsEmpty());
  EXPECT_TRUE(CopyFromDc(nullptr, 0, 0, image));  // nothing to copy into
  ASSERT_TRUE(image.Create(2, 2));
  ASSERT_TRUE(image.Create(3, 1));
  EXPECT_EQ(image.Width(), 3);
  EXPECT_EQ(image.Height(), 1);
  image.View().At(2, 0) = TBgra{1, 2, 3, 255};  // what GDI sees is what the view wrote
  EXPECT_EQ(::GetPixel(image.Dc(), 2, 0), RGB(3, 2, 1));
}
