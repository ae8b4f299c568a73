#include "annotate/win/MyMemo.h"

#include <richedit.h>
#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "annotate/TextEditorLayout.h"
#include "base/PixelOps.h"
#include "base/win/DibImage.h"
#include "base/win/UniqueHandle.h"

namespace qor {

namespace {

constexpr int32_t CreatedWidth = 200, CreatedHeight = 150;
constexpr int TwipsPerInch = 1440;
constexpr const wchar_t* EditorProperty = L"TMyMemo";

// Loaded once and kept for the life of the process: every editor's window class lives in it.
bool RichEditLoaded() {
  static const HMODULE library = ::LoadLibraryW(L"Msftedit.dll");
  return library != nullptr;
}

bool TahomaInstalled() {
  static const bool installed = [] {
    TWindowDc screen(nullptr);
    LOGFONTW font{};
    font.lfCharSet = DEFAULT_CHARSET;
    wcscpy(font.lfFaceName, L"Tahoma");
    bool found = false;
    ::EnumFontFamiliesExW(
        screen.Get(), &font,
        [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) -> int {
          *reinterpret_cast<bool*>(found) = true;
          return 0;
        },
        reinterpret_cast<LPARAM>(&found), 0);
    return found;
  }();
  return installed;
}

int ScreenDpi() {
  TWindowDc screen(nullptr);
  return ::GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

TPoint PositionOf(HWND edit, int32_t index) {
  POINTL p{};
  ::SendMessageW(edit, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&p), index);
  return {p.x, p.y};
}

void FillColor(HDC dc, const TRect& r, uint32_t color) {
  TBrushHandle brush(::CreateSolidBrush(color));
  const RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  ::FillRect(dc, &rc, brush.Get());
}

}  // namespace

bool TMyMemo::Create(HWND parent) {
  if (!RichEditLoaded()) return false;
  if (!CreateForm(L"TMyMemo", 0, WS_CHILD | WS_CLIPCHILDREN, L"", 0, 0, CreatedWidth, CreatedHeight, parent))
    return false;
  FEdit = ::CreateWindowExW(0, MSFTEDIT_CLASS, L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE, FrameWidth, FrameWidth,
                            CreatedWidth - 2 * FrameWidth, CreatedHeight - 2 * FrameWidth, Handle(), nullptr,
                            ::GetModuleHandleW(nullptr), nullptr);
  if (!FEdit) return false;
  // The control's own paint is opaque under Wine whatever its style says; the editor paints it (see PaintEdit).
  ::SetPropW(FEdit, EditorProperty, this);
  FEditProc = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(FEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TMyMemo::EditProc)));
  // Plain text: one font and one colour for the whole text, whatever is pasted into it.
  ::SendMessageW(FEdit, EM_SETTEXTMODE, TM_PLAINTEXT | TM_MULTILEVELUNDO | TM_MULTICODEPAGE, 0);
  ::SendMessageW(FEdit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  ::SendMessageW(FEdit, EM_SETTARGETDEVICE, 0, 1);  // no word wrap
  ::SendMessageW(FEdit, EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SELCHANGE | ENM_REQUESTRESIZE);
  SetTextFont(FPoints, 0);
  return true;
}

void TMyMemo::SetEdgeColor(uint32_t color) {
  FEdgeColor = color;
  Repaint();
}

void TMyMemo::SetEnterColor(uint32_t color) {
  FEnterColor = color;
  Repaint();
}

TRect TMyMemo::Bounds() const {
  RECT r{};
  ::GetWindowRect(Handle(), &r);
  ::MapWindowPoints(nullptr, ::GetParent(Handle()), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right, r.bottom};
}

