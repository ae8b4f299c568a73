#include <gtest/gtest.h>

#include <cstring>

#include "base/BmpFile.h"
#include "tests/unit/companions/stitch/StitchTestSupport.h"

namespace qor::stitch::corpus {
namespace {

TCaseRecipe Small() {
  TCaseRecipe recipe = testing::PageRecipe("small", 200, 150, 20, 10, 800, 300, {50, 50, -200, -300, 900});
  recipe.Caret = recipe.Spinner = true;
  return recipe;
}

TEST(StitchCorpusTest, TheSameRecipeGivesTheSameBytesWithClampedOffsetsAndAnIdealCoveringEverythingSeen) {
  EXPECT_EQ(Offsets(300, {50, 50, -200, -300, 900}, 680), (std::vector<int32_t>{300, 350, 400, 200, 0, 680}));
  const TCase a = BuildCase(Small()), b = BuildCase(Small());
  ASSERT_EQ(a.Frames.size(), 6u);
  EXPECT_EQ(a.Frames, b.Frames);
  EXPECT_EQ(WriteBmp(a.Ideal.View()), WriteBmp(b.Ideal.View()));
  EXPECT_EQ(a.Directions, (std::vector<int32_t>{1, 1, 1, 0, 0, 1}));
  EXPECT_EQ(a.Ideal.Height(), 20 + (680 + 120) + 10);
  EXPECT_EQ(a.ChangingColumns.size(), 3u);  // scroll bar, caret, spinner
}

TEST(StitchCorpusTest, FramesAreReadableBmpsOfTheRequestedKind) {
  TCaseRecipe recipe = Small();
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
    }
}

TEST(StitchCorpusTest, PagesAreNotFlat) {
  for (TPageKind kind : {TPageKind::Article, TPageKind::Table, TPageKind::Chat, TPageKind::FlatGaps}) {
    const TImage page = RenderPage(kind, 300, 600, 3);
    int distinctRows = 0;
    for (int32_t y = 1; y < 600; ++y)
      if (std::memcmp(page.View().Row(y), page.View().Row(y - 1), 300 * 4) != 0) ++distinctRows;
    EXPECT_GT(distinctRows, 150) << int(kind);
  }
}

}  // namespace
}  // namespace qor::stitch::corpus
