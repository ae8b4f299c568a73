#include "CommonLib/RdControl/RdGrayMode.h"

#include <algorithm>

namespace qor {

void GrayPixels(const TImageView& pixels) { GrayPixels(pixels, pixels); }

void GrayPixels(const TConstImageView& source, const TImageView& target) {
  if (source.IsEmpty() || target.IsEmpty()) return;
  const int32_t width = std::min(source.Width, target.Width), height = std::min(source.Height, target.Height);
  for (int32_t y = 0; y < height; ++y) {
    const TBgra* from = source.Row(y);
    TBgra* to = target.Row(y);
    for (int32_t x = 0; x < width; ++x) {
      const TBgra p = from[x];
      const uint8_t level = GrayLevel(p.R, p.G, p.B);
      to[x] = {level, level, level, p.A};
    }
  }
}

}  // namespace qor
