#pragma once
// Whole-picture pixel routines on views. Sizes that differ are clipped to the common part; empty views are no-ops.
#include <cstdint>

#include "base/Image.h"

namespace qor {

// target = source * alpha / 255 over black (rounded to nearest), opaque. Source and target may be the same view.
void BlendOverBlack(const TConstImageView& source, const TImageView& target, uint8_t alpha);
// The same, in `strips` horizontal bands blended at once on as many threads (the calling thread takes one): the
// mask of a 4K screen is 33 MB, and start-up waits for it.
void BlendOverBlackInStrips(const TConstImageView& source, const TImageView& target, uint8_t alpha, int strips);

// Copies source's pixels into target from their top-left corners.
void CopyPixels(const TConstImageView& source, const TImageView& target);

// A new image holding the part of source inside r (clipped to source; empty when nothing is left).
TImage CropImage(const TConstImageView& source, const TRect& r);

}  // namespace qor
