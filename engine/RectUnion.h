#pragma once
// The union of possibly overlapping rectangles as disjoint ones, so that an area reported dirty twice is composed
// and repainted once.
#include <span>
#include <vector>

#include "base/Geometry.h"

namespace qor {

// Disjoint rectangles covering exactly the pixels of rects inside clip: rows of equal spans merged into bands.
std::vector<TRect> UnionOfRects(std::span<const TRect> rects, const TRect& clip);

}  // namespace qor
