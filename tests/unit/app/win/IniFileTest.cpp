#include <gtest/gtest.h>
#include <windows.h>

#include "app/SafeIniFile.h"
#include "app/win/IniFile.h"
#include "base/TextDecoding.h"
#include "base/Utf16Text.h"
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
