#pragma once
// Columns at the sides of a frame that stay in place while the rest scrolls: a navigation sidebar, frozen
// columns, a minimap. The picture shows them once, next to the rows of the first frame, as every frame shows
// them; next to the other rows they are filled with their background colour, so that they are neither repeated
// nor smeared down the picture.
#include <cstddef>
#include <cstdint>

#include "base/Image.h"
#include "companions/stitch/FrameMatcher.h"

namespace qor::stitch {

struct TFixedColumns {
  int32_t Left = 0;   // pixel columns [0, Left)
  int32_t Right = 0;  // pixel columns [width - Right, width)
  TBgra LeftFill, RightFill;
  int32_t Top = 0, Bottom = 0;  // the frame rows [Top, Bottom) they cover (between the bands)

  bool Any() const { return Left > 0 || Right > 0; }
  // Puts them into a 24-bit picture row that was written from frame row `frameRow` and lies `firstRow` rows below
  // the first frame's top row.
  void Fill(uint8_t* row, const TConstImageView& frame, int32_t frameRow, int64_t firstRow) const;
};

// 24-bit rows of the picture: row r (0 = top) starts at Top + r * Stride.
struct TBgrRows {
  const uint8_t* Top = nullptr;
  ptrdiff_t Stride = 0;
};

// Finds them, to the pixel, at the first join: `older` is the first frame as the picture holds it, `newer` the
// frame that joins it with `match`, `strips` the number of signature strips.
TFixedColumns FindFixedColumns(const TBgrRows& older, const TConstImageView& newer, const TFrameMatch& match,
                               int strips);

}  // namespace qor::stitch
