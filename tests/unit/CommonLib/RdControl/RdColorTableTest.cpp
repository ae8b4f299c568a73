#include "CommonLib/RdControl/RdColorTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qor {
namespace {

constexpr uint32_t PureRed = 0x0000FF;  // stored as 0x00BBGGRR

uint32_t Parsed(std::u16string_view text, bool bgr = false) {
  const auto v = ParseRccColorValue(text, bgr);
  return v && !v->IsLink ? v->Color : 0xDEADBEEF;
}

TEST(RdColorTable, NameCodesIgnoreCaseAndAreTheCrcOfTheLowerCasedUtf16Name) {
  // Expected codes from zlib.crc32 of the UTF-16 LE bytes, top byte forced to FF.
  EXPECT_EQ(RccColorCode(u"text_color.cl_text_b"), 0xFFEDBB8Du);
  EXPECT_EQ(RccColorCode(u"Text_Color.CL_TEXT_B"), 0xFFEDBB8Du);
  EXPECT_EQ(RccColorCode(u"clRed"), 0xFF9D67A9u);
  EXPECT_EQ(RccColorCode(u"\u00C4rger"), RccColorCode(u"\u00E4RGER"));  // Latin-1 letters fold too
  EXPECT_NE(RccColorCode(u"public_element.cl_dropdown_menu_bg"), RccColorCode(u"public_element.cl_dropdown_menu"));
  EXPECT_TRUE(IsRccColorCode(RccColorCode(u"")));
}

TEST(RdColorTable, RedWrittenThreeWaysIsTheSameColour) {
  EXPECT_EQ(Parsed(u"255,0,0"), PureRed);
  EXPECT_EQ(Parsed(u" 255 , 0 , 0 "), PureRed);
  EXPECT_EQ(Parsed(u"#FF0000"), PureRed);
  EXPECT_EQ(Parsed(u"&ff0000"), PureRed);
  EXPECT_EQ(Parsed(u"$0000FF"), PureRed);
  EXPECT_EQ(Parsed(u"FF0000"), PureRed);            // bare in an RGB group: RRGGBB
  EXPECT_EQ(Parsed(u"255", true), PureRed);         // bare in a BGR group: stored value, decimal
  EXPECT_EQ(Parsed(u"0000FF", true), PureRed);      // decimal fails: hexadecimal
  EXPECT_EQ(Parsed(u"16711680", true), 0xFF0000u);  // blue as stored
  EXPECT_EQ(Parsed(u"0,128,255"), 0xFF8000u);
}

TEST(RdColorTable, ValuesThatFitNoFormAreRejected) {
  for (const std::u16string_view bad :
       {u"", u"256,0,0", u"1,2", u"1,2,3,4", u"-1,0,0", u"a,b,c", u"#FF00", u"#FF00001", u"#GG0000", u"$",
        u"$123456789", u"1234567", u"red", u"[", u"[]", u"[ ]", u"[abc"}) {
    EXPECT_FALSE(ParseRccColorValue(bad, false).has_value()) << std::string(bad.begin(), bad.end());
  }
  EXPECT_FALSE(ParseRccColorValue(u"zz", true).has_value());
  EXPECT_FALSE(ParseRccColorValue(u"+5", true).has_value());
  const auto link = ParseRccColorValue(u"[ text_color.cl_text_b ]", false);
  ASSERT_TRUE(link && link->IsLink);
  EXPECT_EQ(link->Link, u"text_color.cl_text_b");
}

TEST(RdColorTable, ColourFileGroupsNameTheirColoursAndDrawThem) {
  TRdColorTable table;
  table.LoadColorFile(
      u"orphan=1,2,3\r\n"
      u"[text_color]\r\n"
      u"cl_text_b=255,0,0\r\n"
      u"class=whatever\r\n"
      u"cl_bad=not a colour\r\n"
      u"[BgrGroup]\r\n"
      u"cl_a=255\r\n"
      u"type=BGR\r\n"  // applies to the whole group, wherever it stands
      u"[text_color]\r\n"
      u"cl_more=#00FF00\r\n");
  EXPECT_EQ(table.ColorToRGB(table.IdentToColor(u"Text_Color.CL_TEXT_B")), PureRed);
  EXPECT_EQ(table.ColorToRGB(table.IdentToColor(u"bgrgroup.cl_a")), PureRed);
  EXPECT_EQ(table.ColorToRGB(table.IdentToColor(u"text_color.cl_more")), 0x00FF00u);
  EXPECT_FALSE(table.Item(u"text_color.class").has_value());
  EXPECT_FALSE(table.Item(u"text_color.cl_bad").has_value());
  EXPECT_FALSE(table.Item(u".orphan").has_value());
  EXPECT_EQ(table.ColorToIdent(table.IdentToColor(u"TEXT_COLOR.cl_text_b")), u"text_color.cl_text_b");
}

TEST(RdColorTable, UnknownNamesDrawAsRed230AndAreTraced) {
  TRdColorTable table;
  std::vector<std::u16string> trace;
  table.SetTrace([&](std::u16string_view line) { trace.emplace_back(line); });
  const uint32_t code = table.IdentToColor(u"public_element.cl_missing");
  EXPECT_TRUE(IsRccColorCode(code));
  EXPECT_EQ(table.ColorToRGB(code), RccUnknownColor);
  EXPECT_EQ(table.ColorToRGB(0xFF123456), RccUnknownColor);  // a code of no entry at all
  ASSERT_EQ(trace.size(), 2u);
  EXPECT_TRUE(trace[0].starts_with(u"warning non-color: public_element.cl_missing [ff"));
  EXPECT_EQ(trace[0].size(), std::u16string_view(u"warning non-color: public_element.cl_missing [ffxxxxxx]").size());
  EXPECT_EQ(trace[1], u"warning non-color: [ff123456]");
  // The undefined entry is listed at merge time.
  const std::vector<std::u16string> undefined = table.MergeColors();
  EXPECT_EQ(undefined, (std::vector<std::u16string>{u"public_element.cl_missing"}));
  EXPECT_EQ(trace.back(), u"MergeColor, non-color[0]: public_element.cl_missing");
  // A colour file that comes later defines it.
  table.LoadColorFile(u"[public_element]\ncl_missing=1,2,3\n");
  EXPECT_EQ(table.ColorToRGB(code), 0x030201u);
}

TEST(RdColorTable, PlainNumbersAndStandardNamesKeepTheirMeaning) {
  TRdColorTable table;
  table.SetSystemColors([](uint8_t index) { return 0x010100u * index; });
  EXPECT_EQ(table.IdentToColor(u"12345"), 12345u);
  EXPECT_EQ(table.IdentToColor(u"$FF00000F"), 0xFF00000Fu);
  EXPECT_EQ(table.ColorToRGB(0x123456), 0x123456u);
  EXPECT_EQ(table.ColorToRGB(0xFF00000F), 0x0F0F00u);  // system colour 15
  EXPECT_EQ(table.ColorToRGB(table.IdentToColor(u"CLRED")), PureRed);
  EXPECT_EQ(table.ColorToRGB(table.IdentToColor(u"clMoneyGreen")), 0xC0DCC0u);
  EXPECT_EQ(table.ColorToRGB(table.IdentToColor(u"clBtnFace")), 0x0F0F00u);  // a system colour by name
  EXPECT_TRUE(table.Item(u"clMenuBar")->Defined);
  EXPECT_TRUE(table.Item(u"clDefault")->Defined);
  EXPECT_TRUE(table.MergeColors().empty());
}

TEST(RdColorTable, LinksFollowChainsAndCyclesOrDanglingLinksStayUndefined) {
  TRdColorTable table;
  table.LoadColorFile(
      u"[a]\n"
      u"one=[b.two]\n"
      u"red=[clRed]\n"
      u"loop1=[a.loop2]\n"
      u"loop2=[A.LOOP1]\n"
      u"dangling=[nowhere.x]\n"
      u"[b]\n"
      u"two=[b.three]\n"
      u"three=#102030\n");
  const std::vector<std::u16string> undefined = table.MergeColors();
  EXPECT_EQ(table.ColorToRGB(table.IdentToColor(u"a.one")), 0x302010u);
  EXPECT_EQ(table.ColorToRGB(table.IdentToColor(u"a.red")), PureRed);
  EXPECT_EQ(table.ColorToRGB(table.IdentToColor(u"a.loop1")), RccUnknownColor);
  EXPECT_EQ(table.ColorToRGB(table.IdentToColor(u"a.dangling")), RccUnknownColor);
  EXPECT_EQ(undefined.size(), 3u);
}

TEST(RdColorTable, TintRecoloursOnlyTintGroupsAndSwitchesOff) {
  TRdColorTable table;
  table.LoadColorFile(u"[t]\ntint=TRUE\nc=#000000\n[p]\nc=#000000\n");
  const uint32_t tinted = table.IdentToColor(u"t.c"), plain = table.IdentToColor(u"p.c");
  table.SetTint(0xFF8040);
  EXPECT_EQ(table.ColorToRGB(tinted), RccTintMix(0, 0xFF8040));
  EXPECT_NE(table.ColorToRGB(tinted), 0u);
  EXPECT_EQ(table.ColorToRGB(plain), 0u);
  // Colours loaded while a tint is in force are tinted too.
  table.LoadColorFile(u"[t2]\ntint=true\nd=#FFFFFF\n");
  EXPECT_EQ(table.ColorToRGB(table.IdentToColor(u"t2.d")), RccTintMix(0xFFFFFF, 0xFF8040));
  table.SetTint(RccNoTint);
  EXPECT_EQ(table.ColorToRGB(tinted), 0u);
  EXPECT_EQ(RccTintMix(0x000000, 0xFEFEFE), 0x7F7F7Fu);
  EXPECT_EQ(RccTintMix(0xFFFFFF, 0xFFFFFF), 0xFFFFFFu);
}

TEST(RdColorTable, ClearKeepsOnlyTheStandardNames) {
  TRdColorTable table;
  table.LoadColorFile(u"[g]\nc=1,1,1\n");
  table.Clear();
  EXPECT_FALSE(table.Item(u"g.c").has_value());
  EXPECT_TRUE(table.Item(u"clBlack").has_value());
}

TEST(RdColorTable, ColorOrGivesTheSkinsColourOnlyWhereTheSkinDefinesIt) {
  TRdColorTable table;
  EXPECT_EQ(table.ColorOr(u"edit.back", 0x1E1E1E), 0x1E1E1Eu);  // no skin
  table.IdentToColor(u"edit.back");                             // named by a control, still undefined
  EXPECT_EQ(table.ColorOr(u"edit.back", 0x1E1E1E), 0x1E1E1Eu);
  table.LoadColorFile(u"[edit]\ntint=true\nback=#102030\nlinked=[edit.back]\n");
  table.MergeColors();
  EXPECT_EQ(table.ColorOr(u"Edit.Back", 0x1E1E1E), 0x302010u);
  EXPECT_EQ(table.ColorOr(u"edit.linked", 0), 0x302010u);
  table.SetTint(0xFF8040);
  EXPECT_EQ(table.ColorOr(u"edit.back", 0), RccTintMix(0x302010, 0xFF8040));
}

}  // namespace
}  // namespace qor
