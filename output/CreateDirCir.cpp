#include "output/CreateDirCir.h"

#include "base/FileSystem.h"
#include "base/Utf16Text.h"

namespace qor {

namespace {

// The length of a leading "//server/share/" (separators already '/'), or 0 when text does not start with one.
size_t NetworkShareLength(const std::u16string& text) {
  if (text.size() < 3 || text[0] != u'/' || text[1] != u'/' || text[2] == u'/') return 0;
  const size_t serverEnd = text.find(u'/', 2);
  if (serverEnd == std::u16string::npos || serverEnd + 1 >= text.size() || text[serverEnd + 1] == u'/') return 0;
  const size_t shareEnd = text.find(u'/', serverEnd + 1);
  return shareEnd == std::u16string::npos ? text.size() : shareEnd + 1;
}

}  // namespace

std::vector<std::u16string> CreateDirCirLevels(std::u16string_view path) {
  std::u16string text = ReplaceAll(ReplaceAll(path, u"\\", u"/"), u"\r", u"");
  std::vector<std::u16string> levels;
  std::u16string accumulated;
  // A network path keeps "\\server\share\" as its first level: folded to one separator it would name a folder
  // at the root of the current drive.
  if (const size_t share = NetworkShareLength(text)) {
    accumulated = ReplaceAll(text.substr(0, share), u"/", std::u16string(1, PathSeparator));
    if (accumulated.back() != PathSeparator) accumulated.push_back(PathSeparator);
    levels.push_back(accumulated);
    text.erase(0, share);
  } else if (!text.empty() && text.front() == u'/') {
    accumulated.push_back(PathSeparator);
    levels.push_back(accumulated);
  }
  text = ReplaceAll(text, u"//", u"/");
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(u'/', start);
    if (end == std::u16string::npos) end = text.size();
    if (end > start) {
      accumulated.append(text, start, end - start);
      accumulated.push_back(PathSeparator);
      levels.push_back(accumulated);
    }
    start = end + 1;
  }
  return levels;
}

bool createDirCir(std::u16string_view path) {
  TFileSystem& fs = FileSystem();
  for (const std::u16string& level : CreateDirCirLevels(path)) {
    if (!fs.DirectoryExists(level) && !fs.MakeDirectories(level)) return false;
  }
  return true;
}

std::u16string DefaultSaveFolder(std::u16string_view capPathSetting, std::u16string_view myPictures) {
  const std::u16string configured = Trim(capPathSetting);
  if (!configured.empty()) return IncludeTrailingSeparator(configured);
  std::u16string folder(myPictures);
  // A pictures folder that already ends in a separator does not get a second one.
  if (folder.empty() || !IsPathSeparator(folder.back())) folder.push_back(PathSeparator);
  folder += u"Corvane";
  folder.push_back(PathSeparator);
  return folder;
}

std::u16string TemporaryFolder(std::u16string_view envTemp, std::u16string_view envTmp) {
  return std::u16string(envTemp.empty() ? envTmp : envTemp);
}

std::u16string TemporaryBitmapPath(std::u16string_view envTemp, std::u16string_view envTmp) {
  std::u16string path = TemporaryFolder(envTemp, envTmp);
  path.push_back(PathSeparator);
  return path + u"ZynTemp.bmp";
}

}  // namespace qor
