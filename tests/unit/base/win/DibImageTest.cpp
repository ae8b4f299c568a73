#include "base/win/DibImage.h"

#include <gtest/gtest.h>

using namespace qor;

// Capturing from a screen DC into the view, pixel for pixel: the e2e tests compare the frozen screen and the saved
// pictures with the X screen exactly.
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
