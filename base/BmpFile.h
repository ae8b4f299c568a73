#pragma once
// BMP file images in memory: a reader for the uncompressed 24- and 32-bit kinds that screen grabs and other
// programs produce, and a writer of a complete file image (file header, info header, pixels) from a view.
// The reader checks every field against the bytes it was given before it touches a pixel, so a short or lying
// file yields an error value, never a read outside the buffer.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/Image.h"

namespace qor {

enum class TBmpError {
  None,
  Truncated,               // fewer bytes than the headers or the pixel rows need
  NotBmp,                  // no "BM" signature
  BadHeader,               // an info header size, plane count or pixel offset that makes no sense
  BadSize,                 // width or height zero, negative width, or beyond the supported size
  UnsupportedBitCount,     // anything but 24 or 32 bits per pixel
  UnsupportedCompression,  // RLE, JPEG, PNG, or bit fields other than the standard masks
};

// A short English name of the error, for logs and command-line tools.
const char* BmpErrorText(TBmpError error);

// The largest width or height the reader accepts (tall stitched pictures included); the pixels must be present
// in the data anyway, so no header can make the reader allocate more than the data it was given.
constexpr int32_t BmpMaxDimension = 1 << 20;
// File header (14 bytes) plus BITMAPINFOHEADER (40 bytes): what the writer puts before the pixels.
constexpr size_t BmpHeadersSize = 54;

// Where the pixels of a checked BMP file image lie and how they are stored.
struct TBmpLayout {
  int32_t Width = 0;
  int32_t Height = 0;
  int BitsPerPixel = 0;    // 24 or 32
  bool TopDown = false;    // rows stored top row first (negative height in the file)
  bool HasAlpha = false;   // 32-bit with an alpha mask; otherwise the fourth byte is unused and reads as opaque
  size_t PixelOffset = 0;  // from the start of the file image
  size_t RowStride = 0;    // bytes per stored row, padded to 4
};

// Checks the headers and that all pixel rows lie inside the size bytes at data.
TBmpError ParseBmp(const uint8_t* data, size_t size, TBmpLayout& layout);

// Converts the checked pixels into dest (which must be layout.Width x layout.Height) as top-down BGRA.
void DecodeBmpPixels(const uint8_t* data, const TBmpLayout& layout, const TImageView& dest);

// Parse and decode in one step; image is left empty on failure.
TBmpError ReadBmp(const uint8_t* data, size_t size, TImage& image);

// Bytes per stored row for a width and bit count (rows are padded to 4 bytes).
constexpr size_t BmpRowStride(int32_t width, int bitsPerPixel) {
  return (size_t(width) * size_t(bitsPerPixel) / 8 + 3) & ~size_t(3);
}

// Writes the 54 bytes of file header and BITMAPINFOHEADER (BI_RGB, no palette) for an image whose pixel rows
// follow at once. topDown stores the height negated.
void WriteBmpHeaders(uint8_t* dest, int32_t width, int32_t height, int bitsPerPixel, bool topDown);

// A complete bottom-up BMP file image of the view, 24 or 32 bits per pixel (32 keeps the alpha byte as it is).
// Empty for an empty view or another bit count.
// One row of pixels as a BMP stores it: BGRA as it is (32 bits) or BGR (24 bits); the padding is the caller's.
void PackBmpRow(const TBgra* in, int32_t width, int bitsPerPixel, uint8_t* out);

std::vector<uint8_t> WriteBmp(const TConstImageView& view, int bitsPerPixel = 24);

}  // namespace qor
