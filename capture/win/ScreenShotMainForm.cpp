#include "capture/win/ScreenShotMainForm.h"

#include <string>

#include "app/LogManage.h"
#include "app/win/UsageReporter.h"
#include "base/PixelOps.h"

namespace qor {

namespace {

TDesktop VirtualDesktop() {
  return TDesktop{::GetSystemMetrics(SM_XVIRTUALSCREEN), ::GetSystemMetrics(SM_YVIRTUALSCREEN),
                  ::GetSystemMetrics(SM_CXVIRTUALSCREEN), ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

std::u16string Number(long long value) {
  const std::string text = std::to_string(value);
  return std::u16string(text.begin(), text.end());
}

}  // namespace

TScreenShotMainForm::TScreenShotMainForm(TCaptureMode mode)
    : FRun(std::make_unique<TCaptureRun>(mode, VirtualDesktop())) {}

bool TScreenShotMainForm::Create() {
  const TDesktop& desktop = FRun->Desktop();
  // The grab comes first, so the overlay never photographs itself: one copy of the whole virtual screen, layered
  // windows included.
  if (!FScreenCopy.Create(desktop.Width, desktop.Height)) return false;
  {
    TWindowDc screen(nullptr);
    CopyFromDc(screen.Get(), desktop.Left, desktop.Top, FScreenCopy, SRCCOPY | CAPTUREBLT);
  }
  // Created at 0 x 0 so that nothing shows before the first paint; tmr1 gives it the desktop's size.
  if (!CreateForm(L"TScreenShotMainForm", WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_LAYERED, WS_POPUP,
                  L"Varnel Screenshot", desktop.Left, desktop.Top, 0, 0))
    return false;
  ::SetLayeredWindowAttributes(Handle(), 0, 255, LWA_ALPHA);
  FormCreate();
  ::ShowWindow(Handle(), SW_SHOWNOACTIVATE);
  return true;
}

void TScreenShotMainForm::FormCreate() {
  ProcessState().OutputBusy = false;
  StartTimer(Tmr1Id, 10, [this] { tmr1Timer(); });
}

void TScreenShotMainForm::DrawImage_BackGround() {
  const TDesktop& desktop = FRun->Desktop();
  WriteLog(u"Screen width :" + Number(desktop.Width) + u" Screen height :" + Number(desktop.Height));
  if (FMask.Create(desktop.Width, desktop.Height)) BlendOverBlack(FScreenCopy.View(), FMask.View(), MaskAlpha);
  WriteLog(u"DrawImage_BackGround Image_Meng width:" + Number(FMask.Width()) + u" Image_Meng height:" +
         Number(FMask.Height()));
}

void TScreenShotMainForm::tmr1Timer() {
  StopTimer(Tmr1Id);
  DrawImage_BackGround();
  const TDesktop& desktop = FRun->Desktop();
  ::SetWindowPos(Handle(), HWND_TOPMOST, desktop.Left, desktop.Top, FScreenCopy.Width(), FScreenCopy.Height(),
                 SWP_SHOWWINDOW);
  ::SetForegroundWindow(Handle());
  ::SetFocus(Handle());
  if (FRun->Mode() == TCaptureMode::FullScreen) UsageEvent(u"a315");
  for (const TRect& r : FRun->Start()) Invalidate(r);
}

void TScreenShotMainForm::tmr2Timer() {
  StopTimer(Tmr2Id);
  Close();
}

void TScreenShotMainForm::Invalidate(const TRect& r) {
  const RECT rect{r.Left, r.Top, r.Right, r.Bottom};
  ::InvalidateRect(Handle(), &rect, FALSE);
}

void TScreenShotMainForm::OnPaint() {
  TPaintScope paint(Handle());
  const RECT& dirty = paint.Dirty();
  const TRect area{dirty.left, dirty.top, dirty.right, dirty.bottom};
  if (!FMask.IsEmpty())
    ::BitBlt(paint.Get(), area.Left, area.Top, area.Width(), area.Height(), FMask.Dc(), area.Left, area.Top,
             SRCCOPY);
  // The selection shows the frozen screen undimmed.
  const TRect selected = FRun->Selection().Intersect(area);
  if (!selected.IsEmpty())
    ::BitBlt(paint.Get(), selected.Left, selected.Top, selected.Width(), selected.Height(), FScreenCopy.Dc(),
             selected.Left, selected.Top, SRCCOPY);
}

void TScreenShotMainForm::OnKeyDown(WPARAM key) {
  if (key != VK_ESCAPE || ProcessState().OutputBusy) return;
  FRun->CountEscape();
  Close();
}

void TScreenShotMainForm::OnRightButtonUp() {
  if (FRun->RightButtonCloses()) StartTimer(Tmr2Id, 10, [this] { tmr2Timer(); });
}

void TScreenShotMainForm::Close() {
  if (ProcessState().OutputBusy) return;
  TerminateCapture();
}

LRESULT TScreenShotMainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_KEYDOWN:
      OnKeyDown(wParam);
      return 0;
    case WM_RBUTTONUP:
      OnRightButtonUp();
      return 0;
    case WmCloseOverlay:
    case WM_CLOSE:
      Close();
      return 0;
    default:
      return DefaultHandler(message, wParam, lParam);
  }
}

}  // namespace qor
