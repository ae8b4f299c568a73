#include "scroll/LongResult.h"

#include <algorithm>
#include <cstring>

namespace qor {

namespace {

// The rows of a checked BMP file image, addressed top-down.
class TBmpRows {
 public:
  TBmpRows(const uint8_t* data, const TBmpLayout& layout) : FData(data), FLayout(layout) {}

  // Decodes picture rows [first, first + count) into dest's rows [0, count).
  void Decode(int32_t first, int32_t count, const TImageView& dest) const {
    if (count <= 0) return;
    TBmpLayout band = FLayout;
    band.Height = count;
    const int32_t storedFirst = FLayout.TopDown ? first : FLayout.Height - (first + count);
    band.PixelOffset += size_t(storedFirst) * FLayout.RowStride;
    DecodeBmpPixels(FData, band, dest);
  }

  bool RowEquals(int32_t y, const TBgra* row, std::vector<TBgra>& scratch) const {
    if (FLayout.BitsPerPixel == 24 && FLayout.Width > 1) {
      // The library's kind, compared in place: each pixel's three bytes read as one 32-bit word (the last pixel's
      // word would reach past the row, so it is compared alone).
      const uint8_t* src =
          FData + FLayout.PixelOffset + size_t(FLayout.TopDown ? y : FLayout.Height - 1 - y) * FLayout.RowStride;
      const int32_t last = FLayout.Width - 1;
      uint32_t differ = 0;
      for (int32_t x = 0; x < last; ++x) {
        uint32_t stored, kept;
        std::memcpy(&stored, src + size_t(x) * 3, 4);
        std::memcpy(&kept, row + x, 4);
        differ |= (stored | 0xFF000000u) ^ kept;
      }
      const uint8_t* end = src + size_t(last) * 3;
      return differ == 0 && TBgra{end[0], end[1], end[2], 255} == row[last];
    }
    scratch.resize(size_t(FLayout.Width));
    Decode(y, 1, TImageView{reinterpret_cast<uint8_t*>(scratch.data()), FLayout.Width, 1, 0});
    return std::memcmp(scratch.data(), row, scratch.size() * sizeof(TBgra)) == 0;
  }

 private:
  const uint8_t* FData;
  TBmpLayout FLayout;
};

}  // namespace

TConstImageView TLongResult::View() const {
  if (FHeight == 0) return {};
  return TConstImageView{reinterpret_cast<const uint8_t*>(FRows.data() + size_t(FFirst) * size_t(FWidth)), FWidth,
                         FHeight, ptrdiff_t(FWidth) * ptrdiff_t(sizeof(TBgra))};
}

void TLongResult::Clear() {
  FRows = {};
  FScratch = {};
  FCapacity = FFirst = FWidth = FHeight = FPrepended = 0;
  FBandLimit = MinBandLimit;
}

void TLongResult::Reshape(int32_t shift, int32_t height) {
  const int32_t first = FFirst - shift;
  if (first >= 0 && first + height <= FCapacity) {
    FFirst = first;
    FHeight = height;
    return;
  }
  // Room for as many rows again, split between both ends, so growth copies add up to a constant per row.
  const int32_t capacity = std::max(height * 2, height + 2 * 256);
  const int32_t newFirst = (capacity - height) / 2;
  std::vector<TBgra> rows(size_t(capacity) * size_t(FWidth));
  for (int32_t y = 0; y < FHeight; ++y) {
    const int32_t to = y + shift;
    if (to < 0 || to >= height) continue;
    std::memcpy(rows.data() + (size_t(newFirst) + to) * size_t(FWidth), BufferRow(y), size_t(FWidth) * sizeof(TBgra));
  }
  FRows = std::move(rows);
  FCapacity = capacity;
  FFirst = newFirst;
  FHeight = height;
}

void TLongResult::TakeWhole(const uint8_t* bmp, const TBmpLayout& layout) {
  FRows = {};
  FCapacity = FFirst = FHeight = 0;
  FWidth = layout.Width;
  Reshape(0, layout.Height);
  TBmpRows(bmp, layout)
      .Decode(0, layout.Height,
              TImageView{reinterpret_cast<uint8_t*>(BufferRow(0)), FWidth, FHeight,
                         ptrdiff_t(FWidth) * ptrdiff_t(sizeof(TBgra))});
  FPrepended = 0;
  FBandLimit = std::max(MinBandLimit, layout.Height);
}

bool TLongResult::Update(const uint8_t* bmp, size_t size, bool downward, TRowSpan& changed) {
  TBmpLayout layout;
  if (bmp == nullptr || ParseBmp(bmp, size, layout) != TBmpError::None) return false;
  const TBmpRows source(bmp, layout);
  const int32_t oldHeight = FHeight, newHeight = layout.Height;
  const int32_t limit = FBandLimit;
  auto sameRows = [&](int32_t oldFirst, int32_t oldEnd, int32_t shift) {
    for (int32_t y = oldFirst; y < oldEnd; ++y)
      if (!source.RowEquals(y + shift, BufferRow(y), FScratch)) return false;
    return true;
  };
  auto asView = [&](int32_t first, int32_t count) {
    return TImageView{reinterpret_cast<uint8_t*>(BufferRow(first)), FWidth, count,
                      ptrdiff_t(FWidth) * ptrdiff_t(sizeof(TBgra))};
  };

  // The end changed: old rows from the first difference in the last `limit` rows onward are replaced. The rows
  // above the window must match too, or the library joined the other way.
  auto tryEnd = [&]() {
    const int32_t overlap = std::min(oldHeight, newHeight);
    const int32_t window = std::min(std::max(0, oldHeight - limit), overlap);
    if (!sameRows(0, std::min(window, limit), 0)) return false;
    int32_t first = window;
    while (first < overlap && source.RowEquals(first, BufferRow(first), FScratch)) ++first;
    Reshape(0, newHeight);
    source.Decode(first, newHeight - first, asView(first, newHeight - first));
    changed = {first, newHeight - first};
    FPrepended = 0;
    return true;
  };
  // The start changed: old row y is new row y + shift; old rows up to the last difference in the first `limit`
  // rows are replaced, and the rows below the window must match.
  auto tryStart = [&]() {
    const int32_t shift = newHeight - oldHeight;
    const int32_t low = std::max(0, -shift);
    const int32_t high = std::max(low, std::min(oldHeight, limit));
    if (!sameRows(std::max(high, oldHeight - limit), oldHeight, shift)) return false;
    int32_t kept = high;  // first old row that stays
    while (kept > low && source.RowEquals(kept - 1 + shift, BufferRow(kept - 1), FScratch)) --kept;
    Reshape(shift, newHeight);
    source.Decode(0, kept + shift, asView(0, kept + shift));
    changed = {0, kept + shift};
    FPrepended = shift;
    return true;
  };

  const bool keep = oldHeight > 0 && layout.Width == FWidth;
  if (!keep || (!(downward ? tryEnd() : tryStart()) && !(downward ? tryStart() : tryEnd()))) {
    TakeWhole(bmp, layout);
    changed = {0, FHeight};
  }
  return true;
}

}  // namespace qor
