#pragma once
// What the Win32 output tests share besides the panel fixture: clicks on a panel's controls and settings in a fresh
// folder.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>

#include "app/AppPaths.h"
#include "app/SafeIniFile.h"
#include "tests/unit/CommonLib/RdControl/win/PanelFixture.h"
#include "tests/unit/app/TestFolder.h"

namespace qor::testing {

inline TPoint Centre(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

// A left click at p (panel coordinates), as the panel receives it.
inline void ClickPanel(TRdPanel& panel, TPoint p) {
  const LPARAM at = MAKELPARAM(p.X, p.Y);
  ::SendMessageW(panel.Handle(), WM_MOUSEMOVE, 0, at);
  ::SendMessageW(panel.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageW(panel.Handle(), WM_LBUTTONUP, 0, at);
}

// Settings in Config.ini of a fresh folder for the test's duration.
class TSettingsFixture : public ::testing::Test {
 protected:
  test::TTestFolder Folder;
  void SetUp() override { SetParentProductFolder(Folder.Path(u"Corvane")); }
  void TearDown() override { SetParentProductFolder(u""); }
  static std::u16string Setting(std::u16string_view key) { return ReadConfigString(u"AIAssistant", key, u"<missing>"); }
  static void SetSetting(std::u16string_view key, std::u16string_view value) {
    ASSERT_TRUE(WriteConfigString(u"AIAssistant", key, value));
  }
};

}  // namespace qor::testing
