#include <gtest/gtest.h>

#include "app/DpiDecision.h"

namespace qor {
namespace {

TEST(AutoScaleDecision, FollowsTheWorkAreaRule) {
  const struct {
    int Width, Height, Dpi;
    bool Scaled;
  } cases[] = {
      // clang-format off
      // 1920 x 1080 is never scaled automatically.
      {1920, 1080, 192, false}, {1920, 1040, 240, false},
      // 2560 x 1440: only at high DPI (above 125).
      {2560, 1440, 125, false}, {2560, 1440, 126, true},
      // 3840 x 2160 at any DPI; 0 counts as 96.
      {3840, 2160, 0, true}, {3840, 2120, 96, true},
      // Very wide and low: never.
      {3440, 1440, 192, false}, {5120, 1440, 144, false},
      // Exactly half the width is not below half.
      {3000, 1500, 96, true},
      // The longer side decides: portrait screens too.
      {1440, 2560, 144, true}, {1440, 2560, 96, false}, {2160, 3840, 96, true}, {1080, 3000, 96, true},
      // Just above 1920 with a DPI of 0 (taken as 96) stays unscaled.
      {1921, 1200, 0, false}, {2999, 2000, 96, false}, {3000, 2000, 96, true}, {0, 0, 96, false},
      // clang-format on
  };
  for (const auto& c : cases)
    EXPECT_EQ(AutoScaleDecision(c.Width, c.Height, c.Dpi), c.Scaled) << c.Width << "x" << c.Height << " @" << c.Dpi;
}

TEST(DecideScaled, ScaleSwitchInTheFirstArgumentForcesScaling) {
  for (auto scale : {u"/Scale", u"/scale", u"/SCALE"}) EXPECT_TRUE(DecideScaled(1024, 768, 96, scale));
  EXPECT_FALSE(DecideScaled(1024, 768, 96, u"/Scaled"));
  EXPECT_FALSE(DecideScaled(1024, 768, 96, u"Scale"));
  EXPECT_FALSE(DecideScaled(1024, 768, 96, u"/CaptrueAuto"));  // "/Scale" as a later argument is never seen
  EXPECT_FALSE(DecideScaled(1024, 768, 96, u""));
  EXPECT_TRUE(DecideScaled(3840, 2160, 96, u""));
}

TEST(Scale, DoublesOnlyWhenScaledAndRoundsAFractionToWholePixels) {
  SetScaled(false);
  EXPECT_EQ(CurrentScale()(15), 15);
  SetScaled(true);
  EXPECT_EQ(CurrentScale()(15), 30);
  SetScaled(false);
  EXPECT_EQ(TScale::Of(true)(-7), -14);
  EXPECT_EQ((TScale{1.25}(15)), 19);  // 18.75
  EXPECT_EQ((TScale{1.5}(21)), 32);   // 31.5
  EXPECT_FALSE(TScale{1.25}.Doubled());
  EXPECT_TRUE(TScale{1.5}.Doubled());
}

}  // namespace
}  // namespace qor
