#include "engine/DrawnRects.h"

#include <algorithm>
#include <climits>

namespace qor {

std::vector<TRect> DrawnRects(const TCoverage& coverage) {
  std::vector<TRect> rects;
  for (const TRect& tiles : coverage.TileRects()) {
    TRect drawn{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    coverage.ForEachRun(tiles, [&](int32_t y, int32_t x0, const uint8_t* alphas, int32_t count) {
      int32_t first = 0, last = count - 1;
      while (first < count && alphas[first] == 0) ++first;
      if (first == count) return;
      while (alphas[last] == 0) --last;
      drawn = {std::min(drawn.Left, x0 + first), std::min(drawn.Top, y), std::max(drawn.Right, x0 + last + 1),
               std::max(drawn.Bottom, y + 1)};
    });
    if (!drawn.IsEmpty()) rects.push_back(drawn);
  }
  return rects;
}

}  // namespace qor
