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

namespace {

double NowMs() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return 1000.0 * double(c.QuadPart) / double(f.QuadPart);
}

void Measure(const char* name, int runs, const std::u16string& path, const std::function<bool()>& write) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    qor::FileSystem().RemoveFile(path);
    const double start = NowMs();
    const bool ok = write();
    times.push_back(NowMs() - start);
    if (!ok) {
      std::printf("%-28s FAILED\n", name);
      return;
    }
  }
  std::sort(times.begin(), times.end());
  const auto size = qor::FileSystem().SizeOfFile(path);
  std::printf("%-28s median %8.1f ms  min %8.1f ms  size %9llu bytes\n", name, times[times.size() / 2], times.front(),
              size ? static_cast<unsigned long long>(*size) : 0ull);
  qor::FileSystem().RemoveFile(path);
}

bool WriteFile(const std::vector<uint8_t>& bytes, const std::u16string& path) {
  return !bytes.empty() &&
         qor::FileSystem().WriteFileAtomically(path, {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const qor::TImage capture = qor::bench::ScreenshotLikeImage();
  const qor::TConstImageView view = capture.View();
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::u16string folder(temp, temp + wcslen(temp));
  std::printf("3840 x 2160 screenshot-like capture, %d runs each (encode + write)\n", runs);

  Measure("GDI+ PNG", runs, folder + u"save_timing_gdiplus.png",
          [&] { return qor::SaveWithGdiplus(view, folder + u"save_timing_gdiplus.png", qor::TImageWriterKind::Png); });
  for (int level : {1, 3, 6}) {
    const std::string name = "zlib PNG level " + std::to_string(level) + ", Up";
    const std::u16string path = folder + u"save_timing_zlib.png";
    Measure(name.c_str(), runs, path, [&] {
      return WriteFile(qor::WritePng(view, {level, qor::TPngFilter::Up}), path);
    });
  }
  Measure("zlib PNG default", runs, folder + u"save_timing_default.png",
          [&] { return WriteFile(qor::WritePng(view), folder + u"save_timing_default.png"); });
  Measure("JPEG q90 (stb)", runs, folder + u"save_timing.jpeg",
          [&] { return WriteFile(qor::WriteJpeg(view, 90), folder + u"save_timing.jpeg"); });
  Measure("GDI+ JPEG (default quality)", runs, folder + u"save_timing_gdiplus.jpeg", [&] {
    return qor::SaveWithGdiplus(view, folder + u"save_timing_gdiplus.jpeg", qor::TImageWriterKind::Jpeg);
  });
  Measure("BMP 24-bit", runs, folder + u"save_timing.bmp",
          [&] { return WriteFile(qor::WriteBmp(view, 24), folder + u"save_timing.bmp"); });
  Measure("GDI+ TIFF", runs, folder + u"save_timing.tif",
          [&] { return qor::SaveWithGdiplus(view, folder + u"save_timing.tif", qor::TImageWriterKind::Tiff); });
  Measure("GDI+ GIF", runs, folder + u"save_timing.gif",
          [&] { return qor::SaveWithGdiplus(view, folder + u"save_timing.gif", qor::TImageWriterKind::Gif); });
  return 0;
}
