#pragma once
// Diagnostics of the scrolling run that only a debugger sees (the run's log lines go through WriteLog).
#include <string>

namespace qor {
void ScrollTrace(const std::u16string& text);
}
