// ProductStatistics3.dll: the statistics companion. SetStatParam3 takes the parameter record; DoStatCommon appends
// one JSON line per counted action to <CachePath>stat_cache.jsonl. Nothing leaves the machine; the other entry
// points exist for callers that resolve them and do nothing.
#include <windows.h>

#include <mutex>
#include <string>

#include "base/Utf16Text.h"
#include "base/win/UniqueHandle.h"
#include "base/win/WinConvert.h"
#include "companions/stats/StatCache.h"

using qor::FromWide;
using qor::Wide;

namespace {

std::mutex GLock;
std::u16string GCachePath;

std::u16string NowText() {
  SYSTEMTIME t;
  ::GetLocalTime(&t);
  wchar_t buffer[32];
  swprintf(buffer, 32, L"%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
  return FromWide(buffer);
}

// Creates every missing level of a folder.
void CreateFolders(const std::u16string& folder) {
  for (size_t i = 3; i <= folder.size(); ++i) {
    if (i == folder.size() || folder[i] == u'\\' || folder[i] == u'/')
      ::CreateDirectoryW(Wide(folder.substr(0, i)), nullptr);
  }
}

bool AppendLine(const std::string& line) {
  if (GCachePath.empty()) return false;
  CreateFolders(GCachePath);
  std::u16string path = GCachePath;
  if (path.back() != u'\\' && path.back() != u'/') path.push_back(u'\\');
  path += qor::StatCacheFileName;
  const qor::TKernelHandle file(::CreateFileW(Wide(path), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return ::WriteFile(file.Get(), line.data(), DWORD(line.size()), &written, nullptr) && written == line.size();
}

}  // namespace

extern "C" {

__declspec(dllexport) int WINAPI SetStatParam3(const wchar_t* paramJson) {
  try {
    auto fields = qor::ParseFlatJsonObject(FromWide(paramJson));
    if (!fields) return 0;
    auto path = fields->find(u"CachePath");
    if (path == fields->end() || path->second.empty()) return 0;
    std::lock_guard<std::mutex> lock(GLock);
    GCachePath = path->second;
    return 1;
  } catch (...) {
    return 0;
  }
}

__declspec(dllexport) int WINAPI
    DoStatCommon(const wchar_t* appId, const wchar_t* statId, BOOL postNow, BOOL wait, const wchar_t* extraJson) {
  try {
    qor::TStatRecord record{NowText(),        FromWide(appId), FromWide(statId),
                            postNow != FALSE, wait != FALSE,   FromWide(extraJson)};
    std::lock_guard<std::mutex> lock(GLock);
    return AppendLine(qor::StatRecordLine(record)) ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

__declspec(dllexport) int WINAPI DoStatistic3() { return 0; }
__declspec(dllexport) int WINAPI DoStatCusEx3() { return 0; }
__declspec(dllexport) int WINAPI PostLocalCache3() { return 0; }
__declspec(dllexport) int WINAPI ClearCacheByApp3() { return 0; }
__declspec(dllexport) int WINAPI HttpPostContent() { return 0; }

}  // extern "C"
