#include <gtest/gtest.h>

#include "output/win/SaveNewBitmap.h"

// clang-format off
#include <windows.h>
#include <objidl.h>  // before gdiplus.h: lean Windows headers leave it out
#include <gdiplus.h>
// clang-format on

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "CommonLib/RdControl/win/GdiplusSession.h"
#include "app/LogManage.h"
#include "output/SaveFormat.h"
#include "tests/unit/app/TestFolder.h"

namespace qor {
namespace {

using test::TTestFolder;

// Screen-like content: flat areas of web-safe colours (which a GIF palette holds exactly) with sharp detail.
TImage TestCapture(int32_t width, int32_t height) {
  TImage image(width, height);
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) {
      const uint8_t v = uint8_t(0x33 * ((x / 4 + y / 3) % 6));
      image.View().At(x, y) = (x + y) % 7 == 0 ? TBgra{0, 0, 0, 0} : TBgra{v, uint8_t(0x33 * (y % 6)), 0xFF, 0};
    }
  return image;
}

// The file decoded by GDI+ as 32-bit pixels; empty when GDI+ cannot read it.
TImage DecodeWithGdiplus(const std::u16string& path) {
  if (!EnsureGdiplus()) return {};
  const std::wstring wpath(path.begin(), path.end());
  Gdiplus::Bitmap bitmap(wpath.c_str());
  if (bitmap.GetLastStatus() != Gdiplus::Ok) return {};
  const int32_t w = int32_t(bitmap.GetWidth()), h = int32_t(bitmap.GetHeight());
  TImage image(w, h);
  Gdiplus::Rect all(0, 0, w, h);
  Gdiplus::BitmapData data{};
  if (bitmap.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) != Gdiplus::Ok) return {};
  for (int32_t y = 0; y < h; ++y) {
    const auto* row =
        reinterpret_cast<const TBgra*>(static_cast<const uint8_t*>(data.Scan0) + ptrdiff_t(data.Stride) * y);
    for (int32_t x = 0; x < w; ++x) image.View().At(x, y) = row[x];
  }
  bitmap.UnlockBits(&data);
  return image;
}

// The largest difference of a colour channel over all pixels.
int MaxChannelDifference(const TConstImageView& a, const TConstImageView& b) {
  int worst = 0;
  for (int32_t y = 0; y < a.Height; ++y)
    for (int32_t x = 0; x < a.Width; ++x) {
      const TBgra p = a.At(x, y), q = b.At(x, y);
      for (int d : {p.R - q.R, p.G - q.G, p.B - q.B}) worst = std::max(worst, std::abs(d));
    }
  return worst;
}

std::u16string EnvValue(const wchar_t* name) {
  wchar_t buffer[32768];
  const DWORD n = GetEnvironmentVariableW(name, buffer, 32768);
  return std::u16string(buffer, buffer + (n < 32768 ? n : 0));
}

void SetEnv(const wchar_t* name, const std::u16string& value) {
  const std::wstring w(value.begin(), value.end());
  SetEnvironmentVariableW(name, value.empty() ? nullptr : w.c_str());
}

class SaveNewBitmapTest : public testing::Test {
 protected:
  SaveNewBitmapTest() : FOldTemp(EnvValue(L"temp")), FOldTmp(EnvValue(L"tmp")) {
    LogManage().SetTimeStamp(false);
    LogManage().SetFileName(LogFile);
    Fs.MakeDirectories(TempFolder);
    Fs.MakeDirectories(TmpFolder);
    SetEnv(L"temp", TempFolder);
    SetEnv(L"tmp", TmpFolder);
  }
  ~SaveNewBitmapTest() override {
    SetEnv(L"temp", FOldTemp);
    SetEnv(L"tmp", FOldTmp);
    LogManage().SetFileName(Folder.Path(u"closed.log"));  // lets go of the test's log file
  }
  std::vector<std::u16string> LogLines() { return test::ReadLines(LogFile); }
  // Files in a folder, by name.
  std::vector<std::u16string> FilesIn(const std::u16string& folder) {
    std::vector<std::u16string> names;
    for (const auto& entry : std::filesystem::directory_iterator(ToFsPath(folder)))
      names.push_back(FromFsPath(entry.path().filename()));
    return names;
  }

  TFileSystem& Fs = FileSystem();
  TTestFolder Folder;
  std::u16string LogFile = Folder.Path(u"log/QorScreenshot.log");
  std::u16string TempFolder = Folder.Path(u"temp one");
  std::u16string TmpFolder = Folder.Path(u"tmp two");
  std::u16string ShotFolder = Folder.Path(u"Corvane/");

 private:
  std::u16string FOldTemp, FOldTmp;
};

struct TFormatCase {
  std::u16string Ext;
  int Tolerance;           // largest channel difference after decoding; below 0: not compared (JPEG on sharp detail)
  std::u16string Convert;  // the logged GDI+ conversion; empty: none (our own writers)
};

