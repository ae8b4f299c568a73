#include <gtest/gtest.h>

#include <map>

#include "capture/Hints.h"

using namespace qor;

namespace {

TLanguageLookup Table(std::map<std::u16string, std::u16string> texts) {
  return [texts](std::u16string_view key, std::u16string_view fallback) {
    const auto it = texts.find(std::u16string(key));
    return it == texts.end() ? std::u16string(fallback) : it->second;
  };
}

}  // namespace

TEST(Hints, DefaultsAndSuffixes) {
  const TLanguageLookup none = Table({});
  struct TCase {
    std::u16string_view Component;
    std::u16string_view Expected;
  } cases[] = {
      {u"Btn_Rd_Rect", u"Rectangle"},
      {u"Btn_Rd_Masaic", u"Pixelation"},
      {u"Btn_Rd_Return", u"Restore (Ctrl+Z)"},
      {u"Btn_Rd_ScrollWins", u"Capture scrolling window"},
      {u"Rd_Copy", u"Copy to clipboard (Ctrl+C)"},
      {u"Rd_WordCopy", u"Copy to clipboard (Ctrl+C)"},
      {u"btn_save_drop", u"Save (Ctrl+S)"},
      {u"btn_browseSavePath", u"Browse..."},
  };
  for (const TCase& c : cases) {
    const auto entry = FindHint(c.Component);
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(HintText(*entry, none), c.Expected);
  }
  EXPECT_FALSE(FindHint(u"lbl_WinSize").has_value());
  EXPECT_FALSE(FindHint(u"btn_rd_rect").has_value());
}

TEST(Hints, TranslationsKeepTheShortcutSuffix) {
  const TLanguageLookup german = Table({{u"M_Screen_Save", u"Speichern"}, {u"M_Screen_Copy", u"Kopieren"}});
  EXPECT_EQ(HintText(*FindHint(u"Rd_Save"), german), u"Speichern (Ctrl+S)");
  EXPECT_EQ(HintText(*FindHint(u"Rd_WordCopy"), german), u"Kopieren (Ctrl+C)");
  EXPECT_EQ(HintText(*FindHint(u"Btn_Rd_Rect"), german), u"Rectangle");
  EXPECT_EQ(HintText(*FindHint(u"Rd_Save"), nullptr), u"Save (Ctrl+S)");
}

TEST(Hints, EveryToolbarButtonHasAHint) {
  for (std::u16string_view name : {u"Btn_Rd_Rect", u"Btn_Rd_Ellip", u"Btn_Rd_Line", u"Btn_Rd_Arrow", u"Btn_Rd_Brush",
                                   u"Btn_Rd_Masaic", u"Btn_Rd_Font", u"Btn_Rd_Return", u"Btn_Rd_Del",
                                   u"Btn_Rd_ScrollWins", u"Btn_Rd_Pinned", u"Rd_Copy", u"Rd_Save"})
    EXPECT_TRUE(FindHint(name).has_value());
}

TEST(ExitTip, TheDefaultTextNamesTheKeyInQuotes) {
  EXPECT_EQ(ExitTipText(Table({})), u"Press \"ESC\" again to exit this screenshot.");
  EXPECT_EQ(ExitTipText(Table({{u"M_Screen_ExitTipCap", u"Erneut %s drücken"}})), u"Erneut \"ESC\" drücken");
}

TEST(ExitTip, GarbageTranslationsAreNeverInterpreted) {
  struct TCase {
    std::u16string_view Pattern;
    std::u16string_view Expected;
  } cases[] = {
      {u"", u""},
      {u"%", u"%"},
      {u"%%s", u"%\"ESC\""},
      {u"%d %n %x %s %s", u"%d %n %x \"ESC\" %s"},
      {u"no placeholder", u"no placeholder"},
      {u"%S upper", u"%S upper"},
      {u"end %", u"end %"},
  };
  for (const TCase& c : cases) EXPECT_EQ(FormatExitTip(c.Pattern), c.Expected);
  const std::u16string withNul(u"a\0%s", 4);
  EXPECT_EQ(FormatExitTip(withNul), std::u16string(u"a\0\"ESC\"", 7));
}
