#include "app/win/AppSeams.h"

#include "app/AppPaths.h"
#include "app/LogManage.h"
#include "app/win/UserFolders.h"
#include "base/win/WinFileSystem.h"

namespace qor::win {

void InstallAppSeams() {
  InstallWinBaseSeams();
  const std::u16string parent = CorvaneFolder();
  if (!parent.empty()) SetParentProductFolder(parent);
  const std::u16string log = DefaultLogFilePath();
  if (!log.empty()) LogManage().SetFileName(log);
}

}  // namespace qor::win
