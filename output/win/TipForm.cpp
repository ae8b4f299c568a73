#include "output/win/TipForm.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <exception>

#include "CommonLib/RdControl/win/RdPicture.h"
#include "CommonLib/RdControl/win/RdPlainPictures.h"
#include "app/DpiDecision.h"
#include "app/LogManage.h"
#include "app/MessageTexts.h"

namespace qor {

namespace {

bool GTipShowing = false;

constexpr BYTE TipAlpha = 245;
constexpr uint32_t TipTextColor = 0xEEEEEE;
constexpr uint32_t CheckTextColor = 0xC4C4C4;
constexpr int32_t CheckBoxSize = 14;  // the box glyph at scale 1
constexpr int32_t CheckFontHeight = 13;

// Picture names of the tip's own pictures (the window background comes from the plain pictures).
constexpr std::u16string_view CheckedNormal = u"images/checkbox_checked_normal.png";
constexpr std::u16string_view CheckedOver = u"images/checkbox_checked_over.png";
constexpr std::u16string_view UncheckedNormal = u"images/checkbox_unchecked_normal.png";
constexpr std::u16string_view UncheckedOver = u"images/checkbox_unchecked_over.png";
constexpr std::u16string_view GrayNormal = u"images/btn_gray_normal.png";
constexpr std::u16string_view GrayOver = u"images/btn_gray_over.png";
constexpr std::u16string_view GrayPress = u"images/btn_gray_press.png";

struct TColorA {
  float R = 0, G = 0, B = 0, A = 0;  // 0..255, straight
};

TColorA Opaque(uint32_t colorRef) {
  return {float(colorRef & 0xFF), float((colorRef >> 8) & 0xFF), float((colorRef >> 16) & 0xFF), 255.0f};
}

// Inside a rectangle with rounded corners (continuous coordinates).
bool InRoundRect(float x, float y, float left, float top, float right, float bottom, float radius) {
  if (x < left || x >= right || y < top || y >= bottom) return false;
  const float dx = std::max({left + radius - x, 0.0f, x - (right - radius)});
  const float dy = std::max({top + radius - y, 0.0f, y - (bottom - radius)});
  return dx * dx + dy * dy <= radius * radius;
}

float SegmentDistance(float x, float y, float ax, float ay, float bx, float by) {
  const float vx = bx - ax, vy = by - ay;
  const float t = std::clamp(((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy), 0.0f, 1.0f);
  const float dx = x - (ax + t * vx), dy = y - (ay + t * vy);
  return std::sqrt(dx * dx + dy * dy);
}

// A picture of the given size whose colour at a point is shade(x, y) (straight alpha), anti-aliased by 4 x 4
// samples per pixel, so it looks the same under every GDI+.
template <typename TShade>
TImage Rasterize(TSize size, TShade shade) {
  TImage image(size.Width, size.Height);
  constexpr int N = 4;
  for (int32_t y = 0; y < size.Height; ++y)
    for (int32_t x = 0; x < size.Width; ++x) {
      float r = 0, g = 0, b = 0, a = 0;  // premultiplied sums
      for (int sy = 0; sy < N; ++sy)
        for (int sx = 0; sx < N; ++sx) {
          const TColorA c = shade(x + (sx + 0.5f) / N, y + (sy + 0.5f) / N);
          r += c.R * c.A, g += c.G * c.A, b += c.B * c.A, a += c.A;
        }
      TBgra& p = image.View().At(x, y);
      if (a > 0) {
        p = TBgra{uint8_t(std::lround(b / a)), uint8_t(std::lround(g / a)), uint8_t(std::lround(r / a)),
                  uint8_t(std::lround(a / (N * N)))};
      }
    }
  return image;
}

// The check box glyph: a rounded box, outlined when unticked, filled with the accent and a white tick when ticked.
TImage CheckBoxPicture(int32_t k, bool checked, bool hover) {
  const float s = float(CheckBoxSize * k), radius = 3.0f * k, line = 1.0f * k;
  const TColorA border = hover ? Opaque(AccentColor) : Opaque(0x8C8C8C);
  const TColorA inside = Opaque(0x1C1C1C);
  const TColorA fill = hover ? Opaque(0xFF8C4D) : Opaque(AccentColor);
  const TColorA white = Opaque(0xFFFFFF);
  return Rasterize({CheckBoxSize * k, CheckBoxSize * k}, [=](float x, float y) -> TColorA {
    if (!InRoundRect(x, y, 0, 0, s, s, radius)) return {};
    if (!checked) return InRoundRect(x, y, line, line, s - line, s - line, radius - line) ? inside : border;
    const float d = std::min(SegmentDistance(x, y, 0.24f * s, 0.52f * s, 0.42f * s, 0.70f * s),
                             SegmentDistance(x, y, 0.42f * s, 0.70f * s, 0.77f * s, 0.32f * s));
    return d <= 0.085f * s ? white : fill;
  });
}

// The gray OK button: a rounded face with a slightly lighter rim.
TImage GrayButtonPicture(TSize size, int32_t k, uint32_t face, uint32_t rim) {
  const float w = float(size.Width), h = float(size.Height), radius = 4.0f * k, line = 1.0f * k;
  const TColorA faceColor = Opaque(face), rimColor = Opaque(rim);
  return Rasterize(size, [=](float x, float y) -> TColorA {
    if (!InRoundRect(x, y, 0, 0, w, h, radius)) return {};
    return InRoundRect(x, y, line, line, w - line, h - line, radius - line) ? faceColor : rimColor;
  });
}

TRdFont Font(int32_t height, uint32_t color) {
  TRdFont font;
  font.Name = u"Segoe UI";
  font.Height = height;
  font.Color = color;
  return font;
}

TRect PrimaryScreen() { return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)}; }

}  // namespace

