#include "companions/stats/StatCache.h"

#include <gtest/gtest.h>

using namespace qor;

TEST(StatCache, ParameterRecordFieldsAreReadWithEscapesDecoded) {
  auto fields = ParseFlatJsonObject(
      u" {\"pd\":\"qor\", \"CachePath\" : \"C:\\\\Users\\\\A\\u00e9\\\\StatData\\\\\",\"type\":0,\"on\":true} ");
  ASSERT_TRUE(fields);
  EXPECT_EQ((*fields)[u"pd"], u"qor");
  EXPECT_EQ((*fields)[u"CachePath"], u"C:\\Users\\A\u00e9\\StatData\\");
  EXPECT_EQ((*fields)[u"type"], u"0");
  EXPECT_EQ((*fields)[u"on"], u"true");
  EXPECT_TRUE(ParseFlatJsonObject(u"{}"));
}

TEST(StatCache, MalformedRecordsAreRejected) {
  for (const char16_t* bad : {u"", u"{", u"}", u"[]", u"{\"a\"}", u"{\"a\":}", u"{\"a\":\"x\"", u"{\"a\":\"x\",}",
                              u"{\"a\":\"x\"} z", u"{\"a\":{\"b\":1}}", u"{\"a\":\"\\q\"}", u"{\"a\":\"\\u12\"}",
                              u"{\"a\":\"tab\there\"}", u"{a:1}", u"{\"a\":\"x\\"})
    EXPECT_FALSE(ParseFlatJsonObject(bad)) << std::u16string(bad).size();
}

TEST(StatCache, RecordLineIsOneEscapedJsonLineInUtf8) {
  TStatRecord record{u"2026-12-06 10:00:00", u"qor4", u"332", false, true, u"{\"k\":\"\u00e9\n\"}"};
  EXPECT_EQ(StatRecordLine(record),
            "{\"time\":\"2026-12-06 10:00:00\",\"app\":\"qor4\",\"stat\":\"332\",\"post\":false,\"wait\":true,"
            "\"extra\":\"{\\\"k\\\":\\\"\xC3\xA9\\n\\\"}\"}\n");
}
