#include "capture/win/ExitTipPanel.h"

#include "app/Language.h"
#include "app/WindowTranslation.h"
#include "capture/Hints.h"
#include "capture/ToolbarLayout.h"

namespace qor {

namespace {
constexpr int32_t ExitTipWidth = 320;  // the panel's design width; the label wraps inside it
}

TExitTipPanel::TExitTipPanel(TScale scale) : FScale(scale), FWidth(scale(ExitTipWidth)) {}

bool TExitTipPanel::Create(HWND overlay) {
  lbl_ExitTipCap = FPanel.Add(std::make_unique<TRdLabel>());
  lbl_ExitTipCap->Name = u"lbl_ExitTipCap";
  TRdFont font;
  font.Height = FScale(14);
  font.Color = 0xF0F0F0;
  lbl_ExitTipCap->SetFont(font);
  lbl_ExitTipCap->SetWordWrap(true);
  lbl_ExitTipCap->SetWrapChar(false);
  lbl_ExitTipCap->SetAutoSize(true);
  lbl_ExitTipCap->SetHitTest(false);
  lbl_ExitTipCap->SetMaxWidth(ExitTipLabelMaxWidth(FWidth, FScale));
  // The window's own caption first, then the shared message text; either way "%s" becomes "ESC".
  lbl_ExitTipCap->SetCaption(ExitTipText([](std::u16string_view key, std::u16string_view fallback) {
    return ControlText(AppLanguage(), WindowSection::Monitor, u"lbl_ExitTipCap.Caption",
                       AppLanguage().MessageText(key, fallback));
  }));
  return FPanel.Create(overlay, TRect::FromSize(0, 0, FWidth, 60), false);
}

void TExitTipPanel::ShowCentredOn(const TRect& selection) {
  const int32_t labelHeight = lbl_ExitTipCap ? lbl_ExitTipCap->Bounds().Height() : 20;
  const TExitTipLayout layout = PlaceExitTip(selection, FWidth, labelHeight, FScale);
  if (lbl_ExitTipCap) lbl_ExitTipCap->SetPosition({layout.LabelLeft, layout.LabelTop});
  FPanel.SetPanelBounds(layout.Panel);
  FPanel.Show(true);
  ::SetWindowPos(FPanel.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TExitTipPanel::Hide() { FPanel.Show(false); }

}  // namespace qor
