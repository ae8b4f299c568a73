#pragma once
// Image files written through the platform's GDI+ encoders (GIF and TIFF when saving; PNG for comparison).
// Usage:
//   CLSID clsid;
//   if (qor::FindEncoderClsid(L"image/tiff", clsid)) ...
//   if (qor::SaveWithGdiplus(image.View(), u"C:\\shots\\a.tif", qor::TImageWriterKind::Tiff) ==
//   qor::TGdiplusSave::Saved)
#include <windows.h>

#include <string>

#include "base/Image.h"
#include "output/SaveFormat.h"

namespace qor {

// The MIME type of the GDI+ encoder for a writer kind ("image/png", ...); nullptr for None.
const wchar_t* GdiplusMimeType(TImageWriterKind kind);

// The class id of the installed encoder for a MIME type; false when GDI+ cannot start or has no such encoder.
bool FindEncoderClsid(const wchar_t* mimeType, CLSID& clsid);

enum class TGdiplusSave {
  Saved,
  Failed,          // no encoder, an empty image, or a file that could not be written
  BitmapRefused,   // GDI+ would not make a bitmap of this size (too large, or not enough memory for it)
  EncoderRefused,  // the encoder failed on the pixels (out of memory, a size it cannot store)
};

// Copies the pixels into a 32-bit ARGB bitmap of the same size (opaque: screen grabs leave the alpha byte 0)
// and saves it to path with the encoder for kind. GIF gets an 8-bit indexed bitmap instead (Wine's GIF encoder
// writes an empty picture from 32-bit pixels): the picture's own colours when it has at most 256, else the
// web-safe colours and 40 greys, nearest colour, no dithering. Writes path directly; after a failure a partly
// written file may be left at path.
TGdiplusSave SaveWithGdiplus(const TConstImageView& image, const std::u16string& path, TImageWriterKind kind);

}  // namespace qor
