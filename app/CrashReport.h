#pragma once
// What the crash reporter keeps and ignores.
#include <string>
#include <string_view>

namespace qor {

// Errors that are marked handled and produce no report: "No context-sensitive help installed",
// "Privileged instruction" and "External exception ".
bool IsIgnoredError(std::u16string_view message);

// The log line of a report: "[CrashReport]version <version> error: <message>".
std::u16string CrashReportLine(std::u16string_view version, std::u16string_view message);

}  // namespace qor
