#include "output/win/SaveDialog.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "base/Utf16Text.h"
#include "base/win/WinConvert.h"

namespace qor {

namespace {

std::u16string NameOf(const std::u16string& path) {
  const size_t slash = path.find_last_of(u"\\/");
  return slash == std::u16string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::optional<TSaveDialogResult> RunSaveDialog(HWND owner, const std::u16string& folder, const std::u16string& fileName,
                                               const std::u16string& filter, int filterIndex,
                                               const std::u16string& defaultExtension) {
  // The dialog wants the filter's parts separated by NUL characters and ended by two.
  std::u16string filterParts = filter;
  for (char16_t& c : filterParts)
    if (c == u'|') c = u'\0';
  filterParts.push_back(u'\0');
  filterParts.push_back(u'\0');
  std::vector<wchar_t> file(32768, L'\0');
  const size_t length = std::min(fileName.size(), file.size() - 1);
  std::copy(fileName.begin(), fileName.begin() + ptrdiff_t(length), file.begin());
  const std::u16string extension =
      (!defaultExtension.empty() && defaultExtension[0] == u'.') ? defaultExtension.substr(1) : defaultExtension;

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = Wide(filterParts);
  dialog.nFilterIndex = DWORD(filterIndex);
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = DWORD(file.size());
  dialog.lpstrInitialDir = folder.empty() ? nullptr : Wide(folder);
  dialog.lpstrDefExt = extension.empty() ? nullptr : Wide(extension);
  // The overwrite question is the program's own (its text comes from the language table).
  dialog.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER;
  if (!::GetSaveFileNameW(&dialog)) return std::nullopt;
  TSaveDialogResult result;
  result.FileName = std::u16string(reinterpret_cast<const char16_t*>(file.data()));
  result.FilterIndex = int(dialog.nFilterIndex);
  return result;
}

bool AskOverwrite(HWND owner, const std::u16string& question, const std::u16string& path) {
  return AskYesNo(owner, FormatText(question, {NameOf(path)}));
}

bool AskYesNo(HWND owner, const std::u16string& question) {
  return ::MessageBoxW(owner, Wide(question), L"Varnel Screenshot", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void ShowMessage(HWND owner, const std::u16string& text, UINT icon) {
  ::MessageBoxW(owner, Wide(text), L"Varnel Screenshot", MB_OK | icon);
}

}  // namespace qor
