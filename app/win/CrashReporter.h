#pragma once
// A minimal crash reporter: unhandled errors of any thread are written to the log and end the process.
#include <string>
#include <string_view>

namespace qor {

// Remembers the version text and attaches the reporter to every thread of the process.
void InstallCrashReporter(std::wstring version);

// Reports one error. Ignored errors return (they are handled); every other error is logged and ends the process
// with exit code 1.
void ReportError(std::u16string_view message);

}  // namespace qor
