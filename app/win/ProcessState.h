#pragma once
// Process-wide state shared by the launcher and the capture windows (the scaled flag lives in app/DpiDecision.h).
#include <windows.h>

#include <string>

#include "app/CommandLine.h"

namespace qor {

struct TProcessState {
  TCaptureMode CaptureMode = TCaptureMode::Region;
  HWND LauncherHandle = nullptr;  // target of message 1129
  // The skin package of the windows: "classic2.rcc" replaces "classic.rcc" in the scaled layout when it ships.
  std::u16string SkinPackage = u"classic.rcc";
};

TProcessState& ProcessState();

// Private window messages.
inline constexpr UINT WmSecondInstance = 1125;
inline constexpr UINT WmCloseOverlay = 1128;
inline constexpr UINT WmOutputDone = 1129;

// Ends the process at once with exit code 0; a capture always ends this way.
[[noreturn]] void TerminateCapture();

}  // namespace qor
