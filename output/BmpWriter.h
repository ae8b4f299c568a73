#pragma once
// BMP files written row by row into a sink: the same bytes as base's WriteBmp (bottom-up, BI_RGB, 24 or 32 bits)
// without holding the whole file, so a picture of 100,000 rows costs a buffer of a few rows.
// Usage:
//   qor::TReplacingFile file(path);
//   bool ok = qor::WriteBmpTo(file, image.View(), 24) && file.Commit();
#include <cstdint>

#include "base/Image.h"
#include "output/ByteSink.h"

namespace qor {

// True when a BMP file of width x height at bitsPerPixel fits the format's 32-bit size fields (4 GiB).
bool BmpHoldsSize(int32_t width, int32_t height, int bitsPerPixel = 24);

// Writes the file to sink, the bottom row first. False, with nothing written, for an empty view, a bit count other
// than 24 or 32 or a picture too large for the format; false part-way when the sink fails.
bool WriteBmpTo(TByteSink& sink, const TConstImageView& view, int bitsPerPixel = 24);

}  // namespace qor
