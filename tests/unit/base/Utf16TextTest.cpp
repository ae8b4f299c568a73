#include <gtest/gtest.h>

#include "base/Utf16Text.h"

namespace qor {
namespace {

TEST(Utf8ToUtf16, DecodesOrReplacesMalformedSequences) {
  const struct {
    const char* Name;
    std::string Utf8;
    std::u16string Expected;
  } cases[] = {
      {"ascii", "Config", u"Config"},
      {"two bytes",
       "Gr\xC3\xB6\xC3\x9F"
       "e",
       u"Gr\u00F6\u00DFe"},
      {"three bytes", "\xE2\x82\xAC", u"\u20AC"},
      {"four bytes: a surrogate pair", "\xF0\x9F\x98\x80", u"\U0001F600"},
      {"stray continuation",
       "a\x80"
       "b",
       u"a\uFFFDb"},
      {"overlong slash", "\xC0\xAF", u"\uFFFD\uFFFD"},
      {"overlong three bytes", "\xE0\x80\xAF", u"\uFFFD"},
      {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD"},
      {"above the highest code point", "\xF4\x90\x80\x80", u"\uFFFD"},
      {"cut at the end", "ab\xE2\x82", u"ab\uFFFD"},
      {"cut before ASCII", "\xE2\x82z", u"\uFFFDz"},
      {"invalid lead bytes", "\xF5\xFF", u"\uFFFD\uFFFD"},
      {"embedded NUL", std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8ToUtf16(c.Utf8), c.Expected) << c.Name;
}

TEST(Utf16ToUtf8, RoundTripsValidTextAndReplacesLoneSurrogates) {
  const std::u16string text = u"Caf\u00E9 \u20AC \U0001F600 \u4E2D";
  EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
  EXPECT_EQ(Utf16ToUtf8(std::u16string{u'a', 0xD800, u'b'}),
            "a\xEF\xBF\xBD"
            "b");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{0xDC00}), "\xEF\xBF\xBD");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{u'x', 0xD83D}), "x\xEF\xBF\xBD");  // high surrogate at the very end
  // Two high surrogates: the first is lone, the second pairs with the following low one.
  EXPECT_EQ(Utf16ToUtf8(std::u16string{0xD83D, 0xD83D, 0xDE00}), "\xEF\xBF\xBD\xF0\x9F\x98\x80");
}

TEST(Trim, RemovesBlanksAndControlCharactersAtBothEnds) {
  EXPECT_EQ(Trim(u"  key \t\r\n"), u"key");
  EXPECT_EQ(Trim(u"\x01\x1F value with  inner blanks \x7F"), u"value with  inner blanks \x7F");
  EXPECT_EQ(Trim(u"   "), u"");
  EXPECT_EQ(Trim(u""), u"");
  EXPECT_EQ(TrimLeft(u"  a  "), u"a  ");
  EXPECT_EQ(TrimRight(u"  a  "), u"  a");
}

TEST(UpperCase, MapsAsciiAndLatin1LettersOnly) {
  EXPECT_EQ(UpperCase(u"m_ok"), u"M_OK");
  EXPECT_EQ(UpperCase(u"\u00E4\u00F6\u00FC\u00E9\u00FE"), u"\u00C4\u00D6\u00DC\u00C9\u00DE");
  EXPECT_EQ(UpperCaseChar(0xF7), 0xF7);  // division sign is no letter
  EXPECT_EQ(UpperCaseChar(0xFF), 0x178);
  EXPECT_EQ(UpperCaseChar(0xDF), 0xDF);    // sharp s has no one-character capital
  EXPECT_EQ(UpperCaseChar(0x3B1), 0x3B1);  // outside Latin: compared exactly
  EXPECT_EQ(UpperCaseChar(u'['), u'[');
  EXPECT_EQ(UpperCaseChar(u'{'), u'{');
}

TEST(SameText, IgnoresCaseButNotLength) {
  EXPECT_TRUE(SameText(u"AIAssistant", u"aiassistant"));
  EXPECT_TRUE(SameText(u"\u00C4rger", u"\u00E4RGER"));
  EXPECT_FALSE(SameText(u"Main", u"Main "));
  EXPECT_FALSE(SameText(u"a", u"b"));
  EXPECT_TRUE(SameText(u"", u""));
}

TEST(IntToText, HandlesSignAndExtremes) {
  EXPECT_EQ(IntToText(0), u"0");
  EXPECT_EQ(IntToText(-42), u"-42");
  EXPECT_EQ(IntToText(INT64_MAX), u"9223372036854775807");
  EXPECT_EQ(IntToText(INT64_MIN), u"-9223372036854775808");
}

TEST(ReplaceAll, ReplacesEveryOccurrenceWithoutRescanning) {
  EXPECT_EQ(ReplaceAll(u"a<br>b<br><br>", u"<br>", u"\r\n"), u"a\r\nb\r\n\r\n");
  EXPECT_EQ(ReplaceAll(u"aaa", u"a", u"aa"), u"aaaaaa");
  EXPECT_EQ(ReplaceAll(u"abc", u"", u"x"), u"abc");
}

}  // namespace
}  // namespace qor
