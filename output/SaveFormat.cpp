#include "output/SaveFormat.h"

#include <cstdint>

#include "base/FileSystem.h"
#include "base/Utf16Text.h"
#include "output/BmpWriter.h"

namespace qor {
namespace {

// Decimal integer text with an optional sign; false for anything else or beyond 32 bits.
bool ParseInteger(std::u16string_view text, int32_t& value) {
  size_t pos = 0;
  bool negative = false;
  if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) negative = text[pos++] == u'-';
  if (pos == text.size()) return false;
  int64_t v = 0;
  for (; pos < text.size(); ++pos) {
    const char16_t c = text[pos];
    if (c < u'0' || c > u'9') return false;
    v = v * 10 + (c - u'0');
    if (v > int64_t(INT32_MAX) + 1) return false;
  }
  if (negative) v = -v;
  if (v > INT32_MAX || v < INT32_MIN) return false;
  value = int32_t(v);
  return true;
}

}  // namespace

std::u16string SaveExtensionFromSetting(std::u16string_view capFormat) {
  int32_t format = 1;
  if (!ParseInteger(Trim(capFormat), format)) format = 1;
  switch (format) {
    case 0: return u".jpeg";
    case 2: return u".bmp";
    default: return u".png";
  }
}

int FilterIndexForExtension(std::u16string_view ext) {
  switch (WriterKindForExtension(ext)) {
    case TImageWriterKind::Bmp: return 1;
    case TImageWriterKind::Jpeg: return 2;
    case TImageWriterKind::Png: return 3;
    case TImageWriterKind::Gif: return 4;
    case TImageWriterKind::Tiff: return 5;
    case TImageWriterKind::None: break;
  }
  return 0;
}

std::u16string ExtensionForFilterIndex(int filterIndex) {
  switch (filterIndex) {
    case 1: return u".bmp";
    case 2: return u".jpeg";
    case 3: return u".png";
    case 4: return u".gif";
    case 5: return u".tif";
    default: return {};
  }
}

TImageWriterKind WriterKindForExtension(std::u16string_view ext) {
  if (SameText(ext, u".bmp")) return TImageWriterKind::Bmp;
  if (SameText(ext, u".png")) return TImageWriterKind::Png;
  if (SameText(ext, u".jpg") || SameText(ext, u".jpeg")) return TImageWriterKind::Jpeg;
  if (SameText(ext, u".gif")) return TImageWriterKind::Gif;
  if (SameText(ext, u".tif") || SameText(ext, u".tiff")) return TImageWriterKind::Tiff;
  return TImageWriterKind::None;
}

std::u16string_view WriterKindName(TImageWriterKind kind) {
  switch (kind) {
    case TImageWriterKind::Bmp: return u"BMP";
    case TImageWriterKind::Png: return u"PNG";
    case TImageWriterKind::Jpeg: return u"JPEG";
    case TImageWriterKind::Gif: return u"GIF";
    case TImageWriterKind::Tiff: return u"TIFF";
    case TImageWriterKind::None: break;
  }
  return u"";
}

bool WriterKindHoldsSize(TImageWriterKind kind, int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) return kind != TImageWriterKind::None;  // an empty picture is refused elsewhere
  switch (kind) {
    case TImageWriterKind::Jpeg:
    case TImageWriterKind::Gif: return width <= 65535 && height <= 65535;
    case TImageWriterKind::Bmp: return BmpHoldsSize(width, height, 24);
    case TImageWriterKind::Png:
    case TImageWriterKind::Tiff: return true;
    case TImageWriterKind::None: break;
  }
  return false;
}

std::u16string ExtractFileExt(std::u16string_view path) {
  for (size_t i = path.size(); i > 0; --i) {
    const char16_t c = path[i - 1];
    if (c == u'.') return std::u16string(path.substr(i - 1));
    if (IsPathSeparator(c) || c == u':') break;
  }
  return {};
}

std::u16string PathWithWritableExtension(std::u16string_view path, int filterIndex) {
  if (WriterKindForExtension(ExtractFileExt(path)) != TImageWriterKind::None) return std::u16string(path);
  std::u16string ext = ExtensionForFilterIndex(filterIndex);
  if (ext.empty()) ext = u".png";
  std::u16string out(path);
  // "shot." would otherwise become "shot..png".
  if (!out.empty() && out.back() == u'.') out.pop_back();
  return out + ext;
}

}  // namespace qor
