#pragma once
// Window translation: a window's controls take their texts from the window's own section of the language file
// ("Qor_Screen_" + window name), keyed by control name and property ("Btn_Rd_Save.Hint", "Label_1.Caption").
// A missing key keeps what the window gave the control before: its English design text or a shared message text.
// Usage, once the controls carry their default texts:
//   qor::TranslateControls(qor::AppLanguage(), qor::WindowSection::NoticForm, panel);
//   std::u16string tip = qor::ControlText(qor::AppLanguage(), qor::WindowSection::TipForm, u"Label_Tip.Caption",
//                                         fallback);   // where the layout needs the text first
#include <string>
#include <string_view>

namespace qor {

class TLanguage;
class TRdControlHost;

// The windows that have a section of their own. The overlay's section is "Monitor"; its toolbar, exit tip, tool
// options and save-path panel belong to it.
namespace WindowSection {
inline constexpr std::u16string_view Monitor = u"Monitor";
inline constexpr std::u16string_view NoticForm = u"NoticForm";
inline constexpr std::u16string_view TipForm = u"TipForm";
inline constexpr std::u16string_view FormScrollWinsTools = u"FormScrollWinsTools";
inline constexpr std::u16string_view All[] = {Monitor, NoticForm, TipForm, FormScrollWinsTools};
}  // namespace WindowSection

// The text of key in the window's section ("<br>" as a line break), else the fallback.
std::u16string ControlText(const TLanguage& language, std::u16string_view windowName, std::u16string_view key,
                           std::u16string_view fallback);

// Gives every named control of host the texts found for it: "<name>.Hint" to any control, "<name>.Caption" to
// labels and image buttons. Returns how many texts were applied.
int TranslateControls(const TLanguage& language, std::u16string_view windowName, TRdControlHost& host);

}  // namespace qor
