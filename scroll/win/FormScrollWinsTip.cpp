#include "scroll/win/FormScrollWinsTip.h"

#include "app/MessageTexts.h"
#include "output/TipLayout.h"
#include "scroll/ScrollTipLayout.h"

namespace qor {

TFormScrollWinsTip::TFormScrollWinsTip(TScale scale) : FScale(scale), FPictures(scale), FPanel(&FPictures) {}

bool TFormScrollWinsTip::Create() {
  const TSize design{FScale(ScrollTipWidth), FScale(49)};
  // The tip lies over the region: the pointer goes through it to the scrolled window.
  if (!CreateForm(L"TFormScrollWinsTip",
                  WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TRANSPARENT, WS_POPUP,
                  L"ScrollWinsTip", 0, 0, design.Width, design.Height))
    return false;
  ::SetLayeredWindowAttributes(Handle(), 0, 255, LWA_ALPHA);
  lbl_ScrollTipCap = FPanel.Add(std::make_unique<TRdLabel>());
  TRdFont font;
  font.Height = FScale(14);
  font.Color = 0xF0F0F0;
  lbl_ScrollTipCap->SetFont(font);
  lbl_ScrollTipCap->SetWordWrap(true);
  lbl_ScrollTipCap->SetWrapChar(false);
  lbl_ScrollTipCap->SetAutoSize(true);
  lbl_ScrollTipCap->SetHitTest(false);
  lbl_ScrollTipCap->SetMaxWidth(ScrollTipLabelMaxWidth(FScale));
  FPanel.SetBorderColor(PlainWindowBorderColor);
  return FPanel.Create(Handle(), TRect::FromSize(0, 0, design.Width, design.Height));
}

void TFormScrollWinsTip::ShowMode(TScrollTipMode mode, const TRect& target) {
  if (!lbl_ScrollTipCap) return;
  FMode = mode;
  lbl_ScrollTipCap->SetCaption(mode == TScrollTipMode::Usage
                                   ? MessageTextOrDefault(&TMessageTexts::M_ScrollWins_UseCap)
                                   : MessageTextOrDefault(&TMessageTexts::M_ScrollWins_ErrCap));
  const TScrollTipLayout layout = LayoutScrollTip(FScale, lbl_ScrollTipCap->Bounds().Height());
  lbl_ScrollTipCap->SetPosition({layout.Label.Left, layout.Label.Top});
  const TRect at = PlaceScrollTip(layout.Client, target);
  FPanel.SetPanelBounds(TRect::FromSize(0, 0, at.Width(), at.Height()));
  ::SetWindowPos(Handle(), HWND_TOPMOST, at.Left, at.Top, at.Width(), at.Height(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TFormScrollWinsTip::Hide() { ::ShowWindow(Handle(), SW_HIDE); }

bool TFormScrollWinsTip::Visible() const { return Handle() && ::IsWindowVisible(Handle()); }

LRESULT TFormScrollWinsTip::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  return DefaultHandler(message, wParam, lParam);
}

}  // namespace qor
