#include <gtest/gtest.h>
#include <windows.h>

#include "app/LogManage.h"
#include "app/SafeIniFile.h"
#include "base/TextDecoding.h"
#include "base/Utf16Text.h"
#include "base/win/WinFileSystem.h"
#include "tests/unit/app/TestFolder.h"

namespace qor {
namespace {

using namespace test;

std::wstring W(std::u16string_view s) { return std::wstring(s.begin(), s.end()); }

DWORD Attributes(std::u16string_view path) { return GetFileAttributesW(W(path).c_str()); }

using WinFileSystemTest = TWinConfigFolderTest;

TEST_F(WinFileSystemTest, ReadOnlyOrHiddenConfigIsUpdatedAndKeepsItsAttributes) {
  for (const DWORD attributes :
       {DWORD(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN), DWORD(FILE_ATTRIBUTE_HIDDEN)}) {
    WriteBytes(Ini, EncodeUtf16LeWithBom(u"[Main]\r\nLanguage=English\r\n"));
    ASSERT_TRUE(SetFileAttributesW(W(Ini).c_str(), attributes));
    EXPECT_TRUE(WriteIniString(Ini, u"AIAssistant", u"ScreenshotCapTip", u"1"));
    EXPECT_EQ(ReadText(Ini), u"[Main]\r\nLanguage=English\r\n\r\n[AIAssistant]\r\nScreenshotCapTip=1\r\n");
    EXPECT_EQ(Attributes(Ini) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN), attributes);
    ASSERT_TRUE(SetFileAttributesW(W(Ini).c_str(), FILE_ATTRIBUTE_NORMAL));
  }
}

TEST_F(WinFileSystemTest, ReadsAFileThatAnotherProgramHoldsOpenForWriting) {
  WriteBytes(Ini, EncodeUtf16LeWithBom(u"[Main]\r\nLanguage=Deutsch\r\n"));
  HANDLE other = CreateFileW(W(Ini).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  EXPECT_EQ(ReadIniString(Ini, u"Main", u"Language", u""), u"Deutsch");
  CloseHandle(other);
}

TEST_F(WinFileSystemTest, AppendHandleKeepsOtherWritersOutButLetsReadersIn) {
  const std::u16string file = Folder.Path(u"x.log");
  auto first = FileSystem().OpenForAppend(file);
  ASSERT_NE(first, nullptr);
  ASSERT_TRUE(first->Write("abc"));
  EXPECT_EQ(FileSystem().OpenForAppend(file), nullptr);
  EXPECT_EQ(ReadBytes(file), "abc");
}

TEST_F(WinFileSystemTest, LogMovesToANumberedFileWhileAnotherWriterHoldsTheLog) {
  const std::u16string file = Folder.Path(u"Logs/QorScreenshot.log");
  FileSystem().MakeDirectories(ExtractFileDir(file));
  auto holder = FileSystem().OpenForAppend(file);
  ASSERT_NE(holder, nullptr);
  TLogManage log;
  log.SetFileName(file);
  log.WriteLog(u"elsewhere");
  holder.reset();
  const std::u16string text = ReadText(Folder.Path(u"Logs/QorScreenshot_1.log"));
  EXPECT_NE(text.find(u"elsewhere\r\n"), std::u16string::npos);
  EXPECT_EQ(FileSystem().SizeOfFile(file), uint64_t{0});
}

TEST_F(WinFileSystemTest, LogRotationWorksWithTheRealCopy) {
  const std::u16string file = Folder.Path(u"Logs/r.log");
  std::string full = EncodeUtf16LeWithBom(u"old\r\n");
  full.resize(TLogManage::DefaultMaxFileSize, 'x');
  WriteBytes(file, full);
  TLogManage log;
  log.SetFileName(file);
  log.WriteLog(u"fresh");
  EXPECT_EQ(ReadBytes(file + u".bak1"), full);
  EXPECT_EQ(ReadText(file).substr(25), u"fresh\r\n");
}

TEST_F(WinFileSystemTest, TextWithoutMarkUsesTheSystemCodePage) {
  if (GetACP() != 1252) GTEST_SKIP() << "code page " << GetACP();
  EXPECT_EQ(DecodeText("caf\xE9 \x80"), u"caf\u00E9 \u20AC");
}

TEST_F(WinFileSystemTest, ExecutablePathIsThisProgram) {
  const std::u16string exe = FileSystem().ExecutablePath();
  EXPECT_TRUE(SameText(ExtractFileName(exe), u"unit_app_win.exe")) << Utf16ToUtf8(exe);
}

TEST_F(WinFileSystemTest, NonAsciiFolderAndFileNames) {
  const std::u16string ini = Folder.Path(u"\u4E2D\u6587/Gr\u00F6\u00DFe.ini");
  EXPECT_TRUE(WriteIniString(ini, u"S", u"k", u"\u20AC"));
  EXPECT_EQ(ReadIniString(ini, u"S", u"k", u""), u"\u20AC");
}

}  // namespace
}  // namespace qor
