#pragma once
// DPI on Windows: the start-up awareness declaration, the DPI measurement, the work area of a window's monitor,
// the scaled decision for the launcher, and letting private messages through the privilege isolation filter.
// Usage:
//   qor::win::DeclareDpiAwareness();                               // start-up, before any window exists
//   qor::win::DecideScaledForWindow(launcher, firstArgument);      // launcher creation: sets qor::IsScaled()
//   qor::win::AllowMessage(runWindow, 1225);
// Every entry point newer than the oldest supported system is resolved at run time; a missing one is skipped.
#include <windows.h>

#include <string_view>

#include "base/Geometry.h"

namespace qor::win {

// Checks the current awareness and declares the process per-monitor aware (Windows 8.1 and later) or system
// aware (before), writing the DPI traces to the log.
void DeclareDpiAwareness();
// The DPI of the taskbar's monitor (GetDpiForWindow) or of the screen (LOGPIXELSY); 0 counts as 96. Logs
// "GetSystemDPI: " with the value.
int MeasureSystemDpi();
// The last value measured by MeasureSystemDpi or DeclareDpiAwareness (96 before any measurement).
int SystemDpi();
// The work area of the monitor that holds the window (the nearest one).
TRect MonitorWorkArea(HWND window);
// Measures, applies DecideScaled (app/DpiDecision.h) to the window's work area and stores the process-wide flag.
bool DecideScaledForWindow(HWND window, std::u16string_view firstArgument);
// ChangeWindowMessageFilterEx(window, message, allow) when available, else ChangeWindowMessageFilter(message, add).
bool AllowMessage(HWND window, UINT message);

}  // namespace qor::win
