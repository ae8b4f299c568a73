#include "engine/LayerGeometry.h"

#include <algorithm>
#include <cmath>

#include "engine/ShapeOutline.h"

namespace qor {

TLayerForm FormOf(TLayerKind kind, TShapeKind shape) {
  if (kind == TLayerKind::FreeHand) return TLayerForm::Path;
  if (kind == TLayerKind::Shape && (shape == TShapeKind::Rectangle || shape == TShapeKind::Ellipse))
    return TLayerForm::Box;
  return TLayerForm::Ends;
}

TLayerGeometry Moved(const TLayerGeometry& geometry, TPoint by) {
  TLayerGeometry moved = geometry;
  moved.A = {geometry.A.X + by.X, geometry.A.Y + by.Y};
  moved.B = {geometry.B.X + by.X, geometry.B.Y + by.Y};
  for (TPointF& p : moved.Path) p = {p.X + by.X, p.Y + by.Y};
  return moved;
}

TRect PathBox(std::span<const TPointF> path) {
  if (path.empty()) return {};
  double left = path[0].X, right = path[0].X, top = path[0].Y, bottom = path[0].Y;
  for (const TPointF& p : path) {
    left = std::min(left, p.X);
    right = std::max(right, p.X);
    top = std::min(top, p.Y);
    bottom = std::max(bottom, p.Y);
  }
  return {int32_t(std::floor(left)), int32_t(std::floor(top)), int32_t(std::floor(right)) + 1,
          int32_t(std::floor(bottom)) + 1};
}

TRect HandleBox(const TLayerGeometry& geometry, TLayerForm form) {
  if (form == TLayerForm::Path) return PathBox(geometry.Path);
  return DragBox(geometry.A, geometry.B);
}

namespace {

// One coordinate from the span of old outer pixel centres onto the new one; a span of one pixel has no extent to
// scale, so its points go to the middle of the new span.
double MapCoordinate(double v, int32_t fromFirst, int32_t fromLast, int32_t toFirst, int32_t toLast) {
  if (fromLast == fromFirst) return (toFirst + toLast) / 2.0 + 0.5;
  return toFirst + 0.5 + (v - (fromFirst + 0.5)) * double(toLast - toFirst) / double(fromLast - fromFirst);
}

}  // namespace

std::vector<TPointF> MapPath(std::span<const TPointF> path, const TRect& from, TPoint toFirst, TPoint toLast) {
  std::vector<TPointF> mapped;
  mapped.reserve(path.size());
  for (const TPointF& p : path)
    mapped.push_back({MapCoordinate(p.X, from.Left, from.Right - 1, toFirst.X, toLast.X),
                      MapCoordinate(p.Y, from.Top, from.Bottom - 1, toFirst.Y, toLast.Y)});
  return mapped;
}

}  // namespace qor
