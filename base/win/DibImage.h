#pragma once
// The one place where pixels cross into GDI: a 32-bit top-down DIB section whose memory is a TImage, selected
// into its own memory DC, so GDI blits and portable pixel code share the same pixels without copies.
#include <windows.h>

#include <vector>

#include "base/Image.h"
#include "base/win/UniqueHandle.h"

namespace qor {

class TDibImage {
 public:
  TDibImage() = default;
  ~TDibImage() { Free(); }
  TDibImage(const TDibImage&) = delete;
  TDibImage& operator=(const TDibImage&) = delete;

  // An empty (0 x 0) request gives an empty image; false only when GDI refuses the bitmap.
  bool Create(int32_t width, int32_t height);

  HDC Dc() const { return FDc.Get(); }
  HBITMAP Bitmap() const { return FBitmap.Get(); }
  TConstImageView View() const { return FView; }
  const TImageView& View() { return FView; }
  int32_t Width() const { return FView.Width; }
  int32_t Height() const { return FView.Height; }
  bool IsEmpty() const { return FView.IsEmpty(); }

 private:
  TBitmapHandle FBitmap;
  TMemoryDc FDc;
  HGDIOBJ FOldBitmap = nullptr;
  TImageView FView;

  void Free();
};

// The header GDI reads a view's rows with: 32 bits per pixel, BI_RGB, top-down like every view.
BITMAPINFO TopDownDibInfo(int32_t width, int32_t height);

// A view's pixels as GDI takes them: rows one after the other with no gap. The view's own memory when it already
// is packed, otherwise a packed copy.
class TPackedRows {
 public:
  explicit TPackedRows(const TConstImageView& image);
  const void* Bits() const { return FBits; }
  const BITMAPINFO& Info() const { return FInfo; }

 private:
  BITMAPINFO FInfo;
  std::vector<TBgra> FCopy;
  const void* FBits = nullptr;
};

// Copies from a device context into the image (BitBlt with the given raster operation), in strips of about
// CopyStripBytes.
inline constexpr int32_t CopyStripBytes = 128 * 1024;
bool CopyFromDc(HDC source, int32_t sourceX, int32_t sourceY, TDibImage& target, DWORD rop = SRCCOPY);

}  // namespace qor
