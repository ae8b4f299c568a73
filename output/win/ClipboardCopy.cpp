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

TGlobalMemory MakeGlobal(const std::vector<uint8_t>& bytes) {
  TGlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
  if (!memory) return {};
  void* target = ::GlobalLock(memory.Get());
  if (!target) return {};
  std::memcpy(target, bytes.data(), bytes.size());
  ::GlobalUnlock(memory.Get());
  return memory;
}

}  // namespace

bool OpenClipboardWithRetry(HWND owner, const TClipboardRetry& retry) {
  for (int attempt = 1; attempt <= retry.Attempts; ++attempt) {
    if (::OpenClipboard(owner)) return true;
    if (attempt < retry.Attempts) ::Sleep(retry.DelayMs);
  }
  return false;
}

std::vector<uint8_t> PackedDib24(const TConstImageView& image) {
  if (image.IsEmpty()) return {};
  const size_t stride = (size_t(image.Width) * 3 + 3) & ~size_t(3);
  std::vector<uint8_t> bytes(sizeof(BITMAPINFOHEADER) + stride * size_t(image.Height));
  BITMAPINFOHEADER header{};
  header.biSize = sizeof(header);
  header.biWidth = image.Width;
  header.biHeight = image.Height;  // bottom-up: what every reader of CF_DIB expects
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = DWORD(stride * size_t(image.Height));
  std::memcpy(bytes.data(), &header, sizeof(header));
  uint8_t* rows = bytes.data() + sizeof(header);
  for (int32_t y = 0; y < image.Height; ++y) {
    uint8_t* out = rows + stride * size_t(image.Height - 1 - y);
    const TBgra* in = image.Row(y);
    for (int32_t x = 0; x < image.Width; ++x, out += 3) {
      out[0] = in[x].B;
      out[1] = in[x].G;
      out[2] = in[x].R;
    }
  }
  return bytes;
}

TClipboardCopyResult CopyImageToClipboard(const TConstImageView& image, HWND owner, const TClipboardRetry& retry) {
  if (image.IsEmpty()) return TClipboardCopyResult::Empty;
  // Everything is prepared before the clipboard is opened, so it is held only for the hand-over.
  TBitmapHandle bitmap = MakeScreenBitmap(image);
  TGlobalMemory dib = MakeGlobal(PackedDib24(image));
  if (!bitmap && !dib) {
    WriteLog(u"[CopyToClipboard]bitmap not created");
    return TClipboardCopyResult::Failed;
  }
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
  bool stored = false;
  if (bitmap && ::SetClipboardData(CF_BITMAP, bitmap.Get())) {
    bitmap.Release();
    stored = true;
  }
  if (dib && ::SetClipboardData(CF_DIB, dib.Get())) {
    dib.Release();
    stored = true;
  }
  if (!stored) WriteLog(u"[CopyToClipboard]SetClipboardData failed");
  return stored ? TClipboardCopyResult::Copied : TClipboardCopyResult::Failed;
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
