#include "base/BmpFile.h"

#include <cstring>

namespace qor {

namespace {

constexpr size_t FileHeaderSize = 14;
constexpr size_t InfoHeaderSize = 40;
constexpr uint32_t BiRgb = 0;
constexpr uint32_t BiBitfields = 3;

uint16_t Get16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
uint32_t Get32(const uint8_t* p) {
  return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
void Put16(uint8_t* p, uint16_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
}
void Put32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}

}  // namespace

const char* BmpErrorText(TBmpError error) {
  switch (error) {
    case TBmpError::None: return "no error";
    case TBmpError::Truncated: return "truncated BMP data";
    case TBmpError::NotBmp: return "not a BMP file";
    case TBmpError::BadHeader: return "inconsistent BMP header";
    case TBmpError::BadSize: return "unsupported BMP dimensions";
    case TBmpError::UnsupportedBitCount: return "unsupported BMP bit count (only 24 and 32 bits per pixel)";
    case TBmpError::UnsupportedCompression: return "unsupported BMP compression";
  }
  return "unknown BMP error";
}

TBmpError ParseBmp(const uint8_t* data, size_t size, TBmpLayout& layout) {
  layout = {};
  if (data == nullptr || size < FileHeaderSize + 4) return TBmpError::Truncated;
  if (data[0] != 'B' || data[1] != 'M') return TBmpError::NotBmp;
  const uint32_t fileSize = Get32(data + 2);
  const uint32_t pixelOffset = Get32(data + 10);
  const uint32_t infoSize = Get32(data + 14);
  // Only the Windows headers (40 bytes and the later versions that extend it); the old 12-byte OS/2 header
  // and sizes that run past the data are refused.
  if (infoSize < InfoHeaderSize || infoSize > 1024) return TBmpError::BadHeader;
  if (size < FileHeaderSize + infoSize) return TBmpError::Truncated;
  const uint8_t* info = data + FileHeaderSize;
  const int32_t width = int32_t(Get32(info + 4));
  const int32_t rawHeight = int32_t(Get32(info + 8));
  const uint16_t planes = Get16(info + 12);
  const uint16_t bitCount = Get16(info + 14);
  const uint32_t compression = Get32(info + 16);
  if (planes != 1) return TBmpError::BadHeader;
  if (bitCount != 24 && bitCount != 32) return TBmpError::UnsupportedBitCount;
  if (width <= 0 || rawHeight == 0 || width > BmpMaxDimension || rawHeight > BmpMaxDimension ||
      rawHeight < -BmpMaxDimension)
    return TBmpError::BadSize;
  const int32_t height = rawHeight < 0 ? -rawHeight : rawHeight;

  size_t headersEnd = FileHeaderSize + infoSize;
  bool hasAlpha = false;
  if (compression == BiBitfields) {
    if (bitCount != 32) return TBmpError::UnsupportedCompression;
    const uint8_t* masks = info + InfoHeaderSize;
    if (infoSize == InfoHeaderSize) {
      headersEnd += 12;  // the three masks follow a plain info header
      if (size < headersEnd) return TBmpError::Truncated;
    } else if (infoSize < 52) {
      return TBmpError::BadHeader;
    }
    if (Get32(masks) != 0x00FF0000u || Get32(masks + 4) != 0x0000FF00u || Get32(masks + 8) != 0x000000FFu)
      return TBmpError::UnsupportedCompression;
    if (infoSize >= 56) {
      const uint32_t alphaMask = Get32(masks + 12);
      if (alphaMask != 0 && alphaMask != 0xFF000000u) return TBmpError::UnsupportedCompression;
      hasAlpha = alphaMask != 0;
    }
  } else if (compression != BiRgb) {
    return TBmpError::UnsupportedCompression;
  }

  if (pixelOffset < headersEnd) return TBmpError::BadHeader;
  const size_t stride = BmpRowStride(width, bitCount);
  const uint64_t pixelBytes = uint64_t(stride) * uint64_t(height);
  const uint64_t needed = uint64_t(pixelOffset) + pixelBytes;
  // A file size field that claims more than we were given, or less than its own pixels, is a lie.
  if (needed > size || fileSize > size) return TBmpError::Truncated;
  if (fileSize != 0 && fileSize < needed) return TBmpError::BadHeader;

  layout.Width = width;
  layout.Height = height;
  layout.BitsPerPixel = bitCount;
  layout.TopDown = rawHeight < 0;
  layout.HasAlpha = hasAlpha;
  layout.PixelOffset = pixelOffset;
  layout.RowStride = stride;
  return TBmpError::None;
}

void DecodeBmpPixels(const uint8_t* data, const TBmpLayout& layout, const TImageView& dest) {
  const uint8_t* pixels = data + layout.PixelOffset;
  for (int32_t y = 0; y < layout.Height; ++y) {
    const int32_t stored = layout.TopDown ? y : layout.Height - 1 - y;
    const uint8_t* src = pixels + size_t(stored) * layout.RowStride;
    TBgra* out = dest.Row(y);
    if (layout.BitsPerPixel == 32 && layout.HasAlpha) {
      std::memcpy(out, src, size_t(layout.Width) * 4);
    } else if (layout.BitsPerPixel == 32) {
      // One pass that copies and makes the unused fourth byte opaque.
      uint32_t* out32 = reinterpret_cast<uint32_t*>(out);
      for (int32_t x = 0; x < layout.Width; ++x) {
        uint32_t v;
        std::memcpy(&v, src + size_t(x) * 4, 4);
        out32[x] = v | 0xFF000000u;
      }
    } else {
      for (int32_t x = 0; x < layout.Width; ++x, src += 3) out[x] = TBgra{src[0], src[1], src[2], 255};
    }
  }
}

TBmpError ReadBmp(const uint8_t* data, size_t size, TImage& image) {
  image = TImage();
  TBmpLayout layout;
  const TBmpError error = ParseBmp(data, size, layout);
  if (error != TBmpError::None) return error;
  TImage decoded(layout.Width, layout.Height);
  DecodeBmpPixels(data, layout, decoded.View());
  image = std::move(decoded);
  return TBmpError::None;
}

void WriteBmpHeaders(uint8_t* dest, int32_t width, int32_t height, int bitsPerPixel, bool topDown) {
  const size_t pixelBytes = BmpRowStride(width, bitsPerPixel) * size_t(height);
  std::memset(dest, 0, BmpHeadersSize);
  dest[0] = 'B';
  dest[1] = 'M';
  Put32(dest + 2, uint32_t(BmpHeadersSize + pixelBytes));
  Put32(dest + 10, uint32_t(BmpHeadersSize));
  uint8_t* info = dest + FileHeaderSize;
  Put32(info, uint32_t(InfoHeaderSize));
  Put32(info + 4, uint32_t(width));
  Put32(info + 8, uint32_t(topDown ? -height : height));
  Put16(info + 12, 1);
  Put16(info + 14, uint16_t(bitsPerPixel));
  Put32(info + 16, BiRgb);
  Put32(info + 20, uint32_t(pixelBytes));
  Put32(info + 24, 3780);  // 96 dots per inch, in pixels per metre
  Put32(info + 28, 3780);
}

void PackBmpRow(const TBgra* in, int32_t width, int bitsPerPixel, uint8_t* out) {
  if (bitsPerPixel == 32) {
    std::memcpy(out, in, size_t(width) * 4);
    return;
  }
  for (int32_t x = 0; x < width; ++x, out += 3) {
    out[0] = in[x].B;
    out[1] = in[x].G;
    out[2] = in[x].R;
  }
}

std::vector<uint8_t> WriteBmp(const TConstImageView& view, int bitsPerPixel) {
  if (view.IsEmpty() || (bitsPerPixel != 24 && bitsPerPixel != 32)) return {};
  const size_t stride = BmpRowStride(view.Width, bitsPerPixel);
  std::vector<uint8_t> file(BmpHeadersSize + stride * size_t(view.Height), 0);
  WriteBmpHeaders(file.data(), view.Width, view.Height, bitsPerPixel, false);
  for (int32_t y = 0; y < view.Height; ++y) {
    uint8_t* out = file.data() + BmpHeadersSize + size_t(view.Height - 1 - y) * stride;
    PackBmpRow(view.Row(y), view.Width, bitsPerPixel, out);
  }
  return file;
}

}  // namespace qor
