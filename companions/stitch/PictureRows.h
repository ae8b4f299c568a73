#pragma once
// The signature rows of the stitched picture, kept in step with its pixel rows, so that a frame can be matched
// against the picture's end itself (after frames that did not join, the last accepted frame may lie far from
// it). Adding and dropping rows at either end costs in proportion to the rows, never to the picture.
#include <cstdint>
#include <vector>

#include "companions/stitch/FrameSignature.h"

namespace qor::stitch {

class TPictureRows {
 public:
  void Clear() { FStore.clear(), FFirst = FCount = 0; }
  int32_t Height() const { return int32_t(FCount); }
  // Replaces the bottom `drop` rows with rows [from, to) of the frame's signature.
  void JoinBelow(const TFrameSignature& frame, int32_t drop, int32_t from, int32_t to);
  // Replaces the top `drop` rows with rows [from, to) of the frame's signature.
  void JoinAbove(const TFrameSignature& frame, int32_t drop, int32_t from, int32_t to);
  // The signature of `height` picture rows from row `top` on, as if one frame had shown them.
  void Window(int32_t top, int32_t height, int32_t width, int strips, TFrameSignature& out) const;

 private:
  struct TRow {
    uint64_t Cells[MaxStrips];
    uint32_t Flat;
  };
  static TRow Copy(const TFrameSignature& frame, int32_t y);
  // Room for `front` more rows before the first and `back` more after the last (grown geometrically).
  void Reserve(size_t front, size_t back);
  // Rows FStore[FFirst, FFirst + FCount), with room on both sides, like the picture's pixels.
  std::vector<TRow> FStore;
  size_t FFirst = 0;
  size_t FCount = 0;
};

}  // namespace qor::stitch
