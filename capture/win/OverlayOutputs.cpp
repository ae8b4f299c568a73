// The overlay's outputs: Save (straight into the default folder, or through the save dialog) and Copy (the
// clipboard and its tip). Both end the capture on success; a picture that could not be written or copied keeps
// the overlay open, so it is never lost.
#include <windows.h>

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
#include "output/SaveFormat.h"
#include "output/SaveNaming.h"
#include "output/win/ClipboardCopy.h"
#include "output/win/SaveDialog.h"
#include "output/win/SaveNewBitmap.h"
#include "output/win/TipForm.h"

namespace qor {

namespace {

// The user's pictures folder as the shell records it ("My Pictures" under the current user's Shell Folders).
std::u16string MyPicturesFolder() {
  wchar_t buffer[MAX_PATH * 2] = {};
  DWORD size = sizeof(buffer);
  if (::RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                     L"My Pictures", RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
    return {};
  return std::u16string(reinterpret_cast<const char16_t*>(buffer));
}

std::u16string TextOr(const std::u16string& text, std::u16string_view fallback) {
  return text.empty() ? std::u16string(fallback) : text;
}

}  // namespace

void TScreenShotMainForm::LoadSaveSettings() {
  FSaveExtension = SaveExtensionFromSetting(ReadConfigString(u"AIAssistant", u"ScreenshotCapFormat", u"1"));
  FSavePathPanel = std::make_unique<TSavePathPanel>(
      IsScaled(), DefaultSaveFolder(ReadConfigString(u"AIAssistant", u"ScreenshotCapPath", u""), MyPicturesFolder()));
}

void TScreenShotMainForm::ShowSavePathPanel() {
  if (!FToolbar || !FSavePathPanel->Handle()) return;
  const int32_t primaryBottom = ::GetSystemMetrics(SM_CYSCREEN) - FDesktop.Top;
  FSavePathPanel->ShowAt(PlaceBesideToolbar(FRun->Selection().Image(), FToolbar->Bounds(),
                                            FSavePathPanel->Size().Height, primaryBottom));
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

TImageView TScreenShotMainForm::FrontImage() const { return FScreenCopy.View().Sub(FRun->Selection().Image()); }

void TScreenShotMainForm::SetTopmost(bool topmost) {
  ::SetWindowPos(Handle(), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool TScreenShotMainForm::SaveTo(const std::u16string& path) {
  const TSaveResult result = SaveNewBitmap(FrontImage(), path);
  if (result == TSaveResult::Saved) return true;
  // Nothing was written: the picture stays on screen and the user is told why.
  WriteLog(u"[savebtn]not saved," + path + u"," + SaveResultText(result));
  const std::u16string text = AppLanguage().MessageText(SaveFailedKey, SaveFailedDefault);
  ShowMessage(Handle(), FormatText(text, {path, SaveResultText(result)}));
  return false;
}

void TScreenShotMainForm::StayAfterSave() {
  ::SetFocus(Handle());
  SetTopmost(true);
  if (FToolbar) {
    if (TRdImageButton* save = FToolbar->Button(TToolbarChild::Rd_Save)) {
      save->SetSelected(false);
      save->Invalidate();
    }
  }
  ProcessState().OutputBusy = false;
}

void TScreenShotMainForm::Btn_rd_saveClick() {
  if (ProcessState().OutputBusy || !FRun->HasSelection()) return;
  // Counted before the busy flag is set: the count is skipped only for outputs started while a save runs.
  CountAction(u"332");
  ProcessState().OutputBusy = true;
  std::u16string fileName = ScreenShotFileName(LocalTimeNow());
  if (FToolbar) {
    if (TRdImageButton* save = FToolbar->Button(TToolbarChild::Rd_Save)) {
      save->SetSelected(true);
      save->Invalidate();
    }
  }
  SetTopmost(false);  // dialogs and message boxes show above the overlay

  const std::u16string folder = Trim(FSavePathPanel->Folder());
  WriteLog(u"[savebtn]createDirCir");
  createDirCir(folder);
  bool saved = false;
  if (FSavePathPanel->AlwaysSave() && FileSystem().DirectoryExists(folder)) {
    WriteLog(u"[savebtn]DirectoryExists and Checked," + folder);
    saved = SaveTo(folder + fileName + FSaveExtension);
  } else {
    if (!FileSystem().DirectoryExists(folder)) WriteLog(u"[savebtn]not DirectoryExists," + folder);
    const auto chosen = RunSaveDialog(Handle(), folder, fileName, std::u16string(SaveDialogFilter),
                                      FilterIndexForExtension(FSaveExtension), std::u16string(SaveDialogDefaultExt));
    if (chosen) {
      // A typed name that no writer knows gets the chosen type's extension, so the picture is written.
      const std::u16string path = PathWithWritableExtension(chosen->FileName, chosen->FilterIndex);
      const std::u16string question =
          TextOr(MessageTexts().M_Screen_ImgExitHint, u"%s already exists. Do you want to replace it?");
      if (!FileSystem().FileExists(path) || AskOverwrite(Handle(), question, path)) saved = SaveTo(path);
    }
  }
  if (!saved) {
    StayAfterSave();
    return;
  }
  ProcessState().OutputBusy = false;
  ::PostMessageW(ProcessState().LauncherHandle, WmOutputDone, 2, 0);
  Close();
}

void TScreenShotMainForm::Btn_Rd_CopyClick() {
  if (ProcessState().OutputBusy || !FRun->HasSelection()) return;
  CountAction(u"333");
  const TClipboardCopyResult result = CopyImageToClipboard(FrontImage(), Handle());
  if (result != TClipboardCopyResult::Copied) {
    // The picture is not on the clipboard: the capture stays open instead of ending as if it had been copied.
    WriteLog(std::u16string(u"[copybtn]clipboard ") + ClipboardCopyResultText(result));
    ShowMessage(Handle(), AppLanguage().MessageText(CopyFailedKey, CopyFailedDefault));
    return;
  }
  ::ShowWindow(Handle(), SW_HIDE);
  ShowClipboardTipIfWanted(Handle());
  ::PostMessageW(ProcessState().LauncherHandle, WmOutputDone, 1, 0);
  Close();
}

}  // namespace qor
