#include "output/win/TipForm.h"

#include <windowsx.h>

#include <exception>

#include "CommonLib/RdControl/RdTextLines.h"
#include "CommonLib/RdControl/win/RdDialogPictures.h"
#include "app/DpiDecision.h"
#include "app/LogManage.h"
#include "app/Language.h"
#include "app/MessageTexts.h"
#include "app/WindowTranslation.h"

namespace qor {

namespace {

bool GTipShowing = false;

constexpr BYTE TipAlpha = 245;
constexpr uint32_t TipTextColor = 0xEEEEEE;
constexpr uint32_t CheckTextColor = 0xC4C4C4;

TRect PrimaryScreen() { return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)}; }

}  // namespace

// pnlMain: reports the pointer's entering and leaving and the presses that land on no button.
class TTipForm::TTipPanel : public TRdPanel {
 public:
  TTipPanel(const TRdPictureSource* pictures, TTipForm& form) : TRdPanel(pictures), FForm(form) {}

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_MOUSEMOVE:
        if (!FInside) {
          FInside = true;
          FForm.pnlMainMouseEnter();
        }
        break;
      case WM_MOUSELEAVE: {
        const LRESULT result = TRdPanel::HandleMessage(message, wParam, lParam);
        if (FInside && !PointerInside()) {  // leave reports also come while a press captures the mouse
          FInside = false;
          FForm.pnlMainMouseLeave();
        }
        return result;
      }
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
        if (!ControlAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})) {  // the label and the background
          FForm.pnlMainMouseDown();
          return 0;
        }
        break;
      default: break;
    }
    return TRdPanel::HandleMessage(message, wParam, lParam);
  }

 private:
  TTipForm& FForm;
  bool FInside = false;

  bool PointerInside() const {
    POINT p{};
    RECT r{};
    return ::GetCursorPos(&p) && ::GetWindowRect(Handle(), &r) && ::PtInRect(&r, p);
  }
};

TTipForm::TTipForm(TTipOptions options) : FOptions(options) { FScale = FOptions.Scale; }

TTipForm::~TTipForm() = default;

bool TTipForm::Create(HWND owner) {
  FOwner = owner;
  FClosed = FClosing = false;
  const TSize size = TipClientSize(FScale);
  if (!CreateForm(L"TTipForm", WS_EX_TOPMOST | WS_EX_LAYERED | WS_EX_TOOLWINDOW, WS_POPUP, L"", 0, 0, size.Width,
                  size.Height, owner))
    return false;
  ::SetLayeredWindowAttributes(Handle(), 0, TipAlpha, LWA_ALPHA);

  FPictures = std::make_unique<TRdDialogPictureSource>(FScale, TSize{FScale(TipOkWidth), FScale(TipOkHeight)});
  pnlMain = std::make_unique<TFormOf<TTipPanel>>(FPictures.get(), *this);
  pnlMain->SetColor(1840146);

  RdBtn_MainBg = pnlMain->Add(std::make_unique<TRdImage>());
  RdBtn_MainBg->Name = u"RdBtn_MainBg";
  RdBtn_MainBg->SetPicture(u"images/bg_window.png");
  RdBtn_MainBg->PictureOption = {4, 4, 4, 4};
  RdBtn_MainBg->Stretch = true;
  RdBtn_MainBg->SetHitTest(false);  // a press on it drags the tip
  RdBtn_MainBg->SetBounds(TRect::FromSize(0, 0, size.Width, size.Height));

  Label_Tip = pnlMain->Add(std::make_unique<TRdLabel>());
  Label_Tip->Name = u"Label_Tip";
  Label_Tip->SetAutoSize(false);
  Label_Tip->SetWordWrap(true);
  Label_Tip->SetWrapChar(false);
  Label_Tip->SetHitTest(false);  // a press on it drags the tip
  Label_Tip->SetFont(DialogFont(FScale(TipFontHeight), TipTextColor));

  RdBtn_Check = pnlMain->Add(std::make_unique<TRdImageButton>());
  RdBtn_Check->Name = u"RdBtn_Check";
  SetupCheckBox(*RdBtn_Check, DialogFont(FScale(TipCheckFontHeight), CheckTextColor), true);
  RdBtn_Check->OnClick = [this](TRdControl&) { UpdateCheckIcons(); };

  Rd_btnOk = pnlMain->Add(std::make_unique<TRdImageButton>());
  Rd_btnOk->Name = u"Rd_btnOk";
  SetGrayButtonPictures(*Rd_btnOk);
  Rd_btnOk->Font = DialogFont(FScale(TipFontHeight), 0xFFFFFF);
  Rd_btnOk->OnClick = [this](TRdControl&) { Rd_btnOkClick(); };

  ApplyTexts();
  ApplyLayout();
  return pnlMain->Create(Handle(), TRect::FromSize(0, 0, size.Width, size.Height));
}

void TTipForm::ApplyTexts() {
  const TLanguage& language = AppLanguage();
  const auto text = [&](std::u16string_view key, std::u16string TMessageTexts::*shared) {
    return ControlText(language, WindowSection::TipForm, key, MessageTextOrDefault(shared));
  };
  Label_Tip->SetCaption(text(u"Label_Tip.Caption", &TMessageTexts::M_Screen_TipInfo));
  RdBtn_Check->SetCaption(text(u"RdBtn_Check.Caption", &TMessageTexts::M_TipShow));
  Rd_btnOk->SetCaption(text(u"Rd_btnOk.Caption", &TMessageTexts::M_OK));
}

