#include <gtest/gtest.h>

#include "capture/DashedBorder.h"
#include "capture/Detection.h"
#include "capture/RectSet.h"

using namespace qor;

namespace {

constexpr uintptr_t DesktopHandle = 0x10010;
const TDesktop Desktop1080{0, 0, 1920, 1080};

TWindowInfo Window(uintptr_t handle, TRect rect) {
  TWindowInfo w;
  w.Handle = handle;
  w.Rect = rect;
  return w;
}

}  // namespace

TEST(Detection, TheFirstTickDetectsTheWindowUnderTheCursor) {
  const TWindowList list = TWindowList::Build({Window(1, {100, 100, 500, 400})}, Desktop1080, DesktopHandle, false);
  TDetection detection(list, Desktop1080);
  const TDetectionTick tick = detection.Tick({200, 200});
  EXPECT_TRUE(tick.Moved);
  EXPECT_TRUE(tick.RectChanged);
  EXPECT_EQ(detection.Detected(), (TRect{100, 100, 500, 400}));
  EXPECT_EQ(detection.DetectedHandle(), 1u);
  ASSERT_EQ(tick.Dirty.size(), 1u);
  EXPECT_EQ(tick.Dirty[0], (TRect{100, 100, 500, 400}));
}

TEST(Detection, AStillCursorDoesNoWork) {
  const TWindowList list = TWindowList::Build({}, Desktop1080, DesktopHandle, false);
  TDetection detection(list, Desktop1080);
  detection.Tick({10, 10});
  const int32_t phase = detection.Phase();
  const TDetectionTick tick = detection.Tick({10, 10});
  EXPECT_FALSE(tick.Moved);
  EXPECT_TRUE(tick.Dirty.empty());
  EXPECT_EQ(detection.Phase(), phase);
}

TEST(Detection, PointsOutsideTheDesktopCountAsTheOrigin) {
  const TWindowList list = TWindowList::Build({Window(1, {0, 0, 50, 50})}, Desktop1080, DesktopHandle, false);
  TDetection detection(list, Desktop1080);
  for (TPoint outside : {TPoint{-1, 5}, TPoint{1920, 5}, TPoint{5, 1080}, TPoint{5, -3}}) {
    TDetection fresh(list, Desktop1080);
    EXPECT_EQ(fresh.Tick(outside).Point, (TPoint{0, 0}));
    EXPECT_EQ(fresh.DetectedHandle(), 1u);
  }
  detection.Tick({-5, -5});
  EXPECT_FALSE(detection.Tick({3000, 3000}).Moved);  // still 0, 0
  EXPECT_TRUE(detection.Tick({1919, 1079}).Moved);
}

TEST(Detection, TheBorderPhaseCyclesWhileTheCursorMoves) {
  const TWindowList list = TWindowList::Build({}, Desktop1080, DesktopHandle, false);
  TDetection detection(list, Desktop1080);
  std::vector<int32_t> phases;
  for (int32_t i = 0; i < 7; ++i) phases.push_back(detection.Tick({100 + i, 100}).Phase);
  EXPECT_EQ(phases, (std::vector<int32_t>{0, 2, 4, 6, 8, 0, 2}));
}

TEST(Detection, MovingWithinOneWindowRepaintsOnlyItsBorderBands) {
  const TWindowList list = TWindowList::Build({Window(1, {100, 100, 500, 400})}, Desktop1080, DesktopHandle, false);
  TDetection detection(list, Desktop1080);
  detection.Tick({200, 200});
  const TDetectionTick tick = detection.Tick({201, 200});
  EXPECT_FALSE(tick.RectChanged);
  EXPECT_EQ(UnionArea(tick.Dirty), 2 * 2 * 400 + 2 * 2 * 300 - 4 * 4);
  for (const TRect& r : tick.Dirty) EXPECT_EQ(r.Intersect({102, 102, 498, 398}), TRect{});
}

TEST(Detection, ChangingWindowsRepaintsTheOldAndTheNewRectangle) {
  const TWindowList list = TWindowList::Build({Window(1, {100, 100, 500, 400}), Window(2, {600, 100, 900, 400})},
                                              Desktop1080, DesktopHandle, false);
  TDetection detection(list, Desktop1080);
  detection.Tick({200, 200});
  const TDetectionTick tick = detection.Tick({700, 200});
  EXPECT_TRUE(tick.RectChanged);
  ASSERT_EQ(tick.Dirty.size(), 2u);
  EXPECT_EQ(tick.Dirty[0], (TRect{100, 100, 500, 400}));
  EXPECT_EQ(tick.Dirty[1], (TRect{600, 100, 900, 400}));
  EXPECT_EQ(detection.DetectedHandle(), 2u);
}

