#pragma once
// A fresh folder per test under the system's temporary folder, removed afterwards, plus small file helpers.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "base/FileSystem.h"
#include "base/TextDecoding.h"

namespace qor::test {

class TTestFolder {
 public:
  TTestFolder() {
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    // A random part keeps runs of the same test (native, Wine, other build folders) apart.
    std::string name = std::string("qor_app_") + info->test_suite_name() + "_" + info->name() + "_" +
                       std::to_string(std::random_device{}());
    for (char& c : name) {
      if (c == '/' || c == '\\') c = '_';
    }
    FRoot = std::filesystem::temp_directory_path() / name;
    std::error_code ec;
    std::filesystem::remove_all(FRoot, ec);
    std::filesystem::create_directories(FRoot);
  }
  ~TTestFolder() {
    std::error_code ec;
    // Read-only files would keep Windows from removing the folder.
    for (auto it = std::filesystem::recursive_directory_iterator(FRoot, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
      FileSystem().WriteAttributes(FromFsPath(it->path()), TFileAttributes{});
    }
    std::filesystem::remove_all(FRoot, ec);
  }
  // Folder + separator + name (name may use '/' for sub folders).
  std::u16string Path(std::u16string_view name = u"") const {
    std::u16string out = IncludeTrailingSeparator(FromFsPath(FRoot));
    for (char16_t c : name) out.push_back(c == u'/' ? PathSeparator : c);
    return out;
  }
  const std::filesystem::path& Root() const { return FRoot; }

 private:
  std::filesystem::path FRoot;
};

inline std::string ReadBytes(std::u16string_view path) {
  std::string bytes;
  FileSystem().ReadWholeFile(path, bytes);
  return bytes;
}

inline void WriteBytes(std::u16string_view path, std::string_view bytes) {
  FileSystem().MakeDirectories(ExtractFileDir(path));
  ASSERT_TRUE(FileSystem().WriteFileAtomically(path, bytes));
}

inline std::u16string ReadText(std::u16string_view path) { return DecodeText(ReadBytes(path)); }

}  // namespace qor::test
