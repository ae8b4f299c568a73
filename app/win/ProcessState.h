#pragma once
// Process-wide state shared by the launcher and the capture windows.
#include <windows.h>

#include "app/CommandLine.h"

namespace qor {

struct TProcessState {
  TCaptureMode CaptureMode = TCaptureMode::Region;
  HWND LauncherHandle = nullptr;  // target of message 1129
  bool Scaled = false;            // layouts drawn twice as large
  bool OutputBusy = false;        // a save is running: closing, keys and further outputs wait
};

TProcessState& ProcessState();

// Private window messages.
inline constexpr UINT WmSecondInstance = 1125;
inline constexpr UINT WmCloseOverlay = 1128;
inline constexpr UINT WmOutputDone = 1129;

// Ends the process at once with exit code 0; a capture always ends this way.
[[noreturn]] void TerminateCapture();

}  // namespace qor
