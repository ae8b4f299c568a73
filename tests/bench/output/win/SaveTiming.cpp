// Times the ways a 3840 x 2160 screenshot-like capture can be written to a file on Windows: the platform's GDI+
// PNG encoder against our zlib PNG writer at three levels, JPEG quality 90 and BMP, each encoded and written to a
// file in the temporary folder. Prints the median of the runs and the file size.
//   cmake --preset windows -B build/<you>-windows && cmake --build build/<you>-windows --target save_timing
//   source scripts/wine-env.sh && wine build/<you>-windows/tests/bench/output/win/save_timing.exe [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "base/BmpFile.h"
#include "base/FileSystem.h"
#include "output/JpegWriter.h"
#include "output/PngWriter.h"
#include "output/win/GdiplusEncoder.h"
#include "tests/bench/output/ScreenshotLikeImage.h"
#include "tests/bench/win/NowMs.h"

namespace {

// Runs `write` (which writes `path`) `runs` times; prints the median time and the file size.
void Measure(const char* name, int runs, const std::u16string& path, const std::function<bool()>& write) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    qor::FileSystem().RemoveFile(path);
    const double start = NowMs();
    if (!write()) {
      std::printf("%-28s FAILED\n", name);
      return;
    }
    times.push_back(NowMs() - start);
  }
  std::sort(times.begin(), times.end());
  const auto size = qor::FileSystem().SizeOfFile(path);
  std::printf("%-28s median %8.1f ms  min %8.1f ms  size %9llu bytes\n", name, times[times.size() / 2], times.front(),
              size ? static_cast<unsigned long long>(*size) : 0ull);
  qor::FileSystem().RemoveFile(path);
}

}  // namespace

int main(int argc, char** argv) {
  using qor::TImageWriterKind;
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const qor::TImage capture = qor::bench::ScreenshotLikeImage();
  const qor::TConstImageView view = capture.View();
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::u16string folder(temp, temp + wcslen(temp));
  std::printf("3840 x 2160 screenshot-like capture, %d runs each (encode + write)\n", runs);
  // Our writers encode into memory and write the bytes; GDI+ writes the file itself.
  const auto ours = [&](const char* name, std::u16string file, auto encode) {
    const std::u16string path = folder + file;
    Measure(name, runs, path, [&] {
      const std::vector<uint8_t> bytes = encode();
      return !bytes.empty() &&
             qor::FileSystem().WriteFileAtomically(path, {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
    });
  };
  const auto gdiplus = [&](const char* name, std::u16string file, TImageWriterKind kind) {
    Measure(name, runs, folder + file,
            [&] { return qor::SaveWithGdiplus(view, folder + file, kind) == qor::TGdiplusSave::Saved; });
  };
  gdiplus("GDI+ PNG", u"save_timing_gdiplus.png", TImageWriterKind::Png);
  for (int level : {1, 3, 6})  // 3 with Up is the default
    ours(("zlib PNG level " + std::to_string(level) + ", Up").c_str(), u"save_timing_zlib.png", [&] {
      return qor::WritePng(view, {level, qor::TPngFilter::Up});
    });
  ours("JPEG q90 (stb)", u"save_timing.jpeg", [&] { return qor::WriteJpeg(view, 90); });
  gdiplus("GDI+ JPEG (default quality)", u"save_timing_gdiplus.jpeg", TImageWriterKind::Jpeg);
  ours("BMP 24-bit", u"save_timing.bmp", [&] { return qor::WriteBmp(view, 24); });
  gdiplus("GDI+ TIFF", u"save_timing.tif", TImageWriterKind::Tiff);
  gdiplus("GDI+ GIF", u"save_timing.gif", TImageWriterKind::Gif);
  return 0;
}
