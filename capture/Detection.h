#pragma once
// Following the cursor before the first press: the window under it becomes the detected rectangle, shown undimmed
// with a moving dashed border. The Win32 side calls Tick from its 35 ms timer (Timer_GetPos) with the physical
// cursor position converted to overlay coordinates (TDesktop::ToOverlay) and repaints what the tick returns; the
// magnifier is updated by the caller at the returned point whenever the tick reports that the cursor moved.
#include <cstdint>
#include <vector>

#include "base/Geometry.h"
#include "app/CommandLine.h"
#include "capture/Desktop.h"
#include "capture/WindowList.h"

namespace qor {

// The detection timer's period.
inline constexpr uint32_t DetectionTimerMs = 35;

struct TDetectionTick {
  bool Moved = false;        // false: the cursor stood still and nothing was done
  TPoint Point;              // the overlay point the tick worked on
  bool RectChanged = false;  // the detected rectangle changed: reload Image_Front from the crop of Detected()
  int32_t Phase = 0;         // the border phase to draw with (MovingBorderDashes)
  std::vector<TRect> Dirty;  // overlay rectangles to repaint (magnifier not included)
};

class TDetection {
 public:
  TDetection(const TWindowList& windows, const TDesktop& desktop) : FWindows(&windows), FDesktop(desktop) {}

  // One tick with the cursor in overlay coordinates. A point outside the overlay counts as 0, 0.
  TDetectionTick Tick(TPoint cursor);

  const TRect& Detected() const { return FDetected; }
  // The record of the detected window (none before the first hit or over no window).
  const TWindowRecord* DetectedWindow() const { return FDetectedWindow; }
  uintptr_t DetectedHandle() const { return FDetectedWindow ? FDetectedWindow->Handle : 0; }
  int32_t Phase() const { return FPhase; }
  // The last point worked on; starts outside the desktop so that the first tick always works.
  TPoint LastPoint() const { return FLastPoint; }
  // Whether any tick has run yet (before it, nothing is detected).
  bool Ticked() const { return FTicked; }

  // Width of the bands the moving border occupies along each edge.
  static constexpr int32_t BorderThickness = 2;

 private:
  const TWindowList* FWindows;
  TDesktop FDesktop;
  TPoint FLastPoint{-1, -1};
  bool FTicked = false;
  TRect FDetected;
  const TWindowRecord* FDetectedWindow = nullptr;
  int32_t FPhase = 0;
};

// Clamps r to the overlay (0, 0, desktop width, desktop height).
TRect ClampToOverlay(const TRect& r, const TDesktop& desktop);

}  // namespace qor
