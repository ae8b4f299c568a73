// The overlay's outputs: Save (straight into the default folder, or through the save dialog) and Copy (the
// clipboard and its tip). Both end the capture on success; a picture that could not be written or copied keeps
// the overlay open, so it is never lost.
#include <windows.h>

#include <functional>
#include <optional>

#include "app/LogManage.h"
#include "app/MessageTexts.h"
#include "app/SafeIniFile.h"
#include "app/DpiDecision.h"
#include "app/Language.h"
#include "app/win/UsageReporter.h"
#include "base/FileSystem.h"
#include "base/Utf16Text.h"
#include "capture/win/ScreenShotMainForm.h"
#include "output/CreateDirCir.h"
#include "output/SaveFlow.h"
#include "output/SaveFormat.h"
#include "output/SaveNaming.h"
#include "output/win/ClipboardCopy.h"
#include "output/win/SaveDialog.h"
#include "output/win/PictureWriter.h"
#include "output/win/SaveFlowHost.h"
#include "output/win/TipForm.h"

namespace qor {

void TScreenShotMainForm::LoadSaveSettings() {
  FSaveExtension = SaveExtensionFromSetting(ReadConfigString(u"AIAssistant", u"ScreenshotCapFormat", u"1"));
  FSavePathPanel = std::make_unique<TSavePathPanel>(
      CurrentScale(),
      DefaultSaveFolder(ReadConfigString(u"AIAssistant", u"ScreenshotCapPath", u""), MyPicturesFolder()));
}

void TScreenShotMainForm::ShowSavePathPanel() {
  if (!FToolbar || !FSavePathPanel->Handle()) return;
  const int32_t primaryBottom = ::GetSystemMetrics(SM_CYSCREEN) - FDesktop.Top;
  FSavePathPanel->ShowAt(
      PlaceBesideToolbar(FRun->Selection().Image(), FToolbar->Bounds(), FSavePathPanel->Size().Height, primaryBottom));
}

void TScreenShotMainForm::btn_save_dropClick() {
  // The drawing tools wait while the panel is used.
  if (FToolbar) FToolbar->ResetDrawingTools();
  if (FSavePathPanel->Visible()) {
    btn_pthpnl_closeClick();
    return;
  }
  FSaveDropOpen = true;
  ShowSavePathPanel();
}

void TScreenShotMainForm::btn_pthpnl_closeClick() {
  FSavePathPanel->Hide();
  FSaveDropOpen = false;
  if (!FToolbar || !FToolbar->Visible()) return;
  const int32_t primaryBottom = ::GetSystemMetrics(SM_CYSCREEN) - FDesktop.Top;
  const TRect selection = FRun->Selection().Image();
  FToolbar->ShowAt(PlaceToolbarAfterHandleDrag(selection, FToolbar->Size(), primaryBottom), selection.Width(),
                   selection.Height());
}

TConstImageView TScreenShotMainForm::FrontImage() const {
  // Once something can be drawn, the picture is the edit surface's layer 0, where the merge puts the annotations.
  if (FViewEdit) return FViewEdit->Surface().Background().View();
  return FScreenCopy.View().Sub(FRun->Selection().Image());
}

void TScreenShotMainForm::SetTopmost(bool topmost) {
  ::SetWindowPos(Handle(), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool TScreenShotMainForm::SaveTo(const std::u16string& path) {
  FlattenAnnotations();
  // A picture too large for its file type is offered as PNG; when nothing is written the user has been told why and
  // the picture stays on screen.
  std::u16string written;
  if (!WritePictureFile(Handle(), FrontImage(), path, &written)) {
    WriteLog(u"[savebtn]not saved," + path);
    return false;
  }
  if (written != path) WriteLog(u"[savebtn]saved as," + written);
  return true;
}

void TScreenShotMainForm::ShowSaveButtonPressed(bool pressed) {
  if (!FToolbar) return;
  if (TRdImageButton* save = FToolbar->Button(TToolbarChild::Rd_Save)) {
    save->SetSelected(pressed);
    save->Invalidate();
  }
}

void TScreenShotMainForm::Btn_rd_saveClick() {
  if (FRun->OutputBusy() || !FRun->HasSelection()) return;
  // Counted before the busy flag is set: the count is skipped only for outputs started while a save runs.
  CountAction(u"332");
  bool saved = false;
  {
    const auto busy = FRun->HoldOutputBusy();
    ShowSaveButtonPressed(true);
    SetTopmost(false);  // dialogs and message boxes show above the overlay
    const std::u16string folder = Trim(FSavePathPanel->Folder());
    WriteLog(u"[savebtn]createDirCir");
    createDirCir(folder);
    TWindowSaveHost host(Handle(), FSaveExtension, [this](const std::u16string& path) { return SaveTo(path); });
    saved =
        RunSaveFlow({folder, ScreenShotFileName(LocalTimeNow()), FSaveExtension, FSavePathPanel->AlwaysSave()}, host);
    if (!saved) {
      // Nothing was written: the picture stays, on top, ready for another try.
      ::SetFocus(Handle());
      SetTopmost(true);
      ShowSaveButtonPressed(false);
    }
  }
  if (!saved) return;
  ::PostMessageW(ProcessState().LauncherHandle, WmOutputDone, 2, 0);
  Close();
}

void TScreenShotMainForm::Btn_Rd_CopyClick() {
  if (FRun->OutputBusy() || !FRun->HasSelection()) return;
  CountAction(u"333");
  FlattenAnnotations();
  const TClipboardCopyResult result = CopyImageToClipboard(FrontImage(), Handle());
  if (result != TClipboardCopyResult::Copied) {
    // The picture is not on the clipboard: the capture stays open instead of ending as if it had been copied.
    const std::u16string reason = ClipboardCopyResultText(result);
    WriteLog(u"[copybtn]not copied," + reason);
    ShowMessage(Handle(), FormatText(AppLanguage().MessageText(CopyFailedKey, CopyFailedDefault), {reason}));
    return;
  }
  ::ShowWindow(Handle(), SW_HIDE);
  ShowClipboardTipIfWanted(Handle());
  ::PostMessageW(ProcessState().LauncherHandle, WmOutputDone, 1, 0);
  Close();
}

}  // namespace qor
