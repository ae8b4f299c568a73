#include "companions/stitch/FrameSignature.h"

#include <algorithm>
#include <cstring>

namespace qor::stitch {

namespace {

constexpr uint64_t Prime1 = 0x9E3779B185EBCA87ull;
constexpr uint64_t Prime2 = 0xC2B2AE3D27D4EB4Full;

inline uint64_t Rotl(uint64_t v, int r) { return (v << r) | (v >> (64 - r)); }

inline uint64_t Mix(uint64_t h) {
  h ^= h >> 33;
  h *= Prime2;
  h ^= h >> 29;
  return h;
}

// Hash and flatness of count pixels (read bytewise: rows of a BMP need not be aligned); mask clears the bytes
// that carry no colour. Two independent lanes keep the multiply chains short.
inline uint64_t HashPixels(const uint8_t* p, int32_t count, uint64_t mask, bool& flat) {
  uint64_t a = Prime1, b = Prime2;
  uint32_t firstPixel;
  std::memcpy(&firstPixel, p, 4);
  const uint64_t first = (uint64_t(firstPixel) | (uint64_t(firstPixel) << 32)) & mask;
  uint64_t differ = 0;
  int32_t i = 0;
  for (; i + 4 <= count; i += 4) {
    uint64_t w0, w1;
    std::memcpy(&w0, p + size_t(i) * 4, 8);
    std::memcpy(&w1, p + size_t(i) * 4 + 8, 8);
    w0 &= mask;
    w1 &= mask;
    differ |= (w0 ^ first) | (w1 ^ first);
    a = Rotl(a + w0 * Prime2, 31) * Prime1;
    b = Rotl(b + w1 * Prime2, 31) * Prime1;
  }
  for (; i < count; ++i) {
    uint32_t v;
    std::memcpy(&v, p + size_t(i) * 4, 4);
    const uint64_t w = uint64_t(v) & mask;
    differ |= w ^ (first & 0xFFFFFFFFu);
    a = Rotl(a + w * Prime2, 31) * Prime1;
  }
  flat = differ == 0;
  return Mix(a ^ Rotl(b, 17) ^ uint64_t(count));
}

}  // namespace

void TFrameSignature::Compute(const TConstImageView& frame, bool ignoreAlpha) {
  const uint64_t mask = ignoreAlpha ? 0x00FFFFFF00FFFFFFull : ~0ull;
  // Cells of at least 8 pixels where the width allows.
  Resize(frame.Width, frame.Height, std::clamp<int>(frame.Width / 8, 1, MaxStrips));
  for (int32_t y = 0; y < FHeight; ++y) {
    const uint8_t* row = frame.Pixels + frame.Stride * y;
    uint64_t* cells = FCells.data() + size_t(y) * size_t(FStrips);
    uint32_t flatMask = 0;
    for (int s = 0; s < FStrips; ++s) {
      const int32_t x0 = int32_t(int64_t(s) * FWidth / FStrips);
      const int32_t x1 = int32_t(int64_t(s + 1) * FWidth / FStrips);
      bool flat = false;
      cells[s] = HashPixels(row + size_t(x0) * 4, x1 - x0, mask, flat) + uint64_t(s);
      if (flat) flatMask |= 1u << s;
    }
    SetRow(y, cells, flatMask);
  }
}

void TFrameSignature::Resize(int32_t width, int32_t height, int strips) {
  FWidth = width;
  FHeight = height;
  FStrips = strips;
  FCells.resize(size_t(FHeight) * size_t(FStrips));
  FFlat.assign(size_t(FHeight), 0);
  FRowKeys.assign(size_t(FHeight), 0);
}

void TFrameSignature::SetRow(int32_t y, const uint64_t* cells, uint32_t flat) {
  uint64_t* row = FCells.data() + size_t(y) * size_t(FStrips);
  uint64_t key = 0;
  for (int s = 0; s < FStrips; ++s) {
    row[s] = cells[s];
    key = Mix(key ^ cells[s]) + Prime1;
  }
  FFlat[size_t(y)] = flat;
  FRowKeys[size_t(y)] = key;
}

uint32_t TFrameSignature::DiffMask(int32_t y, const TFrameSignature& other, int32_t otherY) const {
  const uint64_t* a = Row(y);
  const uint64_t* b = other.Row(otherY);
  uint32_t mask = 0;
  for (int s = 0; s < FStrips; ++s) mask |= uint32_t(a[s] != b[s]) << s;
  return mask;
}

}  // namespace qor::stitch
