#include <gtest/gtest.h>

#include "base/BmpFile.h"
#include "tests/unit/companions/stitch/StitchTestSupport.h"

namespace qor::stitch::corpus {
namespace {

// The stitching tests compare against the corpus, so it must be the same on every run and platform.
TEST(StitchCorpusTest, TheSameRecipeGivesTheSameBytesWithClampedOffsetsAndAnIdealCoveringEverythingSeen) {
  TCaseRecipe recipe = testing::PageRecipe("small", 200, 150, 20, 10, 800, 300, {50, 50, -200, -300, 900});
  recipe.Caret = recipe.Spinner = true;
  EXPECT_EQ(recipe.Offsets, (std::vector<int32_t>{300, 350, 400, 200, 0, 680}));
  const TCase a = BuildCase(recipe), b = BuildCase(recipe);
  ASSERT_EQ(a.Frames.size(), 6u);
  EXPECT_EQ(a.Frames, b.Frames);
  EXPECT_EQ(WriteBmp(a.Ideal.View()), WriteBmp(b.Ideal.View()));
  EXPECT_EQ(a.Directions, (std::vector<int32_t>{1, 1, 1, 0, 0, 1}));
  EXPECT_EQ(a.Ideal.Height(), 20 + (680 + 120) + 10);
  EXPECT_EQ(a.ChangingColumns.size(), 3u);  // scroll bar, caret, spinner
  TImage first;
  ASSERT_EQ(ReadBmp(a.Frames[1].data(), a.Frames[1].size(), first), TBmpError::None);
  const std::vector<uint8_t> reference = WriteBmp(first.View(), 24);
  for (int bits : {24, 32})
    for (bool topDown : {false, true}) {
      recipe.BitsPerPixel = bits;
      recipe.TopDown = topDown;
      const TCase c = BuildCase(recipe);
      TBmpLayout layout;
      ASSERT_EQ(ParseBmp(c.Frames[0].data(), c.Frames[0].size(), layout), TBmpError::None);
      EXPECT_TRUE(layout.BitsPerPixel == bits && layout.TopDown == topDown && layout.Width == 200 &&
                  layout.Height == 150)
          << bits << " " << topDown;
      TImage frame;
      ASSERT_EQ(ReadBmp(c.Frames[1].data(), c.Frames[1].size(), frame), TBmpError::None);
      EXPECT_EQ(WriteBmp(frame.View(), 24), reference) << "every kind holds the same pixels";
    }
}

}  // namespace
}  // namespace qor::stitch::corpus
