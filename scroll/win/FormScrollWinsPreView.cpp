#include "scroll/win/FormScrollWinsPreView.h"

#include "base/win/UniqueHandle.h"
#include "scroll/PreviewCopy.h"

namespace qor {

bool TFormScrollWinsPreView::Create() {
  return CreateForm(L"TFormScrollWinsPreView", WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, WS_POPUP,
                    L"ScrollWinsPreView", 0, 0, 488, 281);
}

bool TFormScrollWinsPreView::ShowScaled(const TConstImageView& reduced, const TRect& bounds) {
  if (FPicture.Width() != bounds.Width() || FPicture.Height() != bounds.Height()) {
    if (!FPicture.Create(bounds.Width(), bounds.Height())) return false;
  }
  ::GdiFlush();
  ScalePreview(reduced, FPicture.View());
  // Moved and shown only when that changes: each call is a round trip to the display.
  if (!(bounds == FBounds) || !Visible()) MoveTo(bounds);
  ::InvalidateRect(Handle(), nullptr, FALSE);
  ::UpdateWindow(Handle());
  return true;
}

void TFormScrollWinsPreView::MoveTo(const TRect& bounds) {
  FBounds = bounds;
  ::SetWindowPos(Handle(), HWND_TOPMOST, bounds.Left, bounds.Top, bounds.Width(), bounds.Height(),
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TFormScrollWinsPreView::Hide() { ::ShowWindow(Handle(), SW_HIDE); }

bool TFormScrollWinsPreView::Visible() const { return Handle() && ::IsWindowVisible(Handle()); }

LRESULT TFormScrollWinsPreView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      TPaintScope paint(Handle());
      if (!FPicture.IsEmpty())
        ::BitBlt(paint.Get(), 0, 0, FPicture.Width(), FPicture.Height(), FPicture.Dc(), 0, 0, SRCCOPY);
      return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_MOUSEMOVE:
      if (!FPointerInside) {
        FPointerInside = true;
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, Handle(), 0};
        ::TrackMouseEvent(&track);
        if (OnMouseEnter) OnMouseEnter();
      }
      return 0;
    case WM_MOUSELEAVE: FPointerInside = false; return 0;
  }
  return DefaultHandler(message, wParam, lParam);
}

}  // namespace qor
