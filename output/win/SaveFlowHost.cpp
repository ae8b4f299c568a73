#include "output/win/SaveFlowHost.h"

#include "app/LogManage.h"
#include "app/MessageTexts.h"
#include "base/FileSystem.h"
#include "output/SaveFormat.h"
#include "output/win/SaveDialog.h"

namespace qor {

TWindowSaveHost::TWindowSaveHost(HWND owner, std::u16string defaultExtension,
                                 std::function<bool(const std::u16string&)> write)
    : FOwner(owner), FDefaultExtension(std::move(defaultExtension)), FWrite(std::move(write)) {}

bool TWindowSaveHost::DirectoryExists(const std::u16string& folder) { return FileSystem().DirectoryExists(folder); }

bool TWindowSaveHost::FileExists(const std::u16string& path) { return FileSystem().FileExists(path); }

std::optional<TSaveChoice> TWindowSaveHost::AskForFile(const std::u16string& folder, const std::u16string& fileName) {
  const auto chosen = RunSaveDialog(FOwner, folder, fileName, std::u16string(SaveDialogFilter),
                                    FilterIndexForExtension(FDefaultExtension), std::u16string(SaveDialogDefaultExt));
  if (!chosen) return std::nullopt;
  return TSaveChoice{chosen->FileName, chosen->FilterIndex};
}

bool TWindowSaveHost::ConfirmOverwrite(const std::u16string& path) {
  const std::u16string& text = MessageTexts().M_Screen_ImgExitHint;
  return AskOverwrite(FOwner, text.empty() ? u"%s already exists. Do you want to replace it?" : text, path);
}

void TWindowSaveHost::Log(const std::u16string& line) { WriteLog(line); }

std::u16string MyPicturesFolder() {
  wchar_t buffer[MAX_PATH * 2] = {};
  DWORD size = sizeof(buffer);
  if (::RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                     L"My Pictures", RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
    return {};
  return std::u16string(reinterpret_cast<const char16_t*>(buffer));
}

}  // namespace qor
