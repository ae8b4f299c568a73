#pragma once
// What the Win32 output tests share besides the panel fixture: clicks on a panel's controls and settings in a fresh
// folder.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>

#include "tests/unit/CommonLib/RdControl/win/PanelFixture.h"
#include "tests/unit/app/TestFolder.h"

namespace qor::testing {

using TSettingsFixture = test::TSettingsTest;

inline TPoint Centre(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

// A left click at p (panel coordinates), as the panel receives it.
inline void ClickPanel(TRdPanel& panel, TPoint p) {
  const LPARAM at = MAKELPARAM(p.X, p.Y);
  ::SendMessageW(panel.Handle(), WM_MOUSEMOVE, 0, at);
  ::SendMessageW(panel.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageW(panel.Handle(), WM_LBUTTONUP, 0, at);
}

}  // namespace qor::testing
