#include "companions/pin/PinPlacement.h"

#include <gtest/gtest.h>

namespace qor {
namespace {

// A left monitor at (-1920, 0) with its taskbar at the bottom, and the primary one at (0, 0).
const std::vector<TMonitorArea> Desktop = {
    {{-1920, 0, 0, 1080}, {-1920, 0, 0, 1040}},
    {{0, 0, 2560, 1440}, {0, 0, 2560, 1400}},
};

TEST(PlacePin, APictureTakenOnScreenOpensExactlyWhereItWasAt100Percent) {
  for (const TRect& r : {TRect{-1900, 100, -1500, 400}, TRect{-100, 10, 200, 300}, TRect{0, 0, 2560, 1440},
                         TRect{-1920, 1000, -1800, 1080}}) {
    const TPinPlacement p = PlacePin(r.Size(), r, Desktop);
    EXPECT_EQ(p.Shown, r);
    EXPECT_EQ(p.Zoom, 1.0);
  }
}

TEST(PlacePin, ARectangleOffEveryMonitorMovesOntoTheNearestOne) {
  // Far left of the left monitor: into its work area, same size.
  TPinPlacement p = PlacePin({300, 200}, {-3000, 500, -2700, 700}, Desktop);
  EXPECT_EQ(p.Shown, (TRect{-1920, 500, -1620, 700}));
  EXPECT_EQ(p.Zoom, 1.0);
  // Below the primary monitor: up into its work area, above the taskbar.
  p = PlacePin({300, 200}, {100, 5000, 400, 5200}, Desktop);
  EXPECT_EQ(p.Shown, (TRect{100, 1200, 400, 1400}));
  // Above the left monitor, right of its centre.
  p = PlacePin({100, 100}, {-500, -900, -400, -800}, Desktop);
  EXPECT_EQ(p.Shown, (TRect{-500, 0, -400, 100}));
}

TEST(PlacePin, APictureLargerThanTheWorkAreaOpensScaledToFitKeepingItsAspect) {
  // A long scrolled picture handed over with the rectangle of the scrolled region.
  const TPinPlacement p = PlacePin({800, 4160}, {-1800, 100, -1000, 600}, Desktop);
  EXPECT_DOUBLE_EQ(p.Zoom, 0.25);
  EXPECT_EQ(p.Shown, (TRect{-1800, 0, -1600, 1040}));
  // Wider than the primary monitor's work area.
  const TPinPlacement wide = PlacePin({5120, 1000}, {0, 0, 400, 300}, Desktop);
  EXPECT_DOUBLE_EQ(wide.Zoom, 0.5);
  EXPECT_EQ(wide.Shown, (TRect{0, 0, 2560, 500}));
}

TEST(PlacePin, APictureLargerThanItsRectangleButFittingStaysAt100PercentInside) {
  const TPinPlacement p = PlacePin({400, 900}, {2400, 300, 2500, 400}, Desktop);
  EXPECT_EQ(p.Zoom, 1.0);
  EXPECT_EQ(p.Shown, (TRect{2160, 300, 2560, 1200}));
}

TEST(PlacePin, WithoutMonitorsThePictureStaysAtItsRectangle) {
  EXPECT_EQ(PlacePin({10, 10}, {-50, -50, -40, -40}, {}).Shown, (TRect{-50, -50, -40, -40}));
}

}  // namespace
}  // namespace qor
