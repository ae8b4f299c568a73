#include "scroll/win/ScrollCapture.h"

#include "app/LogManage.h"
#include "app/Language.h"
#include "app/win/ProcessState.h"
#include "app/win/UsageReporter.h"
#include "base/FileSystem.h"
#include "base/Utf16Text.h"
#include "output/CreateDirCir.h"
#include "output/SaveFlow.h"
#include "output/SaveFormat.h"
#include "output/SaveNaming.h"
#include "output/win/ClipboardCopy.h"
#include "output/win/PinLaunch.h"
#include "output/win/SaveDialog.h"
#include "output/win/SaveFlowHost.h"
#include "output/win/PictureWriter.h"
#include "output/win/TipForm.h"

namespace qor {

namespace {

HWND TopLevelWindowUnderCursor() {
  POINT p{};
  ::GetCursorPos(&p);
  const HWND under = ::WindowFromPoint(p);
  return under ? ::GetAncestor(under, GA_ROOT) : nullptr;
}

// Sets a flag for as long as the guard lives.
class TFlagGuard {
 public:
  explicit TFlagGuard(bool& flag) : FFlag(flag) { FFlag = true; }
  ~TFlagGuard() { FFlag = false; }
  TFlagGuard(const TFlagGuard&) = delete;
  TFlagGuard& operator=(const TFlagGuard&) = delete;

 private:
  bool& FFlag;
};

}  // namespace

TScrollCapture::TScrollCapture(TScale scale) : FScale(scale) {}

TScrollCapture::~TScrollCapture() {
  if (FRun) FRun->EndRun();
}

bool TScrollCapture::Start(const TScrollStartRequest& request) {
  FRequest = request;
  FPreview = std::make_unique<TFormOf<TFormScrollWinsPreView>>();
  FTip = std::make_unique<TFormOf<TFormScrollWinsTip>>(FScale);
  FTools = std::make_unique<TFormOf<TFormScrollWinsTools>>(FScale);
  FRun = std::make_unique<TFormOf<TFormLongScreenShot>>(
      TScrollCompanions{FTools.get(), FPreview.get(), FTip.get(), &FBusy});
  if (!FPreview->Create() || !FTip->Create() || !FTools->Create() || !FRun->Create(request.Desktop)) {
    WriteLog(u"[ScrollCapture]the run's windows could not be made");
    return false;
  }
  FTools->OnAction = [this](TScrollAction action) { Act(action); };
  FTools->CanAct = [this] { return !FBusy.Any() && !ClipboardTipShowing(); };
  FTools->PreviewVisible = [this] { return FPreview->Visible(); };
  FPreview->OnMouseEnter = [this] {
    if (!FBusy.Output) FTools->BringToFront();
  };

  const TRunRects rects = RunRectsForSelection(request.Selection, request.Desktop);
  FRun->SetRects(rects);
  HWND target = request.Target && ::IsWindow(request.Target) ? request.Target : TopLevelWindowUnderCursor();
  FRun->ShowRun(target);
  if (target) {
    ::SetForegroundWindow(target);
    ::SetFocus(target);
  }
  FTools->ShowFor(rects.Capture, request.Desktop);
  FRun->InstallHooks();
  return true;
}

void TScrollCapture::Act(TScrollAction action) {
  switch (action) {
    case TScrollAction::Exit:
      UsageEvent(u"a313");
      Exit();
      return;
    case TScrollAction::Pin:
      UsageEvent(u"a306");
      Pin();
      return;
    case TScrollAction::Copy:
      UsageEvent(u"a311");
      Copy();
      return;
    case TScrollAction::Save:
      UsageEvent(u"a312");
      Save();
      return;
    case TScrollAction::None: return;
  }
}

void TScrollCapture::Exit() {
  FRun->RemoveHooks();
  CloseAll();
}

void TScrollCapture::Pin() {
  TFlagGuard output(FBusy.Output);
  FRun->RemoveHooks();
  FTools->Hide();
  FRun->WaitForWorker();
  const TRect& capture = FRun->Rects().Capture;
  if (HandPictureToPin(FRun->WholeResult(), {0, 0}, capture) == TPinHandOver::NotWritten) {
    // The picture would be lost: the run comes back to be copied or saved instead.
    FTools->ShowFor(capture, FRequest.Desktop);
    FRun->InstallHooks();
    return;
  }
  CloseAll();
}

void TScrollCapture::Copy() {
  TFlagGuard output(FBusy.Output);
  FRun->RemoveHooks();
  FRun->WaitForWorker();
  const TClipboardCopyResult result = CopyImageToClipboard(FRun->WholeResult(), FTools->Handle());
  if (result != TClipboardCopyResult::Copied) {
    // Not on the clipboard: the run stays, so the picture can still be saved.
    const std::u16string reason = ClipboardCopyResultText(result);
    WriteLog(u"[copybtn]not copied," + reason);
    ShowMessage(FTools->Handle(), FormatText(AppLanguage().MessageText(CopyFailedKey, CopyFailedDefault), {reason}));
    FRun->InstallHooks();
    FTools->BringToFront();
    return;
  }
  FTools->Hide();
  ::ShowWindow(FRun->Handle(), SW_HIDE);
  FPreview->Hide();
  ShowClipboardTipIfWanted(nullptr);
  ::PostMessageW(ProcessState().LauncherHandle, WmOutputDone, 1, 0);
  CloseAll();
}

bool TScrollCapture::WriteResult(const std::u16string& path) {
  // A picture too tall for JPEG (or GIF) is offered as PNG; when nothing is written the user has been told why and
  // the run goes on.
  std::u16string written;
  if (!WritePictureFile(FTools->Handle(), FRun->WholeResult(), path, &written)) {
    WriteLog(u"[savebtn]not saved," + path);
    return false;
  }
  if (written != path) WriteLog(u"[savebtn]saved as," + written);
  return true;
}

void TScrollCapture::Save() {
  bool saved = false;
  {
    TFlagGuard saving(FBusy.Saving);
    FTip->Hide();
    FTools->ShowSavePressed(true);
    FTools->SetTopmost(false);
    FRun->SetTopmost(false);
    FRun->WaitForWorker();
    const std::u16string folder = Trim(FRequest.SaveFolder);
    createDirCir(folder);
    TWindowSaveHost host(FTools->Handle(), FRequest.SaveExtension,
                         [this](const std::u16string& path) { return WriteResult(path); });
    saved =
        RunSaveFlow({folder, ScreenShotFileName(LocalTimeNow()), FRequest.SaveExtension, FRequest.AlwaysSave}, host);
  }
  if (saved) {
    ::PostMessageW(ProcessState().LauncherHandle, WmOutputDone, 2, 0);
    CloseAll();
  }
  // Cancelled: the run goes on.
  FRun->SetTopmost(true);
  FTools->ShowSavePressed(false);
  FRun->InstallHooks();
  FTools->BringToFront();
}

void TScrollCapture::CloseAll() {
  FRun->EndRun();
  TerminateCapture();
}

}  // namespace qor
