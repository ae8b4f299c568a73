#pragma once
// The outlines that the rasteriser fills for the built-in shapes. A shape is dragged from one pixel to another;
// its box holds both pixels (TRect::Normalized of the two points, right and bottom grown by one), and its border
// lies inside the box, so the dragged pixels are the outermost pixels of the drawing.
#include <cstdint>
#include <vector>

#include "base/Geometry.h"
#include "engine/Rasterizer.h"

namespace qor {

// The box a drag from pixel a to pixel b draws in: both pixels included.
constexpr TRect DragBox(TPoint a, TPoint b) {
  const TRect r = TRect::Normalized(a, b);
  return {r.Left, r.Top, r.Right + 1, r.Bottom + 1};
}

// A rectangle's border, width pixels wide inside box (a filled box when the border meets itself).
std::vector<TPolygon> RectangleBorder(const TRect& box, int32_t width);
// An ellipse's border of even width whose outer edge touches box; a filled ellipse when the border meets itself.
std::vector<TPolygon> EllipseBorder(const TRect& box, int32_t width);
// The inside of the ellipse that touches box (for a fill colour).
std::vector<TPolygon> EllipseFill(const TRect& box);
// A filled arrow from tail to tip: a shaft widening towards a triangular head. sizeIndex 0, 1, 2 makes it small,
// medium or large; a very short arrow is all head, scaled down to its length.
TPolygon ArrowOutline(TPointF tail, TPointF tip, int32_t sizeIndex);

}  // namespace qor
