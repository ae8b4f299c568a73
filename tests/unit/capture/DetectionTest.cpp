#include <gtest/gtest.h>

#include "capture/DashedBorder.h"
#include "capture/Detection.h"
#include "capture/RectSet.h"

using namespace qor;

namespace {

constexpr uintptr_t DesktopHandle = 0x10010;
const TDesktop Desktop1080{0, 0, 1920, 1080};
const TRect LeftWindow{100, 100, 500, 400}, RightWindow{600, 100, 900, 400};

TWindowList Build(std::vector<TRect> rects, const TDesktop& desktop = Desktop1080) {
  std::vector<TWindowInfo> windows;
  for (const TRect& r : rects) {
    windows.emplace_back();
    windows.back().Handle = windows.size();
    windows.back().Rect = r;
  }
  return TWindowList::Build(windows, desktop, DesktopHandle, false);
}

// Draws dashes into an image of the given size; on(x, y) tells whether a pixel is painted.
struct TDrawn {
  TImage Image;
  TDrawn(int32_t w, int32_t h, const std::vector<TRect>& dashes) : Image(w, h) {
    FillRects(Image.View(), dashes, AccentBgra);
  }
  bool on(int32_t x, int32_t y) const { return Image.View().At(x, y) == AccentBgra; }
};

}  // namespace

TEST(Detection, TicksRepaintTheWholeNewWindowOnlyTheBorderWithinItAndNothingForAStillCursor) {
  const TWindowList list = Build({LeftWindow, RightWindow});
  TDetection detection(list, Desktop1080);
  TDetectionTick tick = detection.Tick({200, 200});
  EXPECT_TRUE(tick.Moved && tick.RectChanged);
  EXPECT_EQ(detection.Detected(), LeftWindow);
  EXPECT_EQ(detection.DetectedHandle(), 1u);
  EXPECT_EQ(tick.Dirty, std::vector<TRect>{LeftWindow});

  tick = detection.Tick({201, 200});
  EXPECT_FALSE(tick.RectChanged);
  EXPECT_EQ(UnionArea(tick.Dirty), 2 * 2 * 400 + 2 * 2 * 300 - 4 * 4);
  for (const TRect& r : tick.Dirty) EXPECT_EQ(r.Intersect({102, 102, 498, 398}), TRect{});

  const int32_t phase = detection.Phase();
  tick = detection.Tick({201, 200});
  EXPECT_FALSE(tick.Moved);
  EXPECT_TRUE(tick.Dirty.empty());
  EXPECT_EQ(detection.Phase(), phase);

  tick = detection.Tick({700, 200});
  EXPECT_TRUE(tick.RectChanged);
  EXPECT_EQ(tick.Dirty, (std::vector<TRect>{LeftWindow, RightWindow}));
  EXPECT_EQ(detection.DetectedHandle(), 2u);
}

TEST(Detection, PointsOutsideTheDesktopCountAsTheOrigin) {
  const TWindowList list = Build({{0, 0, 50, 50}});
  for (TPoint outside : {TPoint{-1, 5}, TPoint{1920, 5}, TPoint{5, 1080}, TPoint{5, -3}}) {
    TDetection fresh(list, Desktop1080);
    EXPECT_EQ(fresh.Tick(outside).Point, (TPoint{0, 0}));
    EXPECT_EQ(fresh.DetectedHandle(), 1u);
  }
  TDetection detection(list, Desktop1080);
  detection.Tick({-5, -5});
  EXPECT_FALSE(detection.Tick({3000, 3000}).Moved);  // still 0, 0
  EXPECT_TRUE(detection.Tick({1919, 1079}).Moved);
}

TEST(Detection, TheBorderPhaseCyclesWhileTheCursorMoves) {
  const TWindowList list = Build({});
  TDetection detection(list, Desktop1080);
  std::vector<int32_t> phases;
  for (int32_t i = 0; i < 7; ++i) phases.push_back(detection.Tick({100 + i, 100}).Phase);
  EXPECT_EQ(phases, (std::vector<int32_t>{0, 2, 4, 6, 8, 0, 2}));
}

