// Start-up's skin work on the shipped packages: mounting public.rcc and classic.rcc through the package library
// and rebuilding the caches (skin text and colours), as the launcher does before any window shows; and the first
// use of a picture, which is decoded then (later uses share it).
#include <benchmark/benchmark.h>

#include "CommonLib/RdControl/PWebRes.h"
#include "base/FileSystem.h"
#include "base/Utf16Text.h"
#include "tests/unit/companions/webres/LinkedWebRes.h"

namespace {

using namespace qor;

using webres::testing::LinkedWebResCalls;

const std::u16string SkinFolder = Utf8ToUtf16(QOR_SKIN_DIR "/");

void BM_MountSkinAndReloadCaches(benchmark::State& state) {
  TStdFileSystem files;
  TRdColorTable colors;
  TRdResources resources(
      LinkedWebResCalls(), files, [] { return 0u; }, colors);
  for (auto _ : state) {
    resources.LoadPackage(SkinFolder + u"public.rcc", true);
    resources.LoadPackage(SkinFolder + u"classic.rcc");  // mounts and rebuilds the caches
    benchmark::DoNotOptimize(resources.SkinText().ClassCount());
    state.PauseTiming();
    resources.UnloadAll(true);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_MountSkinAndReloadCaches)->Unit(benchmark::kMillisecond);

void BM_FirstUseOfAToolPicture(benchmark::State& state) {
  TStdFileSystem files;
  TRdColorTable colors;
  TRdResources resources(
      LinkedWebResCalls(), files, [] { return 0u; }, colors);
  resources.LoadPackage(SkinFolder + u"public.rcc", true);
  resources.LoadPackage(SkinFolder + u"classic.rcc");
  for (auto _ : state) {
    auto picture = resources.GetImage(u"images/icon_rectangle_normal.png");  // read and decoded
    if (picture->IsEmpty()) state.SkipWithError("no picture in the package");
    state.PauseTiming();
    resources.ReloadCaches();  // forgets the decoded pictures
    state.ResumeTiming();
  }
}
BENCHMARK(BM_FirstUseOfAToolPicture)->Unit(benchmark::kMicrosecond);

}  // namespace
