#include "engine/Coverage.h"

#include <algorithm>
#include <cstring>

namespace qor {

namespace {

constexpr int32_t TileShift = 5;
static_assert(TCoverage::TileSize == 1 << TileShift);
constexpr int32_t TileMask = TCoverage::TileSize - 1;

// Exact round(v / 255) for 0 <= v <= 255 * 255.
constexpr uint32_t Div255(uint32_t v) {
  v += 128;
  return (v + (v >> 8)) >> 8;
}

}  // namespace

struct TCoverage::TTile {
  uint8_t Alpha[TileSize * TileSize] = {};
};

// A rectangle of tile slots over the touched area; it grows (with slack, so a growing stroke does not re-grow at
// every step) when coverage lands outside it.
struct TCoverage::TGrid {
  int32_t TileLeft = 0;
  int32_t TileTop = 0;
  int32_t Columns = 0;
  int32_t Rows = 0;
  std::vector<std::unique_ptr<TTile>> Tiles;
  TRect Bounds;

  TTile* Find(int32_t tx, int32_t ty) const {
    const int64_t c = int64_t(tx) - TileLeft, r = int64_t(ty) - TileTop;
    if (c < 0 || r < 0 || c >= Columns || r >= Rows) return nullptr;
    return Tiles[size_t(r * Columns + c)].get();
  }

  TTile& Get(int32_t tx, int32_t ty) {
    if (tx < TileLeft || ty < TileTop || tx >= TileLeft + Columns || ty >= TileTop + Rows) Grow(tx, ty);
    auto& slot = Tiles[size_t(int64_t(ty - TileTop) * Columns + (tx - TileLeft))];
    if (!slot) slot = std::make_unique<TTile>();
    return *slot;
  }

  void Grow(int32_t tx, int32_t ty) {
    int32_t left = tx, top = ty, right = tx + 1, bottom = ty + 1;
    if (Columns > 0) {
      const int32_t slackX = std::max(4, Columns), slackY = std::max(4, Rows);
      left = tx < TileLeft ? tx - slackX : TileLeft;
      right = tx >= TileLeft + Columns ? tx + 1 + slackX : TileLeft + Columns;
      top = ty < TileTop ? ty - slackY : TileTop;
      bottom = ty >= TileTop + Rows ? ty + 1 + slackY : TileTop + Rows;
    }
    std::vector<std::unique_ptr<TTile>> tiles(size_t(int64_t(right - left) * (bottom - top)));
    for (int32_t r = 0; r < Rows; ++r)
      for (int32_t c = 0; c < Columns; ++c)
        tiles[size_t(int64_t(r + TileTop - top) * (right - left) + (c + TileLeft - left))] =
            std::move(Tiles[size_t(int64_t(r) * Columns + c)]);
    Tiles = std::move(tiles);
    TileLeft = left;
    TileTop = top;
    Columns = right - left;
    Rows = bottom - top;
  }

