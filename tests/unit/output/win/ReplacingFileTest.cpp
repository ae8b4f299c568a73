#include "output/win/ReplacingFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/unit/app/TestFolder.h"

namespace qor {
namespace {

using test::TTestFolder;

std::vector<std::u16string> FilesIn(const std::u16string& folder) {
  std::vector<std::u16string> names;
  for (const auto& entry : std::filesystem::directory_iterator(ToFsPath(folder)))
    names.push_back(FromFsPath(entry.path().filename()));
  return names;
}

bool WriteText(TReplacingFile& file, std::string_view text) {
  return file.Write(reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

TEST(ReplacingFile, TheTargetChangesOnlyAtTheCommitAndNoTemporaryFileRemains) {
  TTestFolder folder;
  const std::u16string path = folder.Path(u"shot.png");
  test::WriteBytes(path, "old");
  // Pieces of odd sizes across the 1 MiB buffer, some larger than it.
  std::string expected;
  {
    TReplacingFile file(path);
    for (size_t size : {size_t(1), size_t(700000), size_t(3) << 20, size_t(12345), size_t(0), size_t(1) << 20}) {
      const std::string piece(size, char('a' + expected.size() % 26));
      ASSERT_TRUE(WriteText(file, piece));
      expected += piece;
    }
    EXPECT_EQ(test::ReadBytes(path), "old") << "the target is untouched while the file is written";
    EXPECT_EQ(FilesIn(folder.Path()).size(), 2u) << "the file grows beside the target";
    ASSERT_TRUE(file.Commit());
    EXPECT_FALSE(WriteText(file, "more")) << "nothing goes into a committed file";
    EXPECT_FALSE(file.Commit());
  }
  EXPECT_TRUE(test::ReadBytes(path) == expected);
  EXPECT_EQ(FilesIn(folder.Path()), std::vector<std::u16string>{u"shot.png"});
}

TEST(ReplacingFile, AFileNeverCommittedLeavesTheTargetAsItWas) {
  TTestFolder folder;
  const std::u16string path = folder.Path(u"shot.bmp");
  test::WriteBytes(path, "old");
  {
    TReplacingFile file(path);
    ASSERT_TRUE(WriteText(file, std::string(3 << 20, 'x')));
  }
  EXPECT_EQ(test::ReadBytes(path), "old");
  EXPECT_EQ(FilesIn(folder.Path()), std::vector<std::u16string>{u"shot.bmp"});
  { TReplacingFile neverWritten(folder.Path(u"new.png")); }
  EXPECT_EQ(FilesIn(folder.Path()), std::vector<std::u16string>{u"shot.bmp"});
}

TEST(ReplacingFile, AMissingFolderFailsEveryWriteAndTheCommit) {
  TTestFolder folder;
  TReplacingFile file(folder.Path(u"missing/shot.png"));
  EXPECT_TRUE(file.WriteFailed());
  EXPECT_FALSE(WriteText(file, "bytes"));
  EXPECT_FALSE(file.Commit());
  EXPECT_TRUE(FilesIn(folder.Path()).empty());
}

TEST(ReplacingFile, ATargetThatCannotBeReplacedFailsTheCommitAndLeavesNoTemporaryFile) {
  TTestFolder folder;
  const std::u16string path = folder.Path(u"taken.png");
  ASSERT_TRUE(FileSystem().MakeDirectories(path));  // a folder holds the name
  TReplacingFile file(path);
  ASSERT_TRUE(WriteText(file, "bytes"));
  EXPECT_FALSE(file.Commit());
  EXPECT_EQ(FilesIn(folder.Path()), std::vector<std::u16string>{u"taken.png"});
  EXPECT_TRUE(FileSystem().DirectoryExists(path));
}

}  // namespace
}  // namespace qor