void TMyMemo::SetBounds(const TRect& r) {
  // What lies under the text changes with the place: no copy of the old pixels, a full repaint.
  ::SetWindowPos(Handle(), nullptr, r.Left, r.Top, r.Width(), r.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
  Repaint();
}

void TMyMemo::ShowAndFocus() {
  // Above the edit surface's window, which would otherwise take the presses meant for the frame.
  ::SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  ::SetFocus(FEdit);
}

void TMyMemo::Hide() { ::ShowWindow(Handle(), SW_HIDE); }

void TMyMemo::SetTextFont(int32_t points, uint32_t color) {
  FPoints = points;
  FColor = color;
  CHARFORMAT2W format{};
  format.cbSize = sizeof(format);
  format.dwMask = CFM_SIZE | CFM_COLOR;
  format.yHeight = points * 20;  // twips
  format.crTextColor = color;
  if (!FFace.empty() && FFace.size() < LF_FACESIZE) {
    format.dwMask |= CFM_FACE;
    std::copy(FFace.begin(), FFace.end(), format.szFaceName);
  } else if (TahomaInstalled()) {
    format.dwMask |= CFM_FACE;
    wcscpy(format.szFaceName, L"Tahoma");
  }
  ::SendMessageW(FEdit, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
  ContentChanged();
}

void TMyMemo::SelectAll() { ::SendMessageW(FEdit, EM_SETSEL, 0, -1); }

void TMyMemo::CaretToEnd() { ::SendMessageW(FEdit, EM_SETSEL, -1, -1); }

int32_t TMyMemo::FontHeight() const { return ::MulDiv(FPoints, ScreenDpi(), 72); }

void TMyMemo::SetWordWrap(bool wrap) {
  FWordWrap = wrap;
  ::SendMessageW(FEdit, EM_SETTARGETDEVICE, 0, wrap ? 0 : 1);
}

std::wstring TMyMemo::Text() const {
  std::wstring text(::GetWindowTextLengthW(FEdit) + 1, L'\0');
  text.resize(::GetWindowTextW(FEdit, text.data(), int(text.size())));
  return text;
}

void TMyMemo::SetText(std::wstring_view text) {
  SelectAll();
  const std::wstring copy(text);
  ::SendMessageW(FEdit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(copy.c_str()));
}

int32_t TMyMemo::LineCount() const {
  if (::GetWindowTextLengthW(FEdit) == 0) return 0;
  return int32_t(::SendMessageW(FEdit, EM_GETLINECOUNT, 0, 0));
}

int32_t TMyMemo::LongestLine() const {
  int32_t longest = 0;
  for (int32_t line = 0; line < LineCount(); ++line) {
    const LRESULT start = ::SendMessageW(FEdit, EM_LINEINDEX, line, 0);
    longest = std::max(longest, int32_t(::SendMessageW(FEdit, EM_LINELENGTH, start, 0)));
  }
  return longest;
}

TSize TMyMemo::ContentSize() const {
  // The width: where the widest line ends. The height: the control's own request for its content.
  const TPoint origin = PositionOf(FEdit, 0);
  int32_t width = 0;
  const int32_t lines = int32_t(::SendMessageW(FEdit, EM_GETLINECOUNT, 0, 0));
  for (int32_t line = 0; line < lines; ++line) {
    const LRESULT start = ::SendMessageW(FEdit, EM_LINEINDEX, line, 0);
    const LRESULT length = ::SendMessageW(FEdit, EM_LINELENGTH, start, 0);
    width = std::max(width, PositionOf(FEdit, int32_t(start + length)).X - origin.X);
  }
  FMeasuring = true;
  ::SendMessageW(FEdit, EM_REQUESTRESIZE, 0, 0);
  FMeasuring = false;
  return {width, FRequestedHeight};
}

void TMyMemo::ContentChanged() {
  if (FMeasuring || !OnContentSize) return;
  const TSize content = ContentSize();
  if (content == FReported) return;
  FReported = content;
  OnContentSize(content);
}

void TMyMemo::DrawTextOn(TDibImage& canvas, const TRect& area, uint32_t ground, int dpi) const {
  const TImageView& pixels = canvas.View();
  for (int32_t y = 0; y < pixels.Height; ++y)
    for (int32_t x = 0; x < pixels.Width; ++x) pixels.At(x, y) = BgraFromColorRef(ground);
  RECT client{};
  ::GetClientRect(FEdit, &client);
  // The canvas holds `area` of the client: the control draws at client coordinates shifted by the area's corner.
  POINT origin{};
  ::SetViewportOrgEx(canvas.Dc(), -area.Left, -area.Top, &origin);
  // Clipped to the area, so that the control skips the lines outside it.
  ::IntersectClipRect(canvas.Dc(), area.Left, area.Top, area.Right, area.Bottom);
  FORMATRANGE range{};
  range.hdc = range.hdcTarget = canvas.Dc();
  range.rc = {0, 0, ::MulDiv(client.right, TwipsPerInch, dpi), ::MulDiv(client.bottom, TwipsPerInch, dpi)};
  range.rcPage = range.rc;
  range.chrg = {0, -1};
  const LRESULT formatted = ::SendMessageW(FEdit, EM_FORMATRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
  ::SendMessageW(FEdit, EM_FORMATRANGE, FALSE, 0);  // frees the control's formatting cache
  if (formatted == 0 && ::GetWindowTextLengthW(FEdit) > 0) {
    // Some rich edit versions (Wine's) do not format ranges: the control paints its client area instead, on a
    // background of the ground colour, with the selection collapsed so that no highlight shows.
    CHARRANGE selection{};
    ::SendMessageW(FEdit, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    ::SendMessageW(FEdit, EM_SETSEL, selection.cpMax, selection.cpMax);
    ::SendMessageW(FEdit, EM_SETBKGNDCOLOR, 0, ground);
    ::SendMessageW(FEdit, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    ::SendMessageW(FEdit, EM_SETBKGNDCOLOR, 1, 0);
    ::SendMessageW(FEdit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  }
  ::SelectClipRgn(canvas.Dc(), nullptr);
  ::SetViewportOrgEx(canvas.Dc(), origin.x, origin.y, nullptr);
  ::GdiFlush();
}

TTextStamp TMyMemo::RenderStamp(int dpi) const {
  RECT client{};
  ::GetClientRect(FEdit, &client);
  return RenderStamp(dpi, TRect::FromSize(0, 0, client.right, client.bottom));
}

// The text has one colour (the control holds plain text), so one rendering gives its coverage.
TTextStamp TMyMemo::RenderStamp(int dpi, const TRect& area) const {
  TDibImage canvas;
  if (area.IsEmpty() || dpi <= 0 || !canvas.Create(area.Width(), area.Height())) return {};
  DrawTextOn(canvas, area, GroundFor(FColor), dpi);
  return StampOfOneColour(canvas.View(), FColor);
}

// The text is drawn without a background: the frame window paints what lies under it first, then the text. Only
// changes of the text, the selection, the frame's colour or the hover call this (never a paint), so no paint loops.
void TMyMemo::Repaint() {
  if (Handle() && !FPaintingEdit) ::RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void TMyMemo::PaintFrame(HDC dc) const {
  RECT client{};
  ::GetClientRect(Handle(), &client);
  const TSize size{client.right, client.bottom};
  const uint32_t edge = FMouseOver ? FEnterColor : FEdgeColor;
  FillColor(dc, {0, 0, size.Width, FrameWidth}, edge);
  FillColor(dc, {0, size.Height - FrameWidth, size.Width, size.Height}, edge);
  FillColor(dc, {0, 0, FrameWidth, size.Height}, edge);
  FillColor(dc, {size.Width - FrameWidth, 0, size.Width, size.Height}, edge);
  for (const TRect& dash : FrameDashes(size)) FillColor(dc, dash, 0xFFFFFF);
}

void TMyMemo::MouseMoved(TPoint p) {
  if (FDragging) {
    POINT pointer{p.X, p.Y};
    HWND parent = ::GetParent(Handle());
    ::MapWindowPoints(Handle(), parent, &pointer, 1);
    TRect limits = DragBounds;
    if (limits.IsEmpty()) {
      RECT r{};
      ::GetClientRect(parent, &r);
      limits = {r.left, r.top, r.right, r.bottom};
    }
    const TRect moved = DragEditor(Bounds(), FGrab, {pointer.x, pointer.y}, limits);
    if (moved == Bounds()) return;
    SetBounds(moved);
    if (OnMoved) OnMoved(moved);
    return;
  }
  if (!FMouseOver) {
    FMouseOver = true;
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, Handle(), 0};
    ::TrackMouseEvent(&track);
    Repaint();
  }
}

LRESULT CALLBACK TMyMemo::EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  auto* memo = static_cast<TMyMemo*>(::GetPropW(edit, EditorProperty));
  if (!memo) return ::DefWindowProcW(edit, message, wParam, lParam);
  const WNDPROC original = memo->FEditProc;
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT:
      try {
        memo->PaintEdit();
        return 0;
      } catch (...) {
        ::ValidateRect(edit, nullptr);
        return 0;
      }
    case WM_NCDESTROY:
      ::RemovePropW(edit, EditorProperty);
      ::SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
      break;
  }
  return ::CallWindowProcW(original, edit, message, wParam, lParam);
}

// Resized without a repaint of its own: the control asks for what its text needs, and an editor that only grew
// (without word wrap its text stays where it was) needs only the new strips besides.
void TMyMemo::ResizeEdit(TSize size) {
  RECT before{};
  ::GetClientRect(FEdit, &before);
  ::MoveWindow(FEdit, FrameWidth, FrameWidth, size.Width, size.Height, FALSE);
  if (FWordWrap || size.Width < before.right || size.Height < before.bottom) {
    ::InvalidateRect(FEdit, nullptr, FALSE);
    return;
  }
  const RECT right{before.right, 0, size.Width, size.Height}, below{0, before.bottom, size.Width, size.Height};
  ::InvalidateRect(FEdit, &right, FALSE);
  ::InvalidateRect(FEdit, &below, FALSE);
}

// What lies under the editor, then the text blended over it, in one blit: the text shows on the picture with no
// box around it. BeginPaint hides the caret while this draws. Only the part the control asks for is painted again:
// typing changes a line or two of a long text.
void TMyMemo::PaintEdit() {
  TPaintScope paint(FEdit);
  RECT client{};
  ::GetClientRect(FEdit, &client);
  const RECT& d = paint.Dirty();
  const TRect dirty = TRect{d.left, d.top, d.right, d.bottom}.Intersect({0, 0, client.right, client.bottom});
  TDibImage canvas;
  if (!dirty.IsEmpty() && canvas.Create(dirty.Width(), dirty.Height())) {
    if (PaintBackground) {
      const TRect bounds = Bounds();
      PaintBackground(canvas.Dc(), dirty.Offset(bounds.Left + FrameWidth, bounds.Top + FrameWidth));
    } else {
      FillColor(canvas.Dc(), {0, 0, dirty.Width(), dirty.Height()}, ::GetSysColor(COLOR_WINDOW));
    }
    ::GdiFlush();
    FPaintingEdit = true;
    const TRect all = TRect::FromSize(0, 0, dirty.Width(), dirty.Height());
    BlendStamp(RenderStamp(ScreenDpi(), dirty), {0, 0}, all, canvas.View(), {0, 0});
    POINT origin{};
    ::SetViewportOrgEx(canvas.Dc(), -dirty.Left, -dirty.Top, &origin);
    InvertSelection(canvas.Dc());
    ::SetViewportOrgEx(canvas.Dc(), origin.x, origin.y, nullptr);
    FPaintingEdit = false;
    ::BitBlt(paint.Get(), dirty.Left, dirty.Top, dirty.Width(), dirty.Height(), canvas.Dc(), 0, 0, SRCCOPY);
  }
  // Rendering may change the control's colours and selection for a moment; that asks for no new paint.
  ::ValidateRect(FEdit, nullptr);
}

// The selected characters shown inverted, line by line (rendering draws the text alone, with no highlight).
void TMyMemo::InvertSelection(HDC dc) const {
  CHARRANGE selection{};
  ::SendMessageW(FEdit, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  if (selection.cpMin >= selection.cpMax) return;
  const int32_t lines = int32_t(::SendMessageW(FEdit, EM_GETLINECOUNT, 0, 0));
  const int32_t bottom = PositionOf(FEdit, 0).Y + ContentSize().Height;
  for (int32_t line = 0; line < lines; ++line) {
    const int32_t start = int32_t(::SendMessageW(FEdit, EM_LINEINDEX, line, 0));
    const int32_t end = start + int32_t(::SendMessageW(FEdit, EM_LINELENGTH, start, 0));
    const int32_t from = std::max(start, int32_t(selection.cpMin)), to = std::min(end, int32_t(selection.cpMax));
    if (from >= to) continue;
    const int32_t top = PositionOf(FEdit, start).Y;
    const int32_t next =
        line + 1 < lines ? PositionOf(FEdit, int32_t(::SendMessageW(FEdit, EM_LINEINDEX, line + 1, 0))).Y : bottom;
    const RECT r{PositionOf(FEdit, from).X, top, PositionOf(FEdit, to).X, next};
    ::InvertRect(dc, &r);
  }
}

LRESULT TMyMemo::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      if (FEdit)
        ResizeEdit({std::max(0, LOWORD(lParam) - 2 * FrameWidth), std::max(0, HIWORD(lParam) - 2 * FrameWidth)});
      return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      TPaintScope paint(Handle());
      PaintFrame(paint.Get());
      return 0;
    }
    case WM_PRINTCLIENT: PaintFrame(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(lParam) == FEdit) {
        // The control asks for the repaint of what the change touched.
        if (HIWORD(wParam) == EN_CHANGE) ContentChanged();
        return 0;
      }
      break;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->hwndFrom == FEdit && header->code == EN_SELCHANGE) {
        // A caret that only moves needs no repaint; a highlight shown, changed or gone does.
        const auto* change = reinterpret_cast<const SELCHANGE*>(lParam);
        const bool highlight = change->chrg.cpMin != change->chrg.cpMax;
        if (highlight || FHighlight) Repaint();
        FHighlight = highlight;
        return 0;
      }
      if (header->hwndFrom == FEdit && header->code == EN_REQUESTRESIZE) {
        const RECT& r = reinterpret_cast<const REQRESIZE*>(lParam)->rc;
        FRequestedHeight = r.bottom - r.top;
        ContentChanged();
        return 0;
      }
      break;
    }
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == Handle()) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEALL));
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN:
      FDragging = true;
      FGrab = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ::SetCapture(Handle());
      if (OnPress) OnPress();
      return 0;
    case WM_MOUSEMOVE: MouseMoved({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
    case WM_LBUTTONUP:
      if (FDragging) ::ReleaseCapture();
      FDragging = false;
      return 0;
    case WM_CAPTURECHANGED: FDragging = false; return 0;
    case WM_MOUSELEAVE:
      FMouseOver = false;
      Repaint();
      return 0;
  }
  return TForm::HandleMessage(message, wParam, lParam);
}

}  // namespace qor
