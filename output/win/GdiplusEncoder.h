#pragma once
// Image files written through the platform's GDI+ encoders (GIF and TIFF when saving; PNG for comparison).
// Usage:
//   CLSID clsid;
//   if (qor::FindEncoderClsid(L"image/tiff", clsid)) ...
//   bool ok = qor::SaveWithGdiplus(image.View(), u"C:\\shots\\a.tif", qor::TImageWriterKind::Tiff);
#include <windows.h>

#include <string>

#include "base/Image.h"
#include "output/SaveFormat.h"

namespace qor {

// The MIME type of the GDI+ encoder for a writer kind ("image/png", ...); nullptr for None.
const wchar_t* GdiplusMimeType(TImageWriterKind kind);

// The class id of the installed encoder for a MIME type; false when GDI+ cannot start or has no such encoder.
bool FindEncoderClsid(const wchar_t* mimeType, CLSID& clsid);

// Copies the pixels into a 32-bit ARGB bitmap of the same size (opaque: screen grabs leave the alpha byte 0)
// and saves it to path with the encoder for kind. GIF gets an 8-bit indexed bitmap instead (Wine's GIF encoder
// writes an empty picture from 32-bit pixels): the picture's own colours when it has at most 256, else the
// web-safe colours and 40 greys, nearest colour, no dithering. Writes path directly; false on any failure (an empty
// image included), in which case a partly written file may be left at path.
bool SaveWithGdiplus(const TConstImageView& image, const std::u16string& path, TImageWriterKind kind);

}  // namespace qor
