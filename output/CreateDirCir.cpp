#include "output/CreateDirCir.h"

#include "base/FileSystem.h"
#include "base/Utf16Text.h"

namespace qor {

std::vector<std::u16string> CreateDirCirLevels(std::u16string_view path) {
  std::u16string text = ReplaceAll(path, u"\\", u"/");
  text = ReplaceAll(text, u"//", u"/");
  text = ReplaceAll(text, u"\r", u"");
  std::vector<std::u16string> levels;
  std::u16string accumulated;
  if (!text.empty() && text.front() == u'/') {
    accumulated.push_back(PathSeparator);
    levels.push_back(accumulated);
  }
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
