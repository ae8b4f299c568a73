#include <gtest/gtest.h>

#include <random>

#include "app/SafeIniFile.h"
#include "base/TextDecoding.h"
#include "base/Utf16Text.h"
#include "tests/unit/app/TestFolder.h"

namespace qor {
namespace {

using namespace test;

// ---- value texts ----

TEST(IniInteger, ParsesDecimalAndPrefixedHexAndRejectsTheRest) {
  const std::pair<std::u16string_view, int64_t> good[] = {{u"42", 42},
                                                          {u"-42", -42},
                                                          {u"+7", 7},
                                                          {u"0x1F", 31},
                                                          {u"0XfF", 255},
                                                          {u"0x0", 0},
                                                          {u" 12 ", 12},
                                                          {u"0xFFFFFFFFFFFFFFFF", -1},
                                                          {u"9223372036854775807", INT64_MAX},
                                                          {u"-9223372036854775808", INT64_MIN}};
  for (const auto& [text, expected] : good) {
    int64_t value = -777;
    EXPECT_TRUE(ParseIniInteger(text, value)) << Utf16ToUtf8(text);
    EXPECT_EQ(value, expected) << Utf16ToUtf8(text);
  }
  // "0x" is two characters: not hexadecimal, and no number; the long hex has 17 digits.
  for (std::u16string_view bad :
       {u"0x", u"0xG", u"0x10000000000000000", u"9223372036854775808", u"abc", u"", u"-", u"1.5", u"12abc", u"x12"}) {
    int64_t value = 0;
    EXPECT_FALSE(ParseIniInteger(bad, value)) << Utf16ToUtf8(bad);
  }
}

TEST(IniFloat, TakesCommaAsDecimalPointWhateverTheLocaleAndWritesAPointThatReadsBackExactly) {
  const std::pair<std::u16string_view, double> good[] = {
      {u"1,5", 1.5}, {u"1.5", 1.5}, {u"-0,25", -0.25}, {u"+2", 2}, {u"1e3", 1000}};
  for (const auto& [text, expected] : good) {
    double value = -777;
    EXPECT_TRUE(ParseIniFloat(text, value)) << Utf16ToUtf8(text);
    EXPECT_DOUBLE_EQ(value, expected) << Utf16ToUtf8(text);
  }
  for (std::u16string_view bad : {u"1.000,5", u"abc", u"", u"inf", u"nan", u"+-1", u"1,5x", u"\u0661"}) {
    double value = 0;
    EXPECT_FALSE(ParseIniFloat(bad, value)) << Utf16ToUtf8(bad);
  }
  for (double v : {-0.1, 1e20, 3.141592653589793}) {
    double back = 0;
    ASSERT_TRUE(ParseIniFloat(FormatIniFloat(v), back));
    EXPECT_EQ(back, v);
  }
  EXPECT_EQ(FormatIniFloat(1.5), u"1.5");
}

TEST(IniDateTime, WritesTheFixedUsFormatReadsItAndRejectsImpossibleValues) {
  const TDateTimeValue w{2024, 3, 7, 9, 5, 4, 12};
  EXPECT_EQ(FormatIniDateTime(w), u"03/07/2024 09:05:04:012");
  EXPECT_EQ(FormatIniDate(w), u"03/07/2024");
  EXPECT_EQ(FormatIniTime(w), u"09:05:04:012");
  TDateTimeValue v;
  bool hasDate = false, hasTime = false;
  ASSERT_TRUE(ParseIniDateTime(u"12/31/2024 23:59:59:999", v, hasDate, hasTime));
  EXPECT_EQ(v, (TDateTimeValue{2024, 12, 31, 23, 59, 59, 999}));
  EXPECT_TRUE(hasDate && hasTime);
  ASSERT_TRUE(ParseIniDateTime(u"2/29/2024", v, hasDate, hasTime));
  EXPECT_TRUE(hasDate && !hasTime);
  ASSERT_TRUE(ParseIniDateTime(u"7:05", v, hasDate, hasTime));
  EXPECT_TRUE(!hasDate && hasTime);
  ASSERT_TRUE(ParseIniDateTime(u"1/2/2023 10:11:12.5", v, hasDate, hasTime));
  EXPECT_EQ(v.Millisecond, 5);
  for (const char16_t* bad :
       {u"2/29/2023", u"13/01/2024", u"00/10/2024", u"12/32/2024", u"12/31/2024 24:00", u"12/31/2024 10:60",
        u"31.12.2024", u"2024-12-31", u"", u"12/31", u"1/1/2024 x", u"10:00:00:1000", u"1/1/2024 10:00 11:00"}) {
    EXPECT_FALSE(ParseIniDateTime(bad, v, hasDate, hasTime)) << Utf16ToUtf8(bad);
  }
}

// ---- the file ----

using SafeIniFileTest = TConfigFolderTest;

TEST_F(SafeIniFileTest, MissingFileIsCreatedByOpeningNotByReadingAndSavedAsUtf16LeWithBomAndCrLf) {
  EXPECT_EQ(ReadIniString(Ini, u"Main", u"Language", u"English"), u"English");
  EXPECT_FALSE(FileSystem().DirectoryExists(ExtractFileDir(Ini)));
  { TSafeIniFile ini(Ini); }
  EXPECT_EQ(ReadBytes(Ini), "");
  {
    TSafeIniFile ini(Ini);
    ini.WriteString(u"Main", u"Language", u"Fran\u00E7ais");
    ini.WriteInteger(u"StartPin", u"Left", -5);
  }
  EXPECT_EQ(ReadBytes(Ini), EncodeUtf16LeWithBom(u"[Main]\r\nLanguage=Fran\u00E7ais\r\n\r\n[StartPin]\r\nLeft=-5\r\n"));
  EXPECT_TRUE(WriteIniString(Ini, u"AIAssistant", u"ScreenshotClipboardShow", u"1"));
  EXPECT_EQ(ReadIniString(Ini, u"AIAssistant", u"ScreenshotClipboardShow", u""), u"1");
  int files = 0;  // no temporary file left
  for (const auto& e : std::filesystem::directory_iterator(Folder.Root() / "Corvane")) (void)e, ++files;
  EXPECT_EQ(files, 1);
}

TEST_F(SafeIniFileTest, TypedValuesRoundTripThroughTheFile) {
  const TDateTimeValue when{2023, 11, 5, 17, 30, 1, 250};
  {
    TSafeIniFile ini(Ini);
    ini.WriteBool(u"S", u"Flag", true);
    ini.WriteFloat(u"S", u"Ratio", 0.75);
    ini.WriteDateTime(u"S", u"When", when);
    ini.WriteDate(u"S", u"Day", when);
    ini.WriteTime(u"S", u"Clock", when);
  }
  TSafeIniFile ini(Ini);
  EXPECT_TRUE(ini.ReadBool(u"S", u"Flag", false));
  EXPECT_EQ(ini.ReadFloat(u"S", u"Ratio", 0), 0.75);
  EXPECT_EQ(ini.ReadDateTime(u"S", u"When", {}), when);
  EXPECT_EQ(ini.ReadDate(u"S", u"Day", {}), (TDateTimeValue{2023, 11, 5}));
  EXPECT_EQ(ini.ReadTime(u"S", u"Clock", {}), (TDateTimeValue{0, 0, 0, 17, 30, 1, 250}));
  EXPECT_EQ(ini.ReadDate(u"S", u"Clock", {1, 1, 1}), (TDateTimeValue{1, 1, 1}));  // a time is no date
  EXPECT_EQ(ini.ReadString(u"S", u"Flag", u""), u"1");
}

TEST_F(SafeIniFileTest, StoredTextsReadAsTheirKinds) {
  WriteBytes(Ini, EncodeUtf16LeWithBom(u"[AIAssistant]\r\nScreenshotCapFormat=abc\r\nFive=5\r\nHex=0x10\r\n"
                                       u"Ratio=1,5\r\nZero=0\r\nNeg=-3\r\nWhen=99/99/9999\r\n"));
  TSafeIniFile ini(Ini);
  EXPECT_EQ(ini.ReadInteger(u"AIAssistant", u"ScreenshotCapFormat", 1), 1);
  EXPECT_EQ(ini.ReadInteger(u"AIAssistant", u"Five", 1), 5);
  EXPECT_EQ(ini.ReadInteger(u"AIAssistant", u"Hex", 0), 16);
  EXPECT_EQ(ini.ReadFloat(u"AIAssistant", u"Ratio", 0), 1.5);
  EXPECT_FALSE(ini.ReadBool(u"AIAssistant", u"Zero", true));
  EXPECT_TRUE(ini.ReadBool(u"AIAssistant", u"Neg", false));
  EXPECT_TRUE(ini.ReadBool(u"AIAssistant", u"ScreenshotCapFormat", true));  // not a number: the default
  EXPECT_FALSE(ini.ReadBool(u"AIAssistant", u"ScreenshotCapFormat", false));
  EXPECT_EQ(ini.ReadDateTime(u"AIAssistant", u"When", {1, 2, 3}), (TDateTimeValue{1, 2, 3}));
}

TEST_F(SafeIniFileTest, KeysMatchRegardlessOfCaseAndBlanksAndAnEmptyValueIsNotAMissingKey) {
  WriteBytes(Ini, EncodeUtf16LeWithBom(u"[ aiassistant ]\r\n  screenshotcaptip   =   1   \r\nScreenshotCapPath=\r\n"));
  {
    TSafeIniFile ini(Ini);
    EXPECT_EQ(ini.ReadString(u"AIAssistant", u"ScreenshotCapTip", u"0"), u"1");
    EXPECT_EQ(ini.ReadString(u"AIAssistant", u"ScreenshotCapPath", u"default"), u"");
    EXPECT_EQ(ini.ReadString(u"AIAssistant", u"Missing", u"default"), u"default");
    EXPECT_EQ(ini.ReadString(u"NoSection", u"ScreenshotCapPath", u"default"), u"default");
    EXPECT_EQ(ini.ReadInteger(u"AIAssistant", u"ScreenshotCapPath", 7), 7);
    ini.WriteString(u"AIASSISTANT", u"SCREENSHOTCAPTIP", u"0");  // replaces, does not add
  }
  EXPECT_EQ(ReadText(Ini), u"[aiassistant]\r\nSCREENSHOTCAPTIP=0\r\nScreenshotCapPath=\r\n");
}

TEST_F(SafeIniFileTest, Utf8AnsiAndBigEndianFilesAreReadAndRewrittenAsUtf16Le) {
  std::string bigEndian = "\xFE\xFF";
  for (char16_t c : std::u16string(u"[Main]\r\nLanguage=Fran\u00E7ais\r\n")) bigEndian += {char(c >> 8), char(c)};
  for (const std::string& bytes : {std::string("\xEF\xBB\xBF[Main]\r\nLanguage=Fran\xC3\xA7"
                                               "ais\r\n"),
                                   std::string("[Main]\r\nLanguage=Fran\xE7"
                                               "ais\r\n"),
                                   bigEndian}) {
    WriteBytes(Ini, bytes);
    {
      TSafeIniFile ini(Ini);
      EXPECT_EQ(ini.ReadString(u"Main", u"Language", u""), u"Fran\u00E7ais");
      ini.WriteString(u"Main", u"Other", u"x");
    }
    EXPECT_EQ(ReadBytes(Ini), EncodeUtf16LeWithBom(u"[Main]\r\nLanguage=Fran\u00E7ais\r\nOther=x\r\n"));
  }
}

TEST_F(SafeIniFileTest, ReadOnlyFileIsUpdatedAndStaysReadOnly) {
  WriteBytes(Ini, EncodeUtf16LeWithBom(u"[Main]\r\nLanguage=English\r\n"));
  ASSERT_TRUE(FileSystem().WriteAttributes(Ini, {true, false}));
  EXPECT_TRUE(WriteIniString(Ini, u"AIAssistant", u"ScreenshotCapTip", u"1"));
  EXPECT_EQ(ReadIniString(Ini, u"AIAssistant", u"ScreenshotCapTip", u"0"), u"1");
  EXPECT_EQ(ReadIniString(Ini, u"Main", u"Language", u""), u"English");
  EXPECT_TRUE(FileSystem().ReadAttributes(Ini)->ReadOnly);
}

TEST_F(SafeIniFileTest, DestructorSavesOnlyWhenModifiedAndErasedSectionsAndKeysAreSaved) {
  WriteBytes(Ini, "[A]\nx=1\ny=2\n[B]\nz=3\n");  // ANSI: a save would turn it into UTF-16
  { TSafeIniFile ini(Ini); }
  EXPECT_EQ(ReadBytes(Ini), "[A]\nx=1\ny=2\n[B]\nz=3\n");
  {
    TSafeIniFile ini(Ini);
    ini.EraseSection(u"b");
    ini.DeleteKey(u"a", u"X");
    EXPECT_EQ(ini.ReadSections(), std::vector<std::u16string>{u"A"});
  }
  EXPECT_EQ(ReadText(Ini), u"[A]\r\ny=2\r\n");
}

TEST_F(SafeIniFileTest, FiltersTransformTheBytesBothWaysAndAFailingFilterKeepsTheFile) {
  auto flip = [](std::string& bytes) {
    for (auto& b : bytes) b = static_cast<char>(b ^ 0x5A);
    return true;
  };
  auto fail = [](std::string&) { return false; };
  {
    TSafeIniFile ini(Ini, flip, flip);
    ini.WriteString(u"S", u"k", u"v");
  }
  const std::string flipped = ReadBytes(Ini);
  EXPECT_NE(flipped.substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(TSafeIniFile(Ini, flip, flip).ReadString(u"S", u"k", u""), u"v");
  {
    TSafeIniFile ini(Ini, fail);  // cannot decode: never written back
    EXPECT_TRUE(ini.WriteBackForbidden());
    ini.WriteString(u"S", u"k", u"w");
    EXPECT_FALSE(ini.UpdateFile());
  }
  EXPECT_EQ(ReadBytes(Ini), flipped);
  TSafeIniFile ini(Ini, flip, fail);
  ini.WriteString(u"S", u"k", u"new");
  EXPECT_FALSE(ini.UpdateFile());
  EXPECT_TRUE(ini.SaveAborted());
  EXPECT_EQ(ReadBytes(Ini), flipped);
}

class FaultySafeIniFileTest : public TConfigFolderTest {
 protected:
  void SetUp() override { SetFileSystem(&Faulty); }
  void TearDown() override { SetFileSystem(nullptr); }
  TFaultyFileSystem Faulty;
};

TEST_F(FaultySafeIniFileTest, AFileThatCannotBeReadIsNeverOverwrittenAndAFailedSaveIsReported) {
  WriteBytes(Ini, EncodeUtf16LeWithBom(u"[Main]\r\nLanguage=English\r\n"));
  Faulty.FailReads = true;
  EXPECT_FALSE(WriteIniString(Ini, u"S", u"k", u"v"));
  EXPECT_EQ(ReadIniString(Ini, u"Main", u"Language", u"dflt"), u"dflt");
  Faulty.FailReads = false;
  Faulty.FailWrites = true;
  EXPECT_FALSE(WriteIniString(Ini, u"S", u"k", u"new"));
  Faulty.FailWrites = false;
  EXPECT_EQ(ReadText(Ini), u"[Main]\r\nLanguage=English\r\n");
}

TEST_F(SafeIniFileTest, ConfigFunctionsUseTheParentProductFolderAndABareNameTheCurrentFolder) {
  SetParentProductFolder(Folder.Path(u"Corvane"));
  EXPECT_EQ(ConfigIniPath(), Ini);
  EXPECT_EQ(ReadConfigString(u"Main", u"Language", u"English"), u"English");
  EXPECT_TRUE(WriteConfigString(u"StartPin", u"Left", u"10"));
  EXPECT_EQ(ReadConfigString(u"startpin", u"left", u""), u"10");
  SetParentProductFolder(u"");
  const auto old = std::filesystem::current_path();
  std::filesystem::current_path(Folder.Root());
  EXPECT_TRUE(WriteIniString(u"Bare.ini", u"S", u"k", u"v"));
  std::filesystem::current_path(old);
  EXPECT_EQ(ReadText(Folder.Path(u"Bare.ini")), u"[S]\r\nk=v\r\n");
}

// ---- bad input: a clear, quiet default, and nothing that was readable is lost ----

TEST_F(SafeIniFileTest, BinaryGarbageReadsAsDefaultsAndAcceptsWrites) {
  std::mt19937 rng(42);
  for (int round = 0; round < 20; ++round) {
    std::string bytes(1 + rng() % 4096, '\0');
    for (auto& b : bytes) b = static_cast<char>(rng());
    if (round % 3 == 0) bytes[0] = '\xFF', bytes[1 % bytes.size()] = '\xFE';
    WriteBytes(Ini, bytes);
    EXPECT_EQ(ReadIniString(Ini, u"AIAssistant", u"ScreenshotCapTip", u"0"), u"0");
    EXPECT_TRUE(WriteIniString(Ini, u"AIAssistant", u"ScreenshotCapTip", u"1"));
    EXPECT_EQ(ReadIniString(Ini, u"AIAssistant", u"ScreenshotCapTip", u"0"), u"1");
  }
}

TEST_F(SafeIniFileTest, TruncatedAndOddSizedFilesKeepWhatIsWhole) {
  const std::string whole =
      EncodeUtf16LeWithBom(u"[Main]\r\nLanguage=English\r\n[AIAssistant]\r\nScreenshotCapTip=1\r\n");
  for (size_t cut : {whole.size() - 1, whole.size() - 3, size_t{1}, size_t{3}}) {
    WriteBytes(Ini, whole.substr(0, cut));
    EXPECT_EQ(ReadIniString(Ini, u"Main", u"Language", u"x"), cut > 40 ? u"English" : u"x") << cut;
  }
  // The odd byte left of the final CR becomes U+FFFD; the value before it is whole.
  WriteBytes(Ini, whole.substr(0, whole.size() - 3));
  EXPECT_EQ(ReadIniString(Ini, u"AIAssistant", u"ScreenshotCapTip", u"0"), u"1\uFFFD");
  WriteBytes(Ini, whole.substr(0, whole.size() - 1));
  EXPECT_EQ(ReadIniString(Ini, u"AIAssistant", u"ScreenshotCapTip", u"0"), u"1");
}

TEST_F(SafeIniFileTest, LoneSurrogatesSurviveALoadAndSave) {
  std::u16string text = u"[S]\r\nk=a";
  text.push_back(0xD800);
  text += u"b\r\n";
  const std::string bytes = EncodeUtf16LeWithBom(text);
  WriteBytes(Ini, bytes);
  EXPECT_TRUE(WriteIniString(Ini, u"S", u"k2", u"v"));
  std::u16string expected = text + u"k2=v\r\n";
  EXPECT_EQ(ReadText(Ini), expected);
}

TEST_F(SafeIniFileTest, TenMegabyteLineIsKeptWhole) {
  const std::u16string big(10u << 20, u'x');
  WriteBytes(Ini, EncodeUtf16LeWithBom(u"[S]\r\nbig=" + big + u"\r\n" + big + u"\r\n"));
  EXPECT_TRUE(WriteIniString(Ini, u"S", u"k", u"v"));
  TSafeIniFile ini(Ini);
  EXPECT_EQ(ini.ReadString(u"S", u"big", u"").size(), big.size());
  EXPECT_EQ(ini.ReadString(u"S", u"k", u""), u"v");
}

}  // namespace
}  // namespace qor
