#pragma once
// A fresh folder per test under the system's temporary folder, removed afterwards, plus small file helpers.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "base/FileSystem.h"
#include "base/TextDecoding.h"
#ifdef _WIN32
#include "base/win/WinFileSystem.h"
#endif

namespace qor::test {

class TTestFolder {
 public:
  TTestFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
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

// The CR LF terminated lines of a text file; a last line without CR LF fails the test.
inline std::vector<std::u16string> ReadLines(std::u16string_view path) {
  const std::u16string text = ReadText(path);
  std::vector<std::u16string> lines;
  for (size_t pos = 0, end = 0; pos < text.size(); pos = end + 2) {
    end = text.find(u"\r\n", pos);
    if (end == std::u16string::npos) {
      ADD_FAILURE() << "last line without CR LF";
      break;
    }
    lines.push_back(text.substr(pos, end - pos));
  }
  return lines;
}

// A file system whose reads or writes fail, to check what a failed step leaves behind.
class TFaultyFileSystem : public TStdFileSystem {
 public:
  bool FailReads = false;
  bool FailWrites = false;
  bool ReadWholeFile(std::u16string_view path, std::string& bytes, uint64_t maxBytes) override {
    return !FailReads && TStdFileSystem::ReadWholeFile(path, bytes, maxBytes);
  }
  bool WriteSharedFile(std::u16string_view path, std::string_view bytes) override {
    return !FailWrites && TStdFileSystem::WriteSharedFile(path, bytes);
  }
};

// A test whose settings file lies in a fresh folder.
class TConfigFolderTest : public ::testing::Test {
 protected:
  TTestFolder Folder;
  std::u16string Ini = Folder.Path(u"Corvane/Config.ini");
};

#ifdef _WIN32
// The same through the Win32 file system and ANSI decoding.
class TWinConfigFolderTest : public TConfigFolderTest {
 protected:
  void SetUp() override { win::InstallWinBaseSeams(); }
  void TearDown() override {
    SetFileSystem(nullptr);
    SetAnsiDecoder(nullptr);
  }
};
#endif

}  // namespace qor::test
