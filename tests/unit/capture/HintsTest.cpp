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

TEST(Hints, EveryToolbarButtonHasAHintAndNamesAreExact) {
  for (std::u16string_view name : {u"Btn_Rd_Rect", u"Btn_Rd_Ellip", u"Btn_Rd_Line", u"Btn_Rd_Arrow", u"Btn_Rd_Brush",
                                   u"Btn_Rd_Masaic", u"Btn_Rd_Font", u"Btn_Rd_Return", u"Btn_Rd_Del",
                                   u"Btn_Rd_ScrollWins", u"Btn_Rd_Pinned", u"Rd_Copy", u"Rd_WordCopy", u"Rd_Save",
                                   u"btn_save_drop", u"btn_browseSavePath"})
    EXPECT_TRUE(FindHint(name).has_value()) << Narrow(name);
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
      {u"", u""},
      {u"%", u"%"},
      {u"%%s", u"%\"ESC\""},
      {u"%d %n %x %s %s", u"%d %n %x \"ESC\" %s"},
      {u"no placeholder", u"no placeholder"},
      {u"%S upper", u"%S upper"},
      {u"end %", u"end %"},
      {std::u16string_view(u"a\0%s", 4), std::u16string_view(u"a\0\"ESC\"", 7)},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatExitTip(c.Pattern), c.Expected) << Narrow(c.Pattern);
}
