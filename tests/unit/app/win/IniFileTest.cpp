#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/SafeIniFile.h"
#include "app/win/IniFile.h"
#include "base/TextDecoding.h"
#include "base/Utf16Text.h"
#include "base/win/UniqueHandle.h"
#include "base/win/WinFileSystem.h"
#include "tests/unit/app/TestFolder.h"

namespace qor {
namespace {

using namespace test;

using IniFileTest = TWinConfigFolderTest;

TEST_F(IniFileTest, NewFileStartsWithTheMarkAndStaysUtf16) {
  {
    win::TIniFile ini(Ini);
    EXPECT_EQ(ReadBytes(Ini), "\xFF\xFE");
    ASSERT_TRUE(ini.WriteString(u"Main", u"Language", u"\u4E2D\u6587"));
    ini.UpdateFile();
  }
  EXPECT_EQ(ReadBytes(Ini).substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(ReadIniString(Ini, u"Main", u"Language", u""), u"\u4E2D\u6587");
}

TEST_F(IniFileTest, ReadsWhatTheSettingsStoreWroteAndTheOtherWayRound) {
  ASSERT_TRUE(WriteIniString(Ini, u"Main", u"Language", u"Deutsch"));
  win::TIniFile ini(Ini);
  EXPECT_EQ(ini.ReadString(u"main", u"LANGUAGE", u"English"), u"Deutsch");
  EXPECT_EQ(ini.ReadString(u"Main", u"Missing", u"English"), u"English");
  ASSERT_TRUE(ini.WriteInteger(u"StartPin", u"Left", -20));
  ini.UpdateFile();
  EXPECT_EQ(ReadIniString(Ini, u"StartPin", u"Left", u""), u"-20");
}

TEST_F(IniFileTest, LongValuesAreReadWhole) {
  const std::u16string longValue(5000, u'v');
  win::TIniFile ini(Ini);
  ASSERT_TRUE(ini.WriteString(u"S", u"long", longValue));
  EXPECT_EQ(ini.ReadString(u"S", u"long", u""), longValue);
  const std::u16string exact(2047, u'e');  // exactly fills the first buffer
  ASSERT_TRUE(ini.WriteString(u"S", u"exact", exact));
  EXPECT_EQ(ini.ReadString(u"S", u"exact", u""), exact);
}

TEST_F(IniFileTest, TypedValuesSectionsAndErasing) {
  win::TIniFile ini(Ini);
  ASSERT_TRUE(ini.WriteString(u"A", u"hex", u"0x1F"));
  ASSERT_TRUE(ini.WriteBool(u"A", u"flag", true));
  ASSERT_TRUE(ini.WriteString(u"B", u"k", u"v"));
  EXPECT_EQ(ini.ReadInteger(u"A", u"hex", 0), 31);
  EXPECT_TRUE(ini.ReadBool(u"A", u"flag", false));
  EXPECT_EQ(ini.ReadInteger(u"A", u"flag2", 7), 7);
  EXPECT_EQ(ini.ReadSections(), (std::vector<std::u16string>{u"A", u"B"}));
  ASSERT_TRUE(ini.DeleteKey(u"A", u"hex"));
  EXPECT_EQ(ini.ReadString(u"A", u"hex", u"gone"), u"gone");
  ASSERT_TRUE(ini.EraseSection(u"B"));
  EXPECT_EQ(ini.ReadSections(), std::vector<std::u16string>{u"A"});
}

TEST_F(IniFileTest, ManySectionsAreAllListed) {
  std::u16string text;
  for (int i = 0; i < 2000; ++i) text += u"[Section_number_" + IntToText(i) + u"]\r\nk=v\r\n";
  WriteBytes(Ini, EncodeUtf16LeWithBom(text));
  win::TIniFile ini(Ini);
  const auto sections = ini.ReadSections();
  ASSERT_EQ(sections.size(), 2000u);
  EXPECT_EQ(sections.back(), u"Section_number_1999");
}

TEST_F(IniFileTest, ReadOnlyFileIsMadeWritable) {
  WriteBytes(Ini, EncodeUtf16LeWithBom(u"[S]\r\nk=1\r\n"));
  ASSERT_TRUE(FileSystem().WriteAttributes(Ini, {true, false}));
  win::TIniFile ini(Ini);
  EXPECT_FALSE(FileSystem().ReadAttributes(Ini)->ReadOnly);
  EXPECT_TRUE(ini.WriteString(u"S", u"k", u"2"));
}

}  // namespace
}  // namespace qor

#define QOR_WIDEN2(x) L##x
#define QOR_WIDEN(x) QOR_WIDEN2(x)
#define QOR_FILE_HOLDER_W QOR_WIDEN(QOR_FILE_HOLDER)

namespace qor {
namespace {

// A second process holding a file open the way the parent product holds Config.ini; it lets go when destroyed.
class THeldFile {
 public:
  explicit THeldFile(const std::u16string& path) {
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE childIn = nullptr, childOut = nullptr, ourIn = nullptr, ourOut = nullptr;
    if (!::CreatePipe(&childIn, &ourIn, &inherit, 0) || !::CreatePipe(&ourOut, &childOut, &inherit, 0)) return;
    FChildIn.Reset(childIn);
    FChildOut.Reset(childOut);
    FToChild.Reset(ourIn);
    FFromChild.Reset(ourOut);
    ::SetHandleInformation(ourIn, HANDLE_FLAG_INHERIT, 0);
    ::SetHandleInformation(ourOut, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = childIn;
    startup.hStdOutput = childOut;
    startup.hStdError = childOut;
    std::wstring commandLine = L"\"" QOR_FILE_HOLDER_W L"\" \"" + std::wstring(path.begin(), path.end()) + L"\"";
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
      return;
    ::CloseHandle(process.hThread);
    FProcess.Reset(process.hProcess);
    FChildIn.Reset();
    FChildOut.Reset();
    char said[5] = {};
    DWORD count = 0;
    FHeld = ::ReadFile(FFromChild.Get(), said, sizeof(said), &count, nullptr) && count >= 4 &&
            std::string(said, 4) == "held";
  }
  ~THeldFile() {
    FToChild.Reset();  // the holder's input closes: it lets go and ends
    if (FProcess) ::WaitForSingleObject(FProcess.Get(), 10000);
  }
  bool Held() const { return FHeld; }

 private:
  TKernelHandle FChildIn, FChildOut, FToChild, FFromChild, FProcess;
  bool FHeld = false;
};

using HeldIniFileTest = test::TWinConfigFolderTest;

TEST_F(HeldIniFileTest, ASettingIsWrittenInPlaceWhileAnotherProcessHoldsConfigIniAndNoTemporaryFileStays) {
  ASSERT_TRUE(WriteIniString(Ini, u"AIAssistant", u"ScreenshotCapTip", u"0"));
  {
    THeldFile parent(Ini);
    ASSERT_TRUE(parent.Held());
    // The holder really keeps the file from being replaced, so what follows takes the in-place path.
    EXPECT_FALSE(FileSystem().WriteFileAtomically(Ini, "replaced"));
    EXPECT_TRUE(WriteIniString(Ini, u"AIAssistant", u"ScreenshotClipboardShow", u"1"));
    EXPECT_TRUE(WriteIniString(Ini, u"AIAssistant", u"ScreenshotCapTip", u"1"));
  }
  EXPECT_EQ(ReadIniString(Ini, u"AIAssistant", u"ScreenshotCapTip", u""), u"1");
  EXPECT_EQ(ReadIniString(Ini, u"AIAssistant", u"ScreenshotClipboardShow", u""), u"1");
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(Folder.Root() / "Corvane"))
    names.push_back(entry.path().filename().string());
  EXPECT_EQ(names, std::vector<std::string>{"Config.ini"});
}

}  // namespace
}  // namespace qor
