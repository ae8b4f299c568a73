#include "CommonLib/RdControl/DesignRect.h"

#include <algorithm>

namespace qor {

void TDesignRect::SetMargins(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  int32_t l = FLeft, r = FRight, t = FTop, b = FBottom;
  if (right != DesignMarginKeepPair) {
    l = left;
    r = right == DesignMarginSameAsLeft ? left : right;
  }
  if (bottom != DesignMarginKeepPair) {
    t = top;
    b = bottom == DesignMarginSameAsLeft ? top : bottom;
  }
  Set(l, t, r, b, FMode);
}

void TDesignRect::SetStretchMode(TSuperStretchMode mode) { Set(FLeft, FTop, FRight, FBottom, mode); }

void TDesignRect::SetEmpty(bool empty) {
  if (empty) Set(0, 0, 0, 0, TSuperStretchMode::sdmDefault);
}

void TDesignRect::Set(int32_t left, int32_t top, int32_t right, int32_t bottom, TSuperStretchMode mode) {
  const TDesignRect before = *this;
  FLeft = left, FTop = top, FRight = right, FBottom = bottom, FMode = mode;
  if (!(before == *this) && OnChange) OnChange();
}

void TileDesignPiece(const TRect& source, const TRect& dest, std::vector<TDesignPiece>& pieces) {
  if (source.IsEmpty() || dest.IsEmpty()) return;
  for (int32_t y = dest.Top; y < dest.Bottom; y += source.Height()) {
    const int32_t h = std::min(source.Height(), dest.Bottom - y);
    for (int32_t x = dest.Left; x < dest.Right; x += source.Width()) {
      const int32_t w = std::min(source.Width(), dest.Right - x);
      pieces.push_back({TRect::FromSize(source.Left, source.Top, w, h), TRect::FromSize(x, y, w, h)});
    }
  }
}

namespace {

// Tiling only pays for parts longer than this; shorter ones are stretched.
constexpr int32_t MaxStretchedFillLength = 3;

void Stretch(const TRect& source, const TRect& dest, std::vector<TDesignPiece>& pieces) {
  if (!source.IsEmpty() && !dest.IsEmpty()) pieces.push_back({source, dest});
}

}  // namespace

std::vector<TDesignPiece> LayoutDesignRect(TSize picture, const TRect& dest, const TDesignRect& option) {
  std::vector<TDesignPiece> pieces;
  const int32_t w = picture.Width, h = picture.Height, W = dest.Width(), H = dest.Height();
  if (w <= 0 || h <= 0 || W <= 0 || H <= 0) return pieces;
  const TSuperStretchMode mode = option.StretchMode();
  int32_t l = option.Left(), t = option.Top(), r = option.Right(), b = option.Bottom();
  const bool stretchModes = mode == TSuperStretchMode::sdmDefault || mode == TSuperStretchMode::sdmStretch;
  // A picture drawn at its own width (height) is copied whole along that axis.
  if (stretchModes && H == h) t = b = 0;
  if (stretchModes && W == w) l = r = 0;
  // Corners are copied unscaled, so each margin must fit the picture and the target alike.
  l = std::clamp(l, 0, std::min(w, W));
  r = std::clamp(r, 0, std::min(w - l, W - l));
  t = std::clamp(t, 0, std::min(h, H));
  b = std::clamp(b, 0, std::min(h - t, H - t));

  const bool fill = mode == TSuperStretchMode::sdmFill;
  const int32_t X = dest.Left, Y = dest.Top;
  // Columns and rows of the grid in the source and in the target.
  const TRect srcCentre{l, t, w - r, h - b};
  const TRect dstCentre{X + l, Y + t, X + W - r, Y + H - b};

  if (mode != TSuperStretchMode::sdmFrame && mode != TSuperStretchMode::sdmCorner) {
    if (fill && srcCentre.Width() > MaxStretchedFillLength && srcCentre.Height() > MaxStretchedFillLength)
      TileDesignPiece(srcCentre, dstCentre, pieces);
    else
      Stretch(srcCentre, dstCentre, pieces);
  }

  // Corners: top-left, top-right, bottom-left, bottom-right.
  auto corner = [&](int32_t sx, int32_t sy, int32_t dx, int32_t dy, int32_t cw, int32_t ch) {
    if (cw > 0 && ch > 0) pieces.push_back({TRect::FromSize(sx, sy, cw, ch), TRect::FromSize(dx, dy, cw, ch)});
  };
  corner(0, 0, X, Y, l, t);
  corner(w - r, 0, X + W - r, Y, r, t);
  corner(0, h - b, X, Y + H - b, l, b);
  corner(w - r, h - b, X + W - r, Y + H - b, r, b);

  if (mode == TSuperStretchMode::sdmCorner) return pieces;
  // Edges: top, bottom (along the width), left, right (along the height).
  auto edge = [&](const TRect& source, const TRect& target, int32_t length) {
    if (fill && length > MaxStretchedFillLength)
      TileDesignPiece(source, target, pieces);
    else
      Stretch(source, target, pieces);
  };
  edge({l, 0, w - r, t}, {dstCentre.Left, Y, dstCentre.Right, Y + t}, srcCentre.Width());
  edge({l, h - b, w - r, h}, {dstCentre.Left, Y + H - b, dstCentre.Right, Y + H}, srcCentre.Width());
  edge({0, t, l, h - b}, {X, dstCentre.Top, X + l, dstCentre.Bottom}, srcCentre.Height());
  edge({w - r, t, w, h - b}, {X + W - r, dstCentre.Top, X + W, dstCentre.Bottom}, srcCentre.Height());
  return pieces;
}

}  // namespace qor
