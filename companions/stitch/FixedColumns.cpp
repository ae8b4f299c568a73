#include "companions/stitch/FixedColumns.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace qor::stitch {

namespace {

bool Same(const TBgra& a, const uint8_t* bgr) { return a.B == bgr[0] && a.G == bgr[1] && a.R == bgr[2]; }

// The commonest colour of columns [left, right) over rows [top, bottom) of the frame.
TBgra Background(const TConstImageView& frame, int32_t left, int32_t right, int32_t top, int32_t bottom) {
  std::unordered_map<uint32_t, int32_t> counts;
  for (int32_t y = top; y < bottom; ++y)
    for (int32_t x = left; x < right; ++x) {
      const TBgra p = frame.At(x, y);
      ++counts[uint32_t(p.B) | uint32_t(p.G) << 8 | uint32_t(p.R) << 16];
    }
  uint32_t best = 0;
  int32_t bestCount = -1;
  for (const auto& [colour, count] : counts)
    if (count > bestCount || (count == bestCount && colour < best)) best = colour, bestCount = count;
  return TBgra{uint8_t(best), uint8_t(best >> 8), uint8_t(best >> 16), 255};
}

}  // namespace

void TFixedColumns::Fill(uint8_t* row, const TConstImageView& frame, int32_t frameRow, int64_t firstRow) const {
  if (!Any() || frameRow < Top || frameRow >= Bottom) return;
  const bool first = firstRow >= Top && firstRow < Bottom;
  const TBgra* shown = first ? frame.Row(int32_t(firstRow)) : nullptr;
  const auto put = [&](int32_t x, TBgra fill) {
    const TBgra p = shown ? shown[x] : fill;
    row[x * 3] = p.B, row[x * 3 + 1] = p.G, row[x * 3 + 2] = p.R;
  };
  for (int32_t x = 0; x < Left; ++x) put(x, LeftFill);
  for (int32_t x = frame.Width - Right; x < frame.Width; ++x) put(x, RightFill);
}

TFixedColumns FindFixedColumns(const TBgrRows& older, const TConstImageView& newer, const TFrameMatch& match,
                               int strips) {
  TFixedColumns fixed;
  const int32_t w = newer.Width, h = newer.Height, d = match.Displacement;
  const int32_t first = match.TopBand + std::max(0, -d), last = h - match.BottomBand - std::max(0, d);
  if (match.FixedStrips == 0 || last <= first) return fixed;
  // Per pixel column: rows that agree only in place (it stays) against rows that agree only shifted (it scrolls).
  std::vector<int32_t> stays(size_t(w), 0), scrolls(size_t(w), 0);
  for (int32_t y = first; y < last; ++y) {
    const TBgra* now = newer.Row(y);
    const uint8_t* inPlace = older.Top + older.Stride * y;
    const uint8_t* shifted = older.Top + older.Stride * (y + d);
    for (int32_t x = 0; x < w; ++x) {
      const bool a = Same(now[x], inPlace + x * 3), b = Same(now[x], shifted + x * 3);
      stays[size_t(x)] += a && !b;
      scrolls[size_t(x)] += b && !a;
    }
  }
  // A region reaches from the frame's edge to the last column that stays, before the first that scrolls.
  const uint32_t leftHalf = (1u << (strips / 2)) - 1;
  if (match.FixedStrips & leftHalf)
    for (int32_t x = 0; x < w / 2 && scrolls[size_t(x)] <= stays[size_t(x)]; ++x)
      if (stays[size_t(x)] > scrolls[size_t(x)]) fixed.Left = x + 1;
  if (match.FixedStrips & ~leftHalf)
    for (int32_t x = w - 1; x >= w / 2 && scrolls[size_t(x)] <= stays[size_t(x)]; --x)
      if (stays[size_t(x)] > scrolls[size_t(x)]) fixed.Right = w - x;
  fixed.Top = match.TopBand;
  fixed.Bottom = h - match.BottomBand;
  if (fixed.Left > 0) fixed.LeftFill = Background(newer, 0, fixed.Left, fixed.Top, fixed.Bottom);
  if (fixed.Right > 0) fixed.RightFill = Background(newer, w - fixed.Right, w, fixed.Top, fixed.Bottom);
  return fixed;
}

}  // namespace qor::stitch
