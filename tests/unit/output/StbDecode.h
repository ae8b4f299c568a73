#pragma once
// Reading written PNG and JPEG files back with stb_image, a decoder independent of our writers.
#include <cstdint>
#include <vector>

#include "base/Image.h"

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#endif
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_JPEG
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#include <stb_image.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace qor::test {

// The file decoded as opaque pixels; empty when stb_image cannot read it or it does not hold three channels.
inline TImage DecodeWithStb(const std::vector<uint8_t>& file) {
  int w = 0, h = 0, channels = 0;
  unsigned char* rgb = stbi_load_from_memory(file.data(), int(file.size()), &w, &h, &channels, 3);
  if (!rgb) return {};
  TImage image(channels == 3 ? w : 0, channels == 3 ? h : 0);
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < w; ++x) {
      const unsigned char* p = rgb + 3 * (size_t(y) * size_t(w) + size_t(x));
      image.View().At(x, y) = TBgra{p[2], p[1], p[0], 255};
    }
  stbi_image_free(rgb);
  return image;
}

}  // namespace qor::test
