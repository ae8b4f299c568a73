#include "CommonLib/RdControl/win/RdPanel.h"

#include <commctrl.h>
#include <windowsx.h>

#include "CommonLib/RdControl/RdGradient.h"
#include "CommonLib/RdControl/win/RdComboListForm.h"
#include "base/win/WinConvert.h"

namespace qor {

namespace {

TPoint PointOf(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

}  // namespace

TRdKey RdKeyOf(WPARAM key) {
  switch (key) {
    case VK_LEFT: return TRdKey::Left;
    case VK_RIGHT: return TRdKey::Right;
    case VK_UP: return TRdKey::Up;
    case VK_DOWN: return TRdKey::Down;
    case VK_HOME: return TRdKey::Home;
    case VK_END: return TRdKey::End;
    case VK_PRIOR: return TRdKey::PageUp;
    case VK_NEXT: return TRdKey::PageDown;
    case VK_RETURN: return TRdKey::Enter;
    case VK_ESCAPE: return TRdKey::Escape;
    case VK_F4: return TRdKey::F4;
    default: return TRdKey::Other;
  }
}

namespace {

void InitTooltipClass() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_WIN95_CLASSES};
    return ::InitCommonControlsEx(&init) != FALSE;
  }();
  (void)done;
}

}  // namespace

namespace {

LPCWSTR CursorName(TCursor cursor) {
  switch (cursor) {
    case crArrow: return IDC_ARROW;
    case crCross: return IDC_CROSS;
    case crIBeam: return IDC_IBEAM;
    case crHandPoint: return IDC_HAND;
    default: return nullptr;
  }
}

}  // namespace

TRdPanel::TRdPanel(const TRdPictureSource* pictures) : FPictures(pictures) {}

// The controls go while the panel is whole: a control's platform window (an edit field's) detaches itself from it.
TRdPanel::~TRdPanel() {
  while (!Controls().empty()) Remove(Controls().back().get());
}

bool TRdPanel::Create(HWND parent, const TRect& bounds, bool visible) {
  // Child windows (an edit field) keep their own pixels: the panel paints around them.
  const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | (visible ? WS_VISIBLE : 0);
  if (!CreateForm(L"TRdPanel", 0, style, L"", bounds.Left, bounds.Top, bounds.Width(), bounds.Height(), parent))
    return false;
  for (auto& c : Controls()) c->Invalidate();
  ControlsChanged();
  return true;
}

void TRdPanel::SetColor(uint32_t color) {
  if (color == FColor) return;
  FColor = color;
  if (Handle()) ::InvalidateRect(Handle(), nullptr, FALSE);
}

void TRdPanel::SetColorTo(uint32_t color) {
  if (color == FColorTo) return;
  FColorTo = color;
  if (Handle()) ::InvalidateRect(Handle(), nullptr, FALSE);
}

void TRdPanel::SetColorToVert(bool vertical) {
  if (vertical == FColorToVert) return;
  FColorToVert = vertical;
  if (Handle()) ::InvalidateRect(Handle(), nullptr, FALSE);
}

void TRdPanel::SetBorderColor(uint32_t color) {
  if (color == FBorderColor) return;
  FBorderColor = color;
  if (Handle()) ::InvalidateRect(Handle(), nullptr, FALSE);
}

void TRdPanel::SetPictureSource(const TRdPictureSource* pictures) {
  FPictures = pictures;
  if (Handle()) ::InvalidateRect(Handle(), nullptr, FALSE);
}

void TRdPanel::SetPanelBounds(const TRect& bounds) {
  if (Handle()) ::MoveWindow(Handle(), bounds.Left, bounds.Top, bounds.Width(), bounds.Height(), TRUE);
}

TRect TRdPanel::PanelBounds() const {
  if (!Handle()) return {};
  RECT r{};
  ::GetWindowRect(Handle(), &r);
  ::MapWindowPoints(HWND_DESKTOP, ::GetParent(Handle()), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right, r.bottom};
}

void TRdPanel::Show(bool visible) {
  if (Handle()) ::ShowWindow(Handle(), visible ? SW_SHOWNA : SW_HIDE);
}

TSize TRdPanel::ClientSize() const {
  RECT r{};
  if (Handle()) ::GetClientRect(Handle(), &r);
  return {r.right - r.left, r.bottom - r.top};
}

void TRdPanel::InvalidateRect(const TRect& r) {
  if (!Handle() || r.IsEmpty()) return;
  const RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  ::InvalidateRect(Handle(), &rc, FALSE);
}

