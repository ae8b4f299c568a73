#include "app/win/UsageReporter.h"

#include <windows.h>

#include <string>

#include "app/UsageEvents.h"
#include "app/LogManage.h"
#include "app/win/ProcessState.h"
#include "app/win/StartUp.h"
#include "app/win/UserFolders.h"
#include "base/win/ProcAddress.h"
#include "base/win/UniqueHandle.h"
#include "base/win/WinConvert.h"

namespace qor {

namespace {

using TSetStatParam3 = int(WINAPI*)(const wchar_t* paramJson);
using TDoStatCommon = int(WINAPI*)(const wchar_t* appId, const wchar_t* statId, BOOL postNow, BOOL wait,
                                   const wchar_t* extraJson);

struct TStatLibrary {
  TModuleHandle Module;
  TSetStatParam3 SetStatParam3 = nullptr;
  TDoStatCommon DoStatCommon = nullptr;
  // Resolved for completeness; the program never calls them.
  FARPROC DoStatistic3 = nullptr, DoStatCusEx3 = nullptr, PostLocalCache3 = nullptr, ClearCacheByApp3 = nullptr,
          HttpPostContent = nullptr;
  bool Loaded = false;
};

TStatLibrary& Library() {
  static TStatLibrary library;
  return library;
}

}  // namespace

void InitUsageReporting() {
  TStatLibrary& lib = Library();
  if (lib.Loaded) return;
  const std::wstring path = ProgramFolder() + L"ProductStatistics3.dll";
  if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return;
  lib.Module.Reset(::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
  if (!lib.Module) return;  // stays unloaded; a later attempt may retry
  HMODULE module = lib.Module.Get();
  lib.SetStatParam3 = ProcAddress<TSetStatParam3>(module, "SetStatParam3");
  lib.DoStatCommon = ProcAddress<TDoStatCommon>(module, "DoStatCommon");
  lib.DoStatistic3 = ::GetProcAddress(module, "DoStatistic3");
  lib.DoStatCusEx3 = ::GetProcAddress(module, "DoStatCusEx3");
  lib.PostLocalCache3 = ::GetProcAddress(module, "PostLocalCache3");
  lib.ClearCacheByApp3 = ::GetProcAddress(module, "ClearCacheByApp3");
  lib.HttpPostContent = ::GetProcAddress(module, "HttpPostContent");
  lib.Loaded = true;

  TStatParams params;
  params.CachePath = win::CorvaneFolder() + u"StatData\\";
  const std::wstring version = ParentProductVersion();
  params.Version.assign(version.begin(), version.end());
  if (lib.SetStatParam3 && params.Status < 255 && params.User != -1) lib.SetStatParam3(Wide(StatParamJson(params)));
}

void CountAction(std::u16string_view statId) {
  TStatLibrary& lib = Library();
  // Outputs count themselves only when they start while no other output runs, so nothing is counted twice.
  if (!lib.Loaded || !lib.DoStatCommon) return;
  const std::u16string app(StatAppId), stat(statId), extra;
  lib.DoStatCommon(Wide(app), Wide(stat), FALSE, FALSE, Wide(extra));
}

void UsageEvent(std::u16string_view code) {
  if (IsUsageEventCode(code)) WriteLog(UsageEventLogLine(code), true);
}

}  // namespace qor
