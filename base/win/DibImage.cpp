#include "base/win/DibImage.h"

#include <algorithm>

namespace qor {

void TDibImage::Free() {
  if (FDc && FOldBitmap) ::SelectObject(FDc.Get(), FOldBitmap);
  FOldBitmap = nullptr;
  FDc.Reset();
  FBitmap.Reset();
  FView = {};
}

bool TDibImage::Create(int32_t width, int32_t height) {
  Free();
  if (width <= 0 || height <= 0) return true;
  const BITMAPINFO info = TopDownDibInfo(width, height);
  void* bits = nullptr;
  FBitmap.Reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!FBitmap || !bits) {
    FBitmap.Reset();
    return false;
  }
  FDc.Reset(::CreateCompatibleDC(nullptr));
  if (!FDc) {
    FBitmap.Reset();
    return false;
  }
  FOldBitmap = ::SelectObject(FDc.Get(), FBitmap.Get());
  FView = TImageView{static_cast<uint8_t*>(bits), width, height, ptrdiff_t(width) * 4};
  return true;
}

BITMAPINFO TopDownDibInfo(int32_t width, int32_t height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

TPackedRows::TPackedRows(const TConstImageView& image)
    : FInfo(TopDownDibInfo(image.Width, image.Height)), FBits(image.Pixels) {
  if (image.IsEmpty() || image.Stride == ptrdiff_t(image.Width) * 4) return;
  FCopy.resize(size_t(image.Width) * size_t(image.Height));
  for (int32_t y = 0; y < image.Height; ++y)
    std::copy(image.Row(y), image.Row(y) + image.Width, FCopy.begin() + ptrdiff_t(y) * image.Width);
  FBits = FCopy.data();
}

bool CopyFromDc(HDC source, int32_t sourceX, int32_t sourceY, TDibImage& target, DWORD rop) {
  if (target.IsEmpty()) return true;
  // In strips of about 128 KiB: under Wine each strip is fetched from the X server into a buffer of that size,
  // which stays in the cache and is reused, where one fetch of a 33 MB screen takes fresh memory and twice as long.
  const int32_t strip = std::max(1, CopyStripBytes / (target.Width() * 4));
  bool ok = true;
  for (int32_t top = 0; top < target.Height(); top += strip) {
    const int32_t rows = std::min(strip, target.Height() - top);
    ok = ::BitBlt(target.Dc(), 0, top, target.Width(), rows, source, sourceX, sourceY + top, rop) && ok;
  }
  ::GdiFlush();  // the pixels are read directly afterwards
  return ok;
}

}  // namespace qor
