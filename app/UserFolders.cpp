#include "app/UserFolders.h"

#include "base/Utf16Text.h"

namespace qor {

std::u16string FolderEnvironmentName(int folderId, bool is64BitSystem) {
  switch (folderId) {
    case FolderAppData: return u"APPDATA";
    case FolderLocalAppData: return u"LOCALAPPDATA";
    case FolderCommonAppData: return u"ProgramData";
    case FolderProgramFiles: return is64BitSystem ? u"ProgramFiles(x86)" : u"ProgramFiles";
    case FolderProfile: return u"USERPROFILE";
    case FolderCommonProgramFiles: return is64BitSystem ? u"CommonProgramFiles(x86)" : u"CommonProgramFiles";
    default: return {};
  }
}

namespace {

// The folder below the drive, or empty for ids without a known place.
std::u16string UsualPath(int folderId, const TFolderFacts& f) {
  const bool vista = f.WindowsMajor >= 6;
  const std::u16string& user = f.UserName;
  switch (folderId) {
    case FolderAppData:
      return vista ? u"\\Users\\" + user + u"\\AppData\\Roaming"
                   : u"\\Documents and Settings\\" + user + u"\\Application Data";
    case FolderLocalAppData:
      return vista ? u"\\Users\\" + user + u"\\AppData\\Local"
                   : u"\\Documents and Settings\\" + user + u"\\Local Settings\\Application Data";
    case FolderCommonAppData:
      return vista ? u"\\ProgramData" : u"\\Documents and Settings\\All Users\\Application Data";
    case FolderProgramFiles: return f.Is64BitSystem ? u"\\Program Files (x86)" : u"\\Program Files";
    case FolderProfile: return vista ? u"\\Users\\" + user : u"\\Documents and Settings\\" + user;
    case FolderCommonProgramFiles:
      return f.Is64BitSystem ? u"\\Program Files (x86)\\Common Files" : u"\\Program Files\\Common Files";
    default: return {};
  }
}

}  // namespace

std::u16string ResolveSpecialFolder(int folderId, const TFolderFacts& facts) {
  if (facts.ShellAnswer.size() >= 3) return facts.ShellAnswer;
  if (folderId < 26 || folderId > 43) return facts.ShellAnswer;
  std::u16string env = Trim(facts.EnvValue);
  if (!env.empty()) return env;
  const std::u16string path = UsualPath(folderId, facts);
  // Without a user name the per-user paths would point at "\Users\\..."; give up instead.
  const bool needsUser = folderId == FolderAppData || folderId == FolderLocalAppData || folderId == FolderProfile;
  if (path.empty() || facts.Drive.empty() || (needsUser && facts.UserName.empty())) return {};
  return facts.Drive + path;
}

std::u16string CorvaneFolderOf(std::u16string_view localAppData) {
  std::u16string folder(localAppData);
  if (folder.empty()) return {};
  if (folder.back() != u'\\' && folder.back() != u'/') folder.push_back(u'\\');
  return folder + u"Corvane\\";
}

}  // namespace qor
