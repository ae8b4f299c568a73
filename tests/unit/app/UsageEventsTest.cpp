#include "app/UsageEvents.h"

#include <gtest/gtest.h>

using namespace qor;

TEST(UsageEvents, OnlyCodesA301ToA316AreEvents) {
  for (const char16_t* code : {u"a301", u"a309", u"a310", u"a316"}) EXPECT_TRUE(IsUsageEventCode(code));
  for (const char16_t* code : {u"a300", u"a317", u"a320", u"A301", u"a31", u"a3010", u"", u"332", u"a3:1"})
    EXPECT_FALSE(IsUsageEventCode(code));
}

TEST(UsageEvents, JsonStringsAreEscaped) {
  EXPECT_EQ(JsonObjectOfStrings({{u"a", u"x\"y\\z"}, {u"b", u"line\r\n\t\x01"}}),
            u"{\"a\":\"x\\\"y\\\\z\",\"b\":\"line\\r\\n\\t\\u0001\"}");
  EXPECT_EQ(JsonObjectOfStrings({}), u"{}");
}

TEST(UsageEvents, ParameterRecordKeepsItsFieldOrderAndLeavesOutEmptyProductStat) {
  TStatParams params;
  params.CachePath = u"C:\\Users\\u\\AppData\\Local\\Corvane\\StatData\\";
  params.Version = u"4.0.0.0";
  const std::u16string json = StatParamJson(params);
  EXPECT_EQ(json.find(u"{\"pd\":\"qor\",\"app\":\"qor4\",\"CachePath\":\"C:\\\\Users"), 0u);
  const size_t ver = json.find(u"\"ver\""), type = json.find(u"\"type\":\"0\""), usr = json.find(u"\"usr\":\"0\"");
  ASSERT_NE(ver, std::u16string::npos);
  EXPECT_LT(ver, type);
  EXPECT_LT(type, usr);
  EXPECT_EQ(json.find(u"productstat"), std::u16string::npos);
  params.ProductStat = u"x";
  EXPECT_NE(StatParamJson(params).find(u"\"productstat\":\"x\"}"), std::u16string::npos);
}
