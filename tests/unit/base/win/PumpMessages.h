#pragma once
// Message pumping for tests of real windows: handles messages until a condition holds or the time runs out.
#include <windows.h>

#include <functional>

namespace qor::testing {

// Handles messages until done() or the timeout; true when done.
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000) {
  const DWORD start = ::GetTickCount();
  MSG msg;
  while (!done()) {
    if (::GetTickCount() - start >= timeoutMs) return false;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    ::Sleep(1);
  }
  return true;
}

// Handles messages for a while, for checks that something does not happen.
inline void PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

}  // namespace qor::testing
