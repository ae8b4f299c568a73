#pragma once
// The virtual desktop the overlay covers, and the overlay's coordinates: desktop coordinates minus its origin.
#include <cstdint>

#include "base/Geometry.h"

namespace qor {

// The mask shows the frozen screen at 140/255 brightness over black.
inline constexpr uint8_t MaskAlpha = 140;

// The virtual desktop in screen coordinates (its origin is negative when a monitor lies left of or above the
// primary one).
struct TDesktop {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  TRect OverlayBounds() const { return TRect{0, 0, Width, Height}; }
  TPoint ToOverlay(TPoint screen) const { return {screen.X - Left, screen.Y - Top}; }
};

}  // namespace qor