TRdTextMeasurer* TRdPanel::TextMeasurer() {
  if (!FMeasurer) {
    FMeasureDc.Reset(::CreateCompatibleDC(nullptr));
    if (!FMeasureDc) return nullptr;
    FMeasurer = std::make_unique<TRdGdiCanvas>(TRdDrawTarget{FMeasureDc.Get(), {}, {}}, nullptr, FFonts);
  }
  return FMeasurer.get();
}

void TRdPanel::ControlsChanged() { SyncTooltip(); }

void TRdPanel::AttachChild(HWND window, TRdChildWindow* child) {
  DetachChild(window);
  if (window && child) FChildren.emplace_back(window, child);
}

void TRdPanel::DetachChild(HWND window) {
  std::erase_if(FChildren, [&](auto& c) { return c.first == window; });
}

TRdChildWindow* TRdPanel::ChildOf(LPARAM window) const {
  for (auto& [handle, child] : FChildren)
    if (reinterpret_cast<LPARAM>(handle) == window) return child;
  return nullptr;
}

std::unique_ptr<TRdDropDownList> TRdPanel::CreateDropDownList(TRdComboBox& box) {
  return std::make_unique<TFormOf<TRdComboListForm>>(box, *this);
}

// One tool per control with a hint, keyed by its index; the tooltip itself shows the hint after the usual delay,
// hides it when the pointer leaves, and swaps it when the pointer moves onto another tool.
void TRdPanel::SyncTooltip() {
  if (!Handle()) return;
  std::vector<TTool> wanted;
  for (auto& c : Controls())
    wanted.push_back(c->Visible() && !c->Hint().empty() ? TTool{c->Bounds(), c->Hint()} : TTool{});
  if (wanted == FTools) return;
  if (!FTooltip) {
    bool any = false;
    for (auto& t : wanted) any = any || !t.Text.empty();
    if (!any) return;
    InitTooltipClass();
    // Topmost by itself and owned by no window: an owned topmost popup would keep its owner from returning to the
    // topmost layer under Wine once the owner had left it (around the save dialog and the folder browser).
    FTooltip.Reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                     ::GetModuleHandleW(nullptr), nullptr));
    if (!FTooltip) return;
    ::SendMessageW(FTooltip.Get(), TTM_SETMAXTIPWIDTH, 0, 400);
  }
  for (size_t i = 0; i < std::max(wanted.size(), FTools.size()); ++i) {
    const TTool before = i < FTools.size() ? FTools[i] : TTool{};
    const TTool after = i < wanted.size() ? wanted[i] : TTool{};
    if (before == after) continue;
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = Handle();
    info.uId = i + 1;
    if (!before.Text.empty()) ::SendMessageW(FTooltip.Get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    if (after.Text.empty()) continue;
    std::wstring text(after.Text.begin(), after.Text.end());
    info.uFlags = TTF_SUBCLASS;
    info.rect = ToRECT(after.Rect);
    info.lpszText = text.data();
    ::SendMessageW(FTooltip.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  }
  FTools = std::move(wanted);
}

void TRdPanel::PaintTo(HDC dc, const TRect& area) {
  const TSize size = ClientSize();
  const TRect client = TRect::FromSize(0, 0, size.Width, size.Height);
  const TRect dirty = area.Intersect(client);
  if (dirty.IsEmpty()) return;
  if (FBuffer.Width() != size.Width || FBuffer.Height() != size.Height) {
    if (!FBuffer.Create(size.Width, size.Height)) return;
  }
  HDC buffer = FBuffer.Dc();
  const int saved = ::SaveDC(buffer);
  ::IntersectClipRect(buffer, dirty.Left, dirty.Top, dirty.Right, dirty.Bottom);
  TRdGdiCanvas canvas(TRdDrawTarget{buffer, FBuffer.View(), dirty}, FPictures, FFonts);
  PaintBackground(canvas, client, dirty);
  if (FBorderColor != ColorNone) canvas.FrameRect(client, FBorderColor);
  PaintControls(canvas, dirty);
  ::RestoreDC(buffer, saved);
  ::GdiFlush();
  ::BitBlt(dc, dirty.Left, dirty.Top, dirty.Width(), dirty.Height(), buffer, dirty.Left, dirty.Top, SRCCOPY);
}

void TRdPanel::PaintBackground(TRdCanvas& canvas, const TRect& client, const TRect& dirty) {
  if (FColorTo == ColorNotSet || FColor == ColorNone || FColorTo == ColorNone) {
    canvas.FillRect(dirty, FColor);
    return;
  }
  // The gradient spans the whole client area; only its bands in the dirty area are filled.
  for (const TRdGradientBand& band : GradientBands(client, ResolveColor(FColor), ResolveColor(FColorTo), FColorToVert))
    if (const TRect r = band.Rect.Intersect(dirty); !r.IsEmpty()) canvas.FillRect(r, band.Color);
}

void TRdPanel::OnPaint() {
  TPaintScope paint(Handle());
  const RECT& r = paint.Dirty();
  PaintTo(paint.Get(), {r.left, r.top, r.right, r.bottom});
}

void TRdPanel::OnMouseMove(TPoint p) {
  if (!FTrackingLeave) {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, Handle(), 0};
    FTrackingLeave = ::TrackMouseEvent(&track) != FALSE;
  }
  HostMouseMove(p);
}

