#pragma once
// What the Win32 output tests share besides the panel fixture: clicks on a panel's controls, settings in a fresh
// folder, and pictures of windows written as BMP files to look at.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/AppPaths.h"
#include "app/SafeIniFile.h"
#include "base/BmpFile.h"
#include "tests/unit/CommonLib/RdControl/win/PanelFixture.h"
#include "tests/unit/app/TestFolder.h"

namespace qor::testing {

inline void PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

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

// Pictures side by side on a grey sheet, written as an opaque 32-bit BMP.
inline bool WriteSheet(const char* path, const std::vector<const TImageView*>& pictures) {
  constexpr int32_t gap = 16;
  int32_t width = gap, height = 0;
  for (auto* p : pictures) width += p->Width + gap, height = std::max(height, p->Height);
  height += 2 * gap;
  TImage sheet(width, height, TBgra{0x60, 0x60, 0x60, 255});
  int32_t x = gap;
  for (auto* p : pictures) {
    for (int32_t y = 0; y < p->Height; ++y)
      for (int32_t i = 0; i < p->Width; ++i) {
        TBgra c = p->At(i, y);
        c.A = 255;  // GDI leaves the fourth byte 0
        sheet.View().At(x + i, gap + y) = c;
      }
    x += p->Width + gap;
  }
  const std::vector<uint8_t> bytes = WriteBmp(sheet.View(), 24);
  FILE* f = std::fopen(path, "wb");
  if (!f) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace qor::testing
