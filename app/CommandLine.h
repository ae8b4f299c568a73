#pragma once
// The program is driven by its first command-line argument only, compared without regard to case.
#include <cstdint>
#include <optional>
#include <string_view>

namespace qor {

enum class TCaptureMode : uint8_t { Region = 0, FullScreen = 1, Window = 2, Scrolling = 3 };

// "/CaptrueAuto", "/CaptrueFullScreen", "/CaptrueWins", "/CaptrueScroll"; anything else gives no mode.
std::optional<TCaptureMode> CaptureModeFromSwitch(std::u16string_view firstArgument);
// "/Scale" forces the scaled layout (and, being the first argument, starts no capture).
bool IsScaleSwitch(std::u16string_view firstArgument);
// "/testbugreport" raises an error right after the single-instance check to exercise the crash reporter.
bool IsTestBugReportSwitch(std::u16string_view firstArgument);

// ASCII case-insensitive equality (the switches are ASCII).
bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b);

}  // namespace qor
