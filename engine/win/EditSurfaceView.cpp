#include "engine/win/EditSurfaceView.h"

#include <windowsx.h>

#include <vector>

#include "base/win/UniqueHandle.h"
#include "base/win/UpdateRegion.h"
#include "base/win/WinConvert.h"

namespace qor {

TEditSurfaceView::TEditSurfaceView(TImage background, const TRect& bounds, TScale scale)
    : FSurface(std::make_unique<TEditSurface>(std::move(background), scale)), FBounds(bounds) {}

bool TEditSurfaceView::Create(HWND parent) {
  if (!FCompose.Create(FBounds.Width(), FBounds.Height())) return false;
  return CreateForm(L"TImageEnView", 0, WS_CHILD | WS_CLIPSIBLINGS, L"", FBounds.Left, FBounds.Top, FBounds.Width(),
                    FBounds.Height(), parent);
}

void TEditSurfaceView::Show() {
  // Below its sibling panels: the toolbar may lie inside the selection.
  ::SetWindowPos(Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

void TEditSurfaceView::Apply(const TSurfaceUpdate& update) {
  for (const TRect& r : update.Dirty) {
    const RECT rect = ToRECT(r);
    ::InvalidateRect(Handle(), &rect, FALSE);
  }
  if (update.UndoChanged && OnUndoChanged) OnUndoChanged();
}

void TEditSurfaceView::OnPaint() {
  std::vector<RECT> rects = UpdateRects(Handle());
  TPaintScope paint(Handle());
  if (rects.empty()) rects.push_back(paint.Dirty());
  for (const RECT& r : rects) {
    const TRect area = ToTRect(r).Intersect(TRect::FromSize(0, 0, FBounds.Width(), FBounds.Height()));
    if (area.IsEmpty()) continue;
    FSurface->Compose(area, FCompose.View().Sub(area), {area.Left, area.Top});
    DrawFrame(area);
    ::GdiFlush();
    ::BitBlt(paint.Get(), area.Left, area.Top, area.Width(), area.Height(), FCompose.Dc(), area.Left, area.Top,
             SRCCOPY);
  }
}

void TEditSurfaceView::PaintArea(HDC dc, const TRect& area) {
  const TRect inside =
      area.Offset(-FBounds.Left, -FBounds.Top).Intersect(TRect::FromSize(0, 0, FBounds.Width(), FBounds.Height()));
  if (inside.IsEmpty()) return;
  FSurface->Compose(inside, FCompose.View().Sub(inside), {inside.Left, inside.Top});
  ::GdiFlush();
  ::BitBlt(dc, inside.Left + FBounds.Left - area.Left, inside.Top + FBounds.Top - area.Top, inside.Width(),
           inside.Height(), FCompose.Dc(), inside.Left, inside.Top, SRCCOPY);
}

void TEditSurfaceView::DrawFrame(const TRect& area) {
  // The selection's 1-pixel frame lies on its edge pixels, under this window: it is drawn again on top.
  const int32_t w = FBounds.Width(), h = FBounds.Height();
  const TRect lines[] = {TRect::FromSize(0, 0, w, 1), TRect::FromSize(w - 1, 0, 1, h), TRect::FromSize(0, h - 1, w, 1),
                         TRect::FromSize(0, 0, 1, h)};
  const TBrushHandle brush(::CreateSolidBrush(SelectionFrameColor));
  for (const TRect& line : lines) {
    const RECT r = ToRECT(line.Intersect(area));
    if (r.right > r.left && r.bottom > r.top) ::FillRect(FCompose.Dc(), &r, brush.Get());
  }
}

bool TEditSurfaceView::OnSetCursor() {
  POINT p{};
  ::GetCursorPos(&p);
  ::ScreenToClient(Handle(), &p);
  const wchar_t* cursor = IDC_ARROW;
  switch (FSurface->CursorAt({p.x, p.y})) {
    case TSurfaceCursor::Cross: cursor = IDC_CROSS; break;
    case TSurfaceCursor::Move: cursor = IDC_SIZEALL; break;
    case TSurfaceCursor::SizeNwse: cursor = IDC_SIZENWSE; break;
    case TSurfaceCursor::SizeNs: cursor = IDC_SIZENS; break;
    case TSurfaceCursor::SizeNesw: cursor = IDC_SIZENESW; break;
    case TSurfaceCursor::SizeWe: cursor = IDC_SIZEWE; break;
    case TSurfaceCursor::Arrow: break;
  }
  ::SetCursor(::LoadCursorW(nullptr, cursor));
  return true;
}

TPoint TEditSurfaceView::MessagePoint() const {
  // Where the cursor was when the message was made, in this window: under Wine a mouse message of a child window
  // that holds the capture now and then carries its top-level window's client coordinates in lParam, which would
  // throw a brush stroke across the picture.
  const DWORD at = ::GetMessagePos();
  POINT p{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  ::ScreenToClient(Handle(), &p);
  return {p.x, p.y};
}

LRESULT TEditSurfaceView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT) return OnSetCursor();
      break;
    case WM_LBUTTONDOWN:
      FPressTaken = OnPress && OnPress(MessagePoint());
      if (FPressTaken) return 0;
      ::SetCapture(Handle());
      Apply(FSurface->MouseDown(MessagePoint()));
      return 0;
    case WM_MOUSEMOVE:
      if (FSurface->Dragging()) {
        Apply(FSurface->MouseMove(MessagePoint()));
      } else if (!(wParam & (MK_LBUTTON | MK_RBUTTON)) && OnHover) {
        OnHover(MessagePoint());
      }
      return 0;
    case WM_LBUTTONUP:
      if (FPressTaken) {
        FPressTaken = false;
        return 0;
      }
      Apply(FSurface->MouseUp(MessagePoint()));
      if (::GetCapture() == Handle()) ::ReleaseCapture();
      if (OnMouseUp) OnMouseUp();
      return 0;
    case WM_CAPTURECHANGED:  // the system took the mouse during a drag: it ends where it stands
      if (FSurface->Dragging()) Apply(FSurface->EndInteractiveAction());
      return 0;
  }
  return DefaultHandler(message, wParam, lParam);
}

}  // namespace qor
