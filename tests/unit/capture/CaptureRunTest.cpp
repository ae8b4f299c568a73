#include "capture/CaptureRun.h"

#include <gtest/gtest.h>

using namespace qor;

namespace {

const TDesktop Desktop{0, 0, 1920, 1080};

// An editor with a dialog above it, and a small tool window on top of everything.
std::vector<TWindowInfo> Windows() {
  TWindowInfo tool{1, TRect{1800, 20, 1840, 60}, true, false, false, u"ToolClass", u"", u"tool"};
  TWindowInfo dialog{2, TRect{400, 300, 800, 600}, true, false, false, u"#32770", u"", u"Dialog"};
  TWindowInfo editor{3, TRect{100, 100, 1500, 900}, true, false, false, u"Editor", u"", u"Editor"};
  return {tool, dialog, editor};
}

TCaptureRun Started(TCaptureMode mode) {
  TCaptureRun run(mode, Desktop, Windows(), 99);
  run.Start();
  return run;
}

}  // namespace

TEST(CaptureRun, FullScreenSelectsTheWholeDesktopAtOnceWithItsUsageEventAndToolbar) {
  TCaptureRun run(TCaptureMode::FullScreen, TDesktop{-1280, -200, 3200, 1280}, Windows(), 99);
  const TOverlayUpdate update = run.Start();
  EXPECT_TRUE(run.Ready());
  EXPECT_FALSE(run.Detecting());
  EXPECT_TRUE(run.HasSelection());
  EXPECT_EQ(run.Front(), (TRect{0, 0, 3200, 1280}));
  EXPECT_EQ(update.UsageEvent, u"a315");
  EXPECT_TRUE(update.ShowToolbar);
  EXPECT_FALSE(run.RightUp().Close);
  // Its handles are shown but take no press.
  const TRect handle = run.Selection().Handles()[4];
  EXPECT_EQ(run.HandleAt({handle.Left, handle.Top}), 0);
}

TEST(CaptureRun, WindowModeTakesTheTopMostSuitableWindowAndSkipsTinyOnes) {
  TCaptureRun run = Started(TCaptureMode::Window);
  EXPECT_EQ(run.Front(), (TRect{400, 300, 800, 600}));  // the 40 x 40 tool window is passed over
  TCaptureRun again(TCaptureMode::Window, Desktop, Windows(), 99);
  EXPECT_EQ(again.Start().UsageEvent, u"a314");
}

TEST(CaptureRun, DetectionFollowsTheCursorAndTheRightButtonCloses) {
  TCaptureRun run = Started(TCaptureMode::Region);
  EXPECT_TRUE(run.Detecting());
  TOverlayUpdate tick = run.DetectionTick({500, 400});
  EXPECT_TRUE(tick.MagnifierMoved);
  EXPECT_EQ(run.Front(), (TRect{400, 300, 800, 600}));  // the dialog, not the editor under it
  EXPECT_TRUE(run.Magnifier().Visible());
  EXPECT_EQ(run.MagnifierPoint(), (TPoint{500, 400}));
  EXPECT_TRUE(run.DetectionTick({500, 400}).Dirty.empty());  // a still cursor costs nothing
  run.DetectionTick({1000, 200});
  EXPECT_EQ(run.Front(), (TRect{100, 100, 1500, 900}));
  run.DetectionTick({1700, 1000});
  EXPECT_EQ(run.Front(), Desktop.OverlayBounds());
  EXPECT_TRUE(run.RightUp().Close);
}

TEST(CaptureRun, AClickWithoutMovingSelectsTheDetectedWindowExactly) {
  TCaptureRun run = Started(TCaptureMode::Region);
  run.DetectionTick({500, 400});
  const TOverlayUpdate down = run.LeftDown({500, 400});
  EXPECT_TRUE(down.StopDetection);
  EXPECT_FALSE(run.Detecting());
  EXPECT_EQ(down.LogLine, u"g_FirstScreenShot500,400");
  const TOverlayUpdate up = run.LeftUp({500, 400});
  EXPECT_EQ(run.Selection().Image(), (TRect{400, 300, 800, 600}));
  EXPECT_EQ(up.UsageEvent, u"a314");
  EXPECT_TRUE(up.ShowToolbar);
  EXPECT_FALSE(run.Magnifier().Visible());
  EXPECT_FALSE(run.RightUp().Close);  // with a selection the right button does nothing
}

