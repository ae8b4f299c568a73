#include "output/win/ClipboardCopy.h"

#include <cstring>

#include "app/LogManage.h"
#include "base/win/DibImage.h"
#include "base/win/UniqueHandle.h"

namespace qor {

namespace {

// CloseClipboard on every path out.
class TClipboardScope {
 public:
  ~TClipboardScope() { ::CloseClipboard(); }
};

// A device-dependent bitmap of the screen's format holding the picture.
TBitmapHandle MakeScreenBitmap(const TConstImageView& image) {
  TWindowDc screen(nullptr);
  if (!screen.Get()) return {};
  TBitmapHandle bitmap(::CreateCompatibleBitmap(screen.Get(), image.Width, image.Height));
  if (!bitmap) return {};
  const TPackedRows rows(image);
  if (::SetDIBits(screen.Get(), bitmap.Get(), 0, UINT(image.Height), rows.Bits(), &rows.Info(), DIB_RGB_COLORS) !=
      image.Height)
    return {};
  return bitmap;
}

}  // namespace

bool OpenClipboardWithRetry(HWND owner, const TClipboardRetry& retry) {
  for (int attempt = 1; attempt <= retry.Attempts; ++attempt) {
    if (::OpenClipboard(owner)) return true;
    if (attempt < retry.Attempts) ::Sleep(retry.DelayMs);
  }
  return false;
}

TGlobalMemory PackedDib24(const TConstImageView& image) {
  if (image.IsEmpty()) return {};
  const size_t stride = (size_t(image.Width) * 3 + 3) & ~size_t(3);
  const uint64_t pixelBytes = uint64_t(stride) * uint64_t(image.Height);
  if (pixelBytes > UINT32_MAX - sizeof(BITMAPINFOHEADER)) return {};  // biSizeImage is 32 bits
  // The rows are packed straight into the clipboard's memory: no second copy of a long picture.
  TGlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, SIZE_T(sizeof(BITMAPINFOHEADER) + pixelBytes)));
  if (!memory) return {};
  auto* bytes = static_cast<uint8_t*>(::GlobalLock(memory.Get()));
  if (!bytes) return {};
  BITMAPINFOHEADER header{};
  header.biSize = sizeof(header);
  header.biWidth = image.Width;
  header.biHeight = image.Height;  // bottom-up: what every reader of CF_DIB expects
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = DWORD(pixelBytes);
  std::memcpy(bytes, &header, sizeof(header));
  uint8_t* rows = bytes + sizeof(header);
  for (int32_t y = 0; y < image.Height; ++y) {
    uint8_t* out = rows + stride * size_t(image.Height - 1 - y);
    std::memset(out + size_t(image.Width) * 3, 0, stride - size_t(image.Width) * 3);  // the padding
    const TBgra* in = image.Row(y);
    for (int32_t x = 0; x < image.Width; ++x, out += 3) {
      out[0] = in[x].B;
      out[1] = in[x].G;
      out[2] = in[x].R;
    }
  }
  ::GlobalUnlock(memory.Get());
  return memory;
}

TClipboardCopyResult CopyImageToClipboard(const TConstImageView& image, HWND owner, const TClipboardRetry& retry) {
  if (image.IsEmpty()) return TClipboardCopyResult::Empty;
  // Everything is prepared before the clipboard is opened, so it is held only for the hand-over. The DIB is the
  // copy; the device bitmap is a convenience that a very tall picture may not get.
  TGlobalMemory dib = PackedDib24(image);
  if (!dib) {
    WriteLog(u"[CopyToClipboard]DIB not created");
    return TClipboardCopyResult::Failed;
  }
  TBitmapHandle bitmap = MakeScreenBitmap(image);
  if (!bitmap) WriteLog(u"[CopyToClipboard]bitmap not created, the DIB goes alone");
  if (!OpenClipboardWithRetry(owner, retry)) {
    WriteLog(u"[CopyToClipboard]clipboard locked");
    return TClipboardCopyResult::Locked;
  }
  TClipboardScope close;
  if (!::EmptyClipboard()) {
    WriteLog(u"[CopyToClipboard]EmptyClipboard failed");
    return TClipboardCopyResult::Failed;
  }
  // The system owns what it accepted; what it refused stays ours and is freed.
  if (!::SetClipboardData(CF_DIB, dib.Get())) {
    WriteLog(u"[CopyToClipboard]SetClipboardData failed");
    return TClipboardCopyResult::Failed;
  }
  dib.Release();
  if (bitmap && ::SetClipboardData(CF_BITMAP, bitmap.Get())) bitmap.Release();
  return TClipboardCopyResult::Copied;
}

const char16_t* ClipboardCopyResultText(TClipboardCopyResult result) {
  switch (result) {
    case TClipboardCopyResult::Copied: return u"copied";
    case TClipboardCopyResult::Locked: return u"the clipboard is in use by another program";
    case TClipboardCopyResult::Empty: return u"the selection is empty";
    case TClipboardCopyResult::Failed: return u"the system did not take the picture, memory may be short";
  }
  return u"the system did not take the picture, memory may be short";
}

}  // namespace qor