void TTipForm::ApplyLayout() {
  const TSize size = TipClientSize(FScale);
  const int32_t labelWidth = size.Width - 2 * FScale(TipLabelMargin);
  int32_t labelHeight = FScale(40), checkTextWidth = 0;
  if (TRdTextMeasurer* measure = pnlMain->TextMeasurer()) {
    labelHeight =
        MeasureTextLines(Label_Tip->Caption(), *measure, Label_Tip->Font(), labelWidth, Label_Tip->WrapChar()).Height;
    // A little room over the measured width, so that the caption is never cut by rounding.
    checkTextWidth = measure->MeasureText(RdBtn_Check->Caption(), RdBtn_Check->Font, 0).Width + FScale(2);
  }
  const TTipLayout layout = LayoutTip({size, FScale, labelHeight, checkTextWidth});
  Label_Tip->SetBounds(layout.Label_Tip);
  RdBtn_Check->TextLeftMargin = layout.CheckTextMargin;
  RdBtn_Check->SetBounds(layout.RdBtn_Check);
  Rd_btnOk->SetBounds(layout.Rd_btnOk);
  if (pnlMain->Handle()) ::InvalidateRect(pnlMain->Handle(), nullptr, FALSE);
}

void TTipForm::UpdateCheckIcons() { SetCheckBoxIcons(*RdBtn_Check); }

void TTipForm::Show() {
  if (!Handle()) return;
  ApplyTexts();
  ApplyLayout();
  const TSize size = TipClientSize(FScale);
  const TRect at = CentreInArea(size, FOptions.Screen.IsEmpty() ? PrimaryScreen() : FOptions.Screen);
  ::SetWindowPos(Handle(), HWND_TOPMOST, at.Left, at.Top, size.Width, size.Height, SWP_SHOWWINDOW);
  ::SetForegroundWindow(Handle());
  StartTimer(CloseTimerId, FOptions.ClosePeriodMs, [this] { tmrCloseTimer(); });
}

void TTipForm::ShowModal() {
  if (!Handle()) return;
  const bool ownerWasEnabled = FOwner && ::IsWindowEnabled(FOwner);
  if (ownerWasEnabled) ::EnableWindow(FOwner, FALSE);
  Show();
  MSG msg;
  bool quit = false;
  WPARAM quitCode = 0;
  while (!FClosed && Handle()) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      quit = true;
      quitCode = msg.wParam;
      break;
    }
    if (got < 0) break;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  if (ownerWasEnabled) ::EnableWindow(FOwner, TRUE);
  Destroy();
  if (quit) ::PostQuitMessage(int(quitCode));
}

void TTipForm::Close() {
  if (Handle() && !FClosed) ::PostMessageW(Handle(), WM_CLOSE, 0, 0);
}

void TTipForm::Dismiss() {
  if (FClosing) return;  // OK and the timer may meet
  FClosing = true;
  StopTimer(CloseTimerId);
  if (!ConfirmClipboardTip(Checked())) WriteLog(u"[TipForm]ScreenshotClipboardShow not written");
  Close();
}

void TTipForm::Rd_btnOkClick() { Dismiss(); }

void TTipForm::tmrCloseTimer() { Dismiss(); }

void TTipForm::pnlMainMouseEnter() { StopTimer(CloseTimerId); }

void TTipForm::pnlMainMouseLeave() {
  if (!FClosing && !FClosed && Handle()) StartTimer(CloseTimerId, FOptions.ClosePeriodMs, [this] { tmrCloseTimer(); });
}

void TTipForm::pnlMainMouseDown() {
  ::ReleaseCapture();
  ::SendMessageW(Handle(), WM_SYSCOMMAND, 0xF012, 0);  // move by caption: the tip follows the pointer
}

bool TTipForm::Checked() const { return RdBtn_Check && RdBtn_Check->Checked(); }

void TTipForm::SetChecked(bool checked) {
  if (!RdBtn_Check) return;
  RdBtn_Check->SetChecked(checked);
  UpdateCheckIcons();
}

TRect TTipForm::LabelBounds() const { return Label_Tip ? Label_Tip->Bounds() : TRect{}; }
TRect TTipForm::CheckBounds() const { return RdBtn_Check ? RdBtn_Check->Bounds() : TRect{}; }
TRect TTipForm::OkBounds() const { return Rd_btnOk ? Rd_btnOk->Bounds() : TRect{}; }
TRdPanel* TTipForm::MainPanel() const { return pnlMain.get(); }

LRESULT TTipForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;  // pnlMain covers the client area
    case WM_CLOSE:                 // FormClose: nothing more than closing
      StopTimer(CloseTimerId);
      FClosed = true;
      ::ShowWindow(Handle(), SW_HIDE);
      return 0;  // the window itself is released by its owner (ShowModal, the destructor)
    default: break;
  }
  return DefaultHandler(message, wParam, lParam);
}

bool ClipboardTipShowing() { return GTipShowing; }

bool ShowClipboardTipIfWanted(HWND owner, const TTipOptions& options) {
  if (!ClipboardTipWanted()) return false;
  GTipShowing = true;
  try {
    TFormOf<TTipForm> tip(options);
    if (tip.Create(owner))
      tip.ShowModal();
    else
      WriteLog(u"[TipForm]not created");
  } catch (const std::exception&) {
    WriteLog(u"[TipForm]show failed");
  } catch (...) {
    WriteLog(u"[TipForm]show failed");
  }
  GTipShowing = false;
  return true;
}

}  // namespace qor
