#include "output/win/GdiplusEncoder.h"

// clang-format off
#include <objidl.h>  // before gdiplus.h: lean Windows headers leave it out
#include <gdiplus.h>
// clang-format on

#include <cstring>
#include <memory>
#include <unordered_map>
#include <vector>

#include "CommonLib/RdControl/win/GdiplusSession.h"

namespace qor {

const wchar_t* GdiplusMimeType(TImageWriterKind kind) {
  switch (kind) {
    case TImageWriterKind::Bmp: return L"image/bmp";
    case TImageWriterKind::Png: return L"image/png";
    case TImageWriterKind::Jpeg: return L"image/jpeg";
    case TImageWriterKind::Gif: return L"image/gif";
    case TImageWriterKind::Tiff: return L"image/tiff";
    case TImageWriterKind::None: break;
  }
  return nullptr;
}

bool FindEncoderClsid(const wchar_t* mimeType, CLSID& clsid) {
  if (!mimeType || !EnsureGdiplus()) return false;
  UINT count = 0, size = 0;
  if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || count == 0 || size == 0) return false;
  std::vector<uint8_t> buffer(size);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (Gdiplus::GetImageEncoders(count, size, codecs) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i) {
    if (codecs[i].MimeType && _wcsicmp(codecs[i].MimeType, mimeType) == 0) {
      clsid = codecs[i].Clsid;
      return true;
    }
  }
  return false;
}

namespace {

uint32_t Rgb(TBgra p) { return uint32_t(p.R) << 16 | uint32_t(p.G) << 8 | p.B; }

// The palette for GIF: the picture's own colours when it has at most 256 (most screenshots of plain windows),
// else the 216 web-safe colours and 40 greys, each pixel taking the nearest. Colour maps 0x00RRGGBB -> index.
struct TIndexedPalette {
  std::vector<uint32_t> Colors;
  std::unordered_map<uint32_t, uint8_t> Exact;
  bool IsExact = false;

  explicit TIndexedPalette(const TConstImageView& image) {
    for (int32_t y = 0; y < image.Height && Exact.size() <= 256; ++y) {
      const TBgra* row = image.Row(y);
      for (int32_t x = 0; x < image.Width; ++x) {
        const uint32_t c = Rgb(row[x]);
        if (Exact.count(c)) continue;
        if (Exact.size() == 256) {
          Exact.emplace(c, 0);  // one more than fits: give up counting
          break;
        }
        Exact.emplace(c, uint8_t(Exact.size()));
        Colors.push_back(c);
      }
    }
    IsExact = Exact.size() <= 256;
    if (IsExact) return;
    Exact.clear();
    Colors.clear();
    for (int r = 0; r < 6; ++r)
      for (int g = 0; g < 6; ++g)
        for (int b = 0; b < 6; ++b) Colors.push_back(uint32_t(r * 51) << 16 | uint32_t(g * 51) << 8 | uint32_t(b * 51));
    for (int i = 0; i < 40; ++i) {
      const uint32_t v = uint32_t((i * 255 + 19) / 39);
      Colors.push_back(v << 16 | v << 8 | v);
    }
  }

