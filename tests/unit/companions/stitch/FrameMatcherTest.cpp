#include <gtest/gtest.h>

#include <functional>

#include "companions/stitch/FrameMatcher.h"
#include "tests/unit/companions/stitch/StitchTestSupport.h"

namespace qor::stitch {
namespace {

using testing::NoisePixel;

// A frame of 256 x 120 pixels: rows [0, header) and [120 - footer, 120) are fixed bands, the rows between show
// page rows from `top` on; pageRow maps a page row to the value its content is drawn from.
struct TFrameRecipe {
  int64_t Top = 0;
  int32_t Header = 0;
  int32_t Footer = 0;
  std::function<int64_t(int64_t)> PageRow = [](int64_t r) { return r; };
  std::function<void(TImage&)> Touch = {};
};

constexpr int32_t Width = 256, Height = 120;

TFrameSignature Signature(const TImage& image) {
  TFrameSignature signature;
  signature.Compute(image.View());
  return signature;
}

TFrameSignature Frame(const TFrameRecipe& recipe) {
  TImage image(Width, Height);
  for (int32_t y = 0; y < Height; ++y) {
    const bool band = y < recipe.Header || y >= Height - recipe.Footer;
    const int64_t seed = band ? -1000 - y : recipe.PageRow(recipe.Top + y - recipe.Header);
    for (int32_t x = 0; x < Width; ++x) image.View().At(x, y) = NoisePixel(uint64_t(seed), uint64_t(x));
  }
  if (recipe.Touch) recipe.Touch(image);
  return Signature(image);
}

// Content repeating every `period` page rows.
std::function<int64_t(int64_t)> Periodic(int64_t period) {
  return [period](int64_t r) { return ((r % period) + period) % period; };
}

TEST(FrameMatcherTest, FindsTheStepInBothDirectionsAndRefusesTooLittleOverlap) {
  TFrameMatcher matcher;
  for (int32_t step : {1, 7, 40, 100, 111, -1, -30, -111}) {
    const TFrameMatch m = matcher.Match(Frame({.Top = 500}), Frame({.Top = 500 + step}), step > 0, 0);
    EXPECT_EQ(m.Kind, TMatchKind::Shifted) << step;
    EXPECT_EQ(m.Displacement, step);
  }
  // Only the other direction fits.
  const TFrameMatch up = matcher.Match(Frame({.Top = 300}), Frame({.Top = 260}), true, 0);
  EXPECT_EQ(up.Kind, TMatchKind::Shifted);
  EXPECT_EQ(up.Displacement, -40);
  for (int32_t step : {Height - MinOverlapRows + 1, 5000})
    EXPECT_EQ(matcher.Match(Frame({.Top = 0}), Frame({.Top = step}), true, 0).Kind, TMatchKind::NoMatch) << step;
}

TEST(FrameMatcherTest, ReportsFixedBandsAboveAndBelow) {
  const TFrameMatch m = TFrameMatcher().Match(Frame({.Top = 0, .Header = 17, .Footer = 9}),
                                              Frame({.Top = 30, .Header = 17, .Footer = 9}), true, 0);
  ASSERT_EQ(m.Kind, TMatchKind::Shifted);
  EXPECT_EQ(m.Displacement, 30);
  EXPECT_EQ(m.TopBand, 17);
  EXPECT_EQ(m.BottomBand, 9);
  EXPECT_EQ(m.Overlap, Height - 17 - 9 - 30);
}

TEST(FrameMatcherTest, IdenticalFramesAndFramesWithABlinkingCaretAreIdentical) {
  TFrameMatcher matcher;
  EXPECT_EQ(matcher.Match(Frame({.Top = 9}), Frame({.Top = 9}), true, 0).Kind, TMatchKind::Identical);
  auto caret = [](TImage& image) {
    for (int32_t y = 40; y < 56; ++y) image.View().At(100, y) = TBgra{0, 0, 0, 255};
  };
  EXPECT_EQ(matcher.Match(Frame({.Top = 9}), Frame({.Top = 9, .Touch = caret}), true, 30).Kind, TMatchKind::Identical);
}

TEST(FrameMatcherTest, ANarrowColumnThatChangesByItselfIsIgnoredButChangesAcrossManyColumnsAreNot) {
  // A column redrawn differently in every frame (an animated scroll bar, a live meter).
  const auto changing = [](int32_t left, int32_t right, uint64_t salt) {
    return [=](TImage& image) {
      for (int32_t y = 0; y < image.Height(); ++y)
        for (int32_t x = left; x < right; ++x) image.View().At(x, y) = NoisePixel(salt, uint64_t(y * 1000 + x));
    };
  };
  TFrameMatcher matcher;
  const TFrameMatch narrow = matcher.Match(Frame({.Top = 0, .Touch = changing(Width - 12, Width, 1)}),
                                           Frame({.Top = 45, .Touch = changing(Width - 12, Width, 2)}), true, 0);
  EXPECT_EQ(narrow.Kind, TMatchKind::Shifted);
  EXPECT_EQ(narrow.Displacement, 45);
  EXPECT_NE(narrow.IgnoredStrips, 0u);
  const TFrameMatch wide = matcher.Match(Frame({.Top = 0, .Touch = changing(0, Width / 4, 1)}),
                                         Frame({.Top = 45, .Touch = changing(0, Width / 4, 2)}), true, 0);
  EXPECT_EQ(wide.Kind, TMatchKind::NoMatch);
}

TEST(FrameMatcherTest, AmongRepeatingOffsetsTheOneNearestTheLastStepInTheHintedDirectionWins) {
  TFrameMatcher matcher;
  // Content repeating every 24 rows: 26, 50 and 74 all fit the overlap perfectly.
  for (int32_t lastStep : {26, 50, 74}) {
    const TFrameMatch m = matcher.Match(Frame({.Top = 0, .PageRow = Periodic(24)}),
                                        Frame({.Top = 50, .PageRow = Periodic(24)}), true, lastStep);
    EXPECT_EQ(m.Displacement, lastStep);
  }
  const TFrameSignature a = Frame({.Top = 0, .PageRow = Periodic(30)}), b = Frame({.Top = 10, .PageRow = Periodic(30)});
  const TFrameMatch down = matcher.Match(a, b, true, 0), up = matcher.Match(a, b, false, 0);
  EXPECT_GT(down.Displacement, 0);
  EXPECT_LT(up.Displacement, 0);
  EXPECT_EQ((down.Displacement - up.Displacement) % 30, 0);
}

TEST(FrameMatcherTest, FlatFramesThatDifferAndFramesOfDifferentSizesDoNotMatch) {
  const TFrameSignature white = Signature(TImage(Width, Height, TBgra{255, 255, 255, 255}));
  const TFrameSignature grey = Signature(TImage(Width, Height, TBgra{128, 128, 128, 255}));
  TFrameMatcher matcher;
  EXPECT_EQ(matcher.Match(white, grey, true, 0).Kind, TMatchKind::NoMatch);
  EXPECT_EQ(matcher.Match(white, white, true, 0).Kind, TMatchKind::Identical);
  EXPECT_EQ(matcher.Match(Signature(TImage(Width, Height - 1)), Frame({}), true, 0).Kind, TMatchKind::NoMatch);
}

// Pixels that stay put over the scrolling rows: noise seeded by the position only.
std::function<void(TImage&)> Fixed(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  return [=](TImage& image) {
    for (int32_t y = top; y < bottom; ++y)
      for (int32_t x = left; x < right; ++x) image.View().At(x, y) = NoisePixel(77, uint64_t(y * 1000 + x));
  };
}

TEST(FrameMatcherTest, AColumnThatStaysWhileTheRestScrollsIsSetAsideAsFixed) {
  for (int32_t width : {48, 96}) {  // a narrow sidebar, and one over a third of the frame
    const TFrameMatch m = TFrameMatcher().Match(Frame({.Top = 0, .Touch = Fixed(0, 0, width, Height)}),
                                                Frame({.Top = 40, .Touch = Fixed(0, 0, width, Height)}), true, 0);
    EXPECT_EQ(m.Kind, TMatchKind::Shifted) << width;
    EXPECT_EQ(m.Displacement, 40) << width;
    EXPECT_EQ(m.FixedStrips & 1u, 1u) << width;
    EXPECT_EQ(m.Errors, 0) << width;
  }
}

TEST(FrameMatcherTest, AFloatingElementNearTheBottomJoinsTheBottomBand) {
  const auto button = Fixed(200, 84, 232, 112);  // 28 rows, 32 columns, 8 rows above the frame's bottom
  const TFrameMatch m = TFrameMatcher().Match(Frame({.Top = 0, .Footer = 8, .Touch = button}),
                                              Frame({.Top = 30, .Footer = 8, .Touch = button}), true, 0);
  ASSERT_EQ(m.Kind, TMatchKind::Shifted);
  EXPECT_EQ(m.Displacement, 30);
  EXPECT_GE(m.BottomBand, Height - 84);
  EXPECT_EQ(m.Errors, 0);
}

TEST(FrameMatcherTest, RowsOfTheOlderFramesBandsAreNotHeldAgainstADisplacement) {
  // The older frame had a bar of 30 rows above its footer that is gone now: the rows that scrolled into its
  // place are page rows the older frame never showed.
  const TFrameSignature older = Frame({.Top = 0, .Footer = 40}), newer = Frame({.Top = 20, .Footer = 10});
  TFrameMatcher matcher;
  const TFrameMatch blind = matcher.Match(older, newer, true, 0);
  const TFrameMatch told = matcher.Match(older, newer, true, 0, TBands{0, 40});
  ASSERT_EQ(told.Kind, TMatchKind::Shifted);
  EXPECT_EQ(told.Displacement, 20);
  EXPECT_EQ(told.Errors, 0);
  EXPECT_TRUE(blind.Kind == TMatchKind::NoMatch || blind.Errors > 0 || blind.BottomBand >= 40);
}

TEST(FrameMatcherTest, ABarThatAppearsJoinsTheBandAsAChange) {
  const auto bar = [](TImage& image) {
    for (int32_t y = 0; y < 14; ++y)
      for (int32_t x = 0; x < Width; ++x) image.View().At(x, y) = NoisePixel(99, uint64_t(y * 1000 + x));
  };
  const TFrameMatch m =
      TFrameMatcher().Match(Frame({.Top = 0, .Header = 10}), Frame({.Top = 25, .Header = 10, .Touch = bar}), true, 0);
  ASSERT_EQ(m.Kind, TMatchKind::Shifted);
  EXPECT_EQ(m.Displacement, 25);
  EXPECT_GE(m.TopBand, 14);
  EXPECT_GT(m.BandChanges, 0);
}

TEST(FrameMatcherTest, IdenticalRowsThatCannotVoteStillFindAStepWithoutALastStep) {
  // A title, then one row pattern repeated: each cell occurs too often to vote.
  const auto titled = [](int64_t r) { return r < 40 ? r : 40 + (r % 6); };
  const TFrameMatch m =
      TFrameMatcher().Match(Frame({.Top = 0, .PageRow = titled}), Frame({.Top = 50, .PageRow = titled}), true, 0);
  ASSERT_EQ(m.Kind, TMatchKind::Shifted);
  // Past the title every multiple of 6 fits as well; the one with the most overlap is chosen.
  EXPECT_EQ(m.Displacement, 44);
}

}  // namespace
}  // namespace qor::stitch
