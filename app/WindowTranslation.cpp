#include "app/WindowTranslation.h"

#include "CommonLib/RdControl/RdControl.h"
#include "CommonLib/RdControl/RdImageButton.h"
#include "CommonLib/RdControl/RdLabel.h"
#include "app/Language.h"

namespace qor {

std::u16string ControlText(const TLanguage& language, std::u16string_view windowName, std::u16string_view key,
                           std::u16string_view fallback) {
  auto text = language.WindowText(windowName, key);
  return text ? std::move(*text) : std::u16string(fallback);
}

namespace {

bool SetCaption(TRdControl& control, std::u16string text) {
  if (auto* label = dynamic_cast<TRdLabel*>(&control)) {
    label->SetCaption(std::move(text));
    return true;
  }
  if (auto* button = dynamic_cast<TRdImageButton*>(&control)) {
    button->SetCaption(std::move(text));
    return true;
  }
  return false;  // images, sliders and combo boxes carry no caption
}

}  // namespace

int TranslateControls(const TLanguage& language, std::u16string_view windowName, TRdControlHost& host) {
  int applied = 0;
  for (const auto& control : host.Controls()) {
    if (control->Name.empty()) continue;
    if (auto hint = language.WindowText(windowName, control->Name + u".Hint")) {
      control->SetHint(std::move(*hint));
      ++applied;
    }
    if (auto caption = language.WindowText(windowName, control->Name + u".Caption"))
      applied += SetCaption(*control, std::move(*caption)) ? 1 : 0;
  }
  return applied;
}

}  // namespace qor
