#include "scroll/win/RunHooks.h"

#include <exception>

#include "app/LogManage.h"

namespace qor {

namespace {

TRunHookSink* GSink = nullptr;

// Nothing escapes a hook: an exception lets the event through and is logged.
LRESULT CALLBACK MouseHook(int code, WPARAM wParam, LPARAM lParam) noexcept {
  if (code == HC_ACTION && GSink) {
    try {
      if (GSink->OnMouse(wParam, *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam))) return 1;
    } catch (const std::exception&) {
      WriteLog(u"[ScrollMouseHook]exception");
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam) noexcept {
  if (code == HC_ACTION && GSink && (wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN)) {
    try {
      if (GSink->OnKey(*reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam))) return 1;
    } catch (const std::exception&) {
      WriteLog(u"[ScrollKeyHook]exception");
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

bool TRunHooks::Install(TRunHookSink& sink) {
  GSink = &sink;
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  if (!FMouse) FMouse.Reset(::SetWindowsHookExW(WH_MOUSE_LL, MouseHook, instance, 0));
  if (!FKeyboard) FKeyboard.Reset(::SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardHook, instance, 0));
  if (!FMouse || !FKeyboard) WriteLog(u"[ScrollHooks]a hook was refused");
  return FMouse && FKeyboard;
}

void TRunHooks::Remove() {
  FMouse.Reset();
  FKeyboard.Reset();
  GSink = nullptr;
}

}  // namespace qor
