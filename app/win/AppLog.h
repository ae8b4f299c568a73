#pragma once
// The program's log line, from any thread: "[Operation]detail". Detail-only lines need "detaillog.ldt".
#include <string_view>

namespace qor {
void AppLog(std::u16string_view text, bool detailOnly = false);
void AppLogA(std::string_view asciiText, bool detailOnly = false);
}  // namespace qor
