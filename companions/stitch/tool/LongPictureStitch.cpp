// longpicture-stitch OUT.bmp FRAME... [--dirs FILE]
// Stitches BMP frames through the library's entry point, exactly as the program calls it, and writes the result.
// A FRAME is a BMP path, optionally prefixed with "up:" or "down:" (default down); --dirs FILE gives the
// directions instead, one per line (1 down, 0 up) in frame order. Prints one line per frame,
// "frame <n> ok|failed <milliseconds> ms <path>". Exit code: 0 all frames stitched, 1 some frame failed (the result is
// still written), 2 usage or file error.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "companions/stitch/LongPictureApi.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: longpicture-stitch OUT.bmp FRAME... [--dirs FILE]\n"
               "  FRAME    a BMP file, optionally prefixed with up: or down: (default down)\n"
               "  --dirs   a file with one direction per line (1 down, 0 up) in frame order\n");
  return 2;
}

bool ReadFile(const std::string& path, std::vector<uint8_t>& data) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

}  // namespace

int main(int argc, char** argv) {
  std::string outPath, dirsPath;
  std::vector<std::string> frames;
  std::vector<int32_t> directions;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--dirs") {
      if (++i >= argc) return Usage();
      dirsPath = argv[i];
    } else if (arg == "-h" || arg == "--help") {
      Usage();
      return 0;
    } else if (outPath.empty()) {
      outPath = arg;
    } else if (arg.rfind("up:", 0) == 0) {
      frames.push_back(arg.substr(3));
      directions.push_back(0);
    } else if (arg.rfind("down:", 0) == 0) {
      frames.push_back(arg.substr(5));
      directions.push_back(1);
    } else {
      frames.push_back(arg);
      directions.push_back(1);
    }
  }
  if (outPath.empty() || frames.empty()) return Usage();
  if (!dirsPath.empty()) {
    std::ifstream in(dirsPath);
    if (!in) {
      std::fprintf(stderr, "longpicture-stitch: cannot read %s\n", dirsPath.c_str());
      return 2;
    }
    std::string line;
    for (size_t n = 0; n < frames.size(); ++n) {
      if (!std::getline(in, line)) {
        std::fprintf(stderr, "longpicture-stitch: %s has fewer lines than there are frames\n", dirsPath.c_str());
        return 2;
      }
      while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
      if (line != "0" && line != "1") {
        std::fprintf(stderr, "longpicture-stitch: line %zu of %s is not 0 or 1\n", n + 1, dirsPath.c_str());
        return 2;
      }
      directions[n] = line == "1" ? 1 : 0;
    }
  }

  bool allOk = true;
  uint8_t* result = nullptr;
  int32_t resultSize = 0;
  std::vector<uint8_t> data;
  for (size_t n = 0; n < frames.size(); ++n) {
    if (!ReadFile(frames[n], data)) {
      std::fprintf(stderr, "longpicture-stitch: cannot read %s\n", frames[n].c_str());
      return 2;
    }
    result = nullptr;
    resultSize = 0;
    const auto start = std::chrono::steady_clock::now();
    const bool ok = OpencvLongScreenShot(directions[n], data.data(), int32_t(data.size()), &result, &resultSize) != 0;
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("frame %zu %s %.3f ms %s\n", n + 1, ok ? "ok" : "failed", ms, frames[n].c_str());
    allOk = allOk && ok;
  }
  if (result == nullptr || resultSize <= 0) {
    std::fprintf(stderr, "longpicture-stitch: no picture (no frame could be read)\n");
    return 2;
  }
  std::ofstream out(outPath, std::ios::binary);
  out.write(reinterpret_cast<const char*>(result), resultSize);
  if (!out) {
    std::fprintf(stderr, "longpicture-stitch: cannot write %s\n", outPath.c_str());
    return 2;
  }
  return allOk ? 0 : 1;
}
