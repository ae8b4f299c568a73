#include "companions/pin/PinZoom.h"

#include <algorithm>
#include <cmath>

#include "base/Utf16Text.h"

namespace qor {

namespace {

// Steps accumulate rounding errors: a zoom this close to 100% is 100%.
bool IsOne(double zoom) { return std::fabs(zoom - 1.0) < 1e-9; }

double OneStep(double zoom, bool in) {
  if (in) {
    if (zoom >= PinMaxZoom) return zoom;
    const double next = zoom * PinZoomStep;
    if (zoom < 1.0 && !IsOne(zoom) && next > 1.0 && !IsOne(next)) return 1.0;
    return IsOne(next) ? 1.0 : std::min(next, PinMaxZoom);
  }
  if (zoom <= PinMinZoom) return zoom;
  const double next = zoom / PinZoomStep;
  if (zoom > 1.0 && !IsOne(zoom) && next < 1.0 && !IsOne(next)) return 1.0;
  return IsOne(next) ? 1.0 : std::max(next, PinMinZoom);
}

}  // namespace

double ZoomAfterNotches(double zoom, int notches) {
  for (int i = 0; i < std::abs(notches); ++i) zoom = OneStep(zoom, notches > 0);
  return zoom;
}

TSize ZoomedSize(TSize picture, double zoom) {
  return {std::max<int32_t>(1, int32_t(std::lround(picture.Width * zoom))),
          std::max<int32_t>(1, int32_t(std::lround(picture.Height * zoom)))};
}

TPoint ZoomAround(TPoint origin, TPoint cursor, double oldZoom, double newZoom) {
  const double ratio = newZoom / oldZoom;
  return {int32_t(std::lround(cursor.X - (cursor.X - origin.X) * ratio)),
          int32_t(std::lround(cursor.Y - (cursor.Y - origin.Y) * ratio))};
}

int OpacityAfterNotches(int percent, int notches) {
  const long long next = (long long)percent + (long long)notches * PinOpacityStep;
  return int(std::clamp<long long>(next, PinMinOpacity, PinMaxOpacity));
}

uint8_t OpacityAlpha(int percent) { return uint8_t((std::clamp(percent, 0, 100) * 255 + 50) / 100); }

std::u16string ZoomText(double zoom) { return IntToText(std::llround(zoom * 100)) + u"%"; }

uint8_t ReadoutAlpha(uint32_t elapsedMs) {
  if (elapsedMs <= ReadoutHoldMs) return 255;
  if (elapsedMs >= ReadoutHoldMs + ReadoutFadeMs) return 0;
  return uint8_t(255 - (elapsedMs - ReadoutHoldMs) * 255 / ReadoutFadeMs);
}

}  // namespace qor
