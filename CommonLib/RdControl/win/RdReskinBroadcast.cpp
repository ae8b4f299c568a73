#include "CommonLib/RdControl/win/RdReskinBroadcast.h"

#include <vector>

namespace qor {

static_assert(RdReskinRedrawFull == (RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME));
static_assert(RdReskinRedrawErase == (RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN));

namespace {

BOOL CALLBACK CollectProcessWindow(HWND window, LPARAM into) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  if (process == ::GetCurrentProcessId()) reinterpret_cast<std::vector<HWND>*>(into)->push_back(window);
  return TRUE;
}

}  // namespace

int BroadcastReskin(uint32_t redrawFlags, UINT timeoutMs) {
  // Collected first: a window that reacts may create or destroy windows.
  std::vector<HWND> windows;
  ::EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&windows));
  const DWORD thread = ::GetCurrentThreadId();
  int told = 0;
  for (HWND window : windows) {
    if (!::IsWindow(window)) continue;
    if (::GetWindowThreadProcessId(window, nullptr) == thread) {
      ::SendMessageW(window, RdReskinMessage, 0, 0);
    } else {
      // Another thread's window: a hung thread must not hang the skin change.
      DWORD_PTR result = 0;
      ::SendMessageTimeoutW(window, RdReskinMessage, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, timeoutMs, &result);
    }
    if (::IsWindow(window)) ::RedrawWindow(window, nullptr, nullptr, redrawFlags);
    ++told;
  }
  return told;
}

void InstallReskinBroadcast(TRdSkinStyles& styles) {
  styles.OnWindowBroadcast = [](uint32_t redrawFlags) { BroadcastReskin(redrawFlags); };
}

}  // namespace qor
