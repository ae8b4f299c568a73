#include "base/PixelOps.h"

#include <algorithm>
#include <cstring>
#include <thread>
#include <vector>

namespace qor {

namespace {

// Exact round(v * alpha / 255) for 8-bit v and alpha, in a form the compiler vectorises.
inline uint8_t ScaleByte(uint32_t v, uint32_t alpha) {
  const uint32_t t = v * alpha + 128;
  return uint8_t((t + (t >> 8)) >> 8);
}

}  // namespace

void BlendOverBlack(const TConstImageView& source, const TImageView& target, uint8_t alpha) {
  const int32_t width = std::min(source.Width, target.Width);
  const int32_t height = std::min(source.Height, target.Height);
  if (width <= 0 || height <= 0 || !source.Pixels || !target.Pixels) return;
  const size_t bytes = size_t(width) * 4;
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* in = reinterpret_cast<const uint8_t*>(source.Row(y));
    uint8_t* out = reinterpret_cast<uint8_t*>(target.Row(y));
    for (size_t i = 0; i < bytes; ++i) out[i] = ScaleByte(in[i], alpha);
    // Alpha bytes were scaled with the rest (cheaper than skipping them); the result is opaque.
    for (size_t i = 3; i < bytes; i += 4) out[i] = 255;
  }
}

void BlendOverBlackInStrips(const TConstImageView& source, const TImageView& target, uint8_t alpha, int strips) {
  const int32_t width = std::min(source.Width, target.Width);
  const int32_t height = std::min(source.Height, target.Height);
  strips = std::clamp(strips, 1, std::max(1, height));
  const auto strip = [&](int i) {
    const TRect band{0, int32_t(int64_t(height) * i / strips), width, int32_t(int64_t(height) * (i + 1) / strips)};
    BlendOverBlack(source.Sub(band), target.Sub(band), alpha);
  };
  std::vector<std::thread> helpers;
  for (int i = 1; i < strips; ++i) helpers.emplace_back(strip, i);
  strip(0);
  for (std::thread& helper : helpers) helper.join();
}

void CopyPixels(const TConstImageView& source, const TImageView& target) {
  const int32_t width = std::min(source.Width, target.Width);
  const int32_t height = std::min(source.Height, target.Height);
  if (width <= 0 || height <= 0 || !source.Pixels || !target.Pixels) return;
  for (int32_t y = 0; y < height; ++y) std::memmove(target.Row(y), source.Row(y), size_t(width) * 4);
}

TImage CropImage(const TConstImageView& source, const TRect& r) {
  const TConstImageView part = source.Sub(r);
  if (part.IsEmpty()) return {};
  TImage result(part.Width, part.Height);
  CopyPixels(part, result.View());
  return result;
}

}  // namespace qor