  void Touch(int32_t y, int32_t x0, int32_t x1) {
    const TRect run{x0, y, x1, y + 1};
    if (Bounds.IsEmpty()) {
      Bounds = run;
      return;
    }
    Bounds = {std::min(Bounds.Left, run.Left), std::min(Bounds.Top, run.Top), std::max(Bounds.Right, run.Right),
              std::max(Bounds.Bottom, run.Bottom)};
  }
};

TCoverage::TCoverage() : FGrid(std::make_unique<TGrid>()) {}
TCoverage::~TCoverage() = default;
TCoverage::TCoverage(TCoverage&&) noexcept = default;
TCoverage& TCoverage::operator=(TCoverage&&) noexcept = default;

bool TCoverage::IsEmpty() const { return !FGrid || FGrid->Bounds.IsEmpty(); }

TRect TCoverage::Bounds() const { return FGrid ? FGrid->Bounds : TRect{}; }

uint8_t TCoverage::At(TPoint p) const {
  if (!FGrid) return 0;
  const TTile* tile = FGrid->Find(p.X >> TileShift, p.Y >> TileShift);
  return tile ? tile->Alpha[(p.Y & TileMask) * TileSize + (p.X & TileMask)] : 0;
}

const uint8_t* TCoverage::TileAt(int32_t tileX, int32_t tileY) const {
  const TTile* tile = FGrid ? FGrid->Find(tileX, tileY) : nullptr;
  return tile ? tile->Alpha : nullptr;
}

void TCoverage::MaxRun(int32_t y, int32_t x0, int32_t x1, uint8_t alpha) {
  if (alpha == 0 || x0 >= x1) return;
  if (!FGrid) FGrid = std::make_unique<TGrid>();
  FGrid->Touch(y, x0, x1);
  const int32_t ty = y >> TileShift, row = (y & TileMask) * TileSize;
  for (int64_t x = x0; x < x1;) {
    const int32_t tx = int32_t(x) >> TileShift;
    const int64_t end = std::min<int64_t>(x1, (int64_t(tx) + 1) * TileSize);
    uint8_t* cell = FGrid->Get(tx, ty).Alpha + row + (int32_t(x) & TileMask);
    const int32_t n = int32_t(end - x);
    if (alpha == 255)
      std::memset(cell, 255, size_t(n));
    else
      for (int32_t i = 0; i < n; ++i) cell[i] = std::max(cell[i], alpha);
    x = end;
  }
}

void TCoverage::MaxRun(int32_t y, int32_t x0, const uint8_t* alphas, int32_t count) {
  // Zeros at either end create no tiles.
  while (count > 0 && alphas[0] == 0) ++alphas, ++x0, --count;
  while (count > 0 && alphas[count - 1] == 0) --count;
  if (count <= 0) return;
  if (!FGrid) FGrid = std::make_unique<TGrid>();
  FGrid->Touch(y, x0, x0 + count);
  const int32_t ty = y >> TileShift, row = (y & TileMask) * TileSize;
  for (int32_t i = 0; i < count;) {
    const int32_t x = x0 + i;
    const int32_t n = std::min(count - i, TileSize - (x & TileMask));
    uint8_t* cell = FGrid->Get(x >> TileShift, ty).Alpha + row + (x & TileMask);
    for (int32_t k = 0; k < n; ++k) cell[k] = std::max(cell[k], alphas[i + k]);
    i += n;
  }
}

std::vector<TRect> TCoverage::TileRects() const {
  std::vector<TRect> rects;
  if (!FGrid) return rects;
  const TGrid& g = *FGrid;
  for (int32_t r = 0; r < g.Rows; ++r) {
    for (int32_t c = 0; c < g.Columns;) {
      if (!g.Tiles[size_t(int64_t(r) * g.Columns + c)]) {
        ++c;
        continue;
      }
      const int32_t first = c;
      while (c < g.Columns && g.Tiles[size_t(int64_t(r) * g.Columns + c)]) ++c;
      rects.push_back({(g.TileLeft + first) * TileSize, (g.TileTop + r) * TileSize, (g.TileLeft + c) * TileSize,
                       (g.TileTop + r + 1) * TileSize});
    }
  }
  return rects;
}

void TCoverage::Clear() { FGrid = std::make_unique<TGrid>(); }

void BlendCoverage(const TCoverage& coverage, TPoint offset, TBgra colour, const TRect& area, const TImageView& target,
                   TPoint targetOrigin) {
  if (target.IsEmpty() || colour.A == 0) return;
  const TRect surface = area.Intersect(TRect::FromSize(targetOrigin.X, targetOrigin.Y, target.Width, target.Height));
  const TBgra solid{colour.B, colour.G, colour.R, 255};
  coverage.ForEachRun(
      surface.Offset(-offset.X, -offset.Y), [&](int32_t y, int32_t x0, const uint8_t* alphas, int32_t count) {
        TBgra* out = target.Row(y + offset.Y - targetOrigin.Y) + (x0 + offset.X - targetOrigin.X);
        for (int32_t i = 0; i < count; ++i) {
          // Most of a tile along a thin outline is empty: step over eight empty pixels at once.
          uint64_t eight;
          while (i + 8 <= count && (std::memcpy(&eight, alphas + i, 8), eight == 0)) i += 8;
          if (i >= count) break;
          const uint32_t a = colour.A == 255 ? alphas[i] : Div255(uint32_t(alphas[i]) * colour.A);
          if (a == 0) continue;
          if (a == 255) {
            out[i] = solid;
            continue;
          }
          TBgra& d = out[i];
          d = {uint8_t(Div255(a * colour.B + (255 - a) * d.B)), uint8_t(Div255(a * colour.G + (255 - a) * d.G)),
               uint8_t(Div255(a * colour.R + (255 - a) * d.R)), 255};
        }
      });
}

}  // namespace qor
