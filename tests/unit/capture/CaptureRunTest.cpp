#include "capture/CaptureRun.h"

#include <gtest/gtest.h>

using namespace qor;

TEST(CaptureRun, FullScreenSelectsTheWholeDesktopAtOnce) {
  TCaptureRun run(TCaptureMode::FullScreen, TDesktop{-1280, -200, 3200, 1280});
  EXPECT_FALSE(run.Ready());
  const auto dirty = run.Start();
  EXPECT_TRUE(run.Ready());
  EXPECT_EQ(run.Selection(), (TRect{0, 0, 3200, 1280}));
  EXPECT_FALSE(run.FirstSelectionPending());
  EXPECT_FALSE(run.Detecting());
  EXPECT_FALSE(run.RightButtonCloses());
  ASSERT_EQ(dirty.size(), 1u);
  EXPECT_EQ(dirty[0], (TRect{0, 0, 3200, 1280}));
}

TEST(CaptureRun, RegionAndScrollingStartDetectingAndCloseOnTheRightButton) {
  for (TCaptureMode mode : {TCaptureMode::Region, TCaptureMode::Scrolling}) {
    TCaptureRun run(mode, TDesktop{0, 0, 1920, 1080});
    EXPECT_FALSE(run.RightButtonCloses());  // not before the run is ready
    run.Start();
    EXPECT_TRUE(run.Detecting());
    EXPECT_FALSE(run.HasSelection());
    EXPECT_TRUE(run.FirstSelectionPending());
    EXPECT_TRUE(run.RightButtonCloses());
  }
}

TEST(CaptureRun, OverlayCoordinatesAreDesktopCoordinatesMinusTheOrigin) {
  const TDesktop desktop{-1920, -120, 3840, 1200};
  EXPECT_EQ(desktop.ToOverlay(TPoint{-1920, -120}), (TPoint{0, 0}));
  EXPECT_EQ(desktop.ToOverlay(TPoint{0, 0}), (TPoint{1920, 120}));
  EXPECT_EQ(desktop.OverlayBounds(), (TRect{0, 0, 3840, 1200}));
}

TEST(CaptureRun, EscapePressesAreCountedForTheWholeRun) {
  TCaptureRun run(TCaptureMode::Region, TDesktop{0, 0, 800, 600});
  run.CountEscape();
  run.CountEscape();
  EXPECT_EQ(run.EscapeCount(), 2);
}
