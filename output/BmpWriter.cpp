#include "output/BmpWriter.h"

#include <algorithm>
#include <vector>

#include "base/BmpFile.h"

namespace qor {
namespace {

// Rows are packed into a buffer of about this many bytes before they go to the sink.
constexpr size_t BufferBytes = 256 * 1024;

}  // namespace

bool BmpHoldsSize(int32_t width, int32_t height, int bitsPerPixel) {
  if (width <= 0 || height <= 0) return false;
  const uint64_t bytes = uint64_t(BmpHeadersSize) + uint64_t(BmpRowStride(width, bitsPerPixel)) * uint64_t(height);
  return bytes <= UINT32_MAX && height <= INT32_MAX;
}

bool WriteBmpTo(TByteSink& sink, const TConstImageView& view, int bitsPerPixel) {
  if (view.IsEmpty() || (bitsPerPixel != 24 && bitsPerPixel != 32)) return false;
  if (!BmpHoldsSize(view.Width, view.Height, bitsPerPixel)) return false;
  uint8_t headers[BmpHeadersSize];
  WriteBmpHeaders(headers, view.Width, view.Height, bitsPerPixel, false);
  if (!sink.Write(headers, BmpHeadersSize)) return false;

  const size_t stride = BmpRowStride(view.Width, bitsPerPixel);
  const size_t rowsPerBuffer = std::max<size_t>(1, BufferBytes / stride);
  std::vector<uint8_t> buffer(stride * std::min(rowsPerBuffer, size_t(view.Height)), 0);
  size_t filled = 0;
  // Bottom-up: the last row of the view is the first one stored.
  for (int32_t y = view.Height - 1; y >= 0; --y) {
    PackBmpRow(view.Row(y), view.Width, bitsPerPixel, buffer.data() + filled);
    filled += stride;
    if (filled == buffer.size() || y == 0) {
      if (!sink.Write(buffer.data(), filled)) return false;
      filled = 0;
    }
  }
  return true;
}

}  // namespace qor