class SaveNewBitmapFormatTest : public SaveNewBitmapTest, public testing::WithParamInterface<TFormatCase> {};

TEST_P(SaveNewBitmapFormatTest, ReplacesTheFileWithOneGdiplusReadsBackAndLogsItsConversion) {
  const TImage capture = TestCapture(37, 21);
  const std::u16string path = ShotFolder + u"ScreenShot_20240131235959" + GetParam().Ext;
  test::WriteBytes(path, "old");
  ASSERT_EQ(SaveNewBitmap(capture.View(), path), TSaveResult::Saved);
  const TImage decoded = DecodeWithGdiplus(path);
  ASSERT_EQ(decoded.Width(), 37);
  ASSERT_EQ(decoded.Height(), 21);
  if (GetParam().Tolerance >= 0) {
    EXPECT_LE(MaxChannelDifference(capture.View(), decoded.View()), GetParam().Tolerance);
  }
  EXPECT_EQ(decoded.View().At(5, 5).A, 255) << "saved opaque";
  // Only the file itself is left in the folder, and the temporary bitmap is gone.
  EXPECT_EQ(FilesIn(ShotFolder), std::vector<std::u16string>{ExtractFileName(path)});
  EXPECT_TRUE(FilesIn(TempFolder).empty());
  std::vector<std::u16string> conversions, expected;
  for (const std::u16string& line : LogLines())
    if (line.find(u"ExtractFileIconToFile") != std::u16string::npos) conversions.push_back(line);
  if (!GetParam().Convert.empty())
    expected = {u"[SaveNewBitmap]ExtractFileIconToFile " + GetParam().Convert + u",sBmpFile:" + TempFolder +
                    u"\\ZynTemp.bmp,aFileName," + path + u",sExt," + GetParam().Ext,
                u"[SaveNewBitmap]filepath:ExtractFileIconToFile,succ"};
  EXPECT_EQ(conversions, expected);
}

INSTANTIATE_TEST_SUITE_P(Formats, SaveNewBitmapFormatTest,
                         testing::Values(TFormatCase{u".bmp", 0, u""}, TFormatCase{u".PNG", 0, u"ffPng"},
                                         TFormatCase{u".jpg", -1, u""}, TFormatCase{u".gif", 0, u"ffGif"},
                                         TFormatCase{u".TIFF", 0, u"ffTiff"}),
                         [](const auto& info) { return "Ext" + std::to_string(info.index); });

TEST_F(SaveNewBitmapTest, LogsEveryStepOfAPngSaveInOrder) {
  const std::u16string path = ShotFolder + u"ScreenShot_20240131235959.png";
  const std::u16string temp = TempFolder + u"\\ZynTemp.bmp";
  ASSERT_EQ(SaveNewBitmap(TestCapture(5, 3).View(), path), TSaveResult::Saved);
  const std::vector<std::u16string> expected = {
      u"[SaveNewBitmap]filepath:SaveNewBitmap",
      u"[SaveNewBitmap]ForceDirectories done",
      u"[SaveNewBitmap]filepath:SaveNewBitmap",
      u"[SaveNewBitmap]filepath:ChangeFileExt," + ShotFolder + u"ScreenShot_20240131235959.bmp",
      u"[SaveNewBitmap]filepath:GetEnvironmentVariable," + TempFolder,
      u"[SaveNewBitmap]filepath:SaveToFile," + temp,
      u"[SaveNewBitmap]filepath:ExtractFileExt,.png",
      u"[SaveNewBitmap]ExtractFileIconToFile ffPng,sBmpFile:" + temp + u",aFileName," + path + u",sExt,.png",
      u"[SaveNewBitmap]filepath:ExtractFileIconToFile,succ",
  };
  EXPECT_EQ(LogLines(), expected);
}

TEST_F(SaveNewBitmapTest, PutsTheTemporaryBitmapIntoTmpWhenTempIsEmptyAndDeletesIt) {
  SetEnv(L"temp", u"");
  const std::u16string temp = TmpFolder + u"\\ZynTemp.bmp";
  ASSERT_EQ(SaveNewBitmap(TestCapture(9, 9).View(), ShotFolder + u"a.png"), TSaveResult::Saved);
  EXPECT_TRUE(FilesIn(TmpFolder).empty());
  const auto lines = LogLines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), u"[SaveNewBitmap]filepath:GetEnvironmentVariable," + TmpFolder),
            lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), u"[SaveNewBitmap]filepath:SaveToFile," + temp), lines.end());
}

