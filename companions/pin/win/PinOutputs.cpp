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
#include "output/win/SaveNewBitmap.h"

namespace qor {

namespace {

constexpr int FolderMyPictures = 39;  // CSIDL_MYPICTURES

// The save flow's dialogs, questions and writes, owned by the pin.
class TPinSaveHost : public TSaveFlowHost {
 public:
  TPinSaveHost(HWND owner, std::u16string extension, const TConstImageView& picture)
      : FOwner(owner), FExtension(std::move(extension)), FPicture(picture) {}

  bool DirectoryExists(const std::u16string& folder) override { return FileSystem().DirectoryExists(folder); }
  bool FileExists(const std::u16string& path) override { return FileSystem().FileExists(path); }
  std::optional<TSaveChoice> AskForFile(const std::u16string& folder, const std::u16string& fileName) override {
    const auto chosen = RunSaveDialog(FOwner, folder, fileName, std::u16string(SaveDialogFilter),
                                      FilterIndexForExtension(FExtension), std::u16string(SaveDialogDefaultExt));
    if (!chosen) return std::nullopt;
    return TSaveChoice{chosen->FileName, chosen->FilterIndex};
  }
  bool ConfirmOverwrite(const std::u16string& path) override {
    const std::u16string& question = MessageTexts().M_Screen_ImgExitHint;
    return AskOverwrite(FOwner, question.empty() ? u"%s already exists. Do you want to replace it?" : question, path);
  }
  bool Write(const std::u16string& path) override {
    const TSaveResult result = SaveNewBitmap(FPicture, path);
    if (result == TSaveResult::Saved) return true;
    WriteLog(u"[Pin]not saved," + path + u"," + SaveResultText(result));
    ShowMessage(FOwner, FormatText(AppLanguage().MessageText(SaveFailedKey, SaveFailedDefault),
                                   {path, SaveResultText(result)}));
    return false;
  }
  void Log(const std::u16string& line) override { WriteLog(line); }

 private:
  HWND FOwner;
  std::u16string FExtension;
  TConstImageView FPicture;
};

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
  TPinSaveHost host(Handle(), extension, FPicture.View());
  const bool saved = RunSaveFlow({folder, ScreenShotFileName(LocalTimeNow()), extension, false}, host);
  WriteLog(saved ? u"[Pin]saved" : u"[Pin]save cancelled");
  if (onTop && Handle()) SetKeepOnTop(true);
}

}  // namespace qor
