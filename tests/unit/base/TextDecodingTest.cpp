#include <gtest/gtest.h>

#include <random>

#include "base/TextDecoding.h"

namespace qor {
namespace {

std::string Bytes(std::initializer_list<int> list) {
  std::string s;
  for (int b : list) s.push_back(static_cast<char>(b));
  return s;
}

TEST(DecodeText, DetectsEachByteOrderMark) {
  TTextEncoding enc{};
  EXPECT_EQ(DecodeText(Bytes({0xFF, 0xFE, 'A', 0, 0xAC, 0x20}), &enc), u"A\u20AC");
  EXPECT_EQ(enc, TTextEncoding::Utf16Le);
  EXPECT_EQ(DecodeText(Bytes({0xFE, 0xFF, 0, 'A', 0x20, 0xAC}), &enc), u"A\u20AC");
  EXPECT_EQ(enc, TTextEncoding::Utf16Be);
  EXPECT_EQ(DecodeText(Bytes({0xEF, 0xBB, 0xBF, 'A', 0xE2, 0x82, 0xAC}), &enc), u"A\u20AC");
  EXPECT_EQ(enc, TTextEncoding::Utf8);
  EXPECT_EQ(DecodeText(Bytes({'A', 0x80, 0xE9}), &enc), u"A\u20AC\u00E9");
  EXPECT_EQ(enc, TTextEncoding::Ansi);
}

TEST(DecodeText, UndecoratedUtf8IsTakenAsAnsi) {
  // Without a mark there is no guessing: the bytes are the ANSI code page's.
  EXPECT_EQ(DecodeText("\xC3\xA9"), u"\u00C3\u00A9");
}

TEST(DecodeText, OddByteCountEndsWithReplacement) {
  EXPECT_EQ(DecodeText(Bytes({0xFF, 0xFE, 'A', 0, 'B'})), u"A\uFFFD");
  EXPECT_EQ(DecodeText(Bytes({0xFE, 0xFF, 0})), u"\uFFFD");
}

TEST(DecodeText, MarkAloneOrTruncatedMarkGivesShortText) {
  EXPECT_EQ(DecodeText(Bytes({0xFF, 0xFE})), u"");
  EXPECT_EQ(DecodeText(Bytes({0xEF, 0xBB, 0xBF})), u"");
  EXPECT_EQ(DecodeText(Bytes({0xEF, 0xBB})), u"\u00EF\u00BB");  // not a full mark: ANSI
  EXPECT_EQ(DecodeText(Bytes({0xFF})), u"\u00FF");
  EXPECT_EQ(DecodeText(""), u"");
}

TEST(DecodeText, KeepsLoneSurrogatesOfUtf16SoARoundTripChangesNothing) {
  const std::string bytes = Bytes({0xFF, 0xFE, 0x00, 0xD8, 'x', 0, 0x00, 0xDC});
  const std::u16string text = DecodeText(bytes);
  ASSERT_EQ(text.size(), 3u);
  EXPECT_EQ(text[0], 0xD800);
  EXPECT_EQ(EncodeUtf16LeWithBom(text), bytes);
}

TEST(DecodeText, BinaryGarbageNeverFails) {
  std::mt19937 rng(1234);
  for (int round = 0; round < 200; ++round) {
    std::string bytes(rng() % 300, '\0');
    for (auto& b : bytes) b = static_cast<char>(rng());
    if (round % 4 == 0 && bytes.size() >= 2) bytes[0] = '\xFF', bytes[1] = '\xFE';
    if (round % 4 == 1 && bytes.size() >= 3) bytes[0] = '\xEF', bytes[1] = '\xBB', bytes[2] = '\xBF';
    const std::u16string text = DecodeText(bytes);
    EXPECT_LE(text.size(), bytes.size());
  }
}

TEST(DecodeWindows1252, MapsTheHighControlRangeLikeTheSystem) {
  EXPECT_EQ(DecodeWindows1252("\x80\x81\x8D\x9F\xA0\xFF"), u"\u20AC\u0081\u008D\u0178\u00A0\u00FF");
}

TEST(AnsiDecoder, CanBeReplacedAndRestored) {
  SetAnsiDecoder([](std::string_view b) { return std::u16string(b.size(), u'?'); });
  EXPECT_EQ(DecodeText("ab"), u"??");
  SetAnsiDecoder(nullptr);
  EXPECT_EQ(DecodeText("ab"), u"ab");
}

TEST(EncodeUtf16Le, WritesLowByteFirst) {
  EXPECT_EQ(EncodeUtf16LeWithBom(u"A\u20AC"), Bytes({0xFF, 0xFE, 'A', 0, 0xAC, 0x20}));
  EXPECT_EQ(EncodeUtf16Le(u""), "");
}

}  // namespace
}  // namespace qor
