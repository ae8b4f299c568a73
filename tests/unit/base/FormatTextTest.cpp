#include <gtest/gtest.h>

#include <tuple>

#include "base/Utf16Text.h"

namespace qor {
namespace {

TEST(FormatText, FillsPlaceholdersInOrderAndToleratesTranslationsThatDoNotMatchTheArguments) {
  EXPECT_EQ(FormatText(u"saved to %s (%s).", {u"C:\\a.png", u"disk full"}), u"saved to C:\\a.png (disk full).");
  // Arguments are not scanned again: a path holding "%s" stays as it is and does not eat the next argument.
  EXPECT_EQ(FormatText(u"%s / %s", {u"100%s", u"x"}), u"100%s / x");
  // A translation with fewer placeholders drops the extra arguments; one with more keeps the rest visible.
  EXPECT_EQ(FormatText(u"no placeholder", {u"x"}), u"no placeholder");
  EXPECT_EQ(FormatText(u"%s and %s and %s", {u"a"}), u"a and %s and %s");
  EXPECT_EQ(FormatText(u"%s%s", {u"", u""}), u"");
  EXPECT_EQ(FormatText(u"100% sure %", {u"x"}), u"100% sure %");  // a lone '%' is text
  EXPECT_EQ(FormatText(u"%%s", {u"x"}), u"%x");
  EXPECT_EQ(FormatText(u"", {}), u"");
}

TEST(ZeroPadded, PadsToTheWidthNeverCutsAndTreatsNegativeAsZero) {
  const std::tuple<int64_t, int, std::u16string> cases[] = {
      {7, 2, u"07"}, {2024, 4, u"2024"}, {12345, 4, u"12345"}, {0, 3, u"000"}, {-5, 2, u"00"}, {9, 0, u"9"},
  };
  for (const auto& [value, width, text] : cases) EXPECT_EQ(ZeroPadded(value, width), text) << value;
}

}  // namespace
}  // namespace qor
