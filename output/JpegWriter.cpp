#include "output/JpegWriter.h"

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#endif
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

#include <algorithm>

namespace qor {
namespace {

void AppendBytes(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<uint8_t>*>(context);
  const auto* bytes = static_cast<const uint8_t*>(data);
  out->insert(out->end(), bytes, bytes + size);
}

}  // namespace

std::vector<uint8_t> WriteJpeg(const TConstImageView& view, int quality) {
  if (view.IsEmpty() || view.Width > 65535 || view.Height > 65535) return {};
  const size_t width = size_t(view.Width), height = size_t(view.Height);
  // The encoder reads packed RGB.
  std::vector<uint8_t> rgb(width * height * 3);
  uint8_t* d = rgb.data();
  for (size_t y = 0; y < height; ++y) {
    const TBgra* src = view.Row(int32_t(y));
    for (size_t x = 0; x < width; ++x, d += 3) {
      d[0] = src[x].R;
      d[1] = src[x].G;
      d[2] = src[x].B;
    }
  }
  std::vector<uint8_t> out;
  out.reserve(width * height / 4 + 1024);
  if (!stbi_write_jpg_to_func(AppendBytes, &out, view.Width, view.Height, 3, rgb.data(), std::clamp(quality, 1, 100)))
    return {};
  return out;
}

}  // namespace qor
