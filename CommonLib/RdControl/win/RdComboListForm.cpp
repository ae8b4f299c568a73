#include "CommonLib/RdControl/win/RdComboListForm.h"

#include <windowsx.h>

#include <algorithm>

#include "CommonLib/RdControl/win/RdPanel.h"

namespace qor {

TRdComboListForm::TRdComboListForm(TRdComboBox& box, TRdPanel& panel) : FBox(box), FPanel(panel) {}

void TRdComboListForm::Show(const TRect& anchor, TSize size) {
  if (!Handle() && !CreateForm(L"TRdComboboxListForm", WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, WS_POPUP,
                               L"", 0, 0, size.Width, size.Height, nullptr, CS_DROPSHADOW))
    return;
  RECT box{anchor.Left, anchor.Top, anchor.Right, anchor.Bottom};
  ::MapWindowPoints(FPanel.Handle(), HWND_DESKTOP, reinterpret_cast<POINT*>(&box), 2);
  MONITORINFO monitor{sizeof(monitor), {}, {}, 0};
  ::GetMonitorInfoW(::MonitorFromRect(&box, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  int x = std::min<int>(box.left, work.right - size.Width);
  x = std::max<int>(x, work.left);
  int y = box.bottom;
  if (y + size.Height > work.bottom && box.top - size.Height >= work.top) y = box.top - size.Height;
  FHiding = true;
  ::SetWindowPos(Handle(), HWND_TOPMOST, x, y, size.Width, size.Height, SWP_NOACTIVATE);
  ::ShowWindow(Handle(), SW_SHOWNOACTIVATE);
  ::InvalidateRect(Handle(), nullptr, FALSE);
  ::SetCapture(Handle());
  FHiding = false;
}

void TRdComboListForm::Hide() {
  if (!Handle()) return;
  FHiding = true;
  if (::GetCapture() == Handle()) ::ReleaseCapture();
  const bool hadFocus = ::GetFocus() == Handle();
  ::ShowWindow(Handle(), SW_HIDE);
  if (hadFocus) ::SetFocus(FPanel.Handle());
  FHiding = false;
}

void TRdComboListForm::Refresh() {
  if (Handle()) ::InvalidateRect(Handle(), nullptr, FALSE);
}

void TRdComboListForm::PaintTo(HDC dc) {
  RECT client{};
  ::GetClientRect(Handle(), &client);
  if (client.right <= 0 || client.bottom <= 0) return;
  if (FBuffer.Width() != client.right || FBuffer.Height() != client.bottom) {
    if (!FBuffer.Create(client.right, client.bottom)) return;
  }
  const TRect all = TRect::FromSize(0, 0, client.right, client.bottom);
  TRdGdiCanvas canvas(TRdDrawTarget{FBuffer.Dc(), FBuffer.View(), all}, FPanel.PictureSource(), FFonts);
  FBox.PaintList(canvas);
  ::GdiFlush();
  ::BitBlt(dc, 0, 0, client.right, client.bottom, FBuffer.Dc(), 0, 0, SRCCOPY);
}

void TRdComboListForm::CloseFromOutside() {
  if (!FHiding && ::IsWindowVisible(Handle())) FBox.CloseUp();
}

LRESULT TRdComboListForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const TPoint p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(Handle(), &ps);
      PaintTo(dc);
      ::EndPaint(Handle(), &ps);
      return 0;
    }
    case WM_PRINTCLIENT: PaintTo(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_MOUSEMOVE: FBox.ListMouseMove(p); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: FBox.ListMouseDown(p); return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: CloseFromOutside(); return 0;
    case WM_LBUTTONUP: FBox.ListMouseUp(p); return 0;  // last: the choice may destroy the box and this window
    case WM_MOUSEWHEEL: FBox.MouseWheel({}, GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA); return 0;
    case WM_KEYDOWN:  // where the system gave the list the focus after all
      FBox.KeyDown(RdKeyOf(wParam));
      return 0;
    case WM_CAPTURECHANGED: CloseFromOutside(); return 0;
    case WM_ACTIVATEAPP:
      if (!wParam) CloseFromOutside();
      break;
    case WM_DESTROY: FHiding = true; break;
    default: break;
  }
  return DefaultHandler(message, wParam, lParam);
}

}  // namespace qor
