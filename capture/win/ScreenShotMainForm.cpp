#include "capture/win/ScreenShotMainForm.h"

#include <windowsx.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "app/DpiDecision.h"
#include "app/Language.h"
#include "app/LogManage.h"
#include "app/MessageTexts.h"
#include "app/SafeIniFile.h"
#include "app/WindowTranslation.h"
#include "app/win/StartUp.h"
#include "app/win/UsageReporter.h"
#include "base/PixelOps.h"
#include "base/Utf16Text.h"
#include "base/win/UpdateRegion.h"
#include "base/win/WinConvert.h"
#include "capture/ToolbarLayout.h"
#include "capture/Hints.h"
#include "capture/win/WindowEnumeration.h"

namespace qor {

namespace {

constexpr UINT_PTR Tmr1Id = 1;         // start-up, 10 ms, runs once
constexpr UINT_PTR Tmr2Id = 2;         // right-button close, 10 ms
constexpr UINT_PTR TimerGetPosId = 3;  // window detection, 35 ms
constexpr UINT_PTR TmrTopmostId = 4;   // the Windows key keeps the overlay on top, 5 ms
constexpr UINT_PTR TmrExitTipId = 5;   // hides the exit tip, 50 ms

TDesktop VirtualDesktop() {
  return TDesktop{::GetSystemMetrics(SM_XVIRTUALSCREEN), ::GetSystemMetrics(SM_YVIRTUALSCREEN),
                  ::GetSystemMetrics(SM_CXVIRTUALSCREEN), ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

// The physical cursor position where the system has it, else the ordinary one.
TPoint CursorPosition() {
  using TGetPhysicalCursorPos = BOOL(WINAPI*)(POINT*);
  static const auto getPhysical = reinterpret_cast<TGetPhysicalCursorPos>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetPhysicalCursorPos")));
  POINT p{};
  if (!getPhysical || !getPhysical(&p)) ::GetCursorPos(&p);
  return {p.x, p.y};
}

TKey KeyOf(WPARAM virtualKey) {
  switch (virtualKey) {
    case 'Z': return TKey::Z;
    case 'C': return TKey::C;
    case 'S': return TKey::S;
    case 'Y': return TKey::Y;
    case VK_DELETE: return TKey::Delete;
    case VK_LEFT: return TKey::Left;
    case VK_RIGHT: return TKey::Right;
    case VK_UP: return TKey::Up;
    case VK_DOWN: return TKey::Down;
    case VK_ESCAPE: return TKey::Escape;
    case VK_LWIN: return TKey::LeftWindows;
    default: return TKey::Other;
  }
}

bool KeyDown(int virtualKey) { return (::GetKeyState(virtualKey) & 0x8000) != 0; }

}  // namespace

TScreenShotMainForm::TScreenShotMainForm(TCaptureMode mode) : FMode(mode), FDesktop(VirtualDesktop()) {}

TScreenShotMainForm::~TScreenShotMainForm() = default;

bool TScreenShotMainForm::Create() {
  // The grab comes first, so the overlay never photographs itself: one copy of the whole virtual screen, layered
  // windows included. The window list is taken at the same moment.
  if (!FScreenCopy.Create(FDesktop.Width, FDesktop.Height)) return false;
  {
    TWindowDc screen(nullptr);
    CopyFromDc(screen.Get(), FDesktop.Left, FDesktop.Top, FScreenCopy, SRCCOPY | CAPTUREBLT);
  }
  MarkStartUpStep(u"grab");
  FRun = std::make_unique<TCaptureRun>(FMode, FDesktop, EnumerateTopLevelWindows(),
                                       reinterpret_cast<uintptr_t>(::GetDesktopWindow()), CurrentScale());
  MarkStartUpStep(u"window list");
  // Full-screen and window modes select at once, so their first picture shows the selection already. It paints
  // the whole overlay; the rest of the update waits for tmr1.
  FStartUpdate = FRun->Start();
  FStartUpdate.Dirty.clear();
  // Created hidden at the desktop's size and shown with its first picture painted at once, so nothing else ever
  // shows. In region mode that picture is the dimmed screen, painted without waiting for the mask (PaintDimmed).
  if (!CreateForm(L"TScreenShotMainForm", WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_LAYERED, WS_POPUP | WS_CLIPCHILDREN,
                  L"Varnel Screenshot", FDesktop.Left, FDesktop.Top, FDesktop.Width, FDesktop.Height))
    return false;
  ::SetLayeredWindowAttributes(Handle(), 0, 255, LWA_ALPHA);
  MarkStartUpStep(u"window creation");
  ::SetWindowPos(Handle(), HWND_TOPMOST, FDesktop.Left, FDesktop.Top, FDesktop.Width, FDesktop.Height, SWP_SHOWWINDOW);
  ::SetForegroundWindow(Handle());
  ::SetFocus(Handle());
  // The message loop paints next; everything else waits for tmr1, started by that first paint.
  return true;
}

void TScreenShotMainForm::FormCreate() {
  // The parent product may have switched the language since start-up: read its name again and reload the file
  // before any window of this run takes its texts.
  AppLanguage().Load(ReadConfigString(u"Main", u"Language", u"English"));
  FillMessageTexts(AppLanguage());
  const TMagnifierMetrics& m = FRun->Magnifier().Metrics();
  FMagnifierImage.Create(m.ImageWidth, m.ImageHeight);
  FLabelFont.Reset(::CreateFontW(-CurrentScale()(13), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH,
                                 L"Segoe UI"));
  FSizeWord = ControlText(AppLanguage(), WindowSection::Monitor, u"Label_Size.Caption",
                          AppLanguage().MessageText(SizeWordKey, DefaultSizeWord));
  LoadSaveSettings();
  FNotice.Create(TRect::FromSize(FDesktop.Left, FDesktop.Top, FDesktop.Width, FDesktop.Height));
  FToolbar = std::make_unique<TToolbarPanel>(CurrentScale());
  if (FToolbar->Create(Handle()))
    FToolbar->OnClick = [this](TToolbarChild child) { ToolbarClick(child); };
  else
    FToolbar.reset();
  if (FToolbar && FSavePathPanel->Create(Handle(), FToolbar->Size().Width))
    FSavePathPanel->OnClose = [this] { btn_pthpnl_closeClick(); };
  CreateToolPanel();
  FExitTip = std::make_unique<TExitTipPanel>(CurrentScale());
  if (!FExitTip->Create(Handle())) FExitTip.reset();
}

void TScreenShotMainForm::tmr_ExitTipTimer() {
  if (!FKeys->ExitTipTick(::GetTickCount())) return;
  StopTimer(TmrExitTipId);
  if (FExitTip) FExitTip->Hide();
}

void TScreenShotMainForm::ShowToolbar(bool afterHandleDrag) {
  if (!FToolbar) return;
  const TRect selection = FRun->Selection().Image();
  const int32_t primaryBottom = ::GetSystemMetrics(SM_CYSCREEN) - FDesktop.Top;
  if (afterHandleDrag && FSavePathOpenBeforeDrag && FSavePathPanel->Handle()) {
    // The panel was open when the drag began: the toolbar and the panel move together.
    const TToolbarWithPanel at =
        PlaceToolbarWithSavePath(selection, FToolbar->Size(), FSavePathPanel->Size().Height, primaryBottom);
    FToolbar->ShowAt(at.Toolbar, selection.Width(), selection.Height());
    FSavePathPanel->ShowAt(at.Panel);
    return;
  }
  if (afterHandleDrag) {
    FSaveDropOpen = false;
    FToolbar->ShowAt(PlaceToolbarAfterHandleDrag(selection, FToolbar->Size(), primaryBottom), selection.Width(),
                     selection.Height());
    return;
  }
  // The monitor under the mouse cursor, in overlay coordinates like the selection.
  POINT cursor{};
  ::GetCursorPos(&cursor);
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  ::GetMonitorInfoW(::MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST), &info);
  const TRect monitor = ToTRect(info.rcMonitor).Offset(-FDesktop.Left, -FDesktop.Top);
  FToolbar->ShowAt(PlaceToolbar(selection, FToolbar->Size(), monitor), selection.Width(), selection.Height());
  if (FSaveDropOpen && !FSavePathPanel->Visible()) ShowSavePathPanel();
}

void TScreenShotMainForm::HideToolbar() {
  if (FToolbar) FToolbar->Hide();
  FSavePathOpenBeforeDrag = FSavePathPanel && FSavePathPanel->Visible();
  if (FSavePathPanel) FSavePathPanel->Hide();
}

void TScreenShotMainForm::ToolbarClick(TToolbarChild child) {
  switch (child) {
    case TToolbarChild::Btn_Rd_Del:
      if (FRun->OutputBusy()) return;
      UsageEvent(u"a313");
      Close();
      return;
    case TToolbarChild::Rd_Copy:
      UsageEvent(u"a311");
      Btn_Rd_CopyClick();
      return;
    case TToolbarChild::Rd_Save:
      UsageEvent(u"a312");
      Btn_rd_saveClick();
      return;
    case TToolbarChild::Btn_Rd_Pinned:
      UsageEvent(u"a306");
      Btn_Rd_PinnedClick();
      return;
    case TToolbarChild::Btn_Rd_ScrollWins: Btn_Rd_ScrollWinsClick(); return;
    case TToolbarChild::btn_save_drop: btn_save_dropClick(); return;
    case TToolbarChild::Btn_Rd_Rect: Btn_Rd_RectClick(); return;
    case TToolbarChild::Btn_Rd_Ellip: Btn_Rd_EllipClick(); return;
    case TToolbarChild::Btn_Rd_Line: Btn_Rd_LineClick(); return;
    case TToolbarChild::Btn_Rd_Arrow: Btn_Rd_ArrowClick(); return;
    case TToolbarChild::Btn_Rd_Brush: Btn_Rd_BrushClick(); return;
    case TToolbarChild::Btn_Rd_Masaic: Btn_Rd_MasaicClick(); return;
    case TToolbarChild::Btn_Rd_Font: Btn_Rd_FontClick(); return;
    case TToolbarChild::Btn_Rd_Return: Btn_Rd_ReturnClick(); return;
    default: return;
  }
}

void TScreenShotMainForm::Btn_Rd_ScrollWinsClick() {
  if (FRun->OutputBusy() || !FRun->HasSelection()) return;
  UsageEvent(u"a316");
  StartScrollingCapture();
}

void TScreenShotMainForm::StartScrollingCapture() {
  if (FScroll) return;
  StopTimer(TimerGetPosId);
  HideToolbar();
  ::ShowWindow(Handle(), SW_HIDE);
  TScrollStartRequest request;
  request.Selection = FRun->Selection().Image();
  request.Desktop = TRect::FromSize(FDesktop.Left, FDesktop.Top, FDesktop.Width, FDesktop.Height);
  request.Target = reinterpret_cast<HWND>(FRun->Detection().DetectedHandle());
  request.SaveFolder = FSavePathPanel ? FSavePathPanel->Folder() : std::u16string();
  request.AlwaysSave = FSavePathPanel && FSavePathPanel->AlwaysSave();
  request.SaveExtension = FSaveExtension;
  FScroll = std::make_unique<TScrollCapture>(CurrentScale());
  if (!FScroll->Start(request)) {
    // Nothing can run: the capture ends rather than leaving nothing on screen.
    WriteLog(u"[ScrollCapture]not started");
    TerminateCapture();
  }
}

void TScreenShotMainForm::DrawImage_BackGround() {
  WriteLog(u"Screen width :" + IntToText(FDesktop.Width) + u" Screen height :" + IntToText(FDesktop.Height));
  if (FMask.Create(FDesktop.Width, FDesktop.Height))
    BlendOverBlackInStrips(FScreenCopy.View(), FMask.View(), MaskAlpha,
                           int(std::clamp(std::thread::hardware_concurrency(), 1u, 4u)));
  WriteLog(u"DrawImage_BackGround Image_Meng width:" + IntToText(FMask.Width()) + u" Image_Meng height:" +
           IntToText(FMask.Height()));
}

void TScreenShotMainForm::tmr1Timer() {
  // The first picture is on screen: the mask, the panels, the keys, the rest of the run's start and the statistics
  // library.
  StopTimer(Tmr1Id);
  MarkStartUpStep(u"tmr1 wait");
  if (FMask.IsEmpty()) DrawImage_BackGround();
  MarkStartUpStep(u"mask");
  FormCreate();
  FKeys = std::make_unique<TKeyCommands>(::GetTickCount());
  MarkStartUpStep(u"overlay panels");
  FNotice.Start(::GetTickCount());
  Apply(FStartUpdate);
  if (FRun->Detecting()) StartTimer(TimerGetPosId, DetectionTimerMs, [this] { Timer_GetPosTimer(); });
  InitUsageReporting();
  MarkStartUpStep(u"statistics library");
  WriteStartUpSteps();
}

void TScreenShotMainForm::Timer_GetPosTimer() {
  // The tick does no work while the cursor stands still.
  const TPoint cursor = CursorPosition();
  Apply(FRun->DetectionTick(FDesktop.ToOverlay(cursor)));
  // The notice follows the cursor beside the magnifier band for its first seconds.
  if (FNotice.ShowNotice()) {
    const TRect band = FRun->Magnifier().Panel();
    if (FNotice.Tick(::GetTickCount(), cursor.X, FDesktop.Top + band.Top, band.Height()) == TNoticeTick::Closed)
      ::SetFocus(Handle());
  }
}

void TScreenShotMainForm::tmr2Timer() {
  StopTimer(Tmr2Id);
  StopTimer(TimerGetPosId);
  Close();
}

void TScreenShotMainForm::tmr_TopmostTimer() {
  const TTopmostTick tick =
      FKeys->TopmostTick(::IsWindowVisible(Handle()) != FALSE, FRun->OutputBusy(), ::GetTickCount());
  if (tick.KeepTopmost) ::SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (tick.Stop) StopTimer(TmrTopmostId);
  if (tick.Foreground) {
    if (::IsIconic(Handle())) ::ShowWindow(Handle(), SW_RESTORE);
    ::SetForegroundWindow(Handle());
  }
}

void TScreenShotMainForm::Apply(const TOverlayUpdate& update) {
  if (!update.LogLine.empty()) WriteLog(update.LogLine);
  if (!update.UsageEvent.empty()) UsageEvent(update.UsageEvent);
  if (update.StopDetection) StopTimer(TimerGetPosId);
  if (update.MagnifierMoved) RenderMagnifier();
  if (update.HideToolbar) HideToolbar();
  if (update.StartScrolling) {
    StartScrollingCapture();
    return;
  }
  if (update.ShowToolbar) {
    ShowToolbar(update.ToolbarAfterHandleDrag);
    ::SetFocus(Handle());
  }
  for (const TRect& r : update.Dirty) Invalidate(r);
  if (update.Close) StartTimer(Tmr2Id, 10, [this] { tmr2Timer(); });
}

void TScreenShotMainForm::RenderMagnifier() {
  const TPoint p = FRun->MagnifierPoint();
  FRun->Magnifier().Render(FScreenCopy.View(), p, FMagnifierImage.View());
  const TRect front = FRun->Front();
  FSizeText = MagnifierSizeText(FSizeWord, front.Width(), front.Height());
  FRgbText = MagnifierRgbText(FScreenCopy.View(), p);
}

void TScreenShotMainForm::Invalidate(const TRect& r) {
  const RECT rect = ToRECT(r);
  ::InvalidateRect(Handle(), &rect, FALSE);
}

void TScreenShotMainForm::PaintArea(HDC target, const RECT& area) {
  const TRect dirty = ToTRect(area);
  if (dirty.IsEmpty()) return;
  if (OnlyMaskShows(FRun->Layers({}, {}, {}), dirty)) {
    PaintDimmed(target, dirty);
    return;
  }
  if (FMask.IsEmpty()) DrawImage_BackGround();  // full-screen and window modes: their first picture
  if (FMask.IsEmpty()) return;
  if (FCompose.IsEmpty() && !FCompose.Create(FDesktop.Width, FDesktop.Height)) return;
  ComposeOverlay(FRun->Layers(FMask.View(), FScreenCopy.View(), FMagnifierImage.View()), dirty, FCompose.View(),
                 {0, 0});
  const TMagnifier& magnifier = FRun->Magnifier();
  if (magnifier.Visible() && !magnifier.Panel().Intersect(dirty).IsEmpty()) {
    // Label_Size and Label_RGB, in the panel below the enlarged view.
    const TMagnifierMetrics& m = magnifier.Metrics();
    const TRect panel = magnifier.Panel();
    HDC dc = FCompose.Dc();
    const int saved = ::SaveDC(dc);
    ::IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    ::SelectObject(dc, FLabelFont.Get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(0xE6, 0xE6, 0xE6));
    ::TextOutW(dc, panel.Left + m.ImageLeft, panel.Top + m.SizeLabelTop, Wide(FSizeText), int(FSizeText.size()));
    ::TextOutW(dc, panel.Left + m.ImageLeft, panel.Top + m.RgbLabelTop, Wide(FRgbText), int(FRgbText.size()));
    ::RestoreDC(dc, saved);
  }
  ::GdiFlush();
  ::BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, FCompose.Dc(), area.left,
           area.top, SRCCOPY);
}

void TScreenShotMainForm::PaintDimmed(HDC target, const TRect& area) {
  if (!FMask.IsEmpty()) {
    ::BitBlt(target, area.Left, area.Top, area.Width(), area.Height(), FMask.Dc(), area.Left, area.Top, SRCCOPY);
    return;
  }
  // The first picture in region mode comes before the mask: the frozen screen dimmed strip by strip through one
  // small buffer that stays in the cache, rather than through 33 MB of fresh memory at 4K.
  const int32_t rowsPerStrip = std::max(1, CopyStripBytes / (area.Width() * 4));
  TDibImage strip;
  if (!strip.Create(area.Width(), std::min(rowsPerStrip, area.Height()))) return;
  for (int32_t top = area.Top; top < area.Bottom; top += rowsPerStrip) {
    const int32_t rows = std::min(rowsPerStrip, area.Bottom - top);
    ::GdiFlush();  // the last strip has left the buffer
    BlendOverBlack(FScreenCopy.View().Sub({area.Left, top, area.Right, top + rows}), strip.View(), MaskAlpha);
    ::BitBlt(target, area.Left, top, area.Width(), rows, strip.Dc(), 0, 0, SRCCOPY);
  }
}

void TScreenShotMainForm::OnPaint() {
  std::vector<RECT> rects = UpdateRects(Handle());
  TPaintScope paint(Handle());
  if (rects.empty()) rects.push_back(paint.Dirty());
  for (const RECT& r : rects) PaintArea(paint.Get(), r);
  if (!FFirstPainted) {
    // tmr1 ticks once the message loop has waited, which is when Wine hands the painted picture to the display.
    FFirstPainted = true;
    MarkStartUpStep(u"first paint");
    StartTimer(Tmr1Id, 10, [this] { tmr1Timer(); });
  }
}

bool TScreenShotMainForm::OnSetCursor() {
  POINT p{};
  ::GetCursorPos(&p);
  ::ScreenToClient(Handle(), &p);
  const wchar_t* cursor = IDC_ARROW;
  switch (FRun->CursorAt({p.x, p.y})) {
    case TCursorKind::Move: cursor = IDC_SIZEALL; break;
    case TCursorKind::SizeNwse: cursor = IDC_SIZENWSE; break;
    case TCursorKind::SizeNs: cursor = IDC_SIZENS; break;
    case TCursorKind::SizeNesw: cursor = IDC_SIZENESW; break;
    case TCursorKind::SizeWe: cursor = IDC_SIZEWE; break;
    case TCursorKind::Arrow: break;
  }
  ::SetCursor(::LoadCursorW(nullptr, cursor));
  return true;
}

bool TScreenShotMainForm::PreviewKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  const TKey key = KeyOf(msg.wParam);
  if (key == TKey::Other || !FRun || !FKeys || !FRun->Ready()) return false;
  TKeyContext context;
  context.DetectionRunning = FRun->Detecting();
  context.OverlayVisible = ::IsWindowVisible(Handle()) != FALSE;
  context.OutputBusy = FRun->OutputBusy();
  context.UndoEnabled = context.CopyEnabled = context.SaveEnabled = FRun->HasSelection();
  context.SomethingDrawn = AnnotationCount() >= 1;
  context.RedoEnabled = FViewEdit && FViewEdit->Surface().RedoCount() > 0;
  // While a text is open, undo, redo, Delete and the arrow keys belong to it.
  const bool typing = OpenText() != nullptr;
  context.UndoEnabled = context.UndoEnabled && !typing;
  context.RedoEnabled = context.RedoEnabled && !typing;
  context.AnnotationSelected = FViewEdit && FViewEdit->Surface().CurrentLayer() > 0 && !typing;
  const TModifiers modifiers{KeyDown(VK_CONTROL), KeyDown(VK_SHIFT), KeyDown(VK_MENU)};
  switch (FKeys->OnKey(key, modifiers, context, ::GetTickCount())) {
    case TKeyAction::Close: Close(); return true;
    case TKeyAction::StartTopmostTimer:
      StartTimer(TmrTopmostId, TopmostTimerMs, [this] { tmr_TopmostTimer(); });
      return true;
    case TKeyAction::Copy: Btn_Rd_CopyClick(); return true;
    case TKeyAction::Save: Btn_rd_saveClick(); return true;
    case TKeyAction::ShowExitTip:
      if (FExitTip) FExitTip->ShowCentredOn(FRun->Selection().Image());
      StartTimer(TmrExitTipId, ExitTipTimerMs, [this] { tmr_ExitTipTimer(); });
      return true;
    case TKeyAction::Undo: Btn_Rd_ReturnClick(); return true;
    case TKeyAction::Redo: RedoAnnotation(); return true;
    case TKeyAction::DeleteAnnotation: DeleteAnnotation(); return true;
    case TKeyAction::NudgeAnnotation: NudgeAnnotation(NudgeDistance(key, modifiers.Shift)); return true;
    case TKeyAction::None: return false;
  }
  return false;
}

void TScreenShotMainForm::Close() {
  if (FRun && FRun->OutputBusy()) return;
  TerminateCapture();
}

LRESULT TScreenShotMainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const TPoint point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (message) {
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT && FRun) return OnSetCursor();
      break;
    case WM_LBUTTONDOWN:
      FNotice.FirstPress();
      ::SetCapture(Handle());
      Apply(FRun->LeftDown(point));
      return 0;
    case WM_MOUSEMOVE: Apply(FRun->MouseMove(point)); return 0;
    case WM_LBUTTONUP:
      Apply(FRun->LeftUp(point));
      ::ReleaseCapture();
      return 0;
    case WM_CAPTURECHANGED:  // Alt+Tab, the Windows key or a system prompt took the mouse during a drag
      if (FRun) Apply(FRun->CaptureLost());
      return 0;
    case WM_RBUTTONUP: Apply(FRun->RightUp()); return 0;
    case WmCloseOverlay:
    case WM_CLOSE: Close(); return 0;
  }
  return DefaultHandler(message, wParam, lParam);
}

}  // namespace qor
