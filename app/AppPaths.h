#pragma once
// Where the tool finds the parent product's files and its own.
// Usage:
//   qor::SetParentProductFolder(localAppData + u"\\Corvane\\");   // once at start-up (app/win/AppSeams.h does it)
//   std::u16string ini = qor::ConfigIniPath();                     // "<local app data>\Corvane\Config.ini"
//   std::u16string lng = qor::ExecutableFolder() + u"Language";
#include <string>

namespace qor {

// The parent product's per-user folder, with a trailing separator. Until it is set, it is taken from the
// environment variable LOCALAPPDATA (or, off Windows, $HOME/.local/share) + "Corvane".
void SetParentProductFolder(std::u16string folder);
std::u16string ParentProductFolder();

// ParentProductFolder() + "Config.ini".
std::u16string ConfigIniPath();
// ParentProductFolder() + "Logs" + separator + the executable's name with ".log"; empty when the executable is
// unknown.
std::u16string DefaultLogFilePath();
// The running executable's folder with a trailing separator (from FileSystem().ExecutablePath()).
std::u16string ExecutableFolder();

}  // namespace qor
