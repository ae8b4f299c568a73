#include "output/win/PinLaunch.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "app/AppPaths.h"
#include "app/LogManage.h"
#include "app/SafeIniFile.h"
#include "base/BmpFile.h"
#include "base/FileSystem.h"
#include "base/win/WinConvert.h"
#include "output/PinContract.h"
#include "output/PinHandover.h"

namespace qor {

namespace {

std::u16string TemporaryFolder() {
  wchar_t buffer[MAX_PATH + 1] = {};
  const DWORD length = ::GetTempPathW(MAX_PATH + 1, buffer);
  return length > 0 && length <= MAX_PATH ? FromWide(buffer) : std::u16string();
}

// The shell's "open" verb; when the shell fails, the older single-string call.
void StartPinProgram(const std::u16string& program) {
  const auto result = reinterpret_cast<INT_PTR>(
      ::ShellExecuteW(nullptr, L"open", Wide(program), Wide(std::u16string(PinProgramSwitch)), nullptr, SW_SHOWNORMAL));
  if (result > 32) return;
  const std::u16string line = u"\"" + program + u"\" " + std::u16string(PinProgramSwitch);
  const int size = ::WideCharToMultiByte(CP_ACP, 0, Wide(line), -1, nullptr, 0, nullptr, nullptr);
  std::string ansi(size_t(std::max(size, 1)), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, Wide(line), -1, ansi.data(), size, nullptr, nullptr);
  if (::WinExec(ansi.c_str(), SW_SHOWNORMAL) <= 31) WriteLog(u"[Pin]the pin program did not start");
}

}  // namespace

TPinHandOver HandPictureToPin(const TConstImageView& picture, TPoint desktopOrigin, const TRect& rect) {
  const std::u16string folder = TemporaryFolder();
  if (folder.empty() || !FileSystem().DirectoryExists(folder)) {
    WriteLog(u"[Pin]no temporary folder");
    return TPinHandOver::NoTempFolder;
  }
  const std::vector<uint8_t> bmp = WriteBmp(picture, 32);
  const std::u16string path = IncludeTrailingSeparator(folder) + std::u16string(PinPictureFileName);
  if (bmp.empty() || !FileSystem().WriteFileAtomically(path, {reinterpret_cast<const char*>(bmp.data()), bmp.size()})) {
    WriteLog(u"[Pin]not written," + path);
    return TPinHandOver::NotWritten;
  }
  for (const TPinKey& key : PinPlacementKeys(desktopOrigin, rect)) WriteConfigString(PinSection, key.Key, key.Value);
  StartPinProgram(ExecutableFolder() + std::u16string(PinProgramFileName));
  return TPinHandOver::Started;
}

}  // namespace qor
