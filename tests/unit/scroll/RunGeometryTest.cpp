#include "scroll/RunGeometry.h"

#include <gtest/gtest.h>

namespace qor {
namespace {

TEST(RunRects, CaptureIsTheSelectionOnTheScreenAndTheHoleTheSelectionItself) {
  // A monitor left of the primary one: the desktop starts at -1920.
  const TRect desktop{-1920, -120, 1920, 1080};
  const TRunRects r = RunRectsForSelection({100, 50, 500, 450}, desktop);
  EXPECT_EQ(r.Capture, (TRect{-1820, -70, -1420, 330}));
  EXPECT_EQ(r.Hole, (TRect{100, 50, 500, 450}));
  EXPECT_FALSE(r.Shrunk);
}

TEST(RunRects, TheWholeDesktopIsShrunkByOnePixelOnEachSide) {
  for (const TRect& desktop : {TRect{0, 0, 1920, 1080}, TRect{-1920, -120, 1920, 1080}}) {
    const TRect all{0, 0, desktop.Width(), desktop.Height()};
    const TRunRects r = RunRectsForSelection(all, desktop);
    EXPECT_TRUE(r.Shrunk);
    EXPECT_EQ(r.Capture, (TRect{desktop.Left + 1, desktop.Top + 1, desktop.Right - 1, desktop.Bottom - 1}));
    EXPECT_EQ(r.Hole, (TRect{1, 1, all.Right - 1, all.Bottom - 1}));
  }
}

TEST(RunRects, ASelectionShortOfTheWholeDesktopIsKept) {
  const TRect desktop{-1920, 0, 1920, 1080};
  for (const TRect& selection : {TRect{1, 0, 3840, 1080}, TRect{0, 0, 3840, 1079}, TRect{0, 0, 3839, 1080}}) {
    const TRunRects r = RunRectsForSelection(selection, desktop);
    EXPECT_FALSE(r.Shrunk);
    EXPECT_EQ(r.Hole, selection);
  }
}

TEST(FrameLines, CoverExactlyTheRingOfPixelsAroundTheHole) {
  const TRect hole{10, 20, 14, 23};
  const TFrameLines lines = FrameLinesAround(hole);
  for (const TRect& line : {lines.Top, lines.Left, lines.Right, lines.Bottom})
    EXPECT_TRUE(line.Width() == 1 || line.Height() == 1);
  const TRect ring = hole.Inflate(1, 1);
  for (int32_t y = ring.Top - 2; y < ring.Bottom + 2; ++y) {
    for (int32_t x = ring.Left - 2; x < ring.Right + 2; ++x) {
      const TPoint p{x, y};
      const bool covered =
          lines.Top.Contains(p) || lines.Left.Contains(p) || lines.Right.Contains(p) || lines.Bottom.Contains(p);
      EXPECT_EQ(covered, ring.Contains(p) && !hole.Contains(p)) << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace qor
