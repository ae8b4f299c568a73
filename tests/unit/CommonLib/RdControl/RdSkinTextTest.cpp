#include "CommonLib/RdControl/RdSkinText.h"

#include <gtest/gtest.h>

namespace qor {
namespace {

TRdSkinText Parse(std::u16string_view text) {
  TRdSkinText skin;
  skin.AddText(text);
  skin.ResolveParents();
  return skin;
}

std::u16string ValueOf(const TRdSkinText& skin, std::u16string_view cls, std::u16string_view name) {
  const TRdValueStrings* v = skin.Find(cls);
  if (v == nullptr) return u"<no class>";
  return v->Value(name).value_or(u"<no value>");
}

TEST(RdSkinText, SectionsAreClassesFoundWithCaseIgnoredAndLinesKeepDottedNames) {
  const TRdSkinText skin = Parse(
      u"Font.Color=orphan\r\n"
      u"[ComboBox]\r\n"
      u"class=TRdComboBox\r\n"
      u"  Font.Color = text_color.cl_text_b \r\n"
      u"; a comment\r\n"
      u"\r\n"
      u"BackgroundOption.Left=4\n"
      u"[Slider]\rHeight=20\r");
  ASSERT_EQ(skin.ClassCount(), 2);
  EXPECT_EQ(ValueOf(skin, u"combobox", u"Font.Color"), u"text_color.cl_text_b");
  EXPECT_EQ(ValueOf(skin, u"COMBOBOX", u"backgroundoption.left"), u"4");
  EXPECT_EQ(ValueOf(skin, u"combobox", u"class"), u"TRdComboBox");
  EXPECT_EQ(skin.Find(u"combobox")->Count(), 3);
  EXPECT_EQ(ValueOf(skin, u"slider", u"Height"), u"20");
  EXPECT_EQ(skin.Find(u"scrollbar"), nullptr);
}

TEST(RdSkinText, AParentsValuesComeFirstAndTheChildsReplaceThem) {
  const TRdSkinText skin = Parse(
      u"[button]\nparent=base\nHeight=30\nCaption.Left=2\n"
      u"[base]\nparent=root\nHeight=20\nWidth=50\n"
      u"[root]\nWidth=10\nColor=clRed\n");
  const TRdValueStrings* v = skin.Find(u"button");
  ASSERT_NE(v, nullptr);
  // The farthest ancestor first: root's Width and Color, then base's, then the button's own.
  EXPECT_EQ(v->Line(0).Name, u"Width");
  EXPECT_EQ(v->Value(u"Width"), u"50");
  EXPECT_EQ(v->Value(u"Color"), u"clRed");
  EXPECT_EQ(v->Value(u"Height"), u"30");
  EXPECT_EQ(v->Value(u"Caption.Left"), u"2");
  EXPECT_EQ(v->Value(u"parent"), u"base");
  // Own lines stay as written.
  EXPECT_EQ(skin.FindOwn(u"button")->Count(), 3);
}

TEST(RdSkinText, ParentsAreResolvedAcrossFilesAndLaterFilesOverrideValues) {
  TRdSkinText skin;
  skin.AddText(u"[button]\nparent=base\nHeight=30\n");
  skin.AddText(u"[base]\nColor=clRed\n[BUTTON]\nHeight=31\n");
  skin.ResolveParents();
  EXPECT_EQ(skin.ClassCount(), 2);
  EXPECT_EQ(ValueOf(skin, u"button", u"Color"), u"clRed");
  EXPECT_EQ(ValueOf(skin, u"button", u"Height"), u"31");
}

TEST(RdSkinText, ParentCyclesSelfParentsAndMissingParentsEndTheChain) {
  const TRdSkinText skin = Parse(
      u"[a]\nparent=b\nA=1\nShared=a\n"
      u"[b]\nparent=c\nB=1\nShared=b\n"
      u"[c]\nparent=A\nC=1\nShared=c\n"
      u"[self]\nparent=SELF\nX=1\n"
      u"[lost]\nparent=nowhere\nY=1\n");
  // a -> b -> c -> (a again: stop). So a takes c, then b, then its own values.
  const TRdValueStrings* a = skin.Find(u"a");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->Value(u"Shared"), u"a");
  EXPECT_EQ(a->Value(u"B"), u"1");
  EXPECT_EQ(a->Value(u"C"), u"1");
  EXPECT_EQ(ValueOf(skin, u"c", u"Shared"), u"c");
  EXPECT_EQ(ValueOf(skin, u"c", u"B"), u"1");  // c -> a -> b
  EXPECT_EQ(skin.Find(u"self")->Count(), 2);
  EXPECT_EQ(skin.Find(u"lost")->Count(), 2);
}

TEST(RdSkinText, QuotedStringsAreDecodedWithSeparatorsInsideKept) {
  const TRdSkinText skin = Parse(
      u"[t]\n"
      u"Hint='It''s a=b; [c], (d)'\n"
      u"Two='one'#13#10'two'\n"
      u"Joined='abc' +\n"
      u"  'def' + #$41\n"
      u"Codes=#65#66#$10000#x'!'\n"
      u"Open='runs to the end ; ]\n"
      u"Junk='ok' trailing\n"
      u"Next=after\n");
  EXPECT_EQ(ValueOf(skin, u"t", u"Hint"), u"It's a=b; [c], (d)");
  EXPECT_EQ(ValueOf(skin, u"t", u"Two"), u"one\r\ntwo");
  EXPECT_EQ(ValueOf(skin, u"t", u"Joined"), u"abcdefA");
  EXPECT_EQ(ValueOf(skin, u"t", u"Codes"), u"AB");  // #$10000 is too big, "#x" has no digits, then the garbage ends it
  EXPECT_EQ(ValueOf(skin, u"t", u"Open"), u"runs to the end ; ]");
  EXPECT_EQ(ValueOf(skin, u"t", u"Junk"), u"ok");
  EXPECT_EQ(ValueOf(skin, u"t", u"Next"), u"after");
  EXPECT_EQ(skin.Find(u"t")->Find(u"Hint")->Kind, TRdValueKind::String);
}

TEST(RdSkinText, AStringWaitingForAPartStopsAtALineOfAnotherKind) {
  const TRdSkinText skin = Parse(u"[t]\nA='x' +\nB=2\n");
  EXPECT_EQ(ValueOf(skin, u"t", u"A"), u"x");
  EXPECT_EQ(ValueOf(skin, u"t", u"B"), u"2");
}

TEST(RdSkinText, SetsAreNormalisedAndMalformedSetsDropped) {
  const TRdSkinText skin = Parse(
      u"[t]\n"
      u"Style=[ fsBold ,fsItalic]\n"
      u"None=[]\n"
      u"Open=[fsBold\n"
      u"Bad=[fs Bold]\n"
      u"Quoted=['a']\n"
      u"After=1\n");
  EXPECT_EQ(ValueOf(skin, u"t", u"Style"), u"[fsBold, fsItalic]");
  EXPECT_EQ(skin.Find(u"t")->ReadSet(u"Style"), (std::vector<std::u16string>{u"fsBold", u"fsItalic"}));
  EXPECT_EQ(ValueOf(skin, u"t", u"None"), u"[]");
  EXPECT_EQ(ValueOf(skin, u"t", u"Open"), u"<no value>");
  EXPECT_EQ(ValueOf(skin, u"t", u"Bad"), u"<no value>");
  EXPECT_EQ(ValueOf(skin, u"t", u"Quoted"), u"<no value>");
  EXPECT_EQ(ValueOf(skin, u"t", u"After"), u"1");
}

TEST(RdSkinText, ListsRunOverLinesAndIgnoreParenthesesInStrings) {
  const TRdSkinText skin = Parse(
      u"[t]\n"
      u"Items=(\n"
      u"  'a)b'\n"
      u"  (1 2)\n"
      u"  '[x]')\n"
      u"Open=(1 2\n"
      u"[u]\n"
      u"W=1\n");
  EXPECT_EQ(ValueOf(skin, u"t", u"Items"), u"( 'a)b' (1 2) '[x]')");
  EXPECT_EQ(skin.Find(u"t")->Find(u"Items")->Kind, TRdValueKind::List);
  // An unclosed list ends at the next section, which still starts.
  EXPECT_EQ(ValueOf(skin, u"t", u"Open"), u"<no value>");
  EXPECT_EQ(ValueOf(skin, u"u", u"W"), u"1");
}

TEST(RdSkinText, BinaryValuesRunOverLinesAndBadOnesAreDroppedWithoutEatingTheNextLine) {
  const TRdSkinText skin = Parse(
      u"[t]\n"
      u"Data={0a1B\n"
      u"  2C3d\n"
      u"  FF}\n"
      u"Odd={ABC}\n"
      u"BadChar={0G}\n"
      u"Open={0102\n"
      u"Width=5\n"
      u"Empty={}\n");
  const TRdValueStrings* v = skin.Find(u"t");
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(v->Value(u"Data"), u"{0A1B2C3DFF}");
  EXPECT_EQ(v->ReadBinary(u"Data"), std::string("\x0A\x1B\x2C\x3D\xFF", 5));
  EXPECT_EQ(v->Find(u"Odd"), nullptr);
  EXPECT_EQ(v->Find(u"BadChar"), nullptr);
  EXPECT_EQ(v->Find(u"Open"), nullptr);
  EXPECT_EQ(v->Value(u"Width"), u"5");  // the line that ended the open value is read as itself
  EXPECT_EQ(v->Value(u"Empty"), u"{}");
}

TEST(RdSkinText, CollectionItemsGetTheirIndexInTheName) {
  const TRdSkinText skin = Parse(
      u"[grid]\n"
      u"Columns=<\n"
      u"  item\n"
      u"    Width=40\n"
      u"    Title.Caption='A'\n"
      u"  end\n"
      u"  item\n"
      u"    Width=60\n"
      u"    Sub=<\n"
      u"      item\n"
      u"        X=1\n"
      u"      end>\n"
      u"  end>\n"
      u"Height=9\n"
      u"Empty=<>\n");
  const TRdValueStrings* v = skin.Find(u"grid");
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(v->Value(u"Columns.0.Width"), u"40");
  EXPECT_EQ(v->Value(u"Columns.0.Title.Caption"), u"A");
  EXPECT_EQ(v->Value(u"Columns.1.Width"), u"60");
  EXPECT_EQ(v->Value(u"Columns.1.Sub.0.X"), u"1");
  EXPECT_EQ(v->Value(u"Height"), u"9");  // after the collection closed, names are plain again
  EXPECT_EQ(v->Count(), 5);
}

TEST(RdSkinText, ItemsOutsideACollectionAndStrayEndsAreSkipped) {
  const TRdSkinText skin = Parse(
      u"[t]\n"
      u"end\n"
      u">\n"
      u"item\n"
      u"  Lost=1\n"
      u"end\n"
      u"Kept=2\n"
      u"Open=<\n"
      u"  item\n"
      u"    Inner=3\n"
      u"[u]\n"
      u"Plain=4\n");
  const TRdValueStrings* t = skin.Find(u"t");
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->Find(u"Lost"), nullptr);
  EXPECT_EQ(t->Value(u"Kept"), u"2");
  EXPECT_EQ(t->Value(u"Open.0.Inner"), u"3");
  EXPECT_EQ(ValueOf(skin, u"u", u"Plain"), u"4");  // a new section closes what was open
}

