#pragma once
// Small pictures for the writer tests: noise (nothing to predict), flat runs and smooth gradients.
#include <cstdint>

#include "base/Image.h"

namespace qor::test {

// Every pixel differs from its neighbours; the alpha byte is left 0 as a screen grab leaves it.
inline TImage NoiseImage(int32_t width, int32_t height, uint32_t seed = 1) {
  TImage image(width, height);
  uint32_t s = seed * 2654435761u + 1;
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) {
      s = s * 1664525u + 1013904223u;
      image.View().At(x, y) = TBgra{uint8_t(s >> 24), uint8_t(s >> 16), uint8_t(s >> 8), 0};
    }
  return image;
}

// A photo-like smooth colour gradient (a fixed slope, whatever the size), with a flat block by default: what JPEG
// keeps well. The block's hard edges cost small pictures most of their PSNR (chroma is stored at half size).
inline TImage SmoothImage(int32_t width, int32_t height, bool flatBlock = true) {
  TImage image(width, height);
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) {
      const int r = 40 + (x % 300) / 2;
      const int g = 60 + (y % 240) / 2;
      const int b = 200 - (r + g) / 4;
      image.View().At(x, y) = TBgra{uint8_t(b), uint8_t(g), uint8_t(r), 255};
    }
  if (!flatBlock) return image;
  for (int32_t y = height / 4; y < height / 2; ++y)
    for (int32_t x = width / 4; x < width / 2; ++x) image.View().At(x, y) = TBgra{150, 120, 100, 255};
  return image;
}

}  // namespace qor::test
