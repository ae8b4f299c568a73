#include "capture/Hints.h"

#include "app/Language.h"
#include "base/Utf16Text.h"

namespace qor {

const std::vector<THintEntry>& OverlayHints() {
  static const std::vector<THintEntry> hints{
      {u"Btn_Rd_Rect", u"M_Screen_Rect", u"Rectangle", u""},
      {u"Btn_Rd_Ellip", u"M_Screen_Oval", u"Oval", u""},
      {u"Btn_Rd_Line", u"M_Screen_Line", u"Line", u""},
      {u"Btn_Rd_Arrow", u"M_Screen_Arrow", u"Arrow", u""},
      {u"Btn_Rd_Brush", u"M_Screen_Brush", u"Paintbrush", u""},
      {u"Btn_Rd_Masaic", u"M_Screen_Pixelation", u"Pixelation", u""},
      {u"Btn_Rd_Font", u"M_Screen_Text", u"Text", u""},
      {u"Btn_Rd_Return", u"M_Screen_ReturnNew", u"Restore (Ctrl+Z)", u""},
      {u"Btn_Rd_Del", u"M_Screen_Exit", u"Exit screenshot", u""},
      {u"Btn_Rd_ScrollWins", u"M_Main_ScrollWins", u"Capture scrolling window", u""},
      {u"Btn_Rd_Pinned", u"M_Screen_Pin", u"Pin to desktop", u""},
      {u"Rd_Copy", u"M_Screen_Copy", u"Copy to clipboard", u" (Ctrl+C)"},
      {u"Rd_WordCopy", u"M_Screen_Copy", u"Copy to clipboard", u" (Ctrl+C)"},
      {u"Rd_Save", u"M_Screen_Save", u"Save", u" (Ctrl+S)"},
      {u"Rd_WordSave", u"M_Screen_Save", u"Save", u" (Ctrl+S)"},
      {u"btn_save_drop", u"M_Screen_Save", u"Save", u" (Ctrl+S)"},
      {u"btn_pthpnl_close", u"M_Close", u"Close", u""},
      {u"lbl_PixelSize", u"M_Screen_PixelSize", u"Pixel size:", u""},
      {u"chbtn_always", u"M_Screen_Always", u"Always save screenshots to:", u""},
      {u"btn_browseSavePath", u"M_Screen_Browse", u"Browse...", u""},
  };
  return hints;
}

std::optional<THintEntry> FindHint(std::u16string_view component) {
  for (const THintEntry& entry : OverlayHints())
    if (entry.Component == component) return entry;
  return std::nullopt;
}

std::u16string HintText(const THintEntry& entry, const TLanguageLookup& lookup) {
  std::u16string text = lookup ? lookup(entry.Key, entry.Default) : std::u16string(entry.Default);
  text += entry.Suffix;
  return text;
}

std::u16string FormatExitTip(std::u16string_view pattern) { return FormatText(pattern, {u"\"ESC\""}); }

std::u16string ExitTipText(const TLanguageLookup& lookup) {
  return FormatExitTip(lookup ? lookup(ExitTipKey, ExitTipDefault) : std::u16string(ExitTipDefault));
}

std::u16string ComponentHint(std::u16string_view component) {
  const auto entry = FindHint(component);
  if (!entry) return {};
  return HintText(*entry, [](std::u16string_view key, std::u16string_view fallback) {
    return AppLanguage().MessageText(key, fallback);
  });
}

}  // namespace qor
