// Pin: the picture (annotations and an open text included) and its screen rectangle are handed to the pin program,
// which shows it on the desktop where it was taken; the overlay then ends.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/LogManage.h"
#include "app/SafeIniFile.h"
#include "app/win/ProcessState.h"
#include "base/BmpFile.h"
#include "base/FileSystem.h"
#include "base/win/WinConvert.h"
#include "capture/win/ScreenShotMainForm.h"
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

void TScreenShotMainForm::Btn_Rd_PinnedClick() {
  if (!FRun->HasSelection()) return;
  FlattenAnnotations();  // commits a text being typed first
  ::ShowWindow(Handle(), SW_HIDE);
  const std::u16string folder = TemporaryFolder();
  if (folder.empty() || !FileSystem().DirectoryExists(folder)) {
    // Nothing can be handed over: the run ends rather than staying hidden for good.
    WriteLog(u"[Pin]no temporary folder");
    ::PostMessageW(ProcessState().LauncherHandle, WmOutputDone, 0, 0);
    Close();
    return;
  }
  const std::vector<uint8_t> bmp = WriteBmp(FrontImage(), 32);
  const std::u16string picture = IncludeTrailingSeparator(folder) + std::u16string(PinPictureFileName);
  if (bmp.empty() ||
      !FileSystem().WriteFileAtomically(picture, {reinterpret_cast<const char*>(bmp.data()), bmp.size()})) {
    // The pin program would show an older picture or none: the capture comes back, to be copied or saved instead.
    WriteLog(u"[Pin]not written," + picture);
    ::ShowWindow(Handle(), SW_SHOW);
    return;
  }
  const TRect image = FRun->Selection().Image();
  for (const TPinKey& key : PinPlacementKeys({FDesktop.Left, FDesktop.Top}, image))
    WriteConfigString(PinSection, key.Key, key.Value);
  StartPinProgram(ExecutableFolder() + std::u16string(PinProgramFileName));
  Close();
}

}  // namespace qor
