#include "app/win/StartUp.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "app/LogManage.h"
#include "app/StartUpSteps.h"
#include "app/win/ProcessState.h"
#include "base/win/UniqueHandle.h"

namespace qor {

namespace {

int64_t Microseconds(const FILETIME& time) {
  return int64_t((uint64_t(time.dwHighDateTime) << 32 | time.dwLowDateTime) / 10);
}

int64_t NowUs() {
  FILETIME now{};
  ::GetSystemTimePreciseAsFileTime(&now);
  return Microseconds(now);
}

TStartUpSteps& StartUpSteps() {
  static TStartUpSteps steps = [] {
    FILETIME created{}, exited{}, kernel{}, user{};
    const bool known = ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    return TStartUpSteps(known ? Microseconds(created) : NowUs());
  }();
  return steps;
}

bool StartUpWritten = false;

}  // namespace

void MarkStartUpStep(std::u16string_view step) {
  if (StartUpWritten) return;
  const int64_t now = NowUs();
  StartUpSteps().Mark(step, now);
}

void WriteStartUpSteps() {
  if (StartUpWritten) return;
  StartUpWritten = true;
  for (const std::u16string& line : StartUpSteps().Lines()) WriteLog(line, true);
  StartUpSteps().Clear();
}

std::u16string FirstArgument() {
  int count = 0;
  LPWSTR* args = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  std::u16string first;
  if (args && count > 1) first.assign(args[1], args[1] + ::lstrlenW(args[1]));
  if (args) ::LocalFree(args);
  return first;
}

std::wstring ProgramFolder() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), DWORD(buffer.size()));
    if (length == 0) return L".\\";
    if (length < buffer.size()) {
      std::wstring path(buffer.data(), length);
      return path.substr(0, path.find_last_of(L"\\/") + 1);
    }
    buffer.resize(buffer.size() * 2);
  }
}

bool ClaimSingleInstance() {
  // The mutex stays owned until the process ends; its handle is deliberately never closed.
  HANDLE mutex = ::CreateMutexW(nullptr, TRUE, L"Global\\Varnel_Screenshot");
  if (mutex && ::GetLastError() == ERROR_ALREADY_EXISTS) {
    if (HWND running = ::FindWindowW(L"TForm_ZynMain", L"Varnel Screenshot"))
      ::PostMessageW(running, WmSecondInstance, 0, 0);
    return false;
  }
  return true;
}

void EnableDebugPrivilege() {
  HANDLE rawToken = nullptr;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &rawToken)) return;
  TKernelHandle token(rawToken);
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (::LookupPrivilegeValueW(nullptr, L"SeDebugPrivilege", &privileges.Privileges[0].Luid))
    ::AdjustTokenPrivileges(token.Get(), FALSE, &privileges, sizeof(privileges), nullptr, nullptr);
}

std::wstring ParentProductVersion() {
  const std::wstring path = ProgramFolder() + L"Tornvale.exe";
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return L"4.0.0.0";
  std::vector<unsigned char> data(size);
  if (!::GetFileVersionInfoW(path.c_str(), 0, size, data.data())) return L"4.0.0.0";
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) || !info ||
      length < sizeof(VS_FIXEDFILEINFO))
    return L"4.0.0.0";
  return std::to_wstring(HIWORD(info->dwFileVersionMS)) + L"." + std::to_wstring(LOWORD(info->dwFileVersionMS)) + L"." +
         std::to_wstring(HIWORD(info->dwFileVersionLS)) + L"." + std::to_wstring(LOWORD(info->dwFileVersionLS));
}

}  // namespace qor
