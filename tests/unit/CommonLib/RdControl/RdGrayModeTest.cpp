#include "CommonLib/RdControl/RdGrayMode.h"

#include <gtest/gtest.h>

namespace qor {
namespace {

TEST(RdGrayMode, WeighsRedGreenAndBlueAndKeepsAlpha) {
  TImage image(5, 1);
  const TImageView& v = image.View();
  v.At(0, 0) = {0, 0, 255, 255};    // red
  v.At(1, 0) = {0, 255, 0, 128};    // green, half transparent
  v.At(2, 0) = {255, 0, 0, 0};      // blue, fully transparent: colour still converted
  v.At(3, 0) = {255, 255, 255, 7};  // white stays white
  v.At(4, 0) = {30, 20, 10, 200};   // (77*10 + 151*20 + 28*30) >> 8 = 4630 >> 8 = 18
  GrayPixels(v);
  EXPECT_EQ(v.At(0, 0), (TBgra{76, 76, 76, 255}));
  EXPECT_EQ(v.At(1, 0), (TBgra{150, 150, 150, 128}));
  EXPECT_EQ(v.At(2, 0), (TBgra{27, 27, 27, 0}));
  EXPECT_EQ(v.At(3, 0), (TBgra{255, 255, 255, 7}));
  EXPECT_EQ(v.At(4, 0), (TBgra{18, 18, 18, 200}));
}

TEST(RdGrayMode, CopiesIntoATargetOfAnotherSizeWithoutTouchingTheSource) {
  TImage source(3, 2, {0, 0, 255, 255});
  TImage target(2, 3, {1, 2, 3, 4});
  GrayPixels(source.View(), target.View());
  EXPECT_EQ(target.View().At(1, 1), (TBgra{76, 76, 76, 255}));
  EXPECT_EQ(target.View().At(1, 2), (TBgra{1, 2, 3, 4}));  // below the source: untouched
  EXPECT_EQ(source.View().At(0, 0), (TBgra{0, 0, 255, 255}));
}

}  // namespace
}  // namespace qor
