#include <gtest/gtest.h>

#include "CommonLib/RdControl/RdTextLines.h"
#include "tests/unit/CommonLib/RdControl/RecordingCanvas.h"

namespace qor {
namespace {

using testing::TCellMeasurer;
using Lines = std::vector<std::u16string>;

constexpr int32_t Cell = TCellMeasurer::CellWidth;

TEST(RdTextLines, BreaksAtSpacesOrAtCharactersWithoutLosingOrSplittingCharacters) {
  const struct {
    const char* Name;
    std::u16string_view Text;
    int32_t Cells;
    bool WrapChar;
    Lines Expected;
  } cases[] = {
      {"at spaces", u"aaaa bbbb cccc", 9, false, {u"aaaa bbbb", u"cccc"}},
      {"at characters", u"aaaa bbbb cccc", 6, true, {u"aaaa b", u"bbb cc", u"cc"}},
      {"a word wider than the line is cut", u"ab abcdefghij", 4, false, {u"ab", u"abcd", u"efgh", u"ij"}},
      {"no spaces start a broken-off line", u"aaaa    bbbb", 5, false, {u"aaaa", u"bbbb"}},
      {"nor with characters", u"aaaaa   bb", 5, true, {u"aaaaa", u"bb"}},
      {"spaces at the break make no empty line", u"aaaaa   ", 5, true, {u"aaaaa"}},
      {"leading spaces of the text stay", u"  ab", 9, false, {u"  ab"}},
      {"line breaks always break", u"a\r\nb\n\nc", 0, false, {u"a", u"b", u"", u"c"}},
      {"a surrogate pair stays whole", u"a\U0001F600b", 2, true, {u"a", u"\U0001F600", u"b"}},
      {"one character even when it is too wide", u"ab", 0, true, {u"ab"}},  // width 0: no wrapping
      {"closing punctuation takes a letter along", u"あいう。えお", 3, false, {u"あい", u"う。え", u"お"}},
      {"also between characters", u"あいう。えお", 3, true, {u"あい", u"う。え", u"お"}},
      {"but never empties a line", u"あ。。", 1, true, {u"あ", u"。", u"。"}},
  };
  TCellMeasurer m;
  for (const auto& c : cases)
    EXPECT_EQ(BreakTextLines(c.Text, m, {}, c.Cells * Cell, c.WrapChar), c.Expected) << c.Name;
  EXPECT_EQ(BreakTextLines(u"ab", m, {}, 3, true), (Lines{u"a", u"b"}));
  EXPECT_EQ(BreakTextLines(u"ab", m, {}, 3, false), (Lines{u"a", u"b"}));
  EXPECT_EQ(BreakTextLines(u"", m, {}, 50, false), (Lines{u""}));
}

TEST(RdTextLines, EndEllipsisShortensTheLineUntilTheDotsFitAndDropsSpacesBeforeThem) {
  TCellMeasurer m;
  EXPECT_EQ(WithEndEllipsis(u"abcdefgh", m, {}, 6 * Cell), u"abc...");
  EXPECT_EQ(WithEndEllipsis(u"ab   cdef", m, {}, 6 * Cell), u"ab...");
  EXPECT_EQ(WithEndEllipsis(u"ab", m, {}, 6 * Cell), u"ab...");
  EXPECT_EQ(WithEndEllipsis(u"a\U0001F600", m, {}, 4 * Cell), u"a...");  // never half a pair
  EXPECT_EQ(WithEndEllipsis(u"abcdef", m, {}, 2 * Cell), u"...");
}

// A window that sizes itself to a wrapping label needs the room of the lines the label draws, also where a plain
// measure of the text would let a long word (or a run of CJK letters without spaces) stick out on one line.
TEST(RdTextLines, MeasuredRoomIsThatOfTheLinesDrawn) {
  TCellMeasurer m;
  const int32_t line = TCellMeasurer::LineHeight;
  EXPECT_EQ(m.MeasureText(u"ab abcdefghij", {}, 4 * Cell), (TSize{10 * Cell, 2 * line}));
  EXPECT_EQ(MeasureTextLines(u"ab abcdefghij", m, {}, 4 * Cell, false), (TSize{4 * Cell, 4 * line}));
  EXPECT_EQ(MeasureTextLines(u"aaaa bbbb cccc", m, {}, 9 * Cell, false), (TSize{9 * Cell, 2 * line}));
  EXPECT_EQ(MeasureTextLines(u"a\nbbb", m, {}, 0, true), (TSize{3 * Cell, 2 * line}));
}

}  // namespace
}  // namespace qor
