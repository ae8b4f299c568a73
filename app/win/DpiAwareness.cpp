#include "app/win/DpiAwareness.h"

#include <atomic>
#include <string>

#include "app/DpiDecision.h"
#include "app/LogManage.h"
#include "app/win/UserFolders.h"
#include "base/Utf16Text.h"
#include "base/win/ProcAddress.h"
#include "base/win/UniqueHandle.h"
#include "base/win/WinConvert.h"

namespace qor::win {

namespace {

std::atomic<bool> gDpiTrace{false};
std::atomic<int> gSystemDpi{StandardDpi};

using TIsProcessDPIAware = BOOL(WINAPI*)();
using TSetProcessDPIAware = BOOL(WINAPI*)();
using TGetProcessDpiAwareness = HRESULT(WINAPI*)(HANDLE, int*);
using TSetProcessDpiAwareness = HRESULT(WINAPI*)(int);
using TGetDpiForWindow = UINT(WINAPI*)(HWND);
using TChangeWindowMessageFilterEx = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
using TChangeWindowMessageFilter = BOOL(WINAPI*)(UINT, DWORD);

constexpr int ProcessPerMonitorDpiAware = 2;
constexpr DWORD MessageFilterAllow = 1;  // MSGFLT_ALLOW
constexpr DWORD MessageFilterAdd = 1;    // MSGFLT_ADD

void Trace(const std::u16string& text) {
  if (gDpiTrace.load()) WriteLog(text);
}

// Diagnostics that only the debugger sees.
void DebugTrace(const std::u16string& text) {
  const std::wstring w(text.begin(), text.end());
  OutputDebugStringW(w.c_str());
}

std::u16string Number(long long v) { return IntToText(v); }

int ScreenLogPixelsY() {
  TWindowDc screen(nullptr);
  return screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
}

bool IsWindows8Point1OrGreater() {
  OSVERSIONINFOEXW info{};
  info.dwOSVersionInfoSize = sizeof info;
  info.dwMajorVersion = 6;
  info.dwMinorVersion = 3;
  info.wServicePackMajor = 0;
  DWORDLONG mask = 0;
  mask = VerSetConditionMask(mask, VER_MAJORVERSION, VER_GREATER_EQUAL);
  mask = VerSetConditionMask(mask, VER_MINORVERSION, VER_GREATER_EQUAL);
  mask = VerSetConditionMask(mask, VER_SERVICEPACKMAJOR, VER_GREATER_EQUAL);
  return VerifyVersionInfoW(&info, VER_MAJORVERSION | VER_MINORVERSION | VER_SERVICEPACKMAJOR, mask) != FALSE;
}

}  // namespace

void DeclareDpiAwareness() {
  gDpiTrace.store(true);
  const int major = WindowsMajorVersion();
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  TIsProcessDPIAware isProcessDPIAware = nullptr;
  TSetProcessDPIAware setProcessDPIAware = nullptr;
  TGetProcessDpiAwareness getProcessDpiAwareness = nullptr;
  TSetProcessDpiAwareness setProcessDpiAwareness = nullptr;

  // Check what the process is now.
  if (major >= 6) {
    isProcessDPIAware = ProcAddress<TIsProcessDPIAware>(user32, "IsProcessDPIAware");
    setProcessDPIAware = ProcAddress<TSetProcessDPIAware>(user32, "SetProcessDPIAware");
    bool queried = false;
    if (isProcessDPIAware && isProcessDPIAware()) {
      if (const HMODULE shcore = GetModuleHandleW(L"Shcore.dll")) {
        getProcessDpiAwareness = ProcAddress<TGetProcessDpiAwareness>(shcore, "GetProcessDpiAwareness");
        setProcessDpiAwareness = ProcAddress<TSetProcessDpiAwareness>(shcore, "SetProcessDpiAwareness");
      }
      int awareness = 0;
      if (getProcessDpiAwareness && SUCCEEDED(getProcessDpiAwareness(GetCurrentProcess(), &awareness))) {
        Trace(u"**************** GetProcessDpiAwareness : " + Number(awareness));
        queried = true;
      }
    }
    if (!queried) {
      const int dpi = ScreenLogPixelsY();
      Trace(u"InitCheckDPI LOGPIXELSY: " + Number(dpi));
      gSystemDpi.store(dpi > 0 ? dpi : StandardDpi);
    }
  }

  // Declare awareness.
  Trace(u"**************** DoDPIAware begin: ");
  if (major < 6) return;
  if (IsWindows8Point1OrGreater()) {
    Trace(u"IsWindows8Point1OrGreater 11111");
    if (!setProcessDpiAwareness) {
      HMODULE shcore = GetModuleHandleW(L"Shcore.dll");
      if (!shcore) shcore = LoadLibraryW(L"Shcore.dll");  // stays loaded for the life of the process
      Trace(u"**************** SHcoreHandle: " + Number(reinterpret_cast<intptr_t>(shcore)));
      setProcessDpiAwareness = ProcAddress<TSetProcessDpiAwareness>(shcore, "SetProcessDpiAwareness");
      if (setProcessDpiAwareness) {
        Trace(u"**************** SetProcessDpiAwareness + ");
        const HRESULT hr = setProcessDpiAwareness(ProcessPerMonitorDpiAware);
        Trace(u"**************** SetProcessDpiAwareness :" + Number(hr));
      }
    } else {
      Trace(u"**************** SetProcessDpiAwareness 1");
      const HRESULT hr = setProcessDpiAwareness(ProcessPerMonitorDpiAware);
      Trace(u"**************** SetProcessDpiAwareness 1 :" + Number(hr));
    }
  } else {
    Trace(u"IsWindows8Point1OrGreater 2222");
    if (setProcessDPIAware) {
      Trace(u"**************** DoDPIAware SetProcessDPIAware 3");
      setProcessDPIAware();
    }
  }
}

int MeasureSystemDpi() {
  int dpi = 0;
  const HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
  const auto getDpiForWindow = ProcAddress<TGetDpiForWindow>(GetModuleHandleW(L"User32"), "GetDpiForWindow");
  if (getDpiForWindow && tray) {
    dpi = static_cast<int>(getDpiForWindow(tray));
    DebugTrace(u"1111 Qor_GetDPINew: " + Number(dpi));
  } else {
    // Without a taskbar there is no window to ask: the screen's own density is the measure.
    dpi = ScreenLogPixelsY();
    DebugTrace(u"2222 Qor_GetDPINew: " + Number(dpi));
  }
  if (dpi == 0) dpi = StandardDpi;
  gSystemDpi.store(dpi);
  WriteLog(u"GetSystemDPI: " + Number(dpi));
  return dpi;
}

int SystemDpi() { return gSystemDpi.load(); }

TRect MonitorWorkArea(HWND window) {
  const HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!monitor || !GetMonitorInfoW(monitor, &info)) {
    RECT work{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) return {};
    return ToTRect(work);
  }
  return ToTRect(info.rcWork);
}

bool DecideScaledForWindow(HWND window, std::u16string_view firstArgument) {
  const int dpi = MeasureSystemDpi();
  const TRect area = MonitorWorkArea(window);
  const bool scaled = DecideScaled(area.Width(), area.Height(), dpi, firstArgument);
  SetScaled(scaled);
  return scaled;
}

bool AllowMessage(HWND window, UINT message) {
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (auto filterEx = ProcAddress<TChangeWindowMessageFilterEx>(user32, "ChangeWindowMessageFilterEx")) {
    return filterEx(window, message, MessageFilterAllow, nullptr) != FALSE;
  }
  if (auto filter = ProcAddress<TChangeWindowMessageFilter>(user32, "ChangeWindowMessageFilter")) {
    return filter(message, MessageFilterAdd) != FALSE;
  }
  return false;
}

}  // namespace qor::win
