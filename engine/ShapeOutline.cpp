#include "engine/ShapeOutline.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace qor {

namespace {

// Largest distance allowed between an ellipse and the chords that stand for it, in pixels.
constexpr double ChordError = 0.005;

TPolygon Box(double left, double top, double right, double bottom) {
  return {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
}

// Angles of one quarter of an ellipse with the larger semi-axis radius, from 0 to pi/2 inclusive, dense enough
// that chords stay within ChordError of the curve (the error of a step s is at most radius * s^2 / 8).
std::vector<double> QuarterAngles(double radius) {
  const double step = std::sqrt(8 * ChordError / std::max(radius, 1.0));
  const int count = std::max(2, int(std::ceil(std::numbers::pi / 2 / step)));
  std::vector<double> angles(size_t(count) + 1);
  for (int i = 0; i <= count; ++i) angles[size_t(i)] = std::numbers::pi / 2 * i / count;
  return angles;
}

// The closed outline through the first quarter's offsets (dx, dy >= 0, from angle 0 to pi/2) mirrored into the
// other three, so that the outline is exactly symmetric in both axes. Clockwise on screen (y down).
TPolygon MirrorQuarter(TPointF centre, const std::vector<TPointF>& quarter) {
  TPolygon out;
  const size_t n = quarter.size();
  out.reserve(4 * n);
  for (size_t i = 0; i < n; ++i) out.push_back({centre.X + quarter[i].X, centre.Y + quarter[i].Y});
  for (size_t i = n - 1; i-- > 0;) out.push_back({centre.X - quarter[i].X, centre.Y + quarter[i].Y});
  for (size_t i = 1; i < n; ++i) out.push_back({centre.X - quarter[i].X, centre.Y - quarter[i].Y});
  for (size_t i = n - 1; i-- > 1;) out.push_back({centre.X + quarter[i].X, centre.Y - quarter[i].Y});
  return out;
}

TPolygon Reversed(TPolygon polygon) {
  std::reverse(polygon.begin(), polygon.end());
  return polygon;
}

TPointF Centre(const TRect& box) { return {(box.Left + double(box.Right)) / 2, (box.Top + double(box.Bottom)) / 2}; }

TPolygon Ellipse(TPointF centre, double a, double b) {
  std::vector<TPointF> quarter;
  for (double t : QuarterAngles(std::max(a, b))) quarter.push_back({a * std::cos(t), b * std::sin(t)});
  return MirrorQuarter(centre, quarter);
}

}  // namespace

std::vector<TPolygon> RectangleBorder(const TRect& box, int32_t width) {
  if (box.IsEmpty() || width <= 0) return {};
  const double l = box.Left, t = box.Top, r = box.Right, b = box.Bottom, w = width;
  if (2 * int64_t(width) >= box.Width() || 2 * int64_t(width) >= box.Height()) return {Box(l, t, r, b)};
  return {Box(l, t, r, b), Reversed(Box(l + w, t + w, r - w, b - w))};
}

std::vector<TPolygon> EllipseBorder(const TRect& box, int32_t width) {
  if (box.IsEmpty() || width <= 0) return {};
  const double a = box.Width() / 2.0, b = box.Height() / 2.0, half = width / 2.0;
  // The ring's centre line; the border lies within half the width on either side of it.
  const double ca = a - half, cb = b - half;
  if (ca <= half || cb <= half) return EllipseFill(box);
  std::vector<TPointF> outer, inner;
  for (double t : QuarterAngles(std::max(a, b))) {
    const double c = std::cos(t), s = std::sin(t);
    // The centre line's outward normal at angle t is (cb * cos t, ca * sin t) over its length.
    const double n = std::hypot(cb * c, ca * s);
    const double nx = cb * c / n, ny = ca * s / n;
    outer.push_back({ca * c + half * nx, cb * s + half * ny});
    // Where the centre line bends tighter than half the width (a flat ellipse), the inner offset would loop
    // back over the axis; holding it on the axis turns that loop into a flat spike that covers nothing.
    inner.push_back({std::max(0.0, ca * c - half * nx), std::max(0.0, cb * s - half * ny)});
  }
  const TPointF centre = Centre(box);
  return {MirrorQuarter(centre, outer), Reversed(MirrorQuarter(centre, inner))};
}

std::vector<TPolygon> EllipseFill(const TRect& box) {
  if (box.IsEmpty()) return {};
  return {Ellipse(Centre(box), box.Width() / 2.0, box.Height() / 2.0)};
}

TPolygon ArrowOutline(TPointF tail, TPointF tip, int32_t sizeIndex) {
  struct TArrowSize {
    double HeadLength, HeadWidth, NeckWidth;
  };
  static constexpr std::array<TArrowSize, 3> Sizes{{{12, 12, 3}, {18, 18, 5}, {26, 26, 8}}};
  constexpr double TailWidth = 1;
  const TArrowSize& size = Sizes[size_t(std::clamp(sizeIndex, 0, 2))];
  const double dx = tip.X - tail.X, dy = tip.Y - tail.Y, length = std::hypot(dx, dy);
  if (!(length > 0) || !std::isfinite(length)) return {};
  const double ux = dx / length, uy = dy / length;  // along the arrow
  const double nx = -uy, ny = ux;                   // across it
  const auto at = [&](double along, double across) {
    return TPointF{tip.X - ux * along + nx * across, tip.Y - uy * along + ny * across};
  };
  if (length <= size.HeadLength) {
    const double headWidth = size.HeadWidth * length / size.HeadLength;
    return {tip, at(length, headWidth / 2), at(length, -headWidth / 2)};
  }
  const double h = size.HeadLength;
  // The head's back corners sweep slightly towards the tail, which reads as a sharper, lighter head than a flat one.
  const double barb = std::min(h * 0.15, length - h);
  return {tip,
          at(h + barb, size.HeadWidth / 2),
          at(h, size.NeckWidth / 2),
          at(length, TailWidth / 2),
          at(length, -TailWidth / 2),
          at(h, -size.NeckWidth / 2),
          at(h + barb, -size.HeadWidth / 2)};
}

}  // namespace qor
