#pragma once
// The per-user and common folders of Windows, with the fallbacks used when the shell gives no answer. The
// decision is portable: the Win32 side (app/win/UserFolders.h) gathers the facts and calls ResolveSpecialFolder.
// Usage:
//   TFolderFacts facts{shellAnswer, envValue, windowsMajor, is64BitSystem, u"C:", userName};
//   std::u16string folder = qor::ResolveSpecialFolder(FolderLocalAppData, facts);
#include <string>
#include <string_view>

namespace qor {

// Shell folder ids with fallbacks.
constexpr int FolderAppData = 26;
constexpr int FolderLocalAppData = 28;
constexpr int FolderCommonAppData = 35;
constexpr int FolderProgramFiles = 38;
constexpr int FolderProfile = 40;
constexpr int FolderCommonProgramFiles = 43;

struct TFolderFacts {
  std::u16string ShellAnswer;  // the shell's folder; empty when the call failed
  std::u16string EnvValue;     // the value of FolderEnvironmentName(id, Is64BitSystem), untrimmed
  int WindowsMajor = 10;
  bool Is64BitSystem = true;
  std::u16string Drive;  // drive of the loaded kernel32.dll, e.g. "C:"
  std::u16string UserName;
};

// The environment variable consulted for a folder id; empty for ids without one.
std::u16string FolderEnvironmentName(int folderId, bool is64BitSystem);

// 1. the shell's answer when it has at least 3 characters; for ids 26 to 43 only: 2. the environment variable,
// trimmed; 3. drive + the folder's usual path for the Windows version ("\Users\<user>\AppData\Local" from
// version 6, "\Documents and Settings\<user>\Local Settings\Application Data" before). Empty when all fail.
std::u16string ResolveSpecialFolder(int folderId, const TFolderFacts& facts);

// "<localAppData>\Corvane\" (the parent product's per-user folder).
std::u16string CorvaneFolderOf(std::u16string_view localAppData);

}  // namespace qor
