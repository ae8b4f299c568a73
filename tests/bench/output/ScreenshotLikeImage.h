#pragma once
// A deterministic screenshot-like picture for the save benchmarks: flat window chrome and backgrounds, lines of
// text-like glyphs, and a photo-like area (smooth gradient with sensor-like noise).
#include <cstdint>

#include "base/Image.h"

namespace qor::bench {

inline TImage ScreenshotLikeImage(int32_t width = 3840, int32_t height = 2160) {
  TImage image(width, height, TBgra{0xF3, 0xF3, 0xF3, 0});
  const TImageView v = image.View();
  auto fill = [&](int32_t l, int32_t t, int32_t r, int32_t b, TBgra c) {
    for (int32_t y = t; y < b && y < height; ++y)
      for (int32_t x = l; x < r && x < width; ++x) v.At(x, y) = c;
  };
  // Task bar, title bars, a side panel.
  fill(0, height - 80, width, height, TBgra{0x30, 0x26, 0x20, 0});
  fill(0, 0, width, 64, TBgra{0xFF, 0xFF, 0xFF, 0});
  fill(0, 64, 520, height - 80, TBgra{0xEA, 0xE4, 0xE0, 0});
  fill(width / 2, 64, width / 2 + 2, height - 80, TBgra{0xC8, 0xC8, 0xC8, 0});
  // Text: 8 x 16 glyph cells whose strokes come from a hash of the character position.
  uint32_t s = 12345;
  auto text = [&](int32_t left, int32_t top, int32_t right, int32_t bottom, TBgra ink) {
    for (int32_t line = top; line + 20 <= bottom; line += 24) {
      const int32_t lineEnd = left + (right - left) * int32_t(60 + (line / 24) % 40) / 100;
      for (int32_t cx = left; cx + 8 <= lineEnd; cx += 9) {
        s = s * 1664525u + 1013904223u;
        if ((s >> 28) == 0) continue;  // a blank between words
        const uint32_t glyph = s;
        for (int32_t gy = 0; gy < 16; ++gy)
          for (int32_t gx = 0; gx < 8; ++gx) {
            const bool stroke = gx == int32_t(glyph >> 29) || gy == int32_t((glyph >> 8) & 15) ||
                                (((glyph >> (gx + gy) % 24) & 1) && (gx == 1 || gx == 6));
            if (stroke) v.At(cx + gx, line + gy) = ink;
          }
      }
    }
  };
  text(540, 90, width / 2 - 20, height - 100, TBgra{0x20, 0x20, 0x20, 0});
  text(20, 90, 500, height - 100, TBgra{0xA0, 0x50, 0x10, 0});
  // Photo: smooth gradient plus noise over the right half, below a strip of text.
  text(width / 2 + 20, 90, width - 20, 400, TBgra{0x10, 0x10, 0x10, 0});
  for (int32_t y = 420; y < height - 100; ++y)
    for (int32_t x = width / 2 + 20; x < width - 20; ++x) {
      s = s * 1664525u + 1013904223u;
      const int noise = int(s >> 29) - 4;
      const int r = 60 + (x - width / 2) * 150 / (width / 2) + noise;
      const int g = 90 + (y - 420) * 120 / (height - 520) + noise;
      const int b = 170 - (r + g) / 5 + noise;
      v.At(x, y) = TBgra{uint8_t(b), uint8_t(g), uint8_t(r), 0};
    }
  return image;
}

}  // namespace qor::bench
