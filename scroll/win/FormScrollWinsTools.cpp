#include "scroll/win/FormScrollWinsTools.h"

#include "CommonLib/RdControl/RdLabel.h"
#include "CommonLib/RdControl/RdPictureNames.h"
#include "app/Language.h"
#include "app/WindowTranslation.h"
#include "capture/Hints.h"
#include "capture/ToolbarWords.h"
#include "scroll/win/FormLongScreenShot.h"
#include "scroll/win/ScrollTrace.h"
#include "base/Utf16Text.h"

namespace qor {

namespace {

// The toolbar's background colour, RGB(38, 38, 38).
constexpr uint32_t ToolbarColour = 2500134;

}  // namespace

TFormScrollWinsTools::TFormScrollWinsTools(TScale scale, bool saveDropVisible)
    : FScale(scale), FLayout(LayoutScrollToolbar(saveDropVisible, scale)), FPictures(scale), FPanel(&FPictures) {}

bool TFormScrollWinsTools::Create() {
  // The captions of Copy and Save in the window's language; a long one widens its button and the toolbar.
  const TLanguage& language = AppLanguage();
  const TWordCaption copy{
      u"Rd_WordCopy", ControlText(language, WindowSection::FormScrollWinsTools, u"Rd_WordCopy.Caption", DesignWordCopy),
      DesignWordCopy, u"copy"};
  const TWordCaption save{
      u"Rd_WordSave", ControlText(language, WindowSection::FormScrollWinsTools, u"Rd_WordSave.Caption", DesignWordSave),
      DesignWordSave, u"save"};
  // Measured on a panel of its own: the toolbar's panel is set up exactly as without translated captions.
  TFormOf<TRdPanel> measuring;
  FLayout = LayoutScrollToolbar(FLayout.SaveDropVisible, FScale,
                                WordCaptionWidth(measuring.TextMeasurer(), copy.Text, copy.DesignText, FScale),
                                WordCaptionWidth(measuring.TextMeasurer(), save.Text, save.DesignText, FScale));
  if (!CreateForm(L"TFormScrollWinsTools", WS_EX_TOPMOST | WS_EX_TOOLWINDOW, WS_POPUP, L"ScrollWinsTools", 0, 0,
                  FLayout.Client.Width, FLayout.Client.Height))
    return false;
  auto add = [&](TScrollToolbarChild child) {
    const TScrollToolbarItem& item = ScrollToolbarItem(child);
    auto* button = FPanel.Add(std::make_unique<TRdImageButton>());
    button->Name = item.Name;
    button->SetBounds(FLayout.Child(child));
    button->SetHint(ComponentHint(item.Name));
    const TScrollAction action = item.Action;
    button->OnClick = [this, action](TRdControl&) { Act(action); };
    FButtons[int(child)] = button;
    return button;
  };
  SetToolPictures(*add(TScrollToolbarChild::Btn_Rd_Del), u"delete");
  SetToolPictures(*add(TScrollToolbarChild::Btn_Rd_Pinned), u"pin");
  SetBlueButtonPictures(*add(TScrollToolbarChild::Rd_Copy), u"saveas", FLayout.CopyIconOffset);
  SetBlueButtonPictures(*add(TScrollToolbarChild::Rd_Save), u"save", FLayout.SaveIconOffset);
  // The captions lie on their buttons and leave the mouse to them, so both press together.
  AddWordCaption(FPanel, copy, FScale, FLayout.Child(TScrollToolbarChild::Rd_WordCopy));
  AddWordCaption(FPanel, save, FScale, FLayout.Child(TScrollToolbarChild::Rd_WordSave));
  if (FLayout.SaveDropVisible) {
    auto* drop = add(TScrollToolbarChild::btn_save_drop);
    drop->SetImageNormal(u"images/icon_dropdown_normal.png");
    drop->SetImageDown(u"images/icon_dropdown_press.png");
  }
  FPanel.SetColor(ToolbarColour);
  TranslateControls(AppLanguage(), WindowSection::FormScrollWinsTools, FPanel);
  return FPanel.Create(Handle(), TRect::FromSize(0, 0, FLayout.Client.Width, FLayout.Client.Height));
}

void TFormScrollWinsTools::ShowFor(const TRect& region, const TRect& desktop) {
  FRegion = region;
  const TScrollToolbarPlace place = PlaceScrollToolbar(region, FLayout.Client, desktop);
  FInside = place.Inside;
  ::SetWindowPos(Handle(), HWND_TOPMOST, place.TopLeft.X, place.TopLeft.Y, FLayout.Client.Width, FLayout.Client.Height,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TFormScrollWinsTools::Hide() { ::ShowWindow(Handle(), SW_HIDE); }

bool TFormScrollWinsTools::Visible() const { return Handle() && ::IsWindowVisible(Handle()); }

void TFormScrollWinsTools::BringToFront() {
  ::SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TFormScrollWinsTools::SetTopmost(bool topmost) {
  ::SetWindowPos(Handle(), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool TFormScrollWinsTools::Owns(HWND window) const {
  return window && (window == Handle() || window == FPanel.Handle() || ::IsChild(Handle(), window));
}

void TFormScrollWinsTools::ShowSavePressed(bool pressed) {
  if (TRdImageButton* save = FButtons[int(TScrollToolbarChild::Rd_Save)]) {
    save->SetSelected(pressed);
    save->Invalidate();
  }
}

void TFormScrollWinsTools::Act(TScrollAction action) {
  if (action == TScrollAction::None || (CanAct && !CanAct())) return;
  if (OnAction) OnAction(action);
}

void TFormScrollWinsTools::KeyFromHook(WPARAM which) {
  if (!Visible()) return;
  switch (which) {
    case 0: Act(TScrollAction::Exit); return;
    case 1: Act(TScrollAction::Copy); return;
    case 2: Act(TScrollAction::Save); return;
  }
}

LRESULT TFormScrollWinsTools::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WmScrollToolsKey: KeyFromHook(wParam); return 0;
    case WM_KEYDOWN:
      // The keys pressed on the toolbar itself (the hooks see them first while the run lasts).
      if ((::GetKeyState(VK_CONTROL) & 0x8000) != 0) {
        ScrollTrace(u"Key " + IntToText(int64_t(wParam)));
        const bool preview = PreviewVisible && PreviewVisible();
        if (wParam == 'C' && preview) Act(TScrollAction::Copy);
        if (wParam == 'S' && preview) Act(TScrollAction::Save);
        return 0;
      }
      break;
  }
  return DefaultHandler(message, wParam, lParam);
}

}  // namespace qor
