#include "scroll/LongResult.h"

#include <gtest/gtest.h>

#include "companions/stitch/LongPictureApi.h"
#include "tests/unit/scroll/ScrollPictures.h"

namespace qor {
namespace {

using namespace scrolltest;

// Feeds results to a TLongResult and checks each update: the kept picture equals the BMP exactly, and every row
// outside the reported span equals the row it was before the update.
struct TChecked {
  TLongResult Result;
  TImage Before;
  TRowSpan Changed;

  void Step(const uint8_t* bmp, size_t size, bool downward) {
    Before = CopyRows(Result.View(), 0, Result.Height());
    ASSERT_TRUE(Result.Update(bmp, size, downward, Changed));
    TImage expected;
    ASSERT_EQ(ReadBmp(bmp, size, expected), TBmpError::None);
    ASSERT_TRUE(SameImage(Result.View(), expected.View()));
    ASSERT_GE(Changed.First, 0);
    ASSERT_LE(Changed.First + Changed.Count, Result.Height());
    const TConstImageView now = Result.View(), before = Before.View();
    for (int32_t y = 0; y < now.Height; ++y) {
      if (y >= Changed.First && y < Changed.First + Changed.Count) continue;
      const int32_t old = y - Result.Prepended();
      ASSERT_TRUE(old >= 0 && old < before.Height) << "row " << y << " is outside the span but was not there before";
      ASSERT_EQ(std::memcmp(now.Row(y), before.Row(old), size_t(now.Width) * sizeof(TBgra)), 0) << "row " << y;
    }
  }
  void Step(const std::vector<uint8_t>& bmp, bool downward) { Step(bmp.data(), bmp.size(), downward); }
};

class LongResultLibraryTest : public ::testing::TestWithParam<stitch::corpus::TCaseRecipe> {
 protected:
  void SetUp() override { stitch::ResetEntryPoint(); }
  void TearDown() override { stitch::ResetEntryPoint(); }
};

TEST_P(LongResultLibraryTest, KeepsTheLibrarysPictureExactlyAndReportsOnlyRowsNearTheEndThatMoved) {
  const stitch::corpus::TCase run = stitch::corpus::BuildCase(GetParam());
  TChecked checked;
  for (size_t i = 0; i < run.Frames.size(); ++i) {
    uint8_t* result = nullptr;
    int32_t size = 0;
    OpencvLongScreenShot(run.Directions[i], run.Frames[i].data(), int32_t(run.Frames[i].size()), &result, &size);
    ASSERT_NE(result, nullptr);
    const int32_t before = checked.Result.Height();
    checked.Step(result, size_t(size), run.Directions[i] == 1);
    if (i == 0) {
      EXPECT_EQ(checked.Changed, (TRowSpan{0, checked.Result.Height()}));
    } else {
      // A step rewrites at most a frame's rows plus what it added.
      EXPECT_LE(checked.Changed.Count, run.Recipe.Height + std::max(0, checked.Result.Height() - before));
    }
  }
}

// The cases that mix directions, repeat a frame, or have bands that change: the others add nothing new here.
std::vector<stitch::corpus::TCaseRecipe> MixedCases() {
  std::vector<stitch::corpus::TCaseRecipe> cases;
  for (auto& recipe : stitch::corpus::StandardCases())
    if (recipe.Name == "DownThenUpThenDown" || recipe.Name == "UpBeyondTheStartThenDown" ||
        recipe.Name == "ArticleUp" || recipe.Name == "FlatGapsTallerThanAStep" || recipe.Name == "CaretAndSpinner" ||
        recipe.Name == "PageEndRepeatsTheLastFrame" || recipe.Name == "TwentyFourBitTopDown")
      cases.push_back(recipe);
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Generated, LongResultLibraryTest, ::testing::ValuesIn(MixedCases()),
                         [](const auto& info) { return info.param.Name; });

TEST(LongResultTest, MixedStepsOnATallPictureTouchOnlyTheBandAndTheNewRows) {
  TSimulatedRun run(300, 9000, 4000, 4600);
  TChecked checked;
  checked.Step(run.Bmp(), true);
  EXPECT_EQ(checked.Changed, (TRowSpan{0, run.Height()}));
  for (int i = 0; i < 4; ++i) {
    run.Down(700);
    checked.Step(run.Bmp(), true);
    EXPECT_EQ(checked.Changed,
              (TRowSpan{run.Height() - 700 - TSimulatedRun::FooterRows, 700 + TSimulatedRun::FooterRows}));
    EXPECT_EQ(checked.Result.Prepended(), 0);
  }
  for (int i = 0; i < 3; ++i) {
    run.Up(500);
    checked.Step(run.Bmp(), false);
    EXPECT_EQ(checked.Changed, (TRowSpan{0, 500 + TSimulatedRun::HeaderRows}));
    EXPECT_EQ(checked.Result.Prepended(), 500);
  }
  // Growing past the room at one end moves the picture into a larger buffer; the content stays exact.
  for (int i = 0; i < 6; ++i) {
    run.Up(400);
    checked.Step(run.Bmp(), false);
    run.Down(450);
    checked.Step(run.Bmp(), true);
  }
  EXPECT_EQ(checked.Result.Height(), run.Height());
}

TEST(LongResultTest, AStepThatAddsNothingChangesNoRowAndAFooterOnlyChangeIsJustTheFooter) {
  TSimulatedRun run(200, 3000, 100, 1400);
  TChecked checked;
  checked.Step(run.Bmp(), true);
  checked.Step(run.Bmp(), true);
  EXPECT_EQ(checked.Changed.Count, 0);
  checked.Step(run.Bmp(), false);
  EXPECT_EQ(checked.Changed.Count, 0);
  run.Down(0);  // only the footer is replaced
  checked.Step(run.Bmp(), true);
  EXPECT_EQ(checked.Changed, (TRowSpan{run.Height() - TSimulatedRun::FooterRows, TSimulatedRun::FooterRows}));
}

TEST(LongResultTest, AJoinAtTheOtherEndThanTheStepSaidIsStillKeptExactly) {
  // The library tries the hinted direction first but may join the other way.
  // The first picture is a frame's height; the picture then grows well past the rows a step may change.
  TSimulatedRun run(240, 8000, 3000, 3600);
  TChecked checked;
  checked.Step(run.Bmp(), true);
  for (int i = 0; i < 3; ++i) {
    run.Down(900);
    checked.Step(run.Bmp(), true);
  }
  run.Up(300);
  checked.Step(run.Bmp(), true);
  EXPECT_EQ(checked.Changed, (TRowSpan{0, 300 + TSimulatedRun::HeaderRows}));
  run.Down(300);
  checked.Step(run.Bmp(), false);
  EXPECT_EQ(checked.Changed.First + checked.Changed.Count, run.Height());
}

TEST(LongResultTest, ABandWhoseMiddleRowsHappenToMatchIsReplacedWhole) {
  // Old picture: page rows then a footer of flat rows framed by patterned rows; the new picture's rows at the
  // footer's place repeat its flat middle, so only the rows around it differ.
  TImage old(64, 1500), next(64, 1700);
  for (int32_t y = 0; y < 1700; ++y)
    for (int32_t x = 0; x < 64; ++x) {
      const TBgra page{uint8_t(x + y), uint8_t(y / 3), 9, 255}, flat{250, 250, 250, 255};
      if (y < 1500) old.View().At(x, y) = y >= 1400 && y < 1490 && y > 1410 ? flat : (y >= 1400 ? TBgra{} : page);
      next.View().At(x, y) = y >= 1411 && y < 1490 ? flat : page;
    }
  TChecked checked;
  checked.Step(WriteBmp(old.View()), true);
  checked.Step(WriteBmp(next.View()), true);
  EXPECT_EQ(checked.Changed, (TRowSpan{1400, 300}));
}

TEST(LongResultTest, UnreadableBytesAreRefusedAndTheKeptPictureStays) {
  TSimulatedRun run(120, 2000, 0, 400);
  TChecked checked;
  checked.Step(run.Bmp(), true);
  const TImage kept = CopyRows(checked.Result.View(), 0, checked.Result.Height());
  run.Down(200);
  std::vector<uint8_t> bmp = run.Bmp();
  const std::vector<uint8_t> garbage(5000, 0x5A);
  std::vector<uint8_t> truncated(bmp.begin(), bmp.begin() + ptrdiff_t(bmp.size() / 2));
  std::vector<uint8_t> sixteenBits = bmp;
  sixteenBits[28] = 16;
  TRowSpan changed{7, 7};
  EXPECT_FALSE(checked.Result.Update(garbage.data(), garbage.size(), true, changed));
  EXPECT_FALSE(checked.Result.Update(truncated.data(), truncated.size(), true, changed));
  EXPECT_FALSE(checked.Result.Update(sixteenBits.data(), sixteenBits.size(), true, changed));
  EXPECT_FALSE(checked.Result.Update(nullptr, 0, true, changed));
  EXPECT_FALSE(checked.Result.Update(bmp.data(), 0, true, changed));
  EXPECT_TRUE(SameImage(checked.Result.View(), kept.View()));
  // The next good result joins as if nothing had come between.
  checked.Step(bmp, true);
  EXPECT_EQ(checked.Changed, (TRowSpan{400 + TSimulatedRun::HeaderRows, 200 + TSimulatedRun::FooterRows}));
}

TEST(LongResultTest, AWidthChangeTakesTheWholePictureAndClearForgetsIt) {
  TChecked checked;
  checked.Step(TSimulatedRun(200, 1200, 0, 600).Bmp(), true);
  checked.Step(TSimulatedRun(180, 1200, 0, 650).Bmp(), true);
  EXPECT_EQ(checked.Changed, (TRowSpan{0, 650 + 45}));
  EXPECT_EQ(checked.Result.Width(), 180);
  checked.Result.Clear();
  EXPECT_TRUE(checked.Result.View().IsEmpty());
  EXPECT_EQ(checked.Result.Height(), 0);
  checked.Step(TSimulatedRun(90, 1200, 0, 100).Bmp(), false);
  EXPECT_EQ(checked.Changed, (TRowSpan{0, 145}));
}

TEST(LongResultTest, OneRowPicturesAndTopDownThirtyTwoBitResultsAreReadToo) {
  TChecked checked;
  TImage row(5, 1, TBgra{1, 2, 3, 255});
  checked.Step(WriteBmp(row.View()), true);
  EXPECT_EQ(checked.Changed, (TRowSpan{0, 1}));
  TImage two(5, 2, TBgra{1, 2, 3, 255});
  two.View().At(4, 1) = TBgra{9, 9, 9, 255};
  checked.Step(WriteBmp(two.View()), true);
  EXPECT_EQ(checked.Changed, (TRowSpan{1, 1}));
  // The same two rows as a top-down 32-bit file image, then one row prepended.
  TImage three(5, 3, TBgra{7, 7, 7, 255});
  std::memcpy(three.View().Row(1), two.View().Row(0), 5 * sizeof(TBgra));
  std::memcpy(three.View().Row(2), two.View().Row(1), 5 * sizeof(TBgra));
  std::vector<uint8_t> topDown(BmpHeadersSize + BmpRowStride(5, 32) * 3);
  WriteBmpHeaders(topDown.data(), 5, 3, 32, true);
  for (int32_t y = 0; y < 3; ++y)
    std::memcpy(topDown.data() + BmpHeadersSize + size_t(y) * BmpRowStride(5, 32), three.View().Row(y), 20);
  checked.Step(topDown, false);
  EXPECT_EQ(checked.Changed, (TRowSpan{0, 1}));
  EXPECT_EQ(checked.Result.Prepended(), 1);
}

}  // namespace
}  // namespace qor
