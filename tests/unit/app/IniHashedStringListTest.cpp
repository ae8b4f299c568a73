#include <gtest/gtest.h>

#include "app/IniHashedStringList.h"

namespace qor {
namespace {

TEST(TIniHashedStringList, FindsNamesAndLinesIgnoringCase) {
  TIniHashedStringList list;
  list.Add(u"ScreenshotCapTip=0");
  list.Add(u"bare entry");
  EXPECT_EQ(list.IndexOfName(u"SCREENSHOTCAPTIP"), 0);
  EXPECT_EQ(list.IndexOf(u"BARE ENTRY"), 1);
  EXPECT_EQ(list.IndexOfName(u"bare entry"), -1);  // a bare entry has no name
  EXPECT_EQ(list.Value(u"screenshotcaptip"), u"0");
  list.Add(u"url=a=b=c");  // the value is everything after the first equals sign
  list.Add(u"=nameless");
  EXPECT_EQ(list.Value(u"url"), u"a=b=c");
  EXPECT_EQ(list.Value(u""), u"nameless");
  TIniHashedStringList exact(true);
  exact.Add(u"Key=1");
  EXPECT_EQ(exact.IndexOfName(u"key"), -1);
  EXPECT_EQ(exact.IndexOfName(u"Key"), 0);
}

TEST(TIniHashedStringList, IndexesFollowAddsAndReplacements) {
  TIniHashedStringList list;
  list.Add(u"a=1");
  ASSERT_EQ(list.IndexOfName(u"a"), 0);  // builds the indexes
  list.Add(u"b=2");
  EXPECT_EQ(list.IndexOfName(u"b"), 1);
  list.Put(0, u"c=3");  // renames line 0
  EXPECT_EQ(list.IndexOfName(u"a"), -1);
  EXPECT_EQ(list.IndexOfName(u"c"), 0);
  EXPECT_EQ(list.IndexOf(u"a=1"), -1);
  EXPECT_EQ(list.IndexOf(u"c=3"), 0);
  list.Delete(0);
  EXPECT_EQ(list.IndexOfName(u"b"), 0);
  EXPECT_EQ(list.IndexOfName(u"c"), -1);
}

TEST(TIniHashedStringList, FirstOfDuplicateNamesWinsAndIsTheOneReplaced) {
  TIniHashedStringList list;
  list.Add(u"k=first");
  list.Add(u"K=second");
  EXPECT_EQ(list.Value(u"k"), u"first");
  list.SetValue(u"k", u"new");
  EXPECT_EQ(list.Line(0), u"k=new");
  EXPECT_EQ(list.Line(1), u"K=second");
  list.Put(1, u"k=new");  // same text as line 0: line 0 is still the one found
  EXPECT_EQ(list.IndexOf(u"k=new"), 0);
}

TEST(TIniSections, ParsesTheFileRules) {
  TIniSections ini;
  ini.Parse(
      u"orphan=dropped\r\n; comment=ignored\r\n  [ Main ]  \r\n   Language   =   Deutsch   \r\n\r\n"
      u"bare line\n[AIAssistant]\rScreenshotCapPath=\r\n  ;also=comment\r\n[main]\r\nExtra=1");
  EXPECT_EQ(ini.SectionNames(), (std::vector<std::u16string>{u"Main", u"AIAssistant"}));
  EXPECT_EQ(ini.ReadValue(u"MAIN", u"language"), u"Deutsch");
  EXPECT_EQ(ini.ReadValue(u"Main", u"Extra"), u"1");  // repeated section merged
  EXPECT_EQ(ini.ReadValue(u"AIAssistant", u"ScreenshotCapPath"), u"");
  EXPECT_FALSE(ini.ReadValue(u"AIAssistant", u"also").has_value());
  EXPECT_FALSE(ini.ReadValue(u"Main", u"orphan").has_value());
  EXPECT_EQ(ini.Section(u"Main")->Line(1), u"bare line");
}

TEST(TIniSections, BracketsNeedBothEndsToOpenASection) {
  TIniSections ini;
  ini.Parse(u"[A]\r\n[not a section\r\nx]=1\r\n[]\r\nk=v");
  EXPECT_EQ(ini.SectionNames(), (std::vector<std::u16string>{u"A", u""}));
  EXPECT_EQ(ini.Section(u"A")->Line(0), u"[not a section");
  EXPECT_EQ(ini.ReadValue(u"A", u"x]"), u"1");
  EXPECT_EQ(ini.ReadValue(u"", u"k"), u"v");
}

TEST(TIniSections, LastSectionCacheNeverGivesAStaleSection) {
  TIniSections ini;
  ini.WriteValue(u"A", u"k", u"1");
  ini.WriteValue(u"B", u"k", u"2");
  EXPECT_EQ(ini.ReadValue(u"a", u"k"), u"1");  // caches A
  ini.EraseSection(u"A");
  EXPECT_FALSE(ini.ReadValue(u"A", u"k").has_value());
  EXPECT_EQ(ini.ReadValue(u"B", u"k"), u"2");
  ini.WriteValue(u"A", u"k", u"3");
  EXPECT_EQ(ini.ReadValue(u"A", u"k"), u"3");
  EXPECT_EQ(ini.SectionNames(), (std::vector<std::u16string>{u"B", u"A"}));
  TIniSections copy = ini;  // copies are independent
  copy.WriteValue(u"A", u"k", u"4");
  EXPECT_EQ(ini.ReadValue(u"A", u"k"), u"3");
  EXPECT_TRUE(ini.DeleteKey(u"a", u"K"));
  EXPECT_FALSE(ini.DeleteKey(u"a", u"K"));
  EXPECT_FALSE(ini.DeleteKey(u"none", u"k"));
  EXPECT_EQ(ini.ReadValue(u"B", u"k"), u"2");
}

TEST(TIniSections, SerializeThenParseGivesTheSameContent) {
  TIniSections ini;
  ini.WriteValue(u"Main", u"Language", u"English");
  ini.WriteValue(u"StartPin", u"Left", u"-12");
  ini.AddSection(u"Empty");
  const std::u16string text = ini.Serialize();
  EXPECT_EQ(text, u"[Main]\r\nLanguage=English\r\n\r\n[StartPin]\r\nLeft=-12\r\n\r\n[Empty]\r\n");
  TIniSections again;
  again.Parse(text);
  EXPECT_EQ(again.Serialize(), text);
}

}  // namespace
}  // namespace qor
