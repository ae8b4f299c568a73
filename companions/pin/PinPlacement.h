#pragma once
// Where a new pin opens. A picture that was taken where it is shown (its rectangle has its size and lies on a
// monitor) opens exactly there at 100%, so the user sees no jump. Otherwise (the rectangle is off every monitor,
// or the picture is larger than its rectangle, as a long scrolled picture is) it opens on the monitor it belongs
// to, scaled down to fit that monitor's work area when it is larger, keeping its aspect, and moved inside it.
// Usage:
//   const qor::TPinPlacement p = qor::PlacePin(picture.Size(), rect, monitors);   // p.Shown, p.Zoom
#include <vector>

#include "base/Geometry.h"

namespace qor {

struct TMonitorArea {
  TRect Bounds;  // the whole monitor, virtual-desktop pixels
  TRect Work;    // without the taskbar
};

struct TPinPlacement {
  TRect Shown;        // the picture's pixels on the screen, at Zoom
  double Zoom = 1.0;  // 1 = pixel for pixel
};

TPinPlacement PlacePin(TSize picture, const TRect& rect, const std::vector<TMonitorArea>& monitors);

}  // namespace qor
