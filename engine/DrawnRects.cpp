#include "engine/DrawnRects.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace qor {

namespace {

// The bounds of the pixels above 0 inside one tile; empty when there are none.
TRect DrawnInTile(const TCoverage& coverage, const TRect& tile) {
  TRect drawn{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
  coverage.ForEachRun(tile, [&](int32_t y, int32_t x0, const uint8_t* alphas, int32_t count) {
    int32_t first = 0, last = count - 1;
    // Most rows of a thin shape's tiles are empty: skip them eight bytes at a time.
    for (uint64_t word = 0; first + 8 <= count; first += 8) {
      std::memcpy(&word, alphas + first, 8);
      if (word != 0) break;
    }
    while (first < count && alphas[first] == 0) ++first;
    if (first == count) return;
    while (alphas[last] == 0) --last;
    drawn = {std::min(drawn.Left, x0 + first), std::min(drawn.Top, y), std::max(drawn.Right, x0 + last + 1),
             std::max(drawn.Bottom, y + 1)};
  });
  return drawn.IsEmpty() ? TRect{} : drawn;
}

}  // namespace

std::vector<TRect> DrawnRects(const TCoverage& coverage) {
  constexpr int32_t tileSize = TCoverage::TileSize;
  std::vector<TRect> rects;
  for (const TRect& row : coverage.TileRects()) {
    for (int32_t left = row.Left; left < row.Right; left += tileSize) {
      const TRect drawn = DrawnInTile(coverage, {left, row.Top, left + tileSize, row.Bottom});
      if (drawn.IsEmpty()) continue;
      // A straight edge crossing tiles gives one strip, not a rectangle per tile.
      TRect* previous = rects.empty() ? nullptr : &rects.back();
      if (previous && previous->Right == drawn.Left && previous->Top == drawn.Top && previous->Bottom == drawn.Bottom)
        previous->Right = drawn.Right;
      else
        rects.push_back(drawn);
    }
  }
  return rects;
}

}  // namespace qor
