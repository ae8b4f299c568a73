// A pin's outputs: Ctrl+C puts the original picture on the clipboard, Ctrl+S saves it through the save dialog with
// the writers and file types of the capture's Save.
#include <windows.h>

#include <optional>

#include "app/LogManage.h"
#include "app/Language.h"
#include "app/MessageTexts.h"
#include "app/SafeIniFile.h"
#include "app/win/UserFolders.h"
#include "base/FileSystem.h"
#include "base/Utf16Text.h"
#include "companions/pin/win/FormPinned.h"
#include "output/CreateDirCir.h"
#include "output/SaveFlow.h"
#include "output/SaveFormat.h"
#include "output/SaveNaming.h"
#include "output/win/ClipboardCopy.h"
#include "output/win/SaveDialog.h"
#include "output/win/PictureWriter.h"
#include "output/win/SaveFlowHost.h"

namespace qor {

namespace {

constexpr int FolderMyPictures = 39;  // CSIDL_MYPICTURES

}  // namespace

void TFormPinned::CopyPicture() {
  const TClipboardCopyResult result = CopyImageToClipboard(FPicture.View(), Handle());
  if (result == TClipboardCopyResult::Copied) {
    WriteLog(u"[Pin]copied");
    return;
  }
  const std::u16string reason = ClipboardCopyResultText(result);
  WriteLog(u"[Pin]not copied," + reason);
  ShowMessage(Handle(), FormatText(AppLanguage().MessageText(CopyFailedKey, CopyFailedDefault), {reason}));
}

void TFormPinned::SavePicture() {
  const std::u16string extension =
      SaveExtensionFromSetting(ReadConfigString(u"AIAssistant", u"ScreenshotCapFormat", u"1"));
  const std::u16string folder = DefaultSaveFolder(ReadConfigString(u"AIAssistant", u"ScreenshotCapPath", u""),
                                                  win::SpecialFolderPath(FolderMyPictures));
  createDirCir(folder);
  // The dialog and its questions show above the pin.
  const bool onTop = FKeepOnTop;
  if (onTop) SetKeepOnTop(false);
  const TConstImageView picture = FPicture.View();
  const HWND owner = Handle();
  TWindowSaveHost host(owner, extension, [owner, picture](const std::u16string& path) {
    std::u16string written;
    if (WritePictureFile(owner, picture, path, &written)) return true;
    WriteLog(u"[Pin]not saved," + path);
    return false;
  });
  const bool saved = RunSaveFlow({folder, ScreenShotFileName(LocalTimeNow()), extension, false}, host);
  WriteLog(saved ? u"[Pin]saved" : u"[Pin]save cancelled");
  if (onTop && Handle()) SetKeepOnTop(true);
}

}  // namespace qor
