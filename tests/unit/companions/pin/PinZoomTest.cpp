#include "companions/pin/PinZoom.h"

#include <gtest/gtest.h>

namespace qor {
namespace {

TEST(ZoomAfterNotches, StepsByTenPercentAndLandsExactlyOn100WhenCrossingIt) {
  EXPECT_DOUBLE_EQ(ZoomAfterNotches(1.0, 1), 1.1);
  EXPECT_DOUBLE_EQ(ZoomAfterNotches(1.0, -1), 1.0 / 1.1);
  EXPECT_EQ(ZoomAfterNotches(0.95, 1), 1.0);
  EXPECT_EQ(ZoomAfterNotches(1.05, -1), 1.0);
  // Out and back in the same number of notches ends at exactly 100%, however the rounding went.
  EXPECT_EQ(ZoomAfterNotches(ZoomAfterNotches(1.0, 7), -7), 1.0);
  EXPECT_EQ(ZoomAfterNotches(ZoomAfterNotches(1.0, -9), 9), 1.0);
  // A fitted start between steps passes through 100% on its way up.
  double zoom = 0.37;
  bool seenOne = false;
  for (int i = 0; i < 30; ++i) seenOne |= (zoom = ZoomAfterNotches(zoom, 1)) == 1.0;
  EXPECT_TRUE(seenOne);
}

TEST(ZoomAfterNotches, StaysWithin10And500Percent) {
  EXPECT_DOUBLE_EQ(ZoomAfterNotches(1.0, 100), PinMaxZoom);
  EXPECT_DOUBLE_EQ(ZoomAfterNotches(1.0, -100), PinMinZoom);
  EXPECT_DOUBLE_EQ(ZoomAfterNotches(4.9, 1), PinMaxZoom);
  // A picture opened smaller than 10% can only grow.
  EXPECT_EQ(ZoomAfterNotches(0.05, -1), 0.05);
  EXPECT_GT(ZoomAfterNotches(0.05, 1), 0.05);
}

TEST(ZoomAround, ThePicturePointUnderTheCursorStaysUnderIt) {
  const TPoint origin{-1900, 100};
  const TPoint cursor{-1800, 150};  // picture point (100, 50) at 100%
  const TPoint grown = ZoomAround(origin, cursor, 1.0, 2.0);
  EXPECT_EQ(grown, (TPoint{-2000, 50}));  // (100, 50) * 2 back from the cursor
  EXPECT_EQ(ZoomAround(grown, cursor, 2.0, 1.0), origin);
  // The cursor at the top-left corner keeps the corner where it is.
  EXPECT_EQ(ZoomAround(origin, origin, 1.0, 3.7), origin);
  // After many steps in and out the picture is back where it was.
  TPoint o = origin;
  double z = 1.0;
  for (int step : {1, 1, 1, -1, -1, -1}) {
    const double next = ZoomAfterNotches(z, step);
    o = ZoomAround(o, cursor, z, next);
    z = next;
  }
  EXPECT_EQ(o, origin);
}

TEST(ZoomedSize, RoundsAndNeverVanishes) {
  EXPECT_EQ(ZoomedSize({200, 100}, 1.0), (TSize{200, 100}));
  EXPECT_EQ(ZoomedSize({200, 101}, 1.5), (TSize{300, 152}));
  EXPECT_EQ(ZoomedSize({3, 2}, 0.1), (TSize{1, 1}));
}

TEST(Opacity, StepsOf10Between20And100Percent) {
  EXPECT_EQ(OpacityAfterNotches(100, -1), 90);
  EXPECT_EQ(OpacityAfterNotches(100, 1), 100);
  EXPECT_EQ(OpacityAfterNotches(30, -5), 20);
  EXPECT_EQ(OpacityAfterNotches(20, 3), 50);
  EXPECT_EQ(OpacityAfterNotches(60, 2000000000), 100);
  EXPECT_EQ(OpacityAlpha(100), 255);
  EXPECT_EQ(OpacityAlpha(20), 51);
  EXPECT_EQ(OpacityAlpha(60), 153);
}

TEST(Readout, ShowsTheRoundedPercentageAndFadesAfterASecond) {
  EXPECT_EQ(ZoomText(1.5), u"150%");
  EXPECT_EQ(ZoomText(1.0 / 1.1), u"91%");
  EXPECT_EQ(ZoomText(ZoomAfterNotches(1.0, 3)), u"133%");
  EXPECT_EQ(ReadoutAlpha(0), 255);
  EXPECT_EQ(ReadoutAlpha(ReadoutHoldMs), 255);
  EXPECT_LT(ReadoutAlpha(ReadoutHoldMs + ReadoutFadeMs / 2), 255);
  EXPECT_GT(ReadoutAlpha(ReadoutHoldMs + ReadoutFadeMs / 2), 0);
  EXPECT_EQ(ReadoutAlpha(ReadoutHoldMs + ReadoutFadeMs), 0);
  EXPECT_EQ(ReadoutAlpha(60000), 0);
}

}  // namespace
}  // namespace qor
