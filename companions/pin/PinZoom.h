#pragma once
// The arithmetic of a pin's wheel: zoom steps of 10% per notch between 10% and 500% that land exactly on 100%
// when they cross it, zooming around the cursor (the picture point under it stays under it), opacity steps for
// Ctrl+wheel, the size readout's text and how it fades.
// Usage:
//   const double zoom = qor::ZoomAfterNotches(FZoom, notches);
//   const TPoint origin = qor::ZoomAround(FShown.Left, FShown.Top, cursor, FZoom, zoom);
//   FOpacity = qor::OpacityAfterNotches(FOpacity, notches);
#include <cstdint>
#include <string>

#include "base/Geometry.h"

namespace qor {

inline constexpr double PinMinZoom = 0.1;
inline constexpr double PinMaxZoom = 5.0;
inline constexpr double PinZoomStep = 1.1;
inline constexpr int PinMinOpacity = 20;
inline constexpr int PinMaxOpacity = 100;
inline constexpr int PinOpacityStep = 10;
// The readout stays for ReadoutHoldMs, then fades out within ReadoutFadeMs.
inline constexpr uint32_t ReadoutHoldMs = 1000;
inline constexpr uint32_t ReadoutFadeMs = 400;

// notches > 0 zooms in. A start outside the range (a picture opened smaller than 10%) only moves towards it.
double ZoomAfterNotches(double zoom, int notches);
// The picture's size on the screen at zoom (rounded, at least 1 x 1).
TSize ZoomedSize(TSize picture, double zoom);
// The new top-left corner of the shown picture, so that the picture point under cursor stays under it.
TPoint ZoomAround(TPoint origin, TPoint cursor, double oldZoom, double newZoom);
// Percent in steps of 10 (notches > 0 more opaque), kept within 20..100.
int OpacityAfterNotches(int percent, int notches);
// The alpha value of an opacity percentage (100% = 255).
uint8_t OpacityAlpha(int percent);
// "150%": the zoom rounded to a whole percentage.
std::u16string ZoomText(double zoom);
// The readout's alpha a number of milliseconds after the last zoom step; 0 once it has faded.
uint8_t ReadoutAlpha(uint32_t elapsedMs);

}  // namespace qor
