#include <gtest/gtest.h>

#include <map>
#include <string>

#include "capture/Hints.h"

using namespace qor;

namespace {

TLanguageLookup Table(std::map<std::u16string, std::u16string> texts) {
  return [texts](std::u16string_view key, std::u16string_view fallback) {
    const auto it = texts.find(std::u16string(key));
    return it == texts.end() ? std::u16string(fallback) : it->second;
  };
}

std::string Narrow(std::u16string_view text) { return std::string(text.begin(), text.end()); }

}  // namespace

TEST(Hints, NamesAreExact) {
  EXPECT_TRUE(FindHint(u"Btn_Rd_Rect").has_value());
  EXPECT_FALSE(FindHint(u"lbl_WinSize").has_value());
  EXPECT_FALSE(FindHint(u"btn_rd_rect").has_value());
}

TEST(Hints, TranslationsKeepTheShortcutSuffix) {
  const TLanguageLookup german = Table({{u"M_Screen_Save", u"Speichern"}, {u"M_Screen_Copy", u"Kopieren"}});
  EXPECT_EQ(HintText(*FindHint(u"Rd_Save"), german), u"Speichern (Ctrl+S)");
  EXPECT_EQ(HintText(*FindHint(u"Rd_WordCopy"), german), u"Kopieren (Ctrl+C)");
  EXPECT_EQ(HintText(*FindHint(u"Btn_Rd_Rect"), german), u"Rectangle");
  EXPECT_EQ(HintText(*FindHint(u"Rd_Save"), nullptr), u"Save (Ctrl+S)");
  EXPECT_EQ(HintText(*FindHint(u"btn_save_drop"), Table({})), u"Save (Ctrl+S)");
}

TEST(ExitTip, NamesTheKeyInQuotesAndNeverInterpretsGarbageTranslations) {
  EXPECT_EQ(ExitTipText(Table({})), u"Press \"ESC\" again to exit this screenshot.");
  EXPECT_EQ(ExitTipText(Table({{u"M_Screen_ExitTipCap", u"Erneut %s drücken"}})), u"Erneut \"ESC\" drücken");
  const struct {
    std::u16string_view Pattern, Expected;
  } cases[] = {
      // Lone '%', "%%s" and missing placeholders: FormatTextTest.
      {u"%d %n %x %s %s", u"%d %n %x \"ESC\" %s"},
      {u"%S upper", u"%S upper"},
      {std::u16string_view(u"a\0%s", 4), std::u16string_view(u"a\0\"ESC\"", 7)},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatExitTip(c.Pattern), c.Expected) << Narrow(c.Pattern);
}