TEST(CaptureRun, ADragDrawsADashedRectangleThatBecomesSolidOnRelease) {
  TCaptureRun run = Started(TCaptureMode::Region);
  run.DetectionTick({50, 50});
  run.LeftDown({50, 50});
  EXPECT_TRUE(run.MouseMove({300, 50}).Dirty.empty());  // y unchanged: no rectangle yet
  const TOverlayUpdate drag = run.MouseMove({300, 200});
  EXPECT_TRUE(drag.MagnifierMoved);
  EXPECT_EQ(run.Front(), (TRect{50, 50, 300, 200}));
  TOverlayLayers layers = run.Layers({}, {}, {});
  EXPECT_EQ(layers.Frame, TFrameStyle::Dashed);
  const TOverlayUpdate up = run.LeftUp({300, 200});
  EXPECT_EQ(up.UsageEvent, u"a301");
  layers = run.Layers({}, {}, {});
  EXPECT_EQ(layers.Frame, TFrameStyle::Solid);
  EXPECT_TRUE(layers.HandlesVisible);
  // The usage event comes once per run.
  run.LeftDown({100, 100});
  run.MouseMove({150, 150});
  EXPECT_TRUE(run.LeftUp({150, 150}).UsageEvent.empty());
}

TEST(CaptureRun, DraggingHandleEightPastTheRightEdgeFlipsTheSelection) {
  TCaptureRun run = Started(TCaptureMode::Region);
  run.DetectionTick({50, 50});
  run.LeftDown({100, 100});
  run.MouseMove({300, 200});
  run.LeftUp({300, 200});
  const TRect handle8 = run.Selection().Handles()[7];
  const TPoint grip{handle8.Left + 1, handle8.Top + 1};
  EXPECT_EQ(run.HandleAt(grip), 8);
  EXPECT_EQ(run.CursorAt(grip), TCursorKind::SizeWe);
  EXPECT_TRUE(run.LeftDown(grip).HideToolbar);
  EXPECT_TRUE(run.MouseMove({400, 150}).MagnifierMoved);
  const TOverlayUpdate up = run.LeftUp({400, 150});
  EXPECT_TRUE(up.ShowToolbar);
  EXPECT_TRUE(up.ToolbarAfterHandleDrag);
  EXPECT_EQ(run.Selection().Image(), (TRect{300, 100, 400, 200}));  // the old right edge is the new left
}

TEST(CaptureRun, CursorShowsMoveInsideASelectionAndSizingOnHandles) {
  TCaptureRun run = Started(TCaptureMode::Region);
  EXPECT_EQ(run.CursorAt({10, 10}), TCursorKind::Arrow);
  run.DetectionTick({50, 50});
  run.LeftDown({100, 100});
  run.MouseMove({300, 200});
  run.LeftUp({300, 200});
  EXPECT_EQ(run.CursorAt({200, 150}), TCursorKind::Move);
  EXPECT_EQ(run.CursorAt({600, 600}), TCursorKind::Arrow);
  const TRect handle1 = run.Selection().Handles()[0];
  EXPECT_EQ(run.CursorAt({handle1.Left, handle1.Top}), TCursorKind::SizeNwse);
}

TEST(CaptureRun, NothingHappensBeforeTheRunIsReady) {
  TCaptureRun run(TCaptureMode::Region, Desktop, Windows(), 99);
  EXPECT_TRUE(run.LeftDown({10, 10}).Dirty.empty());
  EXPECT_FALSE(run.RightUp().Close);
  EXPECT_TRUE(run.DetectionTick({10, 10}).Dirty.empty());
}

TEST(CaptureRun, OverlayCoordinatesAreDesktopCoordinatesMinusTheOrigin) {
  const TDesktop desktop{-1920, -120, 3840, 1200};
  EXPECT_EQ(desktop.ToOverlay(TPoint{-1920, -120}), (TPoint{0, 0}));
  EXPECT_EQ(desktop.ToOverlay(TPoint{0, 0}), (TPoint{1920, 120}));
  EXPECT_EQ(desktop.OverlayBounds(), (TRect{0, 0, 3840, 1200}));
}
