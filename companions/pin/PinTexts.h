#pragma once
// The pin program's texts: the keys of its section in the language files ("Qor_Screen_Pin") with the English
// texts used when a file lacks them.
#include <string_view>

namespace qor {

// The window name whose section holds the texts (the section is the product key + "_" + this name).
inline constexpr std::u16string_view PinTextsWindow = u"Pin";

struct TPinText {
  std::u16string_view Key;
  std::u16string_view English;
};

inline constexpr TPinText PinTextCopy{u"Menu_Copy", u"Copy\tCtrl+C"};
inline constexpr TPinText PinTextSaveAs{u"Menu_SaveAs", u"Save as...\tCtrl+S"};
inline constexpr TPinText PinTextZoom100{u"Menu_Zoom100", u"Zoom 100%"};
inline constexpr TPinText PinTextOpacity{u"Menu_Opacity", u"Opacity"};
inline constexpr TPinText PinTextKeepOnTop{u"Menu_KeepOnTop", u"Keep on top"};
inline constexpr TPinText PinTextClose{u"Menu_Close", u"Close\tEsc"};

// The opacity presets of the menu, in percent.
inline constexpr int PinOpacityPresets[] = {100, 80, 60, 40};

}  // namespace qor