TEST(RdSkinText, BadHeadersAndNamesSkipTheirLines) {
  const TRdSkinText skin = Parse(
      u"[good]\n"
      u"a..b=1\n"
      u"x y=2\n"
      u"=3\n"
      u".a=4\n"
      u"no equals sign\n"
      u"ok_1.Sub2=5\n"
      u"[unclosed\n"
      u"Lost=6\n"
      u"[  ]\n"
      u"Lost=7\n"
      u"[good]\n"
      u"Again=8\n");
  ASSERT_EQ(skin.ClassCount(), 1);
  const TRdValueStrings* v = skin.Find(u"good");
  EXPECT_EQ(v->Count(), 2);
  EXPECT_EQ(v->Value(u"ok_1.Sub2"), u"5");
  EXPECT_EQ(v->Value(u"Again"), u"8");
}

TEST(RdSkinText, DecodeRdStringTellsWhereTheStringEnded) {
  size_t consumed = 0;
  EXPECT_EQ(DecodeRdString(u"'a''b' + #67 rest", &consumed), u"a'bC");
  EXPECT_EQ(consumed, 13u);
  EXPECT_EQ(DecodeRdString(u"'x' +\r\n  'y'"), u"xy");
  EXPECT_EQ(DecodeRdString(u""), u"");
}

}  // namespace
}  // namespace qor
