#include "companions/stitch/PictureRows.h"

#include <algorithm>

namespace qor::stitch {

TPictureRows::TRow TPictureRows::Copy(const TFrameSignature& frame, int32_t y) {
  TRow row{};
  std::copy(frame.Row(y), frame.Row(y) + frame.Strips(), row.Cells);
  row.Flat = frame.FlatMask(y);
  return row;
}

void TPictureRows::Reserve(size_t front, size_t back) {
  const size_t haveBack = FStore.size() - FFirst - FCount;
  if (FFirst >= front && haveBack >= back) return;
  const size_t newFront = FFirst >= front ? FFirst : front + FCount,
               newBack = haveBack >= back ? haveBack : back + FCount;
  std::vector<TRow> store(newFront + FCount + newBack);
  std::copy(FStore.begin() + ptrdiff_t(FFirst), FStore.begin() + ptrdiff_t(FFirst + FCount),
            store.begin() + ptrdiff_t(newFront));
  FStore = std::move(store);
  FFirst = newFront;
}

void TPictureRows::JoinBelow(const TFrameSignature& frame, int32_t drop, int32_t from, int32_t to) {
  FCount -= std::min(size_t(std::max(0, drop)), FCount);
  Reserve(0, size_t(to - from));
  for (int32_t y = from; y < to; ++y) FStore[FFirst + FCount++] = Copy(frame, y);
}

void TPictureRows::JoinAbove(const TFrameSignature& frame, int32_t drop, int32_t from, int32_t to) {
  const size_t dropped = std::min(size_t(std::max(0, drop)), FCount);
  FFirst += dropped, FCount -= dropped;
  Reserve(size_t(to - from), 0);
  for (int32_t y = to - 1; y >= from; --y) FStore[--FFirst] = Copy(frame, y), ++FCount;
}

void TPictureRows::Window(int32_t top, int32_t height, int32_t width, int strips, TFrameSignature& out) const {
  out.Resize(width, height, strips);
  for (int32_t y = 0; y < height; ++y) {
    const TRow& row = FStore[FFirst + size_t(top + y)];
    out.SetRow(y, row.Cells, row.Flat);
  }
}

}  // namespace qor::stitch
