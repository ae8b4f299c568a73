#include "scroll/PreviewCopy.h"

#include <gtest/gtest.h>

#include "companions/stitch/LongPictureApi.h"
#include "tests/unit/scroll/ScrollPictures.h"

namespace qor {
namespace {

using namespace scrolltest;

// A long result and its reduced copy, updated together as the worker does.
struct TPipeline {
  TLongResult Result;
  TPreviewCopy Copy;

  void Step(const std::vector<uint8_t>& bmp, bool downward) {
    TRowSpan changed;
    ASSERT_TRUE(Result.Update(bmp.data(), bmp.size(), downward, changed));
    Copy.Update(Result.View(), changed, Result.Prepended());
  }
  int Check(const std::vector<TBox>& boxes) const { return ExpectPreviewClose(Copy, Result.View(), boxes); }
};

TEST(PreviewCopyTest, MixedStepsOnAPictureThatOutgrowsTheCopyStayCloseToTheWholePictureScaled) {
  TSimulatedRun run(420, 12000, 5000, 5700);
  TPipeline pipeline;
  pipeline.Step(run.Bmp(), true);
  EXPECT_EQ(pipeline.Copy.View().Width, PreviewMaxWidth);
  EXPECT_EQ(pipeline.Copy.GroupRows(), 1);
  const std::vector<TBox> boxes{{400, 1200}, {140, 500}};
  const auto step = [&](bool down, int32_t rows) {
    down ? run.Down(rows) : run.Up(rows);
    pipeline.Step(run.Bmp(), down);
    EXPECT_LE(pipeline.Copy.GroupCount(), 2 * PreviewCopyMaxRows);
    pipeline.Check(boxes);
  };
  step(true, 1700);
  step(true, 1700);  // past 4096 rows: rows are now grouped in pairs
  EXPECT_EQ(pipeline.Copy.GroupRows(), 2);
  step(false, 733);
  step(true, 377);
  step(false, 1900);
  step(false, 1901);  // past 8192 rows
  EXPECT_EQ(pipeline.Copy.GroupRows(), 4);
  step(true, 0);                    // only the footer changes
  step(false, 0);                   // only the header changes
  pipeline.Step(run.Bmp(), false);  // nothing new
  pipeline.Check(boxes);
  EXPECT_EQ(pipeline.Result.Height(), run.Height());
}

TEST(PreviewCopyTest, TheLibrarysMixedRunPreviewsLikeTheWholePicture) {
  stitch::ResetEntryPoint();
  for (const auto& recipe : stitch::corpus::StandardCases()) {
    if (recipe.Name != "DownThenUpThenDown") continue;
    const stitch::corpus::TCase run = stitch::corpus::BuildCase(recipe);
    stitch::ResetEntryPoint();
    TPipeline pipeline;
    for (size_t i = 0; i < run.Frames.size(); ++i) {
      uint8_t* result = nullptr;
      int32_t size = 0;
      OpencvLongScreenShot(run.Directions[i], run.Frames[i].data(), int32_t(run.Frames[i].size()), &result, &size);
      pipeline.Step(std::vector<uint8_t>(result, result + size), run.Directions[i] == 1);
      SCOPED_TRACE(recipe.Name + " frame " + std::to_string(i));
      pipeline.Check({{400, 1200}, {133, 701}});
    }
  }
  stitch::ResetEntryPoint();
}

TEST(PreviewCopyTest, AWidthChangeRebuildsAnEmptyPictureClearsAndNarrowPicturesKeepTheirWidth) {
  TPipeline pipeline;
  pipeline.Step(TSimulatedRun(600, 3000, 0, 2500).Bmp(), true);
  pipeline.Step(TSimulatedRun(120, 3000, 0, 900).Bmp(), true);
  EXPECT_EQ(pipeline.Copy.View().Width, 120);
  EXPECT_EQ(pipeline.Copy.View().Height, 945);
  pipeline.Check(PreviewBoxes(120));
  pipeline.Copy.Update(TConstImageView{}, TRowSpan{}, 0);
  EXPECT_TRUE(pipeline.Copy.View().IsEmpty());
  EXPECT_TRUE(pipeline.Copy.Snapshot().IsEmpty());
}

TEST(PreviewCopyTest, OneRowPicturesGrowRowByRowAndTheSnapshotIsAnIndependentCopy) {
  TPipeline pipeline;
  TImage picture(3, 1, TBgra{10, 20, 30, 255});
  pipeline.Step(WriteBmp(picture.View()), true);
  EXPECT_EQ(pipeline.Copy.View().Height, 1);
  const TImage first = pipeline.Copy.Snapshot();
  TImage taller(3, 2, TBgra{10, 20, 30, 255});
  taller.View().At(0, 1) = TBgra{200, 100, 0, 255};
  pipeline.Step(WriteBmp(taller.View()), true);
  EXPECT_TRUE(SameImage(pipeline.Copy.View(), taller.View()));
  EXPECT_EQ(first.View().Height, 1);
  EXPECT_EQ(first.View().At(0, 0), (TBgra{10, 20, 30, 255}));
}

TEST(ScalePreviewTest, SameSizeIsACopyAndHalvingAveragesBlocksExactly) {
  TImage picture(6, 4);
  for (int32_t y = 0; y < 4; ++y)
    for (int32_t x = 0; x < 6; ++x) picture.View().At(x, y) = TBgra{uint8_t(x * 40), uint8_t(y * 60), 7, 255};
  TImage same(6, 4);
  ScalePreview(picture.View(), same.View());
  EXPECT_TRUE(SameImage(same.View(), picture.View()));
  TImage half(3, 2);
  ScalePreview(picture.View(), half.View());
  EXPECT_EQ(half.View().At(0, 0), (TBgra{20, 30, 7, 255}));
  EXPECT_EQ(half.View().At(2, 1), (TBgra{180, 150, 7, 255}));
}

TEST(ScalePreviewTest, ThirdsAreWeightedByTheirShareAndOnePixelStretchesOverAnyBox) {
  // Two rows into three: the middle row is half of each.
  TImage rows(1, 2);
  rows.View().At(0, 0) = TBgra{0, 0, 0, 255};
  rows.View().At(0, 1) = TBgra{90, 90, 90, 255};
  TImage three(1, 3);
  ScalePreview(rows.View(), three.View());
  EXPECT_EQ(three.View().At(0, 0).B, 0);
  EXPECT_EQ(three.View().At(0, 1).B, 45);
  EXPECT_EQ(three.View().At(0, 2).B, 90);
  TImage dot(1, 1, TBgra{1, 2, 3, 4});
  TImage box(5, 7);
  ScalePreview(dot.View(), box.View());
  EXPECT_TRUE(SameImage(box.View(), TImage(5, 7, TBgra{1, 2, 3, 4}).View()));
}

}  // namespace
}  // namespace qor
