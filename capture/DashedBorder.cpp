#include "capture/DashedBorder.h"

#include <algorithm>

namespace qor {

namespace {

void PushClipped(std::vector<TRect>& out, const TRect& r, const TRect& bounds) {
  const TRect clipped = r.Intersect(bounds);
  if (!clipped.IsEmpty()) out.push_back(clipped);
}

// Dashes along a horizontal line (rows line - 1 .. line) starting at start, walking forward or backward.
void HorizontalDashes(std::vector<TRect>& out, int32_t line, int32_t start, bool forward, const TRect& bounds) {
  if (forward) {
    for (int32_t s = start; s < bounds.Right; s += DashPeriod)
      PushClipped(out, {s, line - 1, s + DashLength, line + 1}, bounds);
  } else {
    for (int32_t s = start; s >= bounds.Left; s -= DashPeriod)
      PushClipped(out, {s - DashLength + 1, line - 1, s + 1, line + 1}, bounds);
  }
}

void VerticalDashes(std::vector<TRect>& out, int32_t line, int32_t start, bool forward, const TRect& bounds) {
  if (forward) {
    for (int32_t s = start; s < bounds.Bottom; s += DashPeriod)
      PushClipped(out, {line - 1, s, line + 1, s + DashLength}, bounds);
  } else {
    for (int32_t s = start; s >= bounds.Top; s -= DashPeriod)
      PushClipped(out, {line - 1, s - DashLength + 1, line + 1, s + 1}, bounds);
  }
}

}  // namespace

std::vector<TRect> MovingBorderDashes(int32_t width, int32_t height, int32_t phase) {
  std::vector<TRect> out;
  if (width <= 0 || height <= 0) return out;
  const TRect bounds{0, 0, width, height};
  HorizontalDashes(out, 1, phase == 0 ? width : width - phase, false, bounds);
  VerticalDashes(out, 1, phase, true, bounds);
  HorizontalDashes(out, height - 1, phase, true, bounds);
  VerticalDashes(out, width - 1, phase == 0 ? height : height - phase, false, bounds);
  return out;
}

std::vector<TRect> FirstDragFrameDashes(int32_t width, int32_t height) {
  std::vector<TRect> out;
  if (width <= 0 || height <= 0) return out;
  const TRect bounds{0, 0, width, height};
  for (int32_t x = 0; x < width; x += DashPeriod) {
    PushClipped(out, {x, 0, x + DashLength, 1}, bounds);
    if (height > 1) PushClipped(out, {x, height - 1, x + DashLength, height}, bounds);
  }
  for (int32_t y = 0; y < height; y += DashPeriod) {
    PushClipped(out, {0, y, 1, y + DashLength}, bounds);
    if (width > 1) PushClipped(out, {width - 1, y, width, y + DashLength}, bounds);
  }
  return out;
}

std::vector<TRect> BorderBands(const TRect& r, int32_t thickness) {
  std::vector<TRect> out;
  if (r.IsEmpty()) return out;
  const int32_t t = std::min({thickness, r.Width(), r.Height()});
  out.push_back({r.Left, r.Top, r.Right, r.Top + t});
  out.push_back({r.Left, r.Bottom - t, r.Right, r.Bottom});
  out.push_back({r.Left, r.Top, r.Left + t, r.Bottom});
  out.push_back({r.Right - t, r.Top, r.Right, r.Bottom});
  return out;
}

void FillRects(const TImageView& target, const std::vector<TRect>& rects, TBgra color) {
  if (target.IsEmpty()) return;
  const TRect bounds{0, 0, target.Width, target.Height};
  for (const TRect& r : rects) {
    const TRect c = r.Intersect(bounds);
    for (int32_t y = c.Top; y < c.Bottom; ++y) std::fill(target.Row(y) + c.Left, target.Row(y) + c.Right, color);
  }
}

}  // namespace qor
