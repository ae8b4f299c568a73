// Writes the skin packages of the screenshot windows: public.rcc (the controls' skin text), classic.rcc (the
// pictures at 1x and the colours) and classic2.rcc (the same pictures drawn at 2x).
//
//   skinpack <folder of the skin texts> <output folder>
//
// The skin texts are public.ini, classic.ini, classic2.ini (each package's main.ini) and color_setting.ini. A
// package is written to a temporary file first and then renamed, so an interrupted run leaves no cut package.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "CommonLib/RdControl/SkinArt.h"
#include "companions/webres/ZipWriter.h"
#include "output/PngWriter.h"

namespace {

namespace fs = std::filesystem;
using qor::webres::TZipMethod;
using qor::webres::TZipWriter;

std::optional<std::string> ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
  const fs::path temporary = path.string() + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()))) return false;
  }
  std::error_code error;
  fs::rename(temporary, path, error);
  return !error;
}

// Picture names are ASCII paths.
std::string Ascii(const std::u16string& name) { return std::string(name.begin(), name.end()); }

bool AddText(TZipWriter& zip, const std::string& name, const fs::path& source) {
  const std::optional<std::string> text = ReadText(source);
  if (!text) {
    std::fprintf(stderr, "skinpack: cannot read %s\n", source.string().c_str());
    return false;
  }
  return zip.Add(name, *text, TZipMethod::Deflated);
}

bool AddPictures(TZipWriter& zip, int32_t scale) {
  for (const qor::TSkinArtPicture& art : qor::SkinArtPictures()) {
    const qor::TImage image = qor::DrawSkinArt(art, scale);
    const std::vector<uint8_t> png =
        qor::WritePng(image.View(), {.Level = 9, .Filter = qor::TPngFilter::Adaptive, .Alpha = true});
    // PNG data is deflated already: stored unless deflating it again still saves bytes.
    if (png.empty() || !zip.Add(Ascii(art.Name), png, TZipMethod::Smaller)) {
      std::fprintf(stderr, "skinpack: cannot add %s\n", Ascii(art.Name).c_str());
      return false;
    }
  }
  return true;
}

bool WritePackage(const fs::path& path, const TZipWriter& zip) {
  const std::optional<std::vector<uint8_t>> bytes = zip.Finish();
  if (!bytes || !WriteFile(path, *bytes)) {
    std::fprintf(stderr, "skinpack: cannot write %s\n", path.string().c_str());
    return false;
  }
  std::printf("skinpack: %s, %zu entries, %zu bytes\n", path.filename().string().c_str(), zip.Count(), bytes->size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: skinpack <folder of the skin texts> <output folder>\n");
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  const fs::path texts = argv[1], out = argv[2];
  std::error_code error;
  fs::create_directories(out, error);

  TZipWriter publicPackage;
  if (!AddText(publicPackage, "main.ini", texts / "public.ini") || !WritePackage(out / "public.rcc", publicPackage))
    return 1;
  for (const auto& [skin, scale] : {std::pair{"classic", 1}, std::pair{"classic2", 2}}) {
    TZipWriter zip;
    if (!AddText(zip, "main.ini", texts / (std::string(skin) + ".ini")) ||
        !AddText(zip, "color_setting.ini", texts / "color_setting.ini") || !AddPictures(zip, scale) ||
        !WritePackage(out / (std::string(skin) + ".rcc"), zip))
      return 1;
  }
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  std::printf("skinpack: done in %lld ms\n", static_cast<long long>(ms.count()));
  return 0;
}
