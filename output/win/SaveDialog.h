#pragma once
// The save-file dialog `Dlg_Save` and the overwrite question of the Save action.
#include <windows.h>

#include <optional>
#include <string>

namespace qor {

struct TSaveDialogResult {
  std::u16string FileName;  // the full path chosen
  int FilterIndex = 0;      // 1-based, as the filter lists the types
};

// Runs the dialog on folder with fileName offered; filter is "Text|pattern|Text|pattern..." as the program keeps
// it. No result when the user cancels.
std::optional<TSaveDialogResult> RunSaveDialog(HWND owner, const std::u16string& folder, const std::u16string& fileName,
                                               const std::u16string& filter, int filterIndex,
                                               const std::u16string& defaultExtension);

// "%s already exists. Do you want to replace it?" with the file's name (without its folder): true only for Yes.
bool AskOverwrite(HWND owner, const std::u16string& question, const std::u16string& path);

// A Yes/No question box captioned "Varnel Screenshot": true only for Yes.
bool AskYesNo(HWND owner, const std::u16string& question);

// A plain message box captioned "Varnel Screenshot".
void ShowMessage(HWND owner, const std::u16string& text, UINT icon = MB_ICONWARNING);

}  // namespace qor