// The plain pictures (window background) and the tip's own check box and button pictures.
class TTipForm::TTipPictures : public TRdPictureSource {
 public:
  explicit TTipPictures(double scale) : FPlain(scale >= 1.5) {
    const int32_t k = std::max<int32_t>(1, int32_t(std::lround(scale)));
    auto add = [&](std::u16string_view name, const TImage& image) {
      FOwn.Add(std::u16string(name), std::make_unique<TRdBitmapPicture>(image.View()));
    };
    add(CheckedNormal, CheckBoxPicture(k, true, false));
    add(CheckedOver, CheckBoxPicture(k, true, true));
    add(UncheckedNormal, CheckBoxPicture(k, false, false));
    add(UncheckedOver, CheckBoxPicture(k, false, true));
    const TSize ok{ScaleRounded(TipOkWidth, scale), ScaleRounded(TipOkHeight, scale)};
    add(GrayNormal, GrayButtonPicture(ok, k, 0x484848, 0x5A5A5A));
    add(GrayOver, GrayButtonPicture(ok, k, 0x5E5E5E, 0x767676));
    add(GrayPress, GrayButtonPicture(ok, k, 0x363636, 0x484848));
  }
  const TRdPicture* Find(std::u16string_view name) const override {
    if (const TRdPicture* own = FOwn.Find(name)) return own;
    return FPlain.Find(name);
  }

 private:
  TRdPlainPictureSource FPlain;
  TRdPictureMap FOwn;
};

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
      default:
        break;
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

TTipForm::TTipForm(TTipOptions options) : FOptions(options) {
  FScale = FOptions.Scale > 0 ? FOptions.Scale : ScaleFactor();
}

TTipForm::~TTipForm() {
  // The panel window goes with the form's; the objects after both windows are gone.
  Destroy();
  pnlMain.reset();
}

