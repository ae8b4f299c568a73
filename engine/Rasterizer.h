#pragma once
// Our own anti-aliased rasteriser for annotations. Filled outlines get the exact area of each pixel that lies
// inside them (nonzero winding), so a border on whole pixels stays crisp and slanted or curved edges are smooth;
// strokes of lines and free-hand paths take each pixel's distance to the path, so that any number of segments join
// without seams or darker overlaps. A pixel (x, y) is the square [x, x + 1) x [y, y + 1); its centre is x + 0.5.
#include <span>
#include <vector>

#include "base/Geometry.h"
#include "engine/Coverage.h"

namespace qor {

struct TPointF {
  double X = 0;
  double Y = 0;
  friend bool operator==(const TPointF&, const TPointF&) = default;
};
using TPolygon = std::vector<TPointF>;

// The centre of pixel p.
constexpr TPointF PixelCentre(TPoint p) { return {p.X + 0.5, p.Y + 0.5}; }

// Fills the polygons together (closed implicitly; nonzero winding, so an inner outline of opposite direction cuts a
// hole) into coverage, raising each pixel to the area inside. Only pixels inside clip are written.
void FillPolygons(std::span<const TPolygon> polygons, const TRect& clip, TCoverage& coverage);

// Strokes the path through points with round ends and joins, width pixels wide; a single point gives a round dot.
// Raises each pixel inside clip to its coverage, so a growing free-hand path may be stroked a segment at a time.
void StrokePolyline(std::span<const TPointF> points, double width, const TRect& clip, TCoverage& coverage);

}  // namespace qor