TEST(Detection, TheDetectedRectangleIsClampedToTheOverlay) {
  const TDesktop desktop{-1920, 0, 3840, 1080};
  const TWindowList list = Build({{-1930, -10, -1500, 300}, {1800, 900, 2100, 1200}}, desktop);
  TDetection detection(list, desktop);
  detection.Tick(desktop.ToOverlay({-1900, 10}));
  EXPECT_EQ(detection.Detected(), (TRect{0, 0, 420, 300}));
  detection.Tick(desktop.ToOverlay({1850, 950}));
  EXPECT_EQ(detection.Detected(), (TRect{3720, 900, 3840, 1080}));
}

TEST(MovingBorder, DashesStartWhereThePhaseSaysTwoPixelsThickInsideTheImage) {
  // Phase 0: top from x = 40 leftward, left from y = 0 down, bottom from x = 0 rightward, right from y = 30 upward.
  const auto dashes = MovingBorderDashes(40, 30, 0);
  const TDrawn d(40, 30, dashes);
  EXPECT_TRUE(d.on(39, 0) && d.on(35, 1) && !d.on(34, 0) && !d.on(29, 0) && d.on(28, 0) && d.on(23, 1) && !d.on(22, 0));
  EXPECT_TRUE(d.on(0, 0) && d.on(1, 5) && !d.on(0, 6) && d.on(0, 12) && !d.on(2, 3));
  EXPECT_TRUE(d.on(0, 28) && d.on(5, 29) && !d.on(6, 29) && d.on(12, 28));
  EXPECT_TRUE(d.on(39, 29) && d.on(38, 25) && !d.on(39, 24) && !d.on(39, 19) && d.on(39, 18) && d.on(38, 13));
  EXPECT_FALSE(d.on(20, 15));
  for (const TRect& r : dashes) {
    EXPECT_EQ(r.Intersect({0, 0, 40, 30}), r);
    EXPECT_LE(std::max(r.Width(), r.Height()), DashLength);
    EXPECT_EQ(std::min(r.Width(), r.Height()), 2);
  }
}

TEST(MovingBorder, EachPhaseShiftsTheDashesTwoPixelsAlongTheWalk) {
  for (int32_t phase : {0, 2, 4, 6}) {
    SCOPED_TRACE(phase);
    const TDrawn a(60, 50, MovingBorderDashes(60, 50, phase)), b(60, 50, MovingBorderDashes(60, 50, phase + 2));
    // The bottom edge walks right and the left edge walks down.
    for (int32_t x = 2 + DashPeriod; x < 60; ++x) EXPECT_EQ(b.on(x, 49), a.on(x - 2, 49)) << x;
    for (int32_t y = 2 + DashPeriod; y < 50; ++y) EXPECT_EQ(b.on(0, y), a.on(0, y - 2)) << y;
  }
}

TEST(MovingBorder, TinyAndEmptyRectanglesAreSafe) {
  EXPECT_TRUE(MovingBorderDashes(0, 10, 2).empty());
  EXPECT_TRUE(MovingBorderDashes(10, -3, 2).empty());
  for (const TRect& r : MovingBorderDashes(1, 1, 8)) EXPECT_EQ(r, (TRect{0, 0, 1, 1}));
  TDrawn(3, 3, MovingBorderDashes(3, 3, 4));  // clipped, no write outside
}

TEST(FirstDragFrame, SixOnSixOffFromTheStartOfEachEdge) {
  const TDrawn d(30, 20, FirstDragFrameDashes(30, 20));
  for (int32_t x = 0; x < 30; ++x) {
    EXPECT_EQ(d.on(x, 0), x % 12 < 6) << x;
    EXPECT_EQ(d.on(x, 19), x % 12 < 6) << x;
    if (x > 1 && x < 28) {
      EXPECT_FALSE(d.on(x, 1)) << x;
    }
  }
  for (int32_t y = 0; y < 20; ++y) {  // the bottom row's last dash reaches the corner
    EXPECT_EQ(d.on(0, y), y % 12 < 6 || y == 19) << y;
    EXPECT_EQ(d.on(29, y), y % 12 < 6 || y == 19) << y;
  }
  EXPECT_TRUE(FirstDragFrameDashes(0, 5).empty());
  EXPECT_EQ(FirstDragFrameDashes(1, 1).size(), 2u);
}