bool TTipForm::Create(HWND owner) {
  FOwner = owner;
  FClosed = FClosing = false;
  const TSize size = TipClientSize(FScale);
  if (!CreateForm(L"TTipForm", WS_EX_TOPMOST | WS_EX_LAYERED | WS_EX_TOOLWINDOW, WS_POPUP, L"", 0, 0, size.Width,
                  size.Height, owner))
    return false;
  ::SetLayeredWindowAttributes(Handle(), 0, TipAlpha, LWA_ALPHA);

  FPictures = std::make_unique<TTipPictures>(FScale);
  pnlMain = std::make_unique<TTipPanel>(FPictures.get(), *this);
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
  Label_Tip->SetHitTest(false);  // a press on it drags the tip
  Label_Tip->SetFont(Font(ScaleRounded(TipFontHeight, FScale), TipTextColor));

  RdBtn_Check = pnlMain->Add(std::make_unique<TRdImageButton>());
  RdBtn_Check->Name = u"RdBtn_Check";
  RdBtn_Check->ShowCheckBox = true;
  RdBtn_Check->Font = Font(ScaleRounded(CheckFontHeight, FScale), CheckTextColor);
  RdBtn_Check->Colors.FontHoverColor = 0xFFFFFF;
  RdBtn_Check->Colors.FontDownColor = 0xFFFFFF;
  RdBtn_Check->ButtonCaptionAlignment = TAlignment::taLeftJustify;
  RdBtn_Check->IconAlign = TAlignment::taLeftJustify;
  RdBtn_Check->IconOffset = 0;
  RdBtn_Check->TextOffset = 0;
  RdBtn_Check->SetChecked(true);
  RdBtn_Check->OnClick = [this](TRdControl&) { UpdateCheckIcons(); };
  UpdateCheckIcons();

  Rd_btnOk = pnlMain->Add(std::make_unique<TRdImageButton>());
  Rd_btnOk->Name = u"Rd_btnOk";
  Rd_btnOk->SetImageNormal(std::u16string(GrayNormal));
  Rd_btnOk->SetImageOver(std::u16string(GrayOver));
  Rd_btnOk->SetImageDown(std::u16string(GrayPress));
  Rd_btnOk->Font = Font(ScaleRounded(TipFontHeight, FScale), 0xFFFFFF);
  Rd_btnOk->OnClick = [this](TRdControl&) { Rd_btnOkClick(); };

  ApplyTexts();
  ApplyLayout();
  return pnlMain->Create(Handle(), TRect::FromSize(0, 0, size.Width, size.Height));
}

void TTipForm::ApplyTexts() {
  Label_Tip->SetCaption(MessageTextOrDefault(&TMessageTexts::M_Screen_TipInfo));
  RdBtn_Check->SetCaption(MessageTextOrDefault(&TMessageTexts::M_TipShow));
  Rd_btnOk->SetCaption(MessageTextOrDefault(&TMessageTexts::M_OK));
}

void TTipForm::ApplyLayout() {
  const TSize size = TipClientSize(FScale);
  const int32_t labelWidth = size.Width - 2 * ScaleRounded(TipLabelMargin, FScale);
  int32_t labelHeight = ScaleRounded(40, FScale), checkTextWidth = 0;
  if (TRdTextMeasurer* measure = pnlMain->TextMeasurer()) {
    labelHeight = measure->MeasureText(Label_Tip->Caption(), Label_Tip->Font(), labelWidth).Height;
    // A little room over the measured width, so that the caption is never cut by rounding.
    checkTextWidth = measure->MeasureText(RdBtn_Check->Caption(), RdBtn_Check->Font, 0).Width + ScaleRounded(2, FScale);
  }
  const TTipLayout layout = LayoutTip({size, FScale, labelHeight, checkTextWidth});
  Label_Tip->SetBounds(layout.Label_Tip);
  RdBtn_Check->TextLeftMargin = layout.CheckTextMargin;
  RdBtn_Check->SetBounds(layout.RdBtn_Check);
  Rd_btnOk->SetBounds(layout.Rd_btnOk);
  if (pnlMain->Handle()) ::InvalidateRect(pnlMain->Handle(), nullptr, FALSE);
}

void TTipForm::UpdateCheckIcons() {
  const bool checked = RdBtn_Check->Checked();
  RdBtn_Check->DnIcons.NormalIcon = std::u16string(checked ? CheckedNormal : UncheckedNormal);
  RdBtn_Check->DnIcons.HoverIcon = std::u16string(checked ? CheckedOver : UncheckedOver);
  RdBtn_Check->DnIcons.DownIcon = RdBtn_Check->DnIcons.HoverIcon;
  RdBtn_Check->Invalidate();
}

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
    case WM_ERASEBKGND:
      return 1;     // pnlMain covers the client area
    case WM_CLOSE:  // FormClose: nothing more than closing
      StopTimer(CloseTimerId);
      FClosed = true;
      ::ShowWindow(Handle(), SW_HIDE);
      return 0;  // the window itself is released by its owner (ShowModal, the destructor)
    default:
      break;
  }
  return DefaultHandler(message, wParam, lParam);
}

bool ClipboardTipShowing() { return GTipShowing; }

bool ShowClipboardTipIfWanted(HWND owner, const TTipOptions& options) {
  if (!ClipboardTipWanted()) return false;
  GTipShowing = true;
  try {
    TTipForm tip(options);
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
