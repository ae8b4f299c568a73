#include "CommonLib/RdControl/RdValueStrings.h"

#include <gtest/gtest.h>

namespace qor {
namespace {

TEST(RdValueStrings, NamesIgnoreCaseAndASecondValueReplacesTheFirstInPlace) {
  TRdValueStrings v;
  v.SetValue(u"Font.Color", u"clRed");
  v.SetValue(u"Height", u"24");
  v.SetValue(u"FONT.COLOR", u"clBlue");
  ASSERT_EQ(v.Count(), 2);
  EXPECT_EQ(v.Line(0).Name, u"Font.Color");
  EXPECT_EQ(v.Line(0).Value, u"clBlue");
  EXPECT_EQ(v.Value(u"font.color"), u"clBlue");
  EXPECT_EQ(v.Value(u"Width"), std::nullopt);
  v.Delete(u"font.color");
  EXPECT_EQ(v.IndexOfName(u"Height"), 0);
}

TEST(RdValueStrings, FalseAndZeroReadAsFalseEverythingElseAsTrue) {
  TRdValueStrings v;
  v.SetValue(u"a", u"FALSE");
  v.SetValue(u"b", u"0");
  v.SetValue(u"c", u"True");
  v.SetValue(u"d", u"00");  // not the text "0"
  v.SetValue(u"e", u"");
  EXPECT_FALSE(v.ReadBool(u"a", true));
  EXPECT_FALSE(v.ReadBool(u"b", true));
  EXPECT_TRUE(v.ReadBool(u"c", false));
  EXPECT_TRUE(v.ReadBool(u"d", false));
  EXPECT_TRUE(v.ReadBool(u"e", false));
  EXPECT_FALSE(v.ReadBool(u"missing", false));
}

TEST(RdValueStrings, IntegersAreDecimalOrDollarHexAndAnythingElseGivesTheDefault) {
  TRdValueStrings v;
  v.SetValue(u"dec", u"-2147483648");
  v.SetValue(u"hex", u"$FF00000F");
  v.SetValue(u"big", u"2147483648");
  v.SetValue(u"junk", u"12px");
  v.SetValue(u"str", u"12", TRdValueKind::String);
  EXPECT_EQ(v.ReadInteger(u"dec", 7), INT32_MIN);
  EXPECT_EQ(static_cast<uint32_t>(v.ReadInteger(u"hex", 7)), 0xFF00000Fu);
  EXPECT_EQ(v.ReadInteger(u"big", 7), 7);
  EXPECT_EQ(v.ReadInteger(u"junk", 7), 7);
  EXPECT_EQ(v.ReadInteger(u"str", 7), 7);  // a quoted "12" is text, not a number
  int32_t n = 0;
  EXPECT_FALSE(ParseRdInteger(u"$", n));
  EXPECT_FALSE(ParseRdInteger(u"-", n));
  EXPECT_FALSE(ParseRdInteger(u"$100000000", n));
}

TEST(RdValueStrings, SetsAndBinaryValuesAreReadOnlyFromTheirOwnKind) {
  TRdValueStrings v;
  v.SetValue(u"Style", u"[fsBold, fsItalic]", TRdValueKind::Set);
  v.SetValue(u"Empty", u"[]", TRdValueKind::Set);
  v.SetValue(u"Data", u"{00FF7F}", TRdValueKind::Binary);
  v.SetValue(u"Text", u"[a]", TRdValueKind::String);
  EXPECT_EQ(v.ReadSet(u"Style"), (std::vector<std::u16string>{u"fsBold", u"fsItalic"}));
  EXPECT_TRUE(v.ReadSet(u"Empty").empty());
  EXPECT_TRUE(v.ReadSet(u"Text").empty());
  EXPECT_EQ(v.ReadBinary(u"Data"), std::string("\x00\xFF\x7F", 3));
  EXPECT_TRUE(v.ReadBinary(u"Style").empty());
}

}  // namespace
}  // namespace qor
