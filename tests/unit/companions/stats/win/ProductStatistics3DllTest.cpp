// Loads the shipped statistics library as the program does and checks what it stores.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "base/win/ProcAddress.h"
#include "tests/unit/app/TestFolder.h"

namespace {

using TSetStatParam3 = int(WINAPI*)(const wchar_t*);
using TDoStatCommon = int(WINAPI*)(const wchar_t*, const wchar_t*, BOOL, BOOL, const wchar_t*);

std::wstring DistPath(const wchar_t* name) {
  std::string dir = QOR_DIST_DIR;
  // The build folder is a Unix path; under Wine it is reachable through drive Z:.
  std::wstring wide(dir.begin(), dir.end());
  for (auto& c : wide)
    if (c == L'/') c = L'\\';
  return L"Z:" + wide + L"\\" + name;
}

}  // namespace

TEST(ProductStatistics3Dll, CountedActionsBecomeJsonLinesUnderTheCachePath) {
  HMODULE module = ::LoadLibraryW(DistPath(L"ProductStatistics3.dll").c_str());
  ASSERT_NE(module, nullptr);
  auto setParams = qor::ProcAddress<TSetStatParam3>(module, "SetStatParam3");
  auto doStat = qor::ProcAddress<TDoStatCommon>(module, "DoStatCommon");
  ASSERT_TRUE(setParams && doStat);
  for (const char* name : {"DoStatistic3", "DoStatCusEx3", "PostLocalCache3", "ClearCacheByApp3", "HttpPostContent"})
    EXPECT_NE(::GetProcAddress(module, name), nullptr) << name;

  EXPECT_EQ(doStat(L"qor4", L"332", FALSE, FALSE, L""), 0);  // no cache folder yet: nothing stored
  EXPECT_EQ(setParams(L"not json"), 0);

  const qor::test::TTestFolder temp;
  const std::u16string folder16 = temp.Path(u"deep/StatData/");
  const std::wstring folder(folder16.begin(), folder16.end());
  std::wstring json = L"{\"pd\":\"qor\",\"CachePath\":\"";
  for (wchar_t c : folder) json += (c == L'\\') ? std::wstring(L"\\\\") : std::wstring(1, c);
  json += L"\"}";
  ASSERT_EQ(setParams(json.c_str()), 1);
  EXPECT_EQ(doStat(L"qor4", L"332", FALSE, FALSE, L""), 1);
  EXPECT_EQ(doStat(L"qor4", L"333", FALSE, FALSE, nullptr), 1);

  const std::string stored = qor::test::ReadBytes(folder16 + u"stat_cache.jsonl");
  EXPECT_NE(stored.find("\"app\":\"qor4\",\"stat\":\"332\""), std::string::npos) << stored;
  EXPECT_NE(stored.find("\"stat\":\"333\""), std::string::npos);
  EXPECT_EQ(std::count(stored.begin(), stored.end(), '\n'), 2);
  ::FreeLibrary(module);
}
