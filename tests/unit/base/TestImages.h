#pragma once
// Pictures for the pixel tests and ways to compare them: noise (nothing to predict, every pixel differs from its
// neighbours), a pattern where a swapped row, column or channel shows, and smooth gradients.
#include <gtest/gtest.h>

#include <cstdint>

#include "base/Image.h"

namespace qor::test {

// The alpha byte is left 0 as a screen grab leaves it.
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

// Every pixel differs; opaque unless withAlpha.
inline TImage Pattern(int32_t width, int32_t height, bool withAlpha = false) {
  TImage image(width, height);
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x)
      image.View().At(x, y) = TBgra{uint8_t(x * 7 + y), uint8_t(y * 13 + 1), uint8_t(x * 3 + y * 5 + 2),
                                    withAlpha ? uint8_t(x + y * 11) : uint8_t(255)};
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

inline bool SameRgb(TBgra a, TBgra b) { return a.R == b.R && a.G == b.G && a.B == b.B; }

// Pixels whose colour differs between two pictures inside r.
inline int CountDifferent(const TConstImageView& a, const TConstImageView& b, const TRect& r) {
  int n = 0;
  for (int32_t y = r.Top; y < r.Bottom; ++y)
    for (int32_t x = r.Left; x < r.Right; ++x) n += SameRgb(a.At(x, y), b.At(x, y)) ? 0 : 1;
  return n;
}

// The same size and colours (and alpha too when asked); names the first differing pixel.
inline void ExpectSamePixels(const TConstImageView& expected, const TConstImageView& actual, bool alpha = false) {
  ASSERT_EQ(actual.Width, expected.Width);
  ASSERT_EQ(actual.Height, expected.Height);
  for (int32_t y = 0; y < expected.Height; ++y)
    for (int32_t x = 0; x < expected.Width; ++x) {
      const TBgra e = expected.At(x, y), a = actual.At(x, y);
      ASSERT_TRUE(SameRgb(e, a) && (!alpha || e.A == a.A)) << "pixel " << x << "," << y;
    }
}

}  // namespace qor::test
