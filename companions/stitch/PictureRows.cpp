#include "companions/stitch/PictureRows.h"

#include <algorithm>

namespace qor::stitch {

TPictureRows::TRow TPictureRows::Copy(const TFrameSignature& frame, int32_t y) {
  TRow row{};
  std::copy(frame.Row(y), frame.Row(y) + frame.Strips(), row.Cells);
  row.Flat = frame.FlatMask(y);
  return row;
}

void TPictureRows::JoinBelow(const TFrameSignature& frame, int32_t drop, int32_t from, int32_t to) {
  FRows.erase(FRows.end() - std::min<ptrdiff_t>(drop, ptrdiff_t(FRows.size())), FRows.end());
  for (int32_t y = from; y < to; ++y) FRows.push_back(Copy(frame, y));
}

void TPictureRows::JoinAbove(const TFrameSignature& frame, int32_t drop, int32_t from, int32_t to) {
  FRows.erase(FRows.begin(), FRows.begin() + std::min<ptrdiff_t>(drop, ptrdiff_t(FRows.size())));
  for (int32_t y = to - 1; y >= from; --y) FRows.push_front(Copy(frame, y));
}

void TPictureRows::Window(int32_t top, int32_t height, int32_t width, int strips, TFrameSignature& out) const {
  out.Resize(width, height, strips);
  for (int32_t y = 0; y < height; ++y) {
    const TRow& row = FRows[size_t(top + y)];
    out.SetRow(y, row.Cells, row.Flat);
  }
}

}  // namespace qor::stitch
