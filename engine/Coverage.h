#pragma once
// Anti-aliased coverage of one drawn thing (a shape's border, an arrow, a brush stroke): 0 to 255 per pixel, kept in
// 32 x 32 tiles that exist only where something is drawn, so that a stroke across a 4K picture costs memory and
// repaint in proportion to its length, not to its bounding box. Coordinates are those of the edit surface.
#include <cstdint>
#include <memory>
#include <vector>

#include "base/Geometry.h"
#include "base/Image.h"

namespace qor {

class TCoverage {
 public:
  static constexpr int32_t TileSize = 32;

  TCoverage();
  ~TCoverage();
  TCoverage(TCoverage&&) noexcept;
  TCoverage& operator=(TCoverage&&) noexcept;
  TCoverage(const TCoverage&) = delete;
  TCoverage& operator=(const TCoverage&) = delete;

  bool IsEmpty() const;
  // The smallest rectangle holding every pixel with coverage above 0.
  TRect Bounds() const;
  // 0 where nothing is drawn.
  uint8_t At(TPoint p) const;
  // Raises the coverage of the pixels x0 <= x < x1 of row y to alpha where it is lower (drawn things join by their
  // maximum, so overlapping parts of one stroke never darken).
  void MaxRun(int32_t y, int32_t x0, int32_t x1, uint8_t alpha);
  void MaxRun(int32_t y, int32_t x0, const uint8_t* alphas, int32_t count);
  // The tiles that hold coverage, adjacent tiles of a row merged: what to repaint when this changes.
  std::vector<TRect> TileRects() const;
  void Clear();

  // Calls fn(y, x0, alphas, count) for the stored runs of rows inside area (clipped to it); alphas may hold zeros.
  template <class F>
  void ForEachRun(const TRect& area, F&& fn) const;

 private:
  struct TTile;
  struct TGrid;
  std::unique_ptr<TGrid> FGrid;
  const uint8_t* TileAt(int32_t tileX, int32_t tileY) const;
};

// Blends colour over target where coverage is drawn inside area (surface coordinates). coverage's pixel p lands on
// surface point p + offset; target's top-left pixel stands for surface point targetOrigin. The colour's alpha scales
// the coverage; target stays opaque.
void BlendCoverage(const TCoverage& coverage, TPoint offset, TBgra colour, const TRect& area, const TImageView& target,
                   TPoint targetOrigin);

template <class F>
void TCoverage::ForEachRun(const TRect& area, F&& fn) const {
  const TRect clipped = area.Intersect(Bounds());
  if (clipped.IsEmpty()) return;
  const auto floorDiv = [](int32_t v) { return v >= 0 ? v / TileSize : -((-v + TileSize - 1) / TileSize); };
  for (int32_t ty = floorDiv(clipped.Top); ty * TileSize < clipped.Bottom; ++ty) {
    for (int32_t tx = floorDiv(clipped.Left); tx * TileSize < clipped.Right; ++tx) {
      const uint8_t* tile = TileAt(tx, ty);
      if (!tile) continue;
      const TRect tileRect = TRect::FromSize(tx * TileSize, ty * TileSize, TileSize, TileSize).Intersect(clipped);
      for (int32_t y = tileRect.Top; y < tileRect.Bottom; ++y)
        fn(y, tileRect.Left, tile + (y - ty * TileSize) * TileSize + (tileRect.Left - tx * TileSize), tileRect.Width());
    }
  }
}

}  // namespace qor
