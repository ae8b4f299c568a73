#include "scroll/win/FormLongScreenShot.h"

#include <algorithm>
#include <cstring>
#include <chrono>
#include <thread>

#include "app/LogManage.h"
#include "app/win/DpiAwareness.h"
#include "app/AppPaths.h"
#include "base/BmpFile.h"
#include "base/PixelOps.h"
#include "scroll/FrameSettle.h"
#include "base/Utf16Text.h"
#include "base/win/UniqueHandle.h"
#include "base/win/WinConvert.h"
#include "scroll/win/FormScrollWinsPreView.h"
#include "scroll/win/FormScrollWinsTip.h"
#include "scroll/win/FormScrollWinsTools.h"
#include "scroll/win/ScrollTrace.h"

namespace qor {

namespace {

constexpr UINT_PTR RdTimerHideTipId = 1;
constexpr UINT RdTimerHideTipMs = 2000;
// RdPanel_Main's colour: black at alpha 0x70, a veil over everything but the region.
constexpr uint32_t VeilColour = 1879048192;
// Waiting for the worker when the run ends: polls of 10 ms, about 10 s in all.
constexpr int WorkerWaitPolls = 1000;

bool Inside(const TRect& r, POINT p) { return p.x >= r.Left && p.x < r.Right && p.y >= r.Top && p.y < r.Bottom; }

TMouseEventKind KindOf(WPARAM message) {
  switch (message) {
    case WM_MOUSEWHEEL: return TMouseEventKind::Wheel;
    case WM_LBUTTONDOWN: return TMouseEventKind::LeftDown;
    case WM_LBUTTONUP: return TMouseEventKind::LeftUp;
    case WM_RBUTTONDOWN: return TMouseEventKind::RightDown;
    case WM_RBUTTONUP: return TMouseEventKind::RightUp;
    default: return TMouseEventKind::Other;
  }
}

bool KeyIsDown(int key) { return (::GetAsyncKeyState(key) & 0x8000) != 0; }

bool SamePixels(const TConstImageView& a, const TConstImageView& b) {
  if (a.Width != b.Width || a.Height != b.Height) return false;
  for (int32_t y = 0; y < a.Height; ++y)
    if (std::memcmp(a.Row(y), b.Row(y), size_t(a.Width) * sizeof(TBgra)) != 0) return false;
  return true;
}

}  // namespace

// One accepted wheel step: the frame is taken when the worker reaches it.
class TFormLongScreenShot::TLongPicWorkDataObj : public TWorkDataObj {
 public:
  explicit TLongPicWorkDataObj(bool downward) : Downward(downward) {}
  const bool Downward;
};

TFormLongScreenShot::TFormLongScreenShot(TScrollCompanions companions) : FCompanions(companions) {}

TFormLongScreenShot::~TFormLongScreenShot() {
  EndRun();
  FmemoutList.Clear();
}

bool TFormLongScreenShot::Create(const TRect& desktop) {
  FDesktop = desktop;
  FThrottle = std::make_unique<TWheelThrottle>(::GetTickCount());
  FFeedback = {};
  FPlacement = {};
  FPool = std::make_unique<TQuickThreadPool>(true);
  FPool->SetWorkHandler([this](TQuickThreadPool&, TWorkDataObj& item, TPoolThread&) {
    TakeFrame(static_cast<TLongPicWorkDataObj&>(item).Downward, true);
  });
  FPool->SetThreadCount(1);
  if (!CreateForm(L"TFormLongScreenShot", WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_LAYERED | WS_EX_NOACTIVATE, WS_POPUP,
                  L"LongScreenShot", desktop.Left, desktop.Top, desktop.Width(), desktop.Height()))
    return false;
  win::AllowMessage(Handle(), WmLongPicStep);
  win::AllowMessage(Handle(), WmLongPicProcessed);
  return true;
}

void TFormLongScreenShot::ShowRun(HWND target) {
  FTarget = target;
  // The region shows the live screen: the window is everything but the hole.
  const TRect& hole = FRects.Hole;
  TRegionHandle whole(::CreateRectRgn(0, 0, FDesktop.Width(), FDesktop.Height()));
  TRegionHandle cut(::CreateRectRgn(hole.Left, hole.Top, hole.Right, hole.Bottom));
  ::CombineRgn(whole.Get(), whole.Get(), cut.Get(), RGN_XOR);
  if (::SetWindowRgn(Handle(), whole.Get(), FALSE)) whole.Release();  // the system owns it now
  ::SetWindowPos(Handle(), HWND_TOPMOST, FDesktop.Left, FDesktop.Top, FDesktop.Width(), FDesktop.Height(),
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
  PaintLayered();
  FLongPictureModule.Load(ExecutableFolder());
  TakeFrame(true, false);
  if (FCompanions.Tip) FCompanions.Tip->ShowMode(TScrollTipMode::Usage, FRects.Capture);
}

void TFormLongScreenShot::PaintLayered() {
  // The veil and the four frame lines, handed to the layered window with per-pixel alpha.
  TDibImage picture;
  if (!picture.Create(FDesktop.Width(), FDesktop.Height())) return;
  const TBgra veil{0, 0, 0, uint8_t(VeilColour >> 24)};
  const TImageView& view = picture.View();
  for (int32_t y = 0; y < view.Height; ++y) std::fill_n(view.Row(y), view.Width, veil);
  const TBgra line{uint8_t(RunFrameColour & 0xFF), uint8_t((RunFrameColour >> 8) & 0xFF),
                   uint8_t((RunFrameColour >> 16) & 0xFF), 255};
  // The hole is also fully transparent in the picture: where the system shapes layered windows by their alpha
  // (Wine does), the region alone would not let the pointer reach the window below.
  const TRect bounds{0, 0, view.Width, view.Height};
  const TRect hole = FRects.Hole.Intersect(bounds);
  for (int32_t y = hole.Top; y < hole.Bottom; ++y) std::fill_n(view.Row(y) + hole.Left, hole.Width(), TBgra{});
  const TFrameLines lines = FrameLinesAround(FRects.Hole);
  for (const TRect& r : {lines.Top, lines.Left, lines.Right, lines.Bottom}) {
    const TRect clipped = r.Intersect(bounds);
    for (int32_t y = clipped.Top; y < clipped.Bottom; ++y)
      std::fill_n(view.Row(y) + clipped.Left, clipped.Width(), line);
  }
  ::GdiFlush();
  POINT origin{FDesktop.Left, FDesktop.Top};
  POINT source{0, 0};
  SIZE size{FDesktop.Width(), FDesktop.Height()};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  TWindowDc screen(nullptr);
  ::UpdateLayeredWindow(Handle(), screen.Get(), &origin, &size, picture.Dc(), &source, 0, &blend, ULW_ALPHA);
}

void TFormLongScreenShot::TakeFrame(bool downward, bool cursorTest) {
  const TRect& capture = FRects.Capture;
  if (cursorTest) {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    if (!Inside(capture, cursor)) {
      ScrollTrace(u"not in longpic aera.");
      return;
    }
  }
  // A 32-bit DIB section whatever the screen's depth, so a 16-bit session still gives frames the library reads.
  TDibImage frame;
  if (!frame.Create(capture.Width(), capture.Height()) || !Grab(frame)) return;
  if (cursorTest && !FFrameBefore.View().IsEmpty()) {
    // After a wheel step the window needs a moment to scroll and repaint.
    TImage lastGrab = CropImage(frame.View(), {0, 0, frame.Width(), frame.Height()});
    TFrameSettle settle(::GetTickCount());
    while (!settle.Ready(SamePixels(frame.View(), FFrameBefore.View()), SamePixels(frame.View(), lastGrab.View()),
                         ::GetTickCount())) {
      CopyPixels(frame.View(), lastGrab.View());
      ::Sleep(FrameSettlePollMs);
      if (!Grab(frame)) return;
    }
  }
  FFrameBefore = CropImage(frame.View(), {0, 0, frame.Width(), frame.Height()});
  const std::vector<uint8_t> input = WriteBmp(frame.View(), 32);
  const TOpencvLongScreenShot entry = FLongPictureModule.Entry();
  if (!entry || input.empty()) return;
  uint8_t* result = nullptr;
  int32_t resultSize = 0;
  const bool stitched =
      (entry(downward ? 1 : 0, input.data(), int32_t(input.size()), &result, &resultSize) & 0xFF) != 0;
  ScrollTrace(u"DoCaptureEveryOnePic " + IntToText(stitched ? 1 : 0));
  if (!result || resultSize <= 0) {
    ::PostMessageW(Handle(), WmLongPicProcessed, 2, 0);
    return;
  }
  // Only what changed is copied out of the library's buffer, before the next call can replace it.
  auto record = std::make_unique<TLongPicResult>();
  {
    std::lock_guard lock(FResultLock);
    TRowSpan changed;
    if (FLongResult.Update(result, size_t(resultSize), downward, changed))
      FPreviewCopy.Update(FLongResult.View(), changed, FLongResult.Prepended());
    record->Preview = FPreviewCopy.Snapshot();
    record->Width = FLongResult.Width();
    record->Height = FLongResult.Height();
  }
  record->Downward = downward;
  record->Status = stitched ? 0 : 1;
  FmemoutList.Append(std::move(record));
  ::PostMessageW(Handle(), WmLongPicProcessed, stitched ? 0 : 1, 0);
}

bool TFormLongScreenShot::Grab(TDibImage& frame) const {
  TWindowDc screen(nullptr);
  const bool copied = CopyFromDc(screen.Get(), FRects.Capture.Left, FRects.Capture.Top, frame, SRCCOPY | CAPTUREBLT);
  ::GdiFlush();
  return copied;
}

void TFormLongScreenShot::StepAccepted(int16_t delta) {
  const bool upward = delta >= 0;
  TFormScrollWinsPreView* preview = FCompanions.Preview;
  if (preview && preview->Visible() && FPlacement.Side() == TPreviewSide::Inside) {
    const TRect box = preview->Bounds().Offset(-FDesktop.Left, -FDesktop.Top);
    preview->MoveTo(FPlacement.MoveAside(box, FRects.Hole, upward).Offset(FDesktop.Left, FDesktop.Top));
  }
  TFormScrollWinsTip* tip = FCompanions.Tip;
  if (tip && tip->Visible() && tip->Mode() == TScrollTipMode::Failure) tip->Hide();
  if (FEnded || !FPool) return;
  FPool->AddWorkData(std::make_unique<TLongPicWorkDataObj>(!upward));
}

void TFormLongScreenShot::FrameProcessed(int status) {
  TFormScrollWinsTip* tip = FCompanions.Tip;
  TFormScrollWinsTools* tools = FCompanions.Tools;
  const TScrollFeedback::TTipAction action = FFeedback.FrameProcessed(
      status, tip && tip->Visible(), tools && tools->Visible(), tip ? tip->Mode() : TScrollTipMode::Usage);
  if (action.ShowFailureTip && tip) tip->ShowMode(TScrollTipMode::Failure, FRects.Capture);
  if (action.StartHideTimer) StartTimer(RdTimerHideTipId, RdTimerHideTipMs, [this] { RdTimerHideTipTimer(); });
  if (status == 2) return;
  int count = 0;
  TLongPicResult* newest = FmemoutList.KeepNewest(count);
  ScrollTrace(u"Self.FmemoutList.Count " + IntToText(count));
  if (newest && !newest->Preview.View().IsEmpty()) ShowLongScreenShot(*newest);
}

void TFormLongScreenShot::ShowLongScreenShot(const TLongPicResult& result) {
  const auto started = std::chrono::steady_clock::now();
  RECT workArea{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
  TPreviewInput in;
  in.Result = {result.Width, result.Height};
  in.Region = FRects.Hole;
  in.RunWindow = {FDesktop.Width(), FDesktop.Height()};
  in.WorkAreaBottom = workArea.bottom - FDesktop.Top;
  in.Downward = result.Downward;
  std::vector<std::u16string> log;
  const TRect box = FPlacement.Place(in, &log);
  for (const std::u16string& line : log) WriteLog(line);
  if (box.IsEmpty() || !FCompanions.Preview) return;
  ScrollTrace(u"DestW = " + IntToText(box.Width()) + u",DestH =" + IntToText(box.Height()));
  const auto placed = std::chrono::steady_clock::now();
  if (!FCompanions.Preview->ShowScaled(result.Preview.View(), box.Offset(FDesktop.Left, FDesktop.Top))) return;
  const auto painted = std::chrono::steady_clock::now();
  if (FCompanions.Tools) FCompanions.Tools->BringToFront();
  // The user-interface thread's work for this result, for the log: all of it, and scaling and painting.
  const auto micros = [](auto from, auto to) {
    return IntToText(std::chrono::duration_cast<std::chrono::microseconds>(to - from).count());
  };
  const auto done = std::chrono::steady_clock::now();
  WriteLog(u"[LongPicture]shown " + IntToText(result.Width) + u" x " + IntToText(result.Height) + u" in " +
           micros(started, done) + u" us (scaled and painted in " + micros(placed, painted) + u" us)");
}

void TFormLongScreenShot::RdTimerHideTipTimer() {
  StopTimer(RdTimerHideTipId);
  FFeedback.HideTimerFired();
  TFormScrollWinsTip* tip = FCompanions.Tip;
  if (tip && tip->Visible() && tip->Mode() == TScrollTipMode::Failure) tip->Hide();
}

bool TFormLongScreenShot::OnMouse(WPARAM message, const MSLLHOOKSTRUCT& event) {
  TMouseFacts facts;
  facts.Kind = KindOf(message);
  if (facts.Kind == TMouseEventKind::Other) return false;
  const HWND under = ::WindowFromPoint(event.pt);
  if (facts.Kind != TMouseEventKind::RightDown && facts.Kind != TMouseEventKind::RightUp) FWindowUnderCursor = under;
  facts.HasWindowUnderPoint = under != nullptr;
  facts.InsideCapture = Inside(FRects.Capture, event.pt);
  facts.Busy = FCompanions.Busy && FCompanions.Busy->Any();
  facts.UnderIsTargetOrChild = FTarget && under && (under == FTarget || ::IsChild(FTarget, under));
  facts.UnderIsToolbarPanel = FCompanions.Tools && FCompanions.Tools->Owns(under);
  facts.TargetHasFocus = !FTarget || ::GetForegroundWindow() == FTarget;
  facts.TipShowsUsage =
      FCompanions.Tip && FCompanions.Tip->Visible() && FCompanions.Tip->Mode() == TScrollTipMode::Usage;
  const TMouseDecision decision = DecideMouseEvent(facts, *FThrottle, ::GetTickCount());
  if (decision.FocusTarget && FTarget) {
    ::SetForegroundWindow(FTarget);
    ::SetFocus(FTarget);
  }
  if (decision.RaiseToolbar && FCompanions.Tools) FCompanions.Tools->BringToFront();
  if (decision.HideUsageTip && FCompanions.Tip) FCompanions.Tip->Hide();
  switch (decision.Verdict) {
    case TMouseVerdict::PassOn: return false;
    case TMouseVerdict::Swallow: return true;
    case TMouseVerdict::TakeStep:
      FFeedback.StepAccepted();
      ::PostMessageW(Handle(), WmLongPicStep, WPARAM(uint16_t(HIWORD(event.mouseData))), 0);
      return false;
  }
  return false;
}

bool TFormLongScreenShot::OnKey(const KBDLLHOOKSTRUCT& event) {
  TKeyFacts facts;
  facts.VirtualKey = event.vkCode;
  facts.CtrlDown = KeyIsDown(VK_CONTROL);
  facts.ToolbarVisible = FCompanions.Tools && FCompanions.Tools->Visible();
  facts.SaveDialogOpen = FCompanions.Busy && FCompanions.Busy->Saving;
  const TKeyDecision decision = DecideKeyEvent(facts);
  if (decision.PostToToolbar >= 0 && FCompanions.Tools)
    ::PostMessageW(FCompanions.Tools->Handle(), WmScrollToolsKey, WPARAM(decision.PostToToolbar), 0);
  return decision.Swallow;
}

void TFormLongScreenShot::InstallHooks() {
  if (!FEnded) FHooks.Install(*this);
}

void TFormLongScreenShot::RemoveHooks() { FHooks.Remove(); }

void TFormLongScreenShot::WaitForWorker() {
  for (int poll = 0; FPool && poll < WorkerWaitPolls; ++poll) {
    if (FPool->TaskCount() == 0 && FPool->WorkingThreadCount() == 0) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

void TFormLongScreenShot::StopPool() {
  if (!FPool) return;
  FPool->SetPoolStatus(TPoolStatus::Stopped);
  for (int poll = 0; poll < WorkerWaitPolls && FPool->WorkingThreadCount() > 0; ++poll)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  FPool.reset();
}

void TFormLongScreenShot::EndRun() {
  RemoveHooks();
  if (FEnded) return;
  FEnded = true;
  // The worker's call must be over before the library's code and picture go away.
  StopPool();
  FLongPictureModule.Unload();
}

void TFormLongScreenShot::SetTopmost(bool topmost) {
  ::SetWindowPos(Handle(), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

LRESULT TFormLongScreenShot::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WmLongPicStep: StepAccepted(int16_t(uint16_t(wParam))); return 0;
    case WmLongPicProcessed: FrameProcessed(int(wParam)); return 0;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
  }
  return DefaultHandler(message, wParam, lParam);
}

}  // namespace qor
