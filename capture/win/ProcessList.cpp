#include "capture/win/ProcessList.h"

#include <windows.h>

#include "base/win/ProcAddress.h"
#include "capture/SuspendedProcesses.h"

namespace qor {

namespace {

using TNtQuerySystemInformation = LONG(WINAPI*)(ULONG infoClass, void* buffer, ULONG length, ULONG* needed);
using TRtlGetVersion = LONG(WINAPI*)(OSVERSIONINFOW* info);

constexpr ULONG SystemProcessInformation = 5;
constexpr LONG StatusInfoLengthMismatch = LONG(0xC0000004);

bool SuspendableSystem(HMODULE ntdll) {
  auto getVersion = ProcAddress<TRtlGetVersion>(ntdll, "RtlGetVersion");
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  if (!getVersion || getVersion(&info) != 0) return false;
  return info.dwMajorVersion > 10 || (info.dwMajorVersion == 10 && info.dwBuildNumber >= 18362);
}

}  // namespace

std::vector<uint64_t> QuerySuspendedProcesses() {
  HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  auto query = ProcAddress<TNtQuerySystemInformation>(ntdll, "NtQuerySystemInformation");
  if (!query || !SuspendableSystem(ntdll)) return {};
  std::vector<uint8_t> buffer(0x30000);
  for (int attempt = 0; attempt < 8; ++attempt) {
    ULONG needed = 0;
    const LONG status = query(SystemProcessInformation, buffer.data(), ULONG(buffer.size()), &needed);
    if (status == StatusInfoLengthMismatch) {
      buffer.resize(buffer.size() * 2);
      continue;
    }
    if (status < 0) return {};
    return SuspendedProcessIds(buffer.data(), std::min<size_t>(buffer.size(), needed ? needed : buffer.size()));
  }
  return {};
}

}  // namespace qor
