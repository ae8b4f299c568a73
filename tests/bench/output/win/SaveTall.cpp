// Saves one tall screenshot-like picture through SaveNewBitmap and prints the time and the process's peak memory
// (working set) before and after, to see what the save adds on top of the picture itself.
//   cmake --build --preset windows --target save_tall
//   source scripts/wine-env.sh && wine build/windows/tests/bench/output/win/save_tall.exe 1920 100000 .png
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/FileSystem.h"
#include "output/win/SaveNewBitmap.h"
#include "tests/bench/output/ScreenshotLikeImage.h"
#include "tests/bench/win/NowMs.h"

namespace {

double PeakMiB() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters))) return -1;
  return double(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

}  // namespace

int main(int argc, char** argv) {
  const int32_t width = argc > 1 ? std::atoi(argv[1]) : 1920;
  const int32_t height = argc > 2 ? std::atoi(argv[2]) : 100000;
  const std::string ext = argc > 3 ? argv[3] : ".png";
  const qor::TImage picture = qor::bench::ScreenshotLikeImage(width, height);
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::u16string path =
      std::u16string(temp, temp + wcslen(temp)) + u"save_tall" + std::u16string(ext.begin(), ext.end());
  const double before = PeakMiB();
  const double start = NowMs();
  const qor::TSaveResult result = qor::SaveNewBitmap(picture.View(), path);
  const double ms = NowMs() - start;
  const auto size = qor::FileSystem().SizeOfFile(path);
  std::printf(
      "%d x %d %s: %s in %.0f ms, %llu bytes; peak working set %.0f MiB with the picture, %.0f MiB after "
      "the save\n",
      width, height, ext.c_str(), result == qor::TSaveResult::Saved ? "saved" : "NOT saved", ms,
      size ? static_cast<unsigned long long>(*size) : 0ull, before, PeakMiB());
  qor::FileSystem().RemoveFile(path);
  return result == qor::TSaveResult::Saved ? 0 : 1;
}
