#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "base/win/UniqueHandle.h"
#include "output/win/ClipboardCopy.h"
#include "tests/unit/base/TestImages.h"

namespace qor {
namespace {

using test::ExpectSamePixels;
// Every pixel differs from its neighbours in all three channels; alpha is left 0, which the copy ignores.
const auto Pattern = [](int32_t w, int32_t h) { return test::NoiseImage(w, h); };

// The clipboard's CF_DIB as a top-down picture (24 or 32 bits, BI_RGB); empty when absent or of another kind.
TImage ReadClipboardDib() {
  TImage out;
  if (!::OpenClipboard(nullptr)) return out;
  if (HANDLE data = ::GetClipboardData(CF_DIB)) {
    const auto* bytes = static_cast<const uint8_t*>(::GlobalLock(data));
    BITMAPINFOHEADER header;
    std::memcpy(&header, bytes, sizeof(header));
    if (header.biCompression == BI_RGB && (header.biBitCount == 24 || header.biBitCount == 32)) {
      const int32_t width = header.biWidth, height = std::abs(header.biHeight);
      const size_t stride = (size_t(width) * header.biBitCount / 8 + 3) & ~size_t(3);
      const uint8_t* rows = bytes + header.biSize + header.biClrUsed * 4;
      out = TImage(width, height);
      for (int32_t y = 0; y < height; ++y) {
        const uint8_t* row = rows + stride * size_t(header.biHeight > 0 ? height - 1 - y : y);
        for (int32_t x = 0; x < width; ++x) {
          const uint8_t* p = row + x * header.biBitCount / 8;
          out.View().At(x, y) = TBgra{p[0], p[1], p[2], 255};
        }
      }
    }
    ::GlobalUnlock(data);
  }
  ::CloseClipboard();
  return out;
}

// The clipboard's CF_BITMAP read back through GetDIBits as a top-down picture.
TImage ReadClipboardBitmap() {
  TImage out;
  if (!::OpenClipboard(nullptr)) return out;
  if (auto bitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP))) {
    BITMAP info{};
    ::GetObjectW(bitmap, sizeof(info), &info);
    BITMAPINFO request{};
    request.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    request.bmiHeader.biWidth = info.bmWidth;
    request.bmiHeader.biHeight = -info.bmHeight;
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 32;
    request.bmiHeader.biCompression = BI_RGB;
    out = TImage(info.bmWidth, info.bmHeight);
    TWindowDc screen(nullptr);
    if (::GetDIBits(screen.Get(), bitmap, 0, UINT(info.bmHeight), out.View().Pixels, &request, DIB_RGB_COLORS) !=
        info.bmHeight)
      out = TImage();
  }
  ::CloseClipboard();
  return out;
}

void PutText(const wchar_t* text) {
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  const size_t bytes = (std::wcslen(text) + 1) * sizeof(wchar_t);
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
  std::memcpy(::GlobalLock(memory), text, bytes);
  ::GlobalUnlock(memory);
  ::SetClipboardData(CF_UNICODETEXT, memory);
  ::CloseClipboard();
}

std::wstring ReadText() {
  std::wstring text;
  if (!::OpenClipboard(nullptr)) return text;
  if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
    text = static_cast<const wchar_t*>(::GlobalLock(data));
    ::GlobalUnlock(data);
  }
  ::CloseClipboard();
  return text;
}

// Odd widths exercise the row padding of both formats; a view inside a larger picture has its stride.
TEST(ClipboardCopy, DibAndBitmapOnTheClipboardHoldTheExactPixels) {
  const TImage whole = Pattern(50, 40);
  std::vector<TImage> images;
  for (TSize size : {TSize{1, 1}, TSize{7, 5}, TSize{333, 17}, TSize{640, 480}})
    images.push_back(Pattern(size.Width, size.Height));
  std::vector<TConstImageView> views = {whole.View().Sub(TRect::FromSize(9, 7, 13, 11))};
  for (const TImage& image : images) views.push_back(image.View());
  for (const TConstImageView& view : views) {
    SCOPED_TRACE(std::to_string(view.Width) + "x" + std::to_string(view.Height));
    ASSERT_EQ(CopyImageToClipboard(view), TClipboardCopyResult::Copied);
    ExpectSamePixels(view, ReadClipboardDib().View());
    ExpectSamePixels(view, ReadClipboardBitmap().View());
  }
}

TEST(ClipboardCopy, CopyEmptiesWhatWasOnTheClipboardButAnEmptyPictureLeavesItAlone) {
  PutText(L"kept");
  EXPECT_EQ(CopyImageToClipboard(TImageView{}), TClipboardCopyResult::Empty);
  EXPECT_EQ(CopyImageToClipboard(TImage(0, 0).View()), TClipboardCopyResult::Empty);
  EXPECT_EQ(ReadText(), L"kept");
  EXPECT_TRUE(PackedDib24(TImageView{}).empty());
  ASSERT_EQ(CopyImageToClipboard(Pattern(4, 4).View()), TClipboardCopyResult::Copied);
  EXPECT_FALSE(::IsClipboardFormatAvailable(CF_UNICODETEXT));
}

// Another thread holds the clipboard open for a window of its own until told to let go, as another program would.
class TClipboardHolder {
 public:
  TClipboardHolder() {
    FThread = std::thread([this] {
      HWND wnd = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
      FOpened = wnd && ::OpenClipboard(wnd) != FALSE;
      FReady = true;
      while (!FRelease) ::Sleep(1);
      if (FOpened) ::CloseClipboard();
      if (wnd) ::DestroyWindow(wnd);
    });
    while (!FReady) ::Sleep(1);
  }
  ~TClipboardHolder() { Release(); }
  bool Opened() const { return FOpened; }
  void Release() {
    FRelease = true;
    if (FThread.joinable()) FThread.join();
  }

 private:
  std::thread FThread;
  std::atomic<bool> FReady{false}, FRelease{false}, FOpened{false};
};

TEST(ClipboardCopyLocked, ClipboardHeldElsewhereFailsAfterTheAttemptsAndChangesNothing) {
  PutText(L"before");
  TClipboardHolder holder;
  ASSERT_TRUE(holder.Opened());
  const TImage image = Pattern(8, 8);
  EXPECT_FALSE(OpenClipboardWithRetry(nullptr, {3, 5}));
  EXPECT_EQ(CopyImageToClipboard(image.View(), nullptr, {3, 5}), TClipboardCopyResult::Locked);
  holder.Release();
  EXPECT_EQ(ReadText(), L"before");
  // Once it is free again the copy goes through.
  EXPECT_EQ(CopyImageToClipboard(image.View(), nullptr, {3, 5}), TClipboardCopyResult::Copied);
  ExpectSamePixels(image.View(), ReadClipboardDib().View());
}

TEST(ClipboardCopyLocked, ClipboardFreedDuringTheAttemptsIsTaken) {
  auto holder = std::make_unique<TClipboardHolder>();
  ASSERT_TRUE(holder->Opened());
  std::thread releaser([&] {
    ::Sleep(30);
    holder->Release();
  });
  const TImage image = Pattern(3, 3);
  // Up to 20 attempts 100 ms apart, as the copy action makes them: the holder lets go well before the last.
  EXPECT_EQ(CopyImageToClipboard(image.View()), TClipboardCopyResult::Copied);
  releaser.join();
  ExpectSamePixels(image.View(), ReadClipboardDib().View());
}

}  // namespace
}  // namespace qor
