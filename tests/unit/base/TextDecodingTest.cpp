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

TEST(DecodeText, FollowsTheByteOrderMarkElseTakesTheAnsiCodePageAndEndsOddBytesWithAReplacement) {
  const struct {
    const char* Name;
    std::string Bytes;
    std::u16string Text;
    TTextEncoding Encoding;
  } cases[] = {
      {"UTF-16 LE", Bytes({0xFF, 0xFE, 'A', 0, 0xAC, 0x20}), u"A\u20AC", TTextEncoding::Utf16Le},
      {"UTF-16 BE", Bytes({0xFE, 0xFF, 0, 'A', 0x20, 0xAC}), u"A\u20AC", TTextEncoding::Utf16Be},
      {"UTF-8", Bytes({0xEF, 0xBB, 0xBF, 'A', 0xE2, 0x82, 0xAC}), u"A\u20AC", TTextEncoding::Utf8},
      {"ANSI", Bytes({'A', 0x80, 0xE9}), u"A\u20AC\u00E9", TTextEncoding::Ansi},
      {"UTF-8 without a mark: no guessing", "\xC3\xA9", u"\u00C3\u00A9", TTextEncoding::Ansi},
      {"odd UTF-16 LE", Bytes({0xFF, 0xFE, 'A', 0, 'B'}), u"A\uFFFD", TTextEncoding::Utf16Le},
      {"odd UTF-16 BE", Bytes({0xFE, 0xFF, 0}), u"\uFFFD", TTextEncoding::Utf16Be},
      {"UTF-16 mark alone", Bytes({0xFF, 0xFE}), u"", TTextEncoding::Utf16Le},
      {"UTF-8 mark alone", Bytes({0xEF, 0xBB, 0xBF}), u"", TTextEncoding::Utf8},
      {"cut UTF-8 mark", Bytes({0xEF, 0xBB}), u"\u00EF\u00BB", TTextEncoding::Ansi},
      {"one byte", Bytes({0xFF}), u"\u00FF", TTextEncoding::Ansi},
      {"nothing", "", u"", TTextEncoding::Ansi},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TTextEncoding encoding{};
    EXPECT_EQ(DecodeText(c.Bytes, &encoding), c.Text);
    EXPECT_EQ(encoding, c.Encoding);
  }
}

// The round trip also checks the encoder's byte order.
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

TEST(DecodeWindows1252, MapsTheHighControlRangeLikeTheSystemAndCanBeReplacedAndRestored) {
  EXPECT_EQ(DecodeWindows1252("\x80\x81\x8D\x9F\xA0\xFF"), u"\u20AC\u0081\u008D\u0178\u00A0\u00FF");
  SetAnsiDecoder([](std::string_view b) { return std::u16string(b.size(), u'?'); });
  EXPECT_EQ(DecodeText("ab"), u"??");
  SetAnsiDecoder(nullptr);
  EXPECT_EQ(DecodeText("ab"), u"ab");
}

}  // namespace
}  // namespace qor
