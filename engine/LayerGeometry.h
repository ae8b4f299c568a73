#pragma once
// Where an annotation lies: the two pixels of its drag (a box's corners, a line's or an arrow's ends) or, for a
// free-hand stroke, the path through the mouse points. Moving keeps whole pixels, so a move and its undo are exact.
#include <cstdint>
#include <span>
#include <vector>

#include "base/Geometry.h"
#include "engine/LayerLook.h"
#include "engine/Rasterizer.h"

namespace qor {

struct TLayerGeometry {
  TPoint A;                   // where the drag started
  TPoint B;                   // where it ended
  std::vector<TPointF> Path;  // free-hand strokes only: pixel centres, fractional after a resize
  friend bool operator==(const TLayerGeometry&, const TLayerGeometry&) = default;
};

// How a layer is held: by the 8 handles of the box its drag spans, by the 2 handles on its end points, or by the 8
// handles of the box around its path.
enum class TLayerForm { Box, Ends, Path };
TLayerForm FormOf(TLayerKind kind, TShapeKind shape);

TLayerGeometry Moved(const TLayerGeometry& geometry, TPoint by);
// The smallest pixel box holding the pixels of every point.
TRect PathBox(std::span<const TPointF> path);
// The box whose handles resize a Box or Path layer.
TRect HandleBox(const TLayerGeometry& geometry, TLayerForm form);
// A path mapped from one box onto another, given by the pixels of their first and last corners: points on the old
// box's outer pixel centres land on the new one's, and a new box given with swapped corners mirrors the path.
std::vector<TPointF> MapPath(std::span<const TPointF> path, const TRect& from, TPoint toFirst, TPoint toLast);

}  // namespace qor
