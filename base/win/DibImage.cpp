#include "base/win/DibImage.h"

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
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down, like TImage
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
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

bool CopyFromDc(HDC source, int32_t sourceX, int32_t sourceY, TDibImage& target, DWORD rop) {
  if (target.IsEmpty()) return true;
  const BOOL ok = ::BitBlt(target.Dc(), 0, 0, target.Width(), target.Height(), source, sourceX, sourceY, rop);
  ::GdiFlush();  // the pixels are read directly afterwards
  return ok != FALSE;
}

}  // namespace qor
