#include "capture/CaptureRun.h"

#include <stdexcept>
#include <gtest/gtest.h>

using namespace qor;

namespace {

const TDesktop Desktop{0, 0, 1920, 1080};
const TRect DialogRect{400, 300, 800, 600};

// A 40 x 40 tool window on top of a dialog, which is above an editor.
std::vector<TWindowInfo> Windows() {
  return {{1, TRect{1800, 20, 1840, 60}, true, false, false, u"ToolClass", u"", u"tool"},
          {2, DialogRect, true, false, false, u"#32770", u"", u"Dialog"},
          {3, TRect{100, 100, 1500, 900}, true, false, false, u"Editor", u"", u"Editor"}};
}

TCaptureRun Started(TCaptureMode mode, const TDesktop& desktop = Desktop) {
  TCaptureRun run(mode, desktop, Windows(), 99);
  run.Start();
  return run;
}

// A region run with the rectangle 100,100 - 300,200 drawn by hand.
TCaptureRun Drawn() {
  TCaptureRun run = Started(TCaptureMode::Region);
  run.DetectionTick({50, 50});
  run.LeftDown({100, 100});
  run.MouseMove({300, 200});
  run.LeftUp({300, 200});
  return run;
}

}  // namespace

TEST(CaptureRun, FullScreenAndWindowModesSelectAtOnceWithTheirUsageEvents) {
  TCaptureRun full(TCaptureMode::FullScreen, TDesktop{-1280, -200, 3200, 1280}, Windows(), 99);
  const TOverlayUpdate update = full.Start();
  EXPECT_TRUE(full.Ready() && full.HasSelection() && !full.Detecting());
  EXPECT_EQ(full.Front(), (TRect{0, 0, 3200, 1280}));  // overlay coordinates: the origin is subtracted
  EXPECT_EQ(update.UsageEvent, u"a315");
  EXPECT_TRUE(update.ShowToolbar);
  EXPECT_FALSE(full.RightUp().Close);
  const TRect handle = full.Selection().Handles()[4];
  EXPECT_EQ(full.HandleAt({handle.Left, handle.Top}), 0);  // shown but taking no press

  TCaptureRun window(TCaptureMode::Window, Desktop, Windows(), 99);
  EXPECT_EQ(window.Start().UsageEvent, u"a314");
  EXPECT_EQ(window.Front(), DialogRect);  // the tiny tool window is passed over
}

TEST(CaptureRun, NothingHappensBeforeTheRunIsReady) {
  TCaptureRun run(TCaptureMode::Region, Desktop, Windows(), 99);
  EXPECT_TRUE(run.LeftDown({10, 10}).Dirty.empty());
  EXPECT_FALSE(run.RightUp().Close);
  EXPECT_TRUE(run.DetectionTick({10, 10}).Dirty.empty());
}

TEST(CaptureRun, DetectionFollowsTheCursorAndAClickSelectsTheDetectedWindowExactly) {
  TCaptureRun run = Started(TCaptureMode::Region);
  EXPECT_TRUE(run.Detecting());
  EXPECT_TRUE(run.DetectionTick({1000, 200}).MagnifierMoved);
  EXPECT_EQ(run.Front(), (TRect{100, 100, 1500, 900}));
  run.DetectionTick({1700, 1000});
  EXPECT_EQ(run.Front(), Desktop.OverlayBounds());
  run.DetectionTick({500, 400});
  EXPECT_EQ(run.Front(), DialogRect);  // the dialog, not the editor under it
  EXPECT_TRUE(run.Magnifier().Visible());
  EXPECT_EQ(run.MagnifierPoint(), (TPoint{500, 400}));
  EXPECT_TRUE(run.DetectionTick({500, 400}).Dirty.empty());  // a still cursor costs nothing

  const TOverlayUpdate down = run.LeftDown({500, 400});
  EXPECT_TRUE(down.StopDetection);
  EXPECT_FALSE(run.Detecting());
  EXPECT_EQ(down.LogLine, u"g_FirstScreenShot500,400");
  const TOverlayUpdate up = run.LeftUp({500, 400});
  EXPECT_EQ(run.Selection().Image(), DialogRect);
  EXPECT_EQ(up.UsageEvent, u"a314");
  EXPECT_TRUE(up.ShowToolbar);
  EXPECT_FALSE(run.Magnifier().Visible());
  EXPECT_FALSE(run.RightUp().Close);  // with a selection the right button does nothing
}

TEST(CaptureRun, TheRightButtonClosesWhileDetecting) {
  TCaptureRun run = Started(TCaptureMode::Region);
  run.DetectionTick({500, 400});
  EXPECT_TRUE(run.RightUp().Close);
}