TEST_F(SaveNewBitmapTest, RefusesAnEmptyImageOrAnUnknownExtensionAndLeavesNoFile) {
  EXPECT_EQ(SaveNewBitmap(TImageView{}, ShotFolder + u"empty.png"), TSaveResult::EmptyImage);
  EXPECT_EQ(SaveNewBitmap(TImage(0, 0).View(), ShotFolder + u"empty.png"), TSaveResult::EmptyImage);
  EXPECT_FALSE(Fs.DirectoryExists(ShotFolder));
  EXPECT_EQ(SaveNewBitmap(TestCapture(9, 9).View(), ShotFolder + u"notes.txt"), TSaveResult::UnknownExtension);
  EXPECT_TRUE(FilesIn(ShotFolder).empty());
  EXPECT_TRUE(FilesIn(TempFolder).empty()) << "the temporary bitmap is deleted all the same";
  for (const auto& line : LogLines()) EXPECT_EQ(line.find(u"ExtractFileIconToFile"), std::u16string::npos);
}

class SaveNewBitmapFailureTest : public SaveNewBitmapTest, public testing::WithParamInterface<std::u16string> {};

TEST_P(SaveNewBitmapFailureTest, LeavesNoFileBehindWhenTheTargetCannotBeReplaced) {
  // A folder holds the final name, so nothing can be put in its place.
  const std::u16string path = ShotFolder + u"taken" + GetParam();
  ASSERT_TRUE(Fs.MakeDirectories(path));
  EXPECT_EQ(SaveNewBitmap(TestCapture(8, 8).View(), path), TSaveResult::WriteFailed);
  EXPECT_EQ(FilesIn(ShotFolder), std::vector<std::u16string>{u"taken" + GetParam()}) << "no temporary file left";
  EXPECT_TRUE(Fs.DirectoryExists(path));
  const auto lines = LogLines();
  if (GetParam() == u".png") {
    EXPECT_NE(std::find(lines.begin(), lines.end(), u"[SaveNewBitmap]filepath:ExtractFileIconToFile,failed"),
              lines.end());
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, SaveNewBitmapFailureTest, testing::Values(u".bmp", u".png", u".jpeg"),
                         [](const auto& info) { return "Ext" + std::to_string(info.index); });

// A long capture: 100,000 rows, each row different from its neighbours (its own colour at its own place).
TImage TallCapture(int32_t width, int32_t height) {
  TImage image = TestCapture(width, 6);
  TImage tall(width, height);
  for (int32_t y = 0; y < height; ++y) {
    const TBgra* from = image.View().Row(y % 6);
    TBgra* to = tall.View().Row(y);
    for (int32_t x = 0; x < width; ++x) to[x] = from[x];
    to[y % width] = TBgra{uint8_t(y), uint8_t(y >> 8), uint8_t(y >> 16), 0};
  }
  return tall;
}

TEST_F(SaveNewBitmapTest, WritesAHundredThousandRowsAsPngAndBmpThatReadBack) {
  const TImage capture = TallCapture(256, 100000);
  for (const std::u16string ext : {u".png", u".bmp"}) {
    SCOPED_TRACE(std::string(ext.begin(), ext.end()));
    const std::u16string path = ShotFolder + u"long" + ext;
    ASSERT_EQ(SaveNewBitmap(capture.View(), path), TSaveResult::Saved);
    const TImage decoded = DecodeWithGdiplus(path);
    ASSERT_EQ(decoded.Width(), 256);
    ASSERT_EQ(decoded.Height(), 100000);
    for (int32_t y : {0, 1, 65535, 65536, 99999}) {
      SCOPED_TRACE(y);
      EXPECT_EQ(MaxChannelDifference(capture.View().Sub(TRect{0, y, 256, y + 1}),
                                     decoded.View().Sub(TRect{0, y, 256, y + 1})),
                0);
    }
    if (ext == u".bmp") {
      EXPECT_EQ(Fs.SizeOfFile(path), 54u + 768u * 100000u);
    }
  }
  EXPECT_TRUE(FilesIn(TempFolder).empty()) << "the temporary bitmap is deleted";
}

TEST_F(SaveNewBitmapTest, JpegAndGifBeyond65535RowsOrColumnsAreTooLargeAndNothingIsWritten) {
  const TImage tall = TallCapture(8, 65536);
  const TImage wide = TestCapture(65536, 2);
  for (const std::u16string ext : {u".jpeg", u".JPG", u".gif"})
    for (const TImage* image : {&tall, &wide}) {
      SCOPED_TRACE(std::string(ext.begin(), ext.end()) + " " + std::to_string(image->Width()));
      EXPECT_EQ(SaveNewBitmap(image->View(), ShotFolder + u"long" + ext), TSaveResult::TooLargeForFormat);
    }
  EXPECT_FALSE(Fs.DirectoryExists(ShotFolder)) << "not even the folder is made";
  EXPECT_TRUE(FilesIn(TempFolder).empty());
  const auto lines = LogLines();
  EXPECT_NE(std::find(lines.begin(), lines.end(),
                      u"[SaveNewBitmap]too large for the format, nothing written,8x65536," + ShotFolder + u"long.jpeg"),
            lines.end());
  // One row less fits.
  EXPECT_EQ(SaveNewBitmap(TallCapture(8, 65535).View(), ShotFolder + u"fits.jpeg"), TSaveResult::Saved);
}

}  // namespace
}  // namespace qor
