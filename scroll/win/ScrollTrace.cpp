#include "scroll/win/ScrollTrace.h"

#include <windows.h>

#include "base/win/WinConvert.h"

namespace qor {
void ScrollTrace(const std::u16string& text) { ::OutputDebugStringW(Wide(text)); }
}  // namespace qor
