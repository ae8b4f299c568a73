#include "app/win/UserFolders.h"

#include <shlobj.h>
#include <windows.h>

#include "base/win/ProcAddress.h"
#include "base/win/WinConvert.h"

namespace qor::win {

namespace {

std::u16string EnvironmentValue(const std::u16string& name) {
  if (name.empty()) return {};
  const std::wstring wname(name.begin(), name.end());
  std::wstring buf(256, L'\0');
  for (int attempt = 0; attempt < 4; ++attempt) {
    const DWORD n = GetEnvironmentVariableW(wname.c_str(), buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return {};
    if (n < buf.size()) return FromWide(buf.data(), n);
    buf.resize(n);
  }
  return {};
}

std::u16string ShellFolder(int folderId) {
  wchar_t buf[MAX_PATH + 1] = {};
  if (!SHGetSpecialFolderPathW(nullptr, buf, folderId, FALSE)) return {};
  return FromWide(buf, wcslen(buf));
}

// "C:" from the path of the loaded kernel32.dll.
std::u16string SystemDrive() {
  wchar_t buf[MAX_PATH + 1] = {};
  const DWORD n = GetModuleFileNameW(GetModuleHandleW(L"kernel32.dll"), buf, MAX_PATH);
  if (n < 2 || buf[1] != L':') return {};
  return FromWide(buf, 2);
}

}  // namespace

int WindowsMajorVersion() {
  using TRtlGetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
  if (auto rtlGetVersion = ProcAddress<TRtlGetVersion>(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")) {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (rtlGetVersion(&info) == 0) return static_cast<int>(info.dwMajorVersion);
  }
  return 10;
}

bool Is64BitWindows() {
#ifdef _WIN64
  return true;
#else
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
#endif
}

std::u16string CurrentUserName() {
  wchar_t buf[257] = {};
  DWORD size = 257;
  if (GetUserNameW(buf, &size) && size > 0) return FromWide(buf, size - 1);
  return EnvironmentValue(u"USERNAME");
}

std::u16string SpecialFolderPath(int folderId) {
  TFolderFacts facts;
  facts.ShellAnswer = ShellFolder(folderId);
  if (facts.ShellAnswer.size() < 3 && folderId >= 26 && folderId <= 43) {
    facts.Is64BitSystem = Is64BitWindows();
    facts.EnvValue = EnvironmentValue(FolderEnvironmentName(folderId, facts.Is64BitSystem));
    facts.WindowsMajor = WindowsMajorVersion();
    facts.Drive = SystemDrive();
    facts.UserName = CurrentUserName();
  }
  return ResolveSpecialFolder(folderId, facts);
}

std::u16string CorvaneFolder() { return CorvaneFolderOf(SpecialFolderPath(FolderLocalAppData)); }

}  // namespace qor::win
