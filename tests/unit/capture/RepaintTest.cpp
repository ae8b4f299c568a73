// How many pixels each kind of event asks the overlay to repaint, with the models driven as the window drives
// them: a mouse move must never come near the whole desktop.
#include <gtest/gtest.h>

#include "capture/DashedBorder.h"
#include "capture/Detection.h"
#include "capture/Magnifier.h"
#include "capture/RectSet.h"
#include "capture/Selection.h"
#include "tests/unit/capture/TestWindows.h"

using namespace qor;

namespace {

const TDesktop Desktop4k{0, 0, 3840, 2160};
constexpr int64_t DesktopPixels = int64_t(3840) * 2160;
constexpr int64_t PanelPixels = int64_t(154) * 168;

struct TRun {
  TWindowList Windows = TWindowList::Build(test::CascadeWindows(), Desktop4k, 1, false);
  TDetection Detection{Windows, Desktop4k};
  TMagnifier Magnifier{{Desktop4k.Width, Desktop4k.Height}, TScale{}};

  // One detection tick as the window's timer runs it.
  std::vector<TRect> Tick(TPoint p) {
    TDetectionTick tick = Detection.Tick(p);
    std::vector<TRect> dirty = tick.Dirty;
    if (tick.Moved)
      for (const TRect& r : Magnifier.Update(tick.Point)) dirty.push_back(r);
    return dirty;
  }
};

// The selection 1000,800 - 3000,1800 drawn by hand (the release not yet done).
TSelection Dragged() {
  TSelection selection(TCaptureMode::Region, Desktop4k);
  selection.Press({1000, 800}, {}, nullptr);
  selection.Move({3000, 1800});
  return selection;
}

bool AllInside(const std::vector<TRect>& dirty, const std::vector<TRect>& allowed) {
  TRectSet rest;
  for (const TRect& r : dirty) rest.Add(r);
  for (const TRect& r : allowed) rest.Subtract(r);
  return rest.IsEmpty();
}

}  // namespace

TEST(Repaint, AStillCursorRepaintsNothingAndAMoveOverTheSameWindowOnlyTheMagnifierAndTheBorder) {
  TRun run;
  run.Tick({400, 300});
  EXPECT_EQ(UnionArea(run.Tick({400, 300})), 0);
  const TRect oldPanel = run.Magnifier.Panel();
  const std::vector<TRect> dirty = run.Tick({403, 302});
  const TRect newPanel = run.Magnifier.Panel();
  std::vector<TRect> allowed{oldPanel, newPanel};
  for (const TRect& band : BorderBands(run.Detection.Detected(), TDetection::BorderThickness)) allowed.push_back(band);
  EXPECT_TRUE(AllInside(dirty, allowed));
  const TRect window = run.Detection.Detected();
  const int64_t border = 2 * 2 * int64_t(window.Width() + window.Height());
  EXPECT_LE(UnionArea(dirty), 2 * PanelPixels + border);
  EXPECT_GE(UnionArea(dirty), PanelPixels);
  EXPECT_LT(UnionArea(dirty) * 100, DesktopPixels);  // under 1 % of the desktop
}

TEST(Repaint, AFirstDragStepRepaintsTheChangedBandsNotTheDesktop) {
  TRun run;
  TSelection selection(TCaptureMode::Region, Desktop4k);
  selection.Press({1000, 800}, run.Detection.Detected(), run.Detection.DetectedWindow());
  selection.Move({2000, 1500});
  const TRect before = selection.Image();
  const TMoveResult step = selection.Move({2006, 1504});
  const int64_t area = UnionArea(step.Dirty);
  // The two strips that changed sides plus the old and new dashed frames and handles.
  const int64_t strips = SymmetricDifference(before, selection.Image()).Area();
  EXPECT_GE(area, strips);
  EXPECT_LE(area, strips + 2 * 2 * int64_t(before.Width() + before.Height() + 20) + 16 * 36);
  EXPECT_LT(area * 100, DesktopPixels);
}

TEST(Repaint, MovingASelectionRepaintsItsEdgesNotItsInside) {
  TSelection selection = Dragged();
  selection.Release();
  selection.Press({1500, 1000}, {}, nullptr);
  const TMoveResult step = selection.Move({1503, 1002});
  EXPECT_EQ(step.Kind, TMoveKind::Moved);
  for (const TRect& r : step.Dirty) EXPECT_TRUE(r.Intersect({1010, 810, 2990, 1790}).IsEmpty());
  EXPECT_LT(UnionArea(step.Dirty) * 100, DesktopPixels);
}

TEST(Repaint, AHandleStepRepaintsTheMovedEdgeOnly) {
  TSelection selection = Dragged();
  selection.Release();
  selection.PressHandle(4);
  const std::vector<TRect> dirty = selection.MoveHandle({3010, 1300});
  // The 10-pixel strip, both right frame lines, the top and bottom lines (their length changed) and the handles.
  EXPECT_LE(UnionArea(dirty), 10 * 1000 + 2 * 1000 + 2 * 2010 + 16 * 36);
  EXPECT_TRUE(AllInside(dirty, {{990, 790, 3020, 1810}}));
}

TEST(Repaint, TheReleaseRepaintsFramesAndHandles) {
  EXPECT_LE(UnionArea(Dragged().Release().Dirty), 2 * (2000 + 1000) + 8 * 36);
}
