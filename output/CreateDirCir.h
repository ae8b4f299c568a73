#pragma once
// Folder rules of the Save action: creating a folder level by level, the default screenshot folder and the
// temporary bitmap beside which the save works.
// Usage:
//   std::u16string folder = qor::DefaultSaveFolder(ReadConfigString(u"AIAssistant", u"ScreenshotCapPath", u""),
//                                                   myPicturesFromRegistry);
//   qor::createDirCir(folder);                    // through FileSystem(), so tests may put a fake in its place
//   std::u16string temp = qor::TemporaryBitmapPath(envTemp, envTmp);   // "...\ZynTemp.bmp"
#include <string>
#include <string_view>
#include <vector>

namespace qor {

// The folder levels createDirCir creates, in order, each as the accumulated path with a trailing separator:
// every '\' becomes '/', every "//" then '/', carriage returns are dropped, and the text is split at '/'.
// Spaces stay part of the names. Empty parts (a trailing or doubled separator) add no level; a path that
// starts with a separator keeps it as its first level (a root), and a network path keeps "\\server\share\" whole
// as its first level. Levels use the platform's separator.
std::vector<std::u16string> CreateDirCirLevels(std::u16string_view path);

// Creates every missing folder along path, level by level, through FileSystem(). False as soon as a level
// neither exists nor can be created; true otherwise (also for a path with no level at all).
bool createDirCir(std::u16string_view path);

// The default folder: the trimmed `ScreenshotCapPath` with a trailing separator added where missing; when that
// is empty, the pictures folder followed by "\Corvane\" (the pictures folder may be empty, as when the
// registry value is missing, which leaves "\Corvane\").
std::u16string DefaultSaveFolder(std::u16string_view capPathSetting, std::u16string_view myPictures);

// The temporary folder: the value of "temp", or of "tmp" when "temp" is empty.
std::u16string TemporaryFolder(std::u16string_view envTemp, std::u16string_view envTmp);
// The temporary bitmap: the temporary folder followed by "\ZynTemp.bmp".
std::u16string TemporaryBitmapPath(std::u16string_view envTemp, std::u16string_view envTmp);

}  // namespace qor
