#include "output/win/NoticForm.h"

#include <algorithm>

#include "CommonLib/RdControl/RdTextLines.h"
#include "CommonLib/RdControl/win/RdSkinPictures.h"
#include "app/DpiDecision.h"
#include "app/LogManage.h"
#include "app/Language.h"
#include "app/MessageTexts.h"
#include "app/WindowTranslation.h"
#include "base/win/WinConvert.h"
#include "output/NoticePlacement.h"
#include "output/TipLayout.h"

namespace qor {

namespace {

constexpr BYTE NoticeAlpha = 235;
constexpr uint32_t FirstLineColor = 0xF2F2F2;
constexpr uint32_t SecondLineColor = 0xB4B4B4;

TRdFont NoticeFont(TScale scale, uint32_t color) {
  TRdFont font;
  font.Name = u"Segoe UI";
  font.Height = scale(NoticeFontHeight);
  font.Color = color;
  return font;
}

TRect VirtualScreen() {
  const int32_t left = ::GetSystemMetrics(SM_XVIRTUALSCREEN), top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
  return TRect::FromSize(left, top, ::GetSystemMetrics(SM_CXVIRTUALSCREEN), ::GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

}  // namespace

TNoticForm::TNoticForm(TScale scale) : FScale(scale) {}

TNoticForm::~TNoticForm() = default;

bool TNoticForm::Create(const TRect& desktop) {
  FDesktop = desktop.IsEmpty() ? VirtualScreen() : desktop;
  FShown = false;
  FSize = {FScale(NoticeClientWidth), FScale(NoticeDesignHeight)};
  // Never activated and transparent to the mouse: the overlay keeps the focus and every press.
  const DWORD exStyle = WS_EX_TOPMOST | WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT;
  if (!CreateForm(L"TNoticForm", exStyle, WS_POPUP, L"", 0, 0, FSize.Width, FSize.Height)) return false;
  ::SetLayeredWindowAttributes(Handle(), 0, NoticeAlpha, LWA_ALPHA);

  FPictures = std::make_unique<TRdSkinPictureSource>(FScale);
  pnl1 = std::make_unique<TFormOf<TRdPanel>>(FPictures.get());
  auto* background = pnl1->Add(std::make_unique<TRdImage>());
  background->Name = u"RdBtn_MainBg";
  background->SetPicture(u"images/bg_window.png");
  background->PictureOption = {4, 4, 4, 4};
  background->Stretch = true;
  background->SetHitTest(false);

  Label_1 = pnl1->Add(std::make_unique<TRdLabel>());
  Label_1->Name = u"Label_1";
  Label_1->SetAutoSize(false);
  Label_1->SetWordWrap(true);
  Label_1->SetWrapChar(false);
  Label_1->SetHitTest(false);
  Label_1->SetFont(NoticeFont(FScale, FirstLineColor));

  Label_2 = pnl1->Add(std::make_unique<TRdLabel>());
  Label_2->Name = u"Label_2";
  Label_2->SetAutoSize(false);
  Label_2->SetHitTest(false);
  Label_2->SetFont(NoticeFont(FScale, SecondLineColor));

  ApplyTextsAndLayout();
  return pnl1->Create(Handle(), TRect::FromSize(0, 0, FSize.Width, FSize.Height));
}

// Texts from the language table; Label_1 wraps within 370 (scaled), Label_2 stays on one line, shortened in the
// middle when it is wider; the lines stack from the top with their margins and the window's height follows.
void TNoticForm::ApplyTextsAndLayout() {
  const int32_t maxWidth = FScale(NoticeLabelMaxWidth);
  const TLanguage& language = AppLanguage();
  const std::u16string first = ControlText(language, WindowSection::NoticForm, u"Label_1.Caption",
                                           MessageTextOrDefault(&TMessageTexts::M_NoticeInfo_ABNew));
  const std::u16string second = ControlText(language, WindowSection::NoticForm, u"Label_2.Caption",
                                            MessageTextOrDefault(&TMessageTexts::M_NoticeInfo_ACNew));
  TSize size1{maxWidth, FScale(38)}, size2{maxWidth, FScale(19)};
  std::u16string shown = second;
  if (TRdTextMeasurer* measure = pnl1->TextMeasurer()) {
    // The lines the label draws: a text without spaces (Japanese, Chinese) breaks between its letters.
    size1 = MeasureTextLines(first, *measure, Label_1->Font(), maxWidth, Label_1->WrapChar());
    size1.Width = std::min(size1.Width, maxWidth);
    const TRdFont& font = Label_2->Font();
    shown = ShortenInMiddle(second, maxWidth,
                            [&](std::u16string_view text) { return measure->MeasureText(text, font, 0).Width; });
    size2 = measure->MeasureText(shown, font, 0);
    size2.Width = std::min(size2.Width + 1, maxWidth);
  }
  Label_1->SetCaption(first);
  Label_2->SetCaption(shown);
  // The window's own text is the whole notice, so that screen readers (and any window list) can read it.
  const std::u16string whole = first + u"\n" + second;
  if (Handle()) ::SetWindowTextW(Handle(), Wide(whole));
  const TNoticeLayout layout = LayoutNotice(FScale(NoticeLabelLeft), size1, size2);
  Label_1->SetBounds(layout.Label_1);
  Label_2->SetBounds(layout.Label_2);
  FSize.Height = layout.ClientHeight;
  for (auto& control : pnl1->Controls())
    if (control->Name == u"RdBtn_MainBg") control->SetBounds(TRect::FromSize(0, 0, FSize.Width, FSize.Height));
  pnl1->SetPanelBounds(TRect::FromSize(0, 0, FSize.Width, FSize.Height));
  if (Handle())
    ::SetWindowPos(Handle(), nullptr, 0, 0, FSize.Width, FSize.Height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

const std::u16string& TNoticForm::Label2Text() const {
  static const std::u16string none;
  return Label_2 ? Label_2->Caption() : none;
}

void TNoticForm::FormShow() {
  ApplyTextsAndLayout();
  FShown = true;
}

void TNoticForm::ShowAt(int32_t x, int32_t bandTop, int32_t bandHeight) {
  if (!Handle()) return;
  if (!FShown) FormShow();
  FLastPosition = PlaceNotice(FDesktop, FSize, x, bandTop, bandHeight);
  ::SetWindowPos(Handle(), HWND_TOPMOST, FLastPosition.X, FLastPosition.Y, FSize.Width, FSize.Height,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

bool TNoticForm::Visible() const { return Handle() && ::IsWindowVisible(Handle()); }

void TNoticForm::Close() { Destroy(); }

LRESULT TNoticForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;  // pnl1 covers the client area
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    default: break;
  }
  return DefaultHandler(message, wParam, lParam);
}

void TCaptureNotice::Create(const TRect& desktop, TScale scale) {
  Close();
  FShowNotice = NoticeWanted();
  FStarted = false;
  if (!FShowNotice) return;
  FForm = std::make_unique<TFormOf<TNoticForm>>(scale);
  if (!FForm->Create(desktop)) {
    WriteLog(u"[NoticForm]not created");
    FForm.reset();
  }
}

void TCaptureNotice::Start(uint32_t tick) {
  FStartTick = tick;
  FStarted = true;
}

TNoticeTick TCaptureNotice::Tick(uint32_t nowTick, int32_t cursorX, int32_t bandTop, int32_t bandHeight) {
  if (!FShowNotice || !FForm) return TNoticeTick::None;
  if (!FStarted) Start(nowTick);
  if (NoticeShouldClose(FStartTick, nowTick)) {
    Close();
    return TNoticeTick::Closed;
  }
  FForm->ShowAt(cursorX, bandTop, bandHeight);
  return TNoticeTick::Moved;
}

void TCaptureNotice::FirstPress() {
  if (!FForm) return;
  RecordNoticeSeen(FForm->Visible());
  Close();
}

void TCaptureNotice::Close() {
  if (!FForm) return;
  FForm->Close();
  FForm.reset();
}

}  // namespace qor
