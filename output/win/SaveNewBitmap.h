#pragma once
// Writes the capture image to a file in the format its extension names (BMP, PNG, JPEG at quality 90, GIF,
// TIFF), with the temporary bitmap "ZynTemp.bmp" in the temporary folder and the "[SaveNewBitmap]..." log lines.
// Usage:
//   const qor::TSaveResult r = qor::SaveNewBitmap(imageFront.View(), folder + name + ext);
//   if (r != qor::TSaveResult::Saved) { /* keep the overlay open and tell the user: SaveResultText(r) */ }
// Windows call WritePictureFile (output/win/PictureWriter.h) instead, which does the telling and the PNG offer.
// The file never appears half-written under its final name: the bytes go to a temporary file beside it, which
// then replaces the target in one step. BMP and PNG (and the temporary bitmap) are written row by row through a
// small buffer, so a long capture of 100,000 rows costs little memory beyond its pixels. A picture too large for
// the type (JPEG or GIF beyond 65535 rows or columns) gives TooLargeForFormat and writes nothing.
#include <string>

#include "base/Image.h"
#include "output/SaveResult.h"

namespace qor {

// Writes image to path. Returns Saved only when the complete file is in place.
TSaveResult SaveNewBitmap(const TConstImageView& image, const std::u16string& path);

}  // namespace qor
