#pragma once
// Where a scrolling capture run grabs and what its window cuts out. The run window covers the whole virtual
// desktop, so its coordinates are screen coordinates minus the desktop origin; it has a hole over the region
// through which the live window shows, framed by four 1-pixel lines just outside the hole.
// Usage (starting a run from the overlay's selection):
//   const qor::TRunRects rects = qor::RunRectsForSelection(selection, desktop);
//   grab from rects.Capture; SetWindowRgn(whole window XOR rects.Hole);
//   for each line of qor::FrameLinesAround(rects.Hole): a RunFrameColour image at that rectangle
#include <cstdint>

#include "base/Geometry.h"

namespace qor {

inline constexpr uint32_t RunFrameColour = 0x3377FF;  // RGB(51, 119, 255) as 0xRRGGBB

struct TRunRects {
  TRect Capture;  // screen coordinates: frames are grabbed here, the wheel must point here
  TRect Hole;     // the same region in run-window coordinates
  bool Shrunk = false;
  friend bool operator==(const TRunRects&, const TRunRects&) = default;
};

// selection: in overlay (= run window) coordinates; desktop: the virtual desktop in screen coordinates. A selection
// of the whole desktop is shrunk by one pixel on every side, so that the frame around it stays on screen.
TRunRects RunRectsForSelection(const TRect& selection, const TRect& desktop);

// The four 1-pixel lines around the hole; together they are exactly the ring of pixels touching it.
struct TFrameLines {
  TRect Top, Left, Right, Bottom;
};
TFrameLines FrameLinesAround(const TRect& hole);

}  // namespace qor
