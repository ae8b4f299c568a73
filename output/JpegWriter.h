#pragma once
// JPEG file images of screenshots: baseline, YCbCr with 4:2:0 chroma, the standard tables scaled to the
// quality (90 when saving). Encoded by the header-only stb writer (Debian's libstb-dev).
// Usage:
//   std::vector<uint8_t> file = qor::WriteJpeg(image.View());   // quality 90; empty when the image is empty
#include <cstdint>
#include <vector>

#include "base/Image.h"

namespace qor {

// A complete JPEG file image (the alpha byte is ignored); empty for an empty view or an image larger than the
// format's 65535 x 65535. quality is clamped to 1..100.
std::vector<uint8_t> WriteJpeg(const TConstImageView& view, int quality = 90);

}  // namespace qor
