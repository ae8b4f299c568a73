#include "companions/pin/win/FormPinned.h"

#include <windowsx.h>

#include "app/LogManage.h"
#include "app/win/DpiAwareness.h"
#include "base/PixelOps.h"
#include "base/Utf16Text.h"
#include "base/win/UniqueHandle.h"
#include "base/win/WinConvert.h"
#include "base/win/ProcAddress.h"
#include "companions/pin/PinFrame.h"
#include "companions/pin/PinPlacement.h"
#include "companions/pin/PinZoom.h"
#include "output/PinContract.h"

namespace qor {

namespace {

constexpr UINT_PTR ReadoutTimer = 1;
constexpr UINT ReadoutTickMs = 40;
constexpr int32_t MarginAt96Dpi = 10;

std::vector<TMonitorArea> Monitors() {
  std::vector<TMonitorArea> monitors;
  ::EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR monitor, HDC, LPRECT, LPARAM list) -> BOOL {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (::GetMonitorInfoW(monitor, &info))
          reinterpret_cast<std::vector<TMonitorArea>*>(list)->push_back(
              {ToTRect(info.rcMonitor), ToTRect(info.rcWork)});
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

TPoint MessagePoint() {
  const DWORD pos = ::GetMessagePos();
  return {GET_X_LPARAM(pos), GET_Y_LPARAM(pos)};
}

bool ControlDown() { return ::GetKeyState(VK_CONTROL) < 0; }

// Whether the desktop composes translucent window pixels over what lies below (Windows 8 and later always do; a
// system without it shows them opaque).
bool DesktopComposes() {
  using TIsCompositionEnabled = HRESULT(WINAPI*)(BOOL*);
  static const bool composes = [] {
    const HMODULE dwm = ::LoadLibraryW(L"dwmapi.dll");
    const auto query = ProcAddress<TIsCompositionEnabled>(dwm, "DwmIsCompositionEnabled");
    BOOL enabled = FALSE;
    return query && SUCCEEDED(query(&enabled)) && enabled;
  }();
  return composes;
}

}  // namespace

TFormPinned::TFormPinned(TPinRequest pin, TClosed onClosed)
    : FPicture(std::move(pin.Picture)), FHandedRect(pin.Rect), FOnClosed(std::move(onClosed)) {}

bool TFormPinned::Create() {
  FMargin = MarginAt96Dpi * win::SystemDpi() / 96;
  const TPinPlacement placement = PlacePin({FPicture.Width(), FPicture.Height()}, FHandedRect, Monitors());
  FShown = placement.Shown;
  FZoom = placement.Zoom;
  const TRect window = FShown.Inflate(FMargin, FMargin);
  const std::wstring className(PinnedFormClass.begin(), PinnedFormClass.end());
  if (!CreateForm(className.c_str(), WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW, WS_POPUP, L"", window.Left,
                  window.Top, window.Width(), window.Height(), nullptr, CS_DBLCLKS))
    return false;
  Render();
  ::ShowWindow(Handle(), SW_SHOW);
  ::SetForegroundWindow(Handle());
  WriteLog(u"[Pin]shown " + IntToText(FPicture.Width()) + u"x" + IntToText(FPicture.Height()) + u" at " +
           IntToText(FShown.Left) + u"," + IntToText(FShown.Top) + u" zoom " + ZoomText(FZoom));
  return true;
}

LRESULT TFormPinned::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCALCSIZE: {
      // The client area is the picture; the margin around it holds the shadow and the accent line.
      RECT* r = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
      ::InflateRect(r, -FMargin, -FMargin);
      return 0;
    }
    case WM_NCHITTEST: {
      const LRESULT hit = DefaultHandler(message, wParam, lParam);
      return hit == HTCLIENT ? HTCLIENT : HTNOWHERE;
    }
    case WM_ACTIVATE:
      FFocused = LOWORD(wParam) != WA_INACTIVE;
      Render();
      return 0;
    case WM_LBUTTONDOWN: OnButtonDown(MessagePoint()); return 0;
    case WM_MOUSEMOVE: OnMouseMove(MessagePoint()); return 0;
    case WM_LBUTTONUP:
      if (FDragStart) OnMouseMove(MessagePoint());
      FDragStart.reset();
      ::ReleaseCapture();
      return 0;
    case WM_CAPTURECHANGED: FDragStart.reset(); return 0;
    case WM_LBUTTONDBLCLK: ClosePin(); return 0;
    case WM_MOUSEWHEEL:
      OnWheel(GET_WHEEL_DELTA_WPARAM(wParam), (GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) != 0,
              {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_KEYDOWN: OnKeyDown(wParam); return 0;
    case WM_CONTEXTMENU: {
      TPoint at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (lParam == -1) at = {FShown.Left, FShown.Top};  // from the keyboard
      OnContextMenu(at);
      return 0;
    }
    case WM_CLOSE: ClosePin(); return 0;
    default: return DefaultHandler(message, wParam, lParam);
  }
}

void TFormPinned::Render() {
  if (!Handle()) return;
  const TSize size = ZoomedSize({FPicture.Width(), FPicture.Height()}, FZoom);
  TConstImageView shown = FPicture.View();
  if (size != TSize{FPicture.Width(), FPicture.Height()}) {
    if (FScaled.Width() != size.Width || FScaled.Height() != size.Height) {
      FScaled = TImage(size.Width, size.Height);
      ResamplePicture(FPicture.View(), FScaled.View());
    }
    shown = FScaled.View();
  }
  TPinLook look{FMargin, OpacityAlpha(FOpacity), FFocused};
  look.Shadow = DesktopComposes();
  TImage frame = ComposePinFrame(shown, look);
  if (FReadoutShown) DrawReadout(frame);
  if (FSurface.Width() != frame.Width() || FSurface.Height() != frame.Height()) {
    if (!FSurface.Create(frame.Width(), frame.Height())) {
      WriteLog(u"[Pin]no bitmap for " + IntToText(frame.Width()) + u"x" + IntToText(frame.Height()));
      return;
    }
  }
  ::GdiFlush();
  CopyPixels(frame.View(), FSurface.View());
  POINT position{FShown.Left - FMargin, FShown.Top - FMargin};
  SIZE extent{frame.Width(), frame.Height()};
  POINT source{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  TWindowDc screen(nullptr);
  if (!::UpdateLayeredWindow(Handle(), screen.Get(), &position, &extent, FSurface.Dc(), &source, 0, &blend, ULW_ALPHA))
    WriteLog(u"[Pin]UpdateLayeredWindow failed " + IntToText(::GetLastError()));
}

void TFormPinned::ShowReadout() {
  FReadoutStart = ::GetTickCount();
  FReadoutShown = true;
  StartTimer(ReadoutTimer, ReadoutTickMs, [this] {
    if (ReadoutAlpha(::GetTickCount() - FReadoutStart) == 0) {
      FReadoutShown = false;
      StopTimer(ReadoutTimer);
    }
    Render();
  });
}

void TFormPinned::DrawReadout(TImage& frame) {
  const uint8_t alpha = ReadoutAlpha(::GetTickCount() - FReadoutStart);
  if (alpha == 0) return;
  const std::u16string text = ZoomText(FZoom);
  const int dpi = win::SystemDpi();
  TFontHandle font(::CreateFontW(-13 * dpi / 96, 0, 0, 0, FW_SEMIBOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                 CLEARTYPE_QUALITY, 0, L"Segoe UI"));
  TMemoryDc measure(::CreateCompatibleDC(nullptr));
  SIZE extent{};
  {
    TSelectScope select(measure.Get(), font.Get());
    ::GetTextExtentPoint32W(measure.Get(), WideUnits(text), int(text.size()), &extent);
  }
  const int32_t pad = 6 * dpi / 96;
  TDibImage box;
  if (!box.Create(extent.cx + 2 * pad, extent.cy + pad)) return;
  {
    TBrushHandle background(::CreateSolidBrush(RGB(40, 40, 40)));
    RECT all{0, 0, box.Width(), box.Height()};
    ::FillRect(box.Dc(), &all, background.Get());
    TSelectScope select(box.Dc(), font.Get());
    ::SetBkMode(box.Dc(), TRANSPARENT);
    ::SetTextColor(box.Dc(), RGB(255, 255, 255));
    ::DrawTextW(box.Dc(), WideUnits(text), int(text.size()), &all, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::GdiFlush();
  }
  // GDI leaves the fourth byte alone: the box is opaque.
  const TImageView& pixels = box.View();
  for (int32_t y = 0; y < pixels.Height; ++y)
    for (int32_t x = 0; x < pixels.Width; ++x) pixels.At(x, y).A = 255;
  BlendReadout(frame.View(), box.View(), {FMargin + pad, FMargin + pad}, alpha);
}

void TFormPinned::MoveTo(TPoint origin) {
  FShown = TRect::FromSize(origin.X, origin.Y, FShown.Width(), FShown.Height());
  ::SetWindowPos(Handle(), nullptr, origin.X - FMargin, origin.Y - FMargin, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFormPinned::OnButtonDown(TPoint cursor) {
  FDragStart = cursor;
  FDragOrigin = {FShown.Left, FShown.Top};
  ::SetCapture(Handle());
}

void TFormPinned::OnMouseMove(TPoint cursor) {
  if (!FDragStart) return;
  MoveTo({FDragOrigin.X + cursor.X - FDragStart->X, FDragOrigin.Y + cursor.Y - FDragStart->Y});
}

void TFormPinned::OnWheel(int delta, bool control, TPoint cursor) {
  FWheelRest += delta;
  const int notches = FWheelRest / WHEEL_DELTA;
  FWheelRest -= notches * WHEEL_DELTA;
  if (notches == 0) return;
  if (control) {
    SetOpacity(OpacityAfterNotches(FOpacity, notches));
    return;
  }
  SetZoom(ZoomAfterNotches(FZoom, notches), cursor);
}

void TFormPinned::SetZoom(double zoom, TPoint cursor) {
  const TPoint origin = ZoomAround({FShown.Left, FShown.Top}, cursor, FZoom, zoom);
  FZoom = zoom;
  const TSize size = ZoomedSize({FPicture.Width(), FPicture.Height()}, FZoom);
  FShown = TRect::FromSize(origin.X, origin.Y, size.Width, size.Height);
  ShowReadout();
  Render();
}

void TFormPinned::ZoomBy(int notches, TPoint cursor) { SetZoom(ZoomAfterNotches(FZoom, notches), cursor); }

void TFormPinned::SetOpacity(int percent) {
  FOpacity = OpacityAfterNotches(percent, 0);
  Render();
}

void TFormPinned::SetKeepOnTop(bool keepOnTop) {
  FKeepOnTop = keepOnTop;
  ::SetWindowPos(Handle(), keepOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TFormPinned::OnKeyDown(WPARAM key) {
  if (key == VK_ESCAPE) return ClosePin();
  if (!ControlDown()) return;
  if (key == 'C') CopyPicture();
  if (key == 'S') SavePicture();
}

void TFormPinned::ClosePin() {
  if (FClosing) return;
  FClosing = true;
  WriteLog(u"[Pin]closed");
  ::ShowWindow(Handle(), SW_HIDE);
  if (FOnClosed) FOnClosed(this);
}

}  // namespace qor
