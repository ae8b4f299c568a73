#pragma once
// Package files for the registry and library tests, written to a fresh temporary folder per test.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/unit/companions/webres/ZipBuilder.h"

namespace qor::webres::testing {

class TPackageFolder {
 public:
  explicit TPackageFolder(const std::string& name)
      : FRoot(std::filesystem::temp_directory_path() / ("qor-webres-" + name)) {
    std::filesystem::remove_all(FRoot);
    std::filesystem::create_directories(FRoot);
  }
  ~TPackageFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(FRoot, ignored);
  }
  std::filesystem::path Write(const std::string& fileName, const std::vector<uint8_t>& bytes) const {
    const std::filesystem::path path = FRoot / fileName;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), long(bytes.size()));
    return path;
  }
  const std::filesystem::path& Root() const { return FRoot; }

 private:
  std::filesystem::path FRoot;
};

// A skin as the windows read it: a main.ini, images in a nested folder, and a stored folder entry.
inline std::vector<uint8_t> SkinPackage(const std::string& marker) {
  TZipBuilder b;
  b.Add("main.ini", "[validate]\nskinname=" + marker + "\n", true)
      .Add("color_setting.ini", "[color]\ntype=RGB\n")
      .Add("images/", "")
      .Add("images/bg_window.png", std::string(3000, 'p') + marker, true)
      .Add("images/buttons/close.png", "close", false)
      .Add("images/buttons/min.png", "min", true)
      .Add("images/icon.png", "icon")
      .Add("empty/", "");
  return b.Bytes();
}

}  // namespace qor::webres::testing
