#include <gtest/gtest.h>
#include <windows.h>

#include "app/DpiDecision.h"
#include "app/LogManage.h"
#include "app/win/DpiAwareness.h"
#include "base/TextDecoding.h"
#include "base/Utf16Text.h"
#include "tests/unit/app/TestFolder.h"

namespace qor {
namespace {

using test::ReadText;
using test::TTestFolder;

// Config.ini and the log in the per-user Corvane folder under the real local application data folder: the e2e
// FilesTests.test_config_log_and_statistics_cache_appear_in_the_corvane_folder_with_usage_events_in_detail_mode.

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
