#pragma once
// Writes the capture image to a file in the format its extension names (BMP, PNG, JPEG at quality 90, GIF,
// TIFF), with the temporary bitmap "ZynTemp.bmp" in the temporary folder and the "[SaveNewBitmap]..." log lines.
// Usage:
//   const qor::TSaveResult r = qor::SaveNewBitmap(imageFront.View(), folder + name + ext);
//   if (r != qor::TSaveResult::Saved) { /* keep the overlay open and tell the user: SaveResultText(r) */ }
// The file never appears half-written under its final name: the bytes go to a temporary file beside it, which
// then replaces the target in one step.
#include <string>

#include "base/Image.h"

namespace qor {

enum class TSaveResult {
  Saved,
  EmptyImage,        // nothing to write (an empty selection)
  UnknownExtension,  // no writer knows the path's extension; nothing written
  EncodeFailed,      // the encoder failed (out of memory, no GDI+ encoder for the format)
  WriteFailed,       // the file could not be written or put in place (disk full, access denied, folder missing)
};

// A short English description for logs and messages.
const char16_t* SaveResultText(TSaveResult result);

// Writes image to path. Returns Saved only when the complete file is in place.
TSaveResult SaveNewBitmap(const TConstImageView& image, const std::u16string& path);

}  // namespace qor