TEST(CaptureRun, ADragDrawsADashedRectangleThatBecomesSolidOnRelease) {
  TCaptureRun run = Started(TCaptureMode::Region);
  EXPECT_EQ(run.CursorAt({10, 10}), TCursorKind::Arrow);
  run.DetectionTick({50, 50});
  run.LeftDown({50, 50});
  EXPECT_TRUE(run.MouseMove({300, 200}).MagnifierMoved);
  EXPECT_EQ(run.Front(), (TRect{50, 50, 300, 200}));
  EXPECT_EQ(run.Layers({}, {}, {}).Frame, TFrameStyle::Dashed);
  EXPECT_EQ(run.LeftUp({300, 200}).UsageEvent, u"a301");
  const TOverlayLayers layers = run.Layers({}, {}, {});
  EXPECT_EQ(layers.Frame, TFrameStyle::Solid);
  EXPECT_TRUE(layers.HandlesVisible);
}

TEST(CaptureRun, CursorShapesFollowTheSelectionAndHandleEightDraggedPastTheRightEdgeFlips) {
  TCaptureRun run = Drawn();
  EXPECT_EQ(run.CursorAt({200, 150}), TCursorKind::Move);
  EXPECT_EQ(run.CursorAt({600, 600}), TCursorKind::Arrow);
  const TRect handle1 = run.Selection().Handles()[0];
  EXPECT_EQ(run.CursorAt({handle1.Left, handle1.Top}), TCursorKind::SizeNwse);
  const TRect handle8 = run.Selection().Handles()[7];
  const TPoint grip{handle8.Left + 1, handle8.Top + 1};
  EXPECT_EQ(run.HandleAt(grip), 8);
  EXPECT_EQ(run.CursorAt(grip), TCursorKind::SizeWe);
  EXPECT_TRUE(run.LeftDown(grip).HideToolbar);
  EXPECT_TRUE(run.MouseMove({400, 150}).MagnifierMoved);
  const TOverlayUpdate up = run.LeftUp({400, 150});
  EXPECT_TRUE(up.ShowToolbar && up.ToolbarAfterHandleDrag);
  EXPECT_EQ(run.Selection().Image(), (TRect{300, 100, 400, 200}));  // the old right edge is the new left
}

TEST(CaptureRun, APressBeforeTheFirstDetectionTickSelectsTheWindowUnderThePressPoint) {
  TCaptureRun run = Started(TCaptureMode::Region);
  EXPECT_FALSE(run.LeftDown({500, 400}).Dirty.empty());
  run.LeftUp({500, 400});
  EXPECT_EQ(run.Selection().Image(), DialogRect);
}

TEST(CaptureRun, LosingTheMouseCaptureEndsADragOrAHandleWhereItStands) {
  TCaptureRun run = Started(TCaptureMode::Region);
  run.DetectionTick({50, 50});
  run.LeftDown({50, 50});
  run.MouseMove({300, 200});
  EXPECT_TRUE(run.CaptureLost().ShowToolbar);
  EXPECT_EQ(run.Selection().Image(), (TRect{50, 50, 300, 200}));
  EXPECT_TRUE(run.MouseMove({600, 600}).Dirty.empty());  // a plain move no longer drags
  EXPECT_EQ(run.Selection().Image(), (TRect{50, 50, 300, 200}));

  const TRect handle8 = run.Selection().Handles()[7];
  run.LeftDown({handle8.Left + 1, handle8.Top + 1});
  run.MouseMove({400, 150});
  EXPECT_TRUE(run.CaptureLost().ToolbarAfterHandleDrag);
  EXPECT_EQ(run.Selection().ActiveHandle(), 0);
  EXPECT_TRUE(run.MouseMove({700, 150}).Dirty.empty());
  EXPECT_TRUE(run.CaptureLost().Dirty.empty());  // nothing in progress: nothing to end
}

TEST(CaptureRun, TheOutputBusyFlagIsClearedOnEveryWayOutOfAnOutput) {
  TCaptureRun run = Started(TCaptureMode::Region);
  try {
    const auto busy = run.HoldOutputBusy();
    EXPECT_TRUE(run.OutputBusy());
    throw std::runtime_error("encoder failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_FALSE(run.OutputBusy());
}

TEST(CaptureRun, ADrawingToolFixesTheSelectionForTheRestOfTheRun) {
  TCaptureRun run = Drawn();
  const TRect handle = run.Selection().Handles()[4];
  const TOverlayUpdate fixed = run.FixSelectionForDrawing();
  EXPECT_FALSE(fixed.Dirty.empty());  // the handles are painted away
  EXPECT_FALSE(run.Selection().HandlesVisible());
  EXPECT_EQ(run.HandleAt({handle.Left, handle.Top}), 0);
  EXPECT_EQ(run.CursorAt({150, 150}), TCursorKind::Arrow);
  // Neither a drag on the selection nor one on its old handle changes it.
  for (TPoint from : {TPoint{150, 150}, TPoint{handle.Left, handle.Top}}) {
    run.LeftDown(from);
    run.MouseMove({from.X + 40, from.Y + 30});
    run.LeftUp({from.X + 40, from.Y + 30});
    EXPECT_EQ(run.Selection().Image(), (TRect{100, 100, 300, 200}));
  }
}
