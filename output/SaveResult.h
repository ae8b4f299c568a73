#pragma once
// What became of one attempt to write the picture to a file (SaveNewBitmap), for the callers' decisions and texts.
namespace qor {

enum class TSaveResult {
  Saved,
  EmptyImage,         // nothing to write (an empty selection)
  UnknownExtension,   // no writer knows the path's extension; nothing written
  TooLargeForFormat,  // the file type cannot hold a picture this large (JPEG and GIF: 65535 rows or columns at
                      // most; BMP: 4 GiB; TIFF: when the platform's encoder refuses it); nothing written
  EncodeFailed,       // the encoder failed (out of memory, no GDI+ encoder for the format)
  WriteFailed,        // the file could not be written or put in place (disk full, access denied, folder missing)
};

// A short English description for logs and messages.
const char16_t* SaveResultText(TSaveResult result);

}  // namespace qor
