#include "CommonLib/RdControl/win/RdEditWindow.h"

#include <commctrl.h>

#include <string>

#include "CommonLib/RdControl/RdTextLines.h"
#include "base/win/WinConvert.h"

namespace qor {

namespace {

std::u16string WindowText(HWND window) {
  const int length = ::GetWindowTextLengthW(window);
  std::wstring text(size_t(length) + 1, L'\0');
  const int got = ::GetWindowTextW(window, text.data(), length + 1);
  return FromWide(text.data(), size_t(got > 0 ? got : 0));
}

}  // namespace

TRdEditWindow::TRdEditWindow(TRdPanel& panel, TRdEdit& edit) : FPanel(panel), FEdit(&edit) {}

TRdEditWindow::~TRdEditWindow() {
  if (FEdit) FEdit->SetPeer(nullptr);
  Destroy();
}

bool TRdEditWindow::Create() {
  if (FWindow || !FEdit || !FPanel.Handle()) return false;
  const DWORD style = WS_CHILD | ES_AUTOHSCROLL | (FEdit->ReadOnly ? ES_READONLY : 0);
  FWindow.Reset(::CreateWindowExW(0, L"EDIT", Wide(FEdit->Text()), style, 0, 0, 0, 0, FPanel.Handle(), nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr));
  if (!FWindow) return false;
  ::SetWindowSubclass(FWindow.Get(), SubclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
  FPanel.AttachChild(FWindow.Get(), this);
  FEdit->SetPeer(this);
  FEdit->Invalidate();  // the window shows the text from now on
  Sync();
  return true;
}

void TRdEditWindow::Destroy() {
  if (!FWindow) return;
  HWND window = FWindow.Get();
  FPanel.DetachChild(window);
  if (::IsWindow(window)) {
    ::RemoveWindowSubclass(window, SubclassProc, 1);
    FWindow.Reset();
  } else {
    (void)FWindow.Release();  // went with the panel's window
  }
}

void TRdEditWindow::Sync() {
  if (!FWindow || !FEdit) return;
  HWND window = FWindow.Get();
  FSyncing = true;
  const TRdFont& font = FEdit->ChooseFont();
  const TRect r = FEdit->TextRect(TextLineHeight(FPanel.TextMeasurer(), font));
  HFONT handle = FFonts.Get(font);
  if (reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0)) != handle)
    ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(handle), FALSE);
  ::SendMessageW(window, EM_SETREADONLY, FEdit->ReadOnly, 0);
  if (WindowText(window) != FEdit->Text()) ::SetWindowTextW(window, Wide(FEdit->Text()));
  ::EnableWindow(window, FEdit->Enabled());
  const bool shown = FEdit->Visible() && !r.IsEmpty();
  ::SetWindowPos(window, nullptr, r.Left, r.Top, r.Width(), r.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
  ::InvalidateRect(window, nullptr, TRUE);  // colours may have changed with the state
  FSyncing = false;
}

void TRdEditWindow::EditChanged() { Sync(); }

void TRdEditWindow::FocusRequested() {
  if (FWindow && ::IsWindowVisible(FWindow.Get())) ::SetFocus(FWindow.Get());
}

void TRdEditWindow::EditDestroyed() {
  FEdit = nullptr;
  Destroy();
}

void TRdEditWindow::OnCommand(WORD code) {
  if (!FEdit || FSyncing) return;
  switch (code) {
    case EN_CHANGE: FEdit->SetText(WindowText(FWindow.Get())); break;
    case EN_SETFOCUS: FEdit->SetEditing(true); break;
    case EN_KILLFOCUS: FEdit->SetEditing(false); break;
    default: break;
  }
}

HBRUSH TRdEditWindow::OnCtlColor(HDC dc) {
  if (!FEdit) return nullptr;
  ::SetTextColor(dc, ResolveColor(FEdit->ChooseTextColor()));
  if (FEdit->Color == ColorNone) return nullptr;
  const COLORREF back = ResolveColor(FEdit->Color);
  ::SetBkColor(dc, back);
  if (!FBrush || FBrushColor != FEdit->Color) {
    FBrush.Reset(::CreateSolidBrush(back));
    FBrushColor = FEdit->Color;
  }
  return static_cast<HBRUSH>(FBrush.Get());
}

LRESULT CALLBACK TRdEditWindow::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                             DWORD_PTR self) {
  return reinterpret_cast<TRdEditWindow*>(self)->OnSubclassMessage(window, message, wParam, lParam);
}

LRESULT TRdEditWindow::OnSubclassMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE:
      if (!FTrackingLeave) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window, 0};
        FTrackingLeave = ::TrackMouseEvent(&track) != FALSE;
      }
      if (FEdit) FEdit->SetWindowHot(true);
      break;
    case WM_MOUSELEAVE:
      FTrackingLeave = false;
      if (FEdit) FEdit->SetWindowHot(false);
      break;
    case WM_COPY:
    case WM_CUT:
      if (FEdit && FEdit->OnTextCopy) {
        TRdControl::TNotifyEvent onCopy = FEdit->OnTextCopy;
        onCopy(*FEdit);
      }
      break;
    default: break;
  }
  return ::DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace qor
