#include "app/win/UserDataFolder.h"

#include <windows.h>
#include <shlobj.h>

namespace qor {

std::wstring ParentDataFolder() {
  wchar_t path[MAX_PATH] = {};
  std::wstring folder;
  if (::SHGetSpecialFolderPathW(nullptr, path, CSIDL_LOCAL_APPDATA, FALSE)) folder = path;
  return folder + L"\\Corvane\\";
}

}  // namespace qor