  uint8_t IndexOf(TBgra p) const {
    if (IsExact) return Exact.at(Rgb(p));
    const int r6 = (p.R + 25) / 51, g6 = (p.G + 25) / 51, b6 = (p.B + 25) / 51;
    const int cubeError = Square(p.R - r6 * 51) + Square(p.G - g6 * 51) + Square(p.B - b6 * 51);
    const int grey = ((p.R + p.G + p.B) * 39 + 382) / 765;
    const int v = (grey * 255 + 19) / 39;
    const int greyError = Square(p.R - v) + Square(p.G - v) + Square(p.B - v);
    return greyError < cubeError ? uint8_t(216 + grey) : uint8_t(r6 * 36 + g6 * 6 + b6);
  }
  static int Square(int v) { return v * v; }
};

// GIF needs indexed pixels: Wine's encoder writes an empty picture when given 32-bit ones.
std::unique_ptr<Gdiplus::Bitmap> IndexedBitmap(const TConstImageView& image) {
  const TIndexedPalette palette(image);
  auto bitmap = std::make_unique<Gdiplus::Bitmap>(image.Width, image.Height, PixelFormat8bppIndexed);
  if (bitmap->GetLastStatus() != Gdiplus::Ok) return nullptr;
  std::vector<uint8_t> paletteBytes(sizeof(Gdiplus::ColorPalette) + 256 * sizeof(Gdiplus::ARGB));
  auto* colorPalette = reinterpret_cast<Gdiplus::ColorPalette*>(paletteBytes.data());
  colorPalette->Flags = 0;
  colorPalette->Count = UINT(palette.Colors.size());
  for (size_t i = 0; i < palette.Colors.size(); ++i) colorPalette->Entries[i] = 0xFF000000u | palette.Colors[i];
  if (bitmap->SetPalette(colorPalette) != Gdiplus::Ok) return nullptr;
  Gdiplus::Rect all(0, 0, image.Width, image.Height);
  Gdiplus::BitmapData data{};
  if (bitmap->LockBits(&all, Gdiplus::ImageLockModeWrite, PixelFormat8bppIndexed, &data) != Gdiplus::Ok) return nullptr;
  for (int32_t y = 0; y < image.Height; ++y) {
    uint8_t* dest = static_cast<uint8_t*>(data.Scan0) + ptrdiff_t(data.Stride) * y;
    const TBgra* src = image.Row(y);
    for (int32_t x = 0; x < image.Width; ++x) dest[x] = palette.IndexOf(src[x]);
  }
  if (bitmap->UnlockBits(&data) != Gdiplus::Ok) return nullptr;
  return bitmap;
}

// The opaque 32-bit ARGB copy every other format is encoded from.
std::unique_ptr<Gdiplus::Bitmap> ArgbBitmap(const TConstImageView& image) {
  auto bitmap = std::make_unique<Gdiplus::Bitmap>(image.Width, image.Height, PixelFormat32bppARGB);
  if (bitmap->GetLastStatus() != Gdiplus::Ok) return nullptr;
  Gdiplus::Rect all(0, 0, image.Width, image.Height);
  Gdiplus::BitmapData data{};
  if (bitmap->LockBits(&all, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB, &data) != Gdiplus::Ok) return nullptr;
  for (int32_t y = 0; y < image.Height; ++y) {
    auto* dest = reinterpret_cast<TBgra*>(static_cast<uint8_t*>(data.Scan0) + ptrdiff_t(data.Stride) * y);
    const TBgra* src = image.Row(y);
    for (int32_t x = 0; x < image.Width; ++x) dest[x] = TBgra{src[x].B, src[x].G, src[x].R, 255};
  }
  if (bitmap->UnlockBits(&data) != Gdiplus::Ok) return nullptr;
  return bitmap;
}

}  // namespace

TGdiplusSave SaveWithGdiplus(const TConstImageView& image, const std::u16string& path, TImageWriterKind kind) {
  if (image.IsEmpty()) return TGdiplusSave::Failed;
  CLSID clsid{};
  if (!FindEncoderClsid(GdiplusMimeType(kind), clsid)) return TGdiplusSave::Failed;
  const auto bitmap = kind == TImageWriterKind::Gif ? IndexedBitmap(image) : ArgbBitmap(image);
  if (!bitmap) return TGdiplusSave::BitmapRefused;
  const std::wstring wpath(path.begin(), path.end());
  switch (bitmap->Save(wpath.c_str(), &clsid, nullptr)) {
    case Gdiplus::Ok: return TGdiplusSave::Saved;
    case Gdiplus::Win32Error:
    case Gdiplus::AccessDenied:
    case Gdiplus::FileNotFound: return TGdiplusSave::Failed;  // the file, not the picture
    default: return TGdiplusSave::EncoderRefused;
  }
}

}  // namespace qor
