#include "app/win/AppLog.h"

#include <windows.h>

#include <string>

namespace qor {

void AppLog(std::u16string_view text, bool detailOnly) {
  (void)detailOnly;
  std::wstring line(text.begin(), text.end());
  ::OutputDebugStringW(line.c_str());
}

void AppLogA(std::string_view asciiText, bool detailOnly) {
  AppLog(std::u16string(asciiText.begin(), asciiText.end()), detailOnly);
}

}  // namespace qor
