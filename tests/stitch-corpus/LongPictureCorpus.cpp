// longpicture-corpus DIR [CASE...]              writes the standard and real-page cases (all, or the named ones)
// longpicture-corpus --run DIR WIDTH HEIGHT FRAMES STEP   writes one long article run (for timing the tool)
// Each case folder gets frame_NNN.bmp, dirs.txt (one direction per line) and ideal.bmp.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/BmpFile.h"
#include "tests/stitch-corpus/StitchCorpus.h"

using namespace qor::stitch::corpus;

namespace {

bool WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& data) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
  return bool(out);
}

bool WriteCase(const std::filesystem::path& dir, const TCaseRecipe& recipe) {
  const TCase c = BuildCase(recipe);
  const std::filesystem::path folder = dir / recipe.Name;
  std::filesystem::create_directories(folder);
  std::ofstream dirs(folder / "dirs.txt");
  for (size_t i = 0; i < c.Frames.size(); ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "frame_%03zu.bmp", i + 1);
    if (!WriteFile(folder / name, c.Frames[i])) return false;
    dirs << c.Directions[i] << "\n";
  }
  std::printf("%s: %zu frames, ideal %dx%d\n", recipe.Name.c_str(), c.Frames.size(), c.Ideal.Width(), c.Ideal.Height());
  return WriteFile(folder / "ideal.bmp", qor::WriteBmp(c.Ideal.View(), 24)) && bool(dirs);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 7 && std::string(argv[1]) == "--run") {
    const int32_t width = std::atoi(argv[3]), height = std::atoi(argv[4]), frames = std::atoi(argv[5]),
                  step = std::atoi(argv[6]);
    if (width < 64 || height < 200 || frames < 1 || step < 1) return 2;
    return WriteCase(argv[2], LongRun(width, height, frames, step)) ? 0 : 1;
  }
  if (argc < 2) {
    std::fprintf(stderr, "usage: longpicture-corpus DIR [CASE...] | --run DIR WIDTH HEIGHT FRAMES STEP\n");
    return 2;
  }
  std::vector<TCaseRecipe> cases = StandardCases();
  for (TCaseRecipe& recipe : RealPageCases()) cases.push_back(std::move(recipe));
  for (const TCaseRecipe& recipe : cases) {
    bool wanted = argc == 2;
    for (int i = 2; i < argc; ++i) wanted = wanted || recipe.Name == argv[i];
    if (wanted && !WriteCase(argv[1], recipe)) return 1;
  }
  return 0;
}
