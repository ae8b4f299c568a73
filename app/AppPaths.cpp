#include "app/AppPaths.h"

#include <cstdlib>
#include <mutex>

#include "base/FileSystem.h"
#include "base/Utf16Text.h"

namespace qor {

namespace {

std::mutex gMutex;
std::u16string gParentFolder;

std::u16string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? Trim(Utf8ToUtf16(v)) : std::u16string();
}

std::u16string DefaultParentFolder() {
  std::u16string base = Env("LOCALAPPDATA");
#ifndef _WIN32
  if (base.empty()) {
    const std::u16string home = Env("HOME");
    if (!home.empty()) base = IncludeTrailingSeparator(home) + u".local" + PathSeparator + u"share";
  }
#endif
  if (base.empty()) return {};
  return IncludeTrailingSeparator(IncludeTrailingSeparator(base) + u"Corvane");
}

}  // namespace

void SetParentProductFolder(std::u16string folder) {
  std::lock_guard lock(gMutex);
  gParentFolder = folder.empty() ? std::u16string() : IncludeTrailingSeparator(folder);
}

std::u16string ParentProductFolder() {
  {
    std::lock_guard lock(gMutex);
    if (!gParentFolder.empty()) return gParentFolder;
  }
  return DefaultParentFolder();
}

std::u16string ConfigIniPath() { return ParentProductFolder() + u"Config.ini"; }

std::u16string DefaultLogFilePath() {
  const std::u16string exe = FileSystem().ExecutablePath();
  if (exe.empty()) return {};
  return ParentProductFolder() + u"Logs" + PathSeparator + ChangeFileExt(ExtractFileName(exe), u".log");
}

std::u16string ExecutableFolder() {
  const std::u16string exe = FileSystem().ExecutablePath();
  if (exe.empty()) return {};
  return IncludeTrailingSeparator(ExtractFileDir(exe));
}

}  // namespace qor
