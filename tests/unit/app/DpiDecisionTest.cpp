#include <gtest/gtest.h>

#include "app/DpiDecision.h"

namespace qor {
namespace {

struct TScreenCase {
  int Width, Height, Dpi;
  bool Scaled;
  friend void PrintTo(const TScreenCase& c, std::ostream* os) { *os << c.Width << "x" << c.Height << "@" << c.Dpi; }
};

class AutoScaleDecisionTest : public testing::TestWithParam<TScreenCase> {};

TEST_P(AutoScaleDecisionTest, FollowsTheWorkAreaRule) {
  const auto& c = GetParam();
  EXPECT_EQ(AutoScaleDecision(c.Width, c.Height, c.Dpi), c.Scaled) << c.Width << "x" << c.Height << " @" << c.Dpi;
}

INSTANTIATE_TEST_SUITE_P(Screens, AutoScaleDecisionTest,
                         testing::Values(
                             // 1920 x 1080 is never scaled automatically.
                             TScreenCase{1920, 1080, 96, false}, TScreenCase{1920, 1080, 144, false},
                             TScreenCase{1920, 1080, 192, false}, TScreenCase{1920, 1040, 240, false},
                             // 2560 x 1440: only at high DPI (above 125).
                             TScreenCase{2560, 1440, 144, true}, TScreenCase{2560, 1440, 96, false},
                             TScreenCase{2560, 1440, 125, false}, TScreenCase{2560, 1440, 126, true},
                             // 3840 x 2160 at any DPI; 0 counts as 96.
                             TScreenCase{3840, 2160, 96, true}, TScreenCase{3840, 2160, 0, true},
                             TScreenCase{3840, 2120, 96, true}, TScreenCase{2560, 1600, 144, true},
                             // Very wide and low: never.
                             TScreenCase{3440, 1440, 96, false}, TScreenCase{3440, 1440, 192, false},
                             TScreenCase{5120, 1440, 144, false},
                             // Exactly half the width is not below half.
                             TScreenCase{3000, 1500, 96, true},
                             // The longer side decides: portrait screens too.
                             TScreenCase{1440, 2560, 144, true}, TScreenCase{1440, 2560, 96, false},
                             TScreenCase{2160, 3840, 96, true}, TScreenCase{1080, 3000, 96, true},
                             // Just above 1920 with a DPI of 0 (taken as 96) stays unscaled.
                             TScreenCase{1921, 1200, 0, false}, TScreenCase{2999, 2000, 96, false},
                             TScreenCase{3000, 2000, 96, true}, TScreenCase{0, 0, 96, false}));

TEST(DecideScaled, ScaleSwitchInTheFirstArgumentForcesScaling) {
  EXPECT_TRUE(DecideScaled(1024, 768, 96, u"/Scale"));
  EXPECT_TRUE(DecideScaled(1024, 768, 96, u"/scale"));
  EXPECT_TRUE(DecideScaled(1024, 768, 96, u"/SCALE"));
  EXPECT_FALSE(DecideScaled(1024, 768, 96, u"/Scaled"));
  EXPECT_FALSE(DecideScaled(1024, 768, 96, u"Scale"));
  EXPECT_FALSE(DecideScaled(1024, 768, 96, u"/CaptrueAuto"));  // "/Scale" as a later argument is never seen
  EXPECT_FALSE(DecideScaled(1024, 768, 96, u""));
  EXPECT_TRUE(DecideScaled(3840, 2160, 96, u""));
}

TEST(ScaleFactor, DoublesAndTruncatesOnlyWhenScaled) {
  SetScaled(false);
  EXPECT_EQ(ScaleFactor(), 1.0);
  EXPECT_EQ(ScalePixels(15), 15);
  SetScaled(true);
  EXPECT_TRUE(IsScaled());
  EXPECT_EQ(ScaleFactor(), 2.0);
  for (int px : {10, 18, 32, 40, 62, 15, 30}) EXPECT_EQ(ScalePixels(px), 2 * px);
  SetScaled(false);
  EXPECT_EQ(ScalePixels(-7, true), -14);
  EXPECT_EQ(ScalePixels(62, false), 62);
}

}  // namespace
}  // namespace qor
