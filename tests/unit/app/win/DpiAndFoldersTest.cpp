#include <gtest/gtest.h>
#include <windows.h>

#include "app/AppPaths.h"
#include "app/DpiDecision.h"
#include "app/LogManage.h"
#include "app/win/AppSeams.h"
#include "app/win/DpiAwareness.h"
#include "app/win/UserFolders.h"
#include "base/TextDecoding.h"
#include "base/Utf16Text.h"
#include "base/win/WinFileSystem.h"
#include "tests/unit/app/TestFolder.h"

namespace qor {
namespace {

using test::ReadText;
using test::TTestFolder;

bool EndsWith(std::u16string_view s, std::u16string_view tail) {
  return s.size() >= tail.size() && SameText(s.substr(s.size() - tail.size()), tail);
}

TEST(UserFoldersWin, LocalAppDataIsAnExistingFolder) {
  const std::u16string local = win::SpecialFolderPath(FolderLocalAppData);
  ASSERT_GE(local.size(), 3u);
  EXPECT_TRUE(GetFileAttributesW(std::wstring(local.begin(), local.end()).c_str()) & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(win::CorvaneFolder(), CorvaneFolderOf(local));
}

TEST(AppSeams, PointConfigAndLogIntoTheParentProductFolder) {
  win::InstallAppSeams();
  EXPECT_TRUE(EndsWith(ConfigIniPath(), u"\\Corvane\\Config.ini")) << Utf16ToUtf8(ConfigIniPath());
  EXPECT_TRUE(EndsWith(LogManage().FileName(), u"\\Corvane\\Logs\\unit_app_win.log"))
      << Utf16ToUtf8(LogManage().FileName());
  SetParentProductFolder(u"");
  LogManage().SetFileName(u"");
  SetFileSystem(nullptr);
  SetAnsiDecoder(nullptr);
}

class DpiAwarenessTest : public testing::Test {
 protected:
  void SetUp() override { LogManage().SetFileName(LogFile); }
  void TearDown() override { LogManage().SetFileName(u""); }
  TTestFolder Folder;
  std::u16string LogFile = Folder.Path(u"dpi.log");
};

TEST_F(DpiAwarenessTest, StartUpDeclarationLeavesItsTraces) {
  win::DeclareDpiAwareness();
  const std::u16string log = ReadText(LogFile);
  EXPECT_NE(log.find(u"**************** DoDPIAware begin: "), std::u16string::npos) << Utf16ToUtf8(log);
  EXPECT_NE(log.find(u"IsWindows8Point1OrGreater"), std::u16string::npos) << Utf16ToUtf8(log);
}

TEST_F(DpiAwarenessTest, MeasuredDpiIsPositiveAndLogged) {
  const int dpi = win::MeasureSystemDpi();
  EXPECT_GT(dpi, 0);
  EXPECT_EQ(win::SystemDpi(), dpi);
  EXPECT_NE(ReadText(LogFile).find(u"GetSystemDPI: " + IntToText(dpi)), std::u16string::npos);
}

TEST_F(DpiAwarenessTest, WorkAreaScaledDecisionAndMessageFilter) {
  HWND window = CreateWindowExW(0, L"STATIC", L"dpi test", WS_POPUP, 10, 10, 50, 50, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  const TRect area = win::MonitorWorkArea(window);
  EXPECT_GT(area.Width(), 0);
  EXPECT_GT(area.Height(), 0);
  EXPECT_TRUE(win::DecideScaledForWindow(window, u"/scale"));
  EXPECT_TRUE(IsScaled());
  EXPECT_EQ(win::DecideScaledForWindow(window, u""), AutoScaleDecision(area.Width(), area.Height(), win::SystemDpi()));
  SetScaled(false);
  EXPECT_TRUE(win::AllowMessage(window, 1225));
  DestroyWindow(window);
}

}  // namespace
}  // namespace qor