void TRdPanel::OnLeftButtonDown(TPoint p) {
  // A control that takes keys gets them through the panel's keyboard focus, taken before the press can open a
  // window of its own (a combo box's list).
  TRdControl* target = ControlAt(p);
  if (target && target->Enabled() && target->TakesFocus() && ::GetFocus() != Handle()) ::SetFocus(Handle());
  HostMouseDown(p);
  if (PressedControl()) ::SetCapture(Handle());
}

bool TRdPanel::OnMouseWheel(WPARAM wParam, LPARAM lParam) {
  POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ::ScreenToClient(Handle(), &screen);
  FWheelRest += GET_WHEEL_DELTA_WPARAM(wParam);
  const int32_t notches = FWheelRest / WHEEL_DELTA;  // fine-grained wheels add up to whole notches
  FWheelRest -= notches * WHEEL_DELTA;
  return notches == 0 || HostMouseWheel({screen.x, screen.y}, notches);
}

// The control under the pointer (the pressed one while a press lasts) may have a cursor of its own, or of a part.
bool TRdPanel::OnSetCursor() {
  POINT screen{};
  ::GetCursorPos(&screen);
  ::ScreenToClient(Handle(), &screen);
  const TPoint p{screen.x, screen.y};
  const TRdControl* control = PressedControl() ? PressedControl() : ControlAt(p);
  const LPCWSTR name = control ? CursorName(control->CursorAt(p)) : nullptr;
  if (!name) return false;
  ::SetCursor(::LoadCursorW(nullptr, name));
  return true;
}

void TRdPanel::OnLeftButtonUp(TPoint p) {
  if (::GetCapture() == Handle()) {
    FReleasingCapture = true;
    ::ReleaseCapture();
    FReleasingCapture = false;
  }
  HostMouseUp(p);  // last: the click handler may destroy the panel
}

LRESULT TRdPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: OnPaint(); return 0;
    case WM_PRINTCLIENT: {
      const TSize size = ClientSize();
      PaintTo(reinterpret_cast<HDC>(wParam), TRect::FromSize(0, 0, size.Width, size.Height));
      return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: ::InvalidateRect(Handle(), nullptr, FALSE); return 0;
    case WM_MOUSEMOVE: OnMouseMove(PointOf(lParam)); return 0;
    case WM_MOUSELEAVE:
      FTrackingLeave = false;
      HostMouseLeave();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: OnLeftButtonDown(PointOf(lParam)); return 0;
    case WM_LBUTTONUP: OnLeftButtonUp(PointOf(lParam)); return 0;
    case WM_CAPTURECHANGED:
      if (!FReleasingCapture) HostCancelPress();
      return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT && OnSetCursor()) return TRUE;
      break;
    case WM_COMMAND:
      if (TRdChildWindow* child = ChildOf(lParam)) {
        child->OnCommand(HIWORD(wParam));
        return 0;
      }
      break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:  // a read-only edit asks as a static
      if (TRdChildWindow* child = ChildOf(lParam))
        if (HBRUSH brush = child->OnCtlColor(reinterpret_cast<HDC>(wParam))) return reinterpret_cast<LRESULT>(brush);
      break;
    case WM_KEYDOWN:
      if (HostKeyDown(RdKeyOf(wParam))) return 0;
      // Keys no control uses belong to the window around the panel (Esc ends a capture).
      if (HWND parent = ::GetParent(Handle())) return ::SendMessageW(parent, message, wParam, lParam);
      break;
    case WM_MOUSEWHEEL:
      if (OnMouseWheel(wParam, lParam)) return 0;
      break;
    case WM_DESTROY:
      // The tooltip belongs to no window: it goes with the panel explicitly.
      FTooltip.Reset();
      FTools.clear();
      break;
    default: break;
  }
  return DefaultHandler(message, wParam, lParam);
}

}  // namespace qor
