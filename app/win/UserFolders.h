#pragma once
// The Windows side of the folder resolution: asks the shell, the environment, the system version and the user
// name, then applies the rules of app/UserFolders.h.
// Usage:
//   std::u16string local = qor::win::SpecialFolderPath(qor::FolderLocalAppData);
//   std::u16string parent = qor::win::CorvaneFolder();   // "<local app data>\Corvane\"
#include <string>

#include "app/UserFolders.h"

namespace qor::win {

// The folder for a shell folder id (SHGetSpecialFolderPathW, no creation) with the fallbacks for ids 26..43.
std::u16string SpecialFolderPath(int folderId);
// "<local app data>\Corvane\"; empty when no folder could be found at all.
std::u16string CorvaneFolder();
// The real major version of Windows (not the one a missing manifest makes the system report).
int WindowsMajorVersion();
bool Is64BitWindows();
// The current user's log-on name.
std::u16string CurrentUserName();

}  // namespace qor::win
