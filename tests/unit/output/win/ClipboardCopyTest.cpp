#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "app/LogManage.h"
#include "base/win/UniqueHandle.h"
#include "output/win/ClipboardCopy.h"
#include "tests/unit/app/TestFolder.h"
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

// Some rows of the clipboard's CF_DIB (24-bit, bottom-up, as the copy puts it), stacked top to bottom in the
// order asked, and the size its header gives; no rows when absent or of another kind. Reads only those rows, so a
// very tall picture is not converted whole.
struct TDibRows {
  TSize Size;
  TImage Rows;
};
TDibRows ReadClipboardDibRows(const std::vector<int32_t>& rows) {
  TDibRows out;
  if (!::OpenClipboard(nullptr)) return out;
  if (HANDLE data = ::GetClipboardData(CF_DIB)) {
    const auto* bytes = static_cast<const uint8_t*>(::GlobalLock(data));
    BITMAPINFOHEADER header;
    std::memcpy(&header, bytes, sizeof(header));
    out.Size = {header.biWidth, header.biHeight};
    if (header.biCompression == BI_RGB && header.biBitCount == 24 && header.biHeight > 0) {
      const size_t stride = (size_t(header.biWidth) * 3 + 3) & ~size_t(3);
      out.Rows = TImage(header.biWidth, int32_t(rows.size()));
      for (size_t i = 0; i < rows.size(); ++i) {
        const uint8_t* row = bytes + header.biSize + stride * size_t(header.biHeight - 1 - rows[i]);
        for (int32_t x = 0; x < header.biWidth; ++x)
          out.Rows.View().At(x, int32_t(i)) = TBgra{row[3 * x], row[3 * x + 1], row[3 * x + 2], 255};
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
  EXPECT_FALSE(PackedDib24(TImageView{}));
  ASSERT_EQ(CopyImageToClipboard(Pattern(4, 4).View()), TClipboardCopyResult::Copied);
  EXPECT_FALSE(::IsClipboardFormatAvailable(CF_UNICODETEXT));
}

// A long capture, 1920 x 70,000 (512 MiB of pixels): the DIB holds it whatever becomes of the device bitmap.
TEST(ClipboardCopy, AVeryTallPictureIsCopiedAsADibWithItsRowsInPlace) {
  TImage tall(1920, 70000);
  for (int32_t y = 0; y < tall.Height(); ++y) {
    TBgra* row = tall.View().Row(y);
    for (int32_t x = 0; x < 1920; ++x) row[x] = TBgra{uint8_t(x), uint8_t(y), uint8_t(y >> 8), 0};
  }
  ASSERT_EQ(CopyImageToClipboard(tall.View()), TClipboardCopyResult::Copied);
  const std::vector<int32_t> rows = {0, 1, 32767, 65535, 65536, 69999};
  const TDibRows dib = ReadClipboardDibRows(rows);
  EXPECT_EQ(dib.Size, (TSize{1920, 70000}));
  ASSERT_EQ(dib.Rows.Height(), int32_t(rows.size()));
  for (size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(rows[i]);
    ExpectSamePixels(tall.View().Sub(TRect{0, rows[i], 1920, rows[i] + 1}),
                     dib.Rows.View().Sub(TRect{0, int32_t(i), 1920, int32_t(i) + 1}));
  }
  // What the system made of the device bitmap is told, not required.
  ::OpenClipboard(nullptr);
  const auto bitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
  BITMAP info{};
  if (bitmap) ::GetObjectW(bitmap, sizeof(info), &info);
  ::CloseClipboard();
  std::printf("CF_BITMAP of the 1920 x 70000 copy: %s (%ld x %ld, %d bits)\n", bitmap ? "present" : "absent",
              long(info.bmWidth), long(info.bmHeight), int(info.bmBitsPixel));
}

// Beyond 134,217,727 rows the system makes no device bitmap (Wine refuses the height); the DIB alone is the copy.
TEST(ClipboardCopy, APictureWithoutADeviceBitmapIsStillCopiedAsADib) {
  test::TTestFolder folder;
  LogManage().SetTimeStamp(false);
  LogManage().SetFileName(folder.Path(u"copy.log"));
  const int32_t height = 0x8000000;
  TImage narrow(1, height);
  for (int32_t y = 0; y < height; ++y) narrow.View().At(0, y) = TBgra{uint8_t(y), uint8_t(y >> 8), uint8_t(y >> 16), 0};
  EXPECT_EQ(CopyImageToClipboard(narrow.View()), TClipboardCopyResult::Copied);
  const std::vector<int32_t> rows = {0, 65536, 0x7FFFFFF, height - 1};
  const TDibRows dib = ReadClipboardDibRows(rows);
  EXPECT_EQ(dib.Size, (TSize{1, height}));
  ASSERT_EQ(dib.Rows.Height(), int32_t(rows.size()));
  for (size_t i = 0; i < rows.size(); ++i)
    EXPECT_TRUE(test::SameRgb(narrow.View().At(0, rows[i]), dib.Rows.View().At(0, int32_t(i))));
  const auto lines = test::ReadLines(folder.Path(u"copy.log"));
  LogManage().SetFileName(folder.Path(u"closed.log"));
  EXPECT_EQ(lines, std::vector<std::u16string>{u"[CopyToClipboard]bitmap not created, the DIB goes alone"});
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