TEST(Detection, TheDetectedRectangleIsClampedToTheOverlay) {
  const TDesktop desktop{-1920, 0, 3840, 1080};
  const TWindowList list = TWindowList::Build({Window(1, {-1930, -10, -1500, 300}), Window(2, {1800, 900, 2100, 1200})},
                                              desktop, DesktopHandle, false);
  TDetection detection(list, desktop);
  detection.Tick(desktop.ToOverlay({-1900, 10}));
  EXPECT_EQ(detection.Detected(), (TRect{0, 0, 420, 300}));
  detection.Tick(desktop.ToOverlay({1850, 950}));
  EXPECT_EQ(detection.Detected(), (TRect{3720, 900, 3840, 1080}));
}

TEST(MovingBorder, DashesStartWhereThePhaseSays) {
  // 40 x 30 at phase 0: top from x = 40 leftward, left from y = 0 down, bottom from x = 0 rightward, right from
  // y = 30 upward; 2 pixels thick, inside the image.
  const auto dashes = MovingBorderDashes(40, 30, 0);
  TImage image(40, 30);
  FillRects(image.View(), dashes, AccentBgra);
  auto on = [&](int32_t x, int32_t y) { return image.View().At(x, y) == AccentBgra; };
  EXPECT_TRUE(on(39, 0) && on(35, 1) && !on(34, 0) && !on(29, 0) && on(28, 0) && on(23, 1) && !on(22, 0));
  EXPECT_TRUE(on(0, 0) && on(1, 5) && !on(0, 6) && on(0, 12) && !on(2, 3));
  EXPECT_TRUE(on(0, 28) && on(5, 29) && !on(6, 29) && on(12, 28));
  EXPECT_TRUE(on(39, 29) && on(38, 25) && !on(39, 24) && !on(39, 19) && on(39, 18) && on(38, 13));
  EXPECT_FALSE(on(20, 15));
  for (const TRect& r : dashes) {
    EXPECT_EQ(r.Intersect({0, 0, 40, 30}), r);
    EXPECT_LE(std::max(r.Width(), r.Height()), DashLength);
    EXPECT_EQ(std::min(r.Width(), r.Height()), 2);
  }
}

TEST(MovingBorder, EachPhaseShiftsTheDashesTwoPixelsAlongTheWalk) {
  for (int32_t phase : {0, 2, 4, 6}) {
    TImage a(60, 50), b(60, 50);
    FillRects(a.View(), MovingBorderDashes(60, 50, phase), AccentBgra);
    FillRects(b.View(), MovingBorderDashes(60, 50, phase + 2), AccentBgra);
    // The bottom edge walks right: b's pixel x is a's pixel x - 2 (away from the start).
    for (int32_t x = 2 + DashPeriod; x < 60; ++x)
      EXPECT_EQ(b.View().At(x, 49), a.View().At(x - 2, 49)) << "phase " << phase << " x " << x;
    // The left edge walks down.
    for (int32_t y = 2 + DashPeriod; y < 50; ++y) EXPECT_EQ(b.View().At(0, y), a.View().At(0, y - 2));
  }
}

TEST(MovingBorder, TinyAndEmptyRectanglesAreSafe) {
  EXPECT_TRUE(MovingBorderDashes(0, 10, 2).empty());
  EXPECT_TRUE(MovingBorderDashes(10, -3, 2).empty());
  for (const TRect& r : MovingBorderDashes(1, 1, 8)) EXPECT_EQ(r, (TRect{0, 0, 1, 1}));
  TImage image(3, 3);
  FillRects(image.View(), MovingBorderDashes(3, 3, 4), AccentBgra);  // clipped, no write outside
}

TEST(FirstDragFrame, SixOnSixOffFromTheStartOfEachEdge) {
  TImage image(30, 20);
  FillRects(image.View(), FirstDragFrameDashes(30, 20), AccentBgra);
  auto on = [&](int32_t x, int32_t y) { return image.View().At(x, y) == AccentBgra; };
  for (int32_t x = 0; x < 30; ++x) {
    const bool expected = x % 12 < 6;
    EXPECT_EQ(on(x, 0), expected) << x;
    EXPECT_EQ(on(x, 19), expected) << x;
    if (x > 1 && x < 28) {
      EXPECT_FALSE(on(x, 1));
    }
  }
  for (int32_t y = 0; y < 20; ++y) {
    EXPECT_EQ(on(0, y), y % 12 < 6 || y == 19) << y;
    EXPECT_EQ(on(29, y), y % 12 < 6 || y == 19) << y;  // the bottom row's last dash reaches the corner
  }
  EXPECT_TRUE(FirstDragFrameDashes(0, 5).empty());
  EXPECT_EQ(FirstDragFrameDashes(1, 1).size(), 2u);
}
