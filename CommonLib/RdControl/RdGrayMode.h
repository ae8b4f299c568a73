#pragma once
// The grey look of a picture drawn with GrayMode: each pixel's red, green and blue become
// (77 red + 151 green + 28 blue) >> 8; alpha is left as it is. Works on straight (not premultiplied) BGRA.
//   qor::GrayPixels(picture.View());
#include <cstdint>

#include "base/Image.h"

namespace qor {

constexpr uint8_t GrayLevel(uint8_t red, uint8_t green, uint8_t blue) {
  return uint8_t((77u * red + 151u * green + 28u * blue) >> 8);
}

// In place.
void GrayPixels(const TImageView& pixels);
// From source into target (the overlapping size); source and target may be the same memory.
void GrayPixels(const TConstImageView& source, const TImageView& target);

}  // namespace qor
