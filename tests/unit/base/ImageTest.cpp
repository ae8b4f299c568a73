#include "base/Image.h"

#include <gtest/gtest.h>

#include <type_traits>
#include <utility>

namespace qor {
namespace {

// A const image, like the frozen screen, hands out views whose pixels cannot be written.
using TConstImagePixel = decltype(std::declval<const TImage&>().View().At(0, 0));
using TImagePixel = decltype(std::declval<TImage&>().View().At(0, 0));
static_assert(!std::is_assignable_v<TConstImagePixel, TBgra>);
static_assert(std::is_assignable_v<TImagePixel, TBgra>);
static_assert(!std::is_convertible_v<TConstImageView, TImageView>);

TEST(ImageView, ReadOnlyAndWritableSubViewsSeeTheSamePixels) {
  TImage image(6, 4, TBgra{1, 2, 3, 4});
  image.View().At(4, 3) = TBgra{9, 9, 9, 9};
  const TImage& frozen = image;
  const TConstImageView part = frozen.View().Sub(TRect{2, 1, 10, 10});
  EXPECT_EQ(part.Width, 4);
  EXPECT_EQ(part.Height, 3);
  EXPECT_EQ(part.At(2, 2), (TBgra{9, 9, 9, 9}));
  EXPECT_TRUE(frozen.View().Sub(TRect{6, 0, 8, 2}).IsEmpty());
}

}  // namespace
}  // namespace qor
