#include "capture/Detection.h"

#include <algorithm>

#include "capture/DashedBorder.h"

namespace qor {

TRect ClampToOverlay(const TRect& r, const TDesktop& desktop) {
  // Overlay coordinates start at 0, 0 whatever the desktop's origin, so the overlay, not the desktop's screen
  // origin, bounds the rectangle (on a desktop with a negative origin the latter would let it leave the overlay).
  return TRect{std::max(r.Left, 0), std::max(r.Top, 0), std::min(r.Right, desktop.Width),
               std::min(r.Bottom, desktop.Height)};
}

TDetectionTick TDetection::Tick(TPoint cursor) {
  TDetectionTick result;
  TPoint p = cursor;
  if (!FDesktop.OverlayBounds().Contains(p)) p = TPoint{0, 0};
  result.Point = p;
  FTicked = true;
  if (p == FLastPoint) return result;
  FLastPoint = p;
  result.Moved = true;

  const TWindowHit hit = FWindows->WindowAt(p);
  const TRect before = FDetected;
  if (hit.Rect != FDetected) {
    FDetected = ClampToOverlay(hit.Rect, FDesktop);
    FDetectedWindow = hit.Record;
  }
  result.Phase = FPhase;
  FPhase = FPhase >= 8 ? 0 : FPhase + 2;

  if (before != FDetected) {
    // The old rectangle goes back to the mask, the new one shows undimmed with its border.
    result.RectChanged = true;
    if (!before.IsEmpty()) result.Dirty.push_back(before);
    if (!FDetected.IsEmpty()) result.Dirty.push_back(FDetected);
  } else {
    // Same window: only the border moves.
    result.Dirty = BorderBands(FDetected, BorderThickness);
  }
  return result;
}

}  // namespace qor
