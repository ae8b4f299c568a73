#pragma once
// Rectangles close around what a coverage draws: per row of tiles, the bounds of its pixels above 0. A thin border
// of a big shape gives thin strips, so a change repaints about the border's area, not whole tiles or the box.
#include <vector>

#include "base/Geometry.h"
#include "engine/Coverage.h"

namespace qor {

std::vector<TRect> DrawnRects(const TCoverage& coverage);

}  // namespace qor
