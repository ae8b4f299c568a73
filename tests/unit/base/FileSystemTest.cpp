#include <gtest/gtest.h>

#include <filesystem>

#include "base/FileSystem.h"
#include "base/Utf16Text.h"
#include "tests/unit/app/TestFolder.h"

namespace qor {
namespace {

// A fresh folder per test.
class FileSystemTest : public testing::Test {
 protected:
  std::u16string Path(std::u16string_view name) const { return Folder.Path(name); }
  test::TTestFolder Folder;
  const std::filesystem::path& FRoot = Folder.Root();
  TFileSystem& Fs = FileSystem();
};

TEST(PathText, SplitsJoinsAndChangesExtensionsOnEitherSeparator) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {ExtractFileDir(u"C:\\Users\\me\\Config.ini"), u"C:\\Users\\me"},
      {ExtractFileDir(u"/tmp/x/Config.ini"), u"/tmp/x"},
      {ExtractFileDir(u"C:\\Config.ini"), u"C:\\"},
      {ExtractFileDir(u"/Config.ini"), u"/"},
      {ExtractFileDir(u"Config.ini"), u""},
      {ExtractFileName(u"C:\\a\\b.log"), u"b.log"},
      {IncludeTrailingSeparator(u"C:\\a\\"), u"C:\\a\\"},
      {IncludeTrailingSeparator(u"a"), std::u16string(u"a") + PathSeparator},
      {ChangeFileExt(u"C:\\x\\QorScreenshot.exe", u".log"), u"C:\\x\\QorScreenshot.log"},
      {ChangeFileExt(u"C:\\x.dir\\noext", u".log"), u"C:\\x.dir\\noext.log"},  // only the name's extension
      {ChangeFileExt(u"x.log", u"_1.log"), u"x_1.log"},
      {ChangeFileExt(u"a.b.c", u""), u"a.b"},
  };
  for (const auto& [got, expected] : cases) EXPECT_EQ(got, expected);
}

TEST_F(FileSystemTest, AtomicWriteReplacesContentLeavesNoTemporaryFileAndTakesNonAsciiNames) {
  const auto file = Path(u"Gr\u00F6\u00DFe \u4E2D.ini");
  ASSERT_TRUE(Fs.WriteFileAtomically(file, "first"));
  ASSERT_TRUE(Fs.WriteFileAtomically(file, "second, longer"));
  std::string bytes;
  ASSERT_TRUE(Fs.ReadWholeFile(file, bytes));
  EXPECT_EQ(bytes, "second, longer");
  int entries = 0;
  for (const auto& e : std::filesystem::directory_iterator(FRoot)) (void)e, ++entries;
  EXPECT_EQ(entries, 1);
  // Into a missing folder it fails and creates nothing.
  EXPECT_FALSE(Fs.WriteFileAtomically(Path(u"missing") + PathSeparator + u"Config.ini", "x"));
  EXPECT_FALSE(Fs.DirectoryExists(Path(u"missing")));
}

TEST_F(FileSystemTest, ReadRefusesMissingFilesAndFilesAboveTheLimit) {
  std::string bytes = "stale";
  EXPECT_FALSE(Fs.ReadWholeFile(Path(u"none"), bytes));
  EXPECT_TRUE(bytes.empty());
  ASSERT_TRUE(Fs.WriteFileAtomically(Path(u"big"), std::string(100, 'x')));
  EXPECT_FALSE(Fs.ReadWholeFile(Path(u"big"), bytes, 99));
  EXPECT_TRUE(Fs.ReadWholeFile(Path(u"big"), bytes, 100));
}

TEST_F(FileSystemTest, MakeDirectoriesCreatesEveryLevelAndAcceptsExisting) {
  const auto deep = Path(u"a") + PathSeparator + u"b" + PathSeparator + u"c";
  EXPECT_TRUE(Fs.MakeDirectories(deep));
  EXPECT_TRUE(Fs.MakeDirectories(deep));
  EXPECT_TRUE(Fs.DirectoryExists(deep));
  EXPECT_FALSE(Fs.FileExists(deep));
}

TEST_F(FileSystemTest, AppendFileKnowsItsSizeAndTruncates) {
  const auto file = Path(u"x.log");
  {
    auto f = Fs.OpenForAppend(file);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->Size(), 0u);
    EXPECT_TRUE(f->Write("abc"));
  }
  auto f = Fs.OpenForAppend(file);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->Size(), 3u);
  EXPECT_TRUE(f->Write("de"));
  EXPECT_EQ(f->Size(), 5u);
  EXPECT_EQ(Fs.SizeOfFile(file), 5u);
  EXPECT_TRUE(f->Truncate());
  EXPECT_TRUE(f->Write("z"));
  f.reset();
  std::string bytes;
  ASSERT_TRUE(Fs.ReadWholeFile(file, bytes));
  EXPECT_EQ(bytes, "z");
}

TEST_F(FileSystemTest, CopyRenameAndRemoveReplaceTargets) {
  const auto a = Path(u"a"), b = Path(u"b"), c = Path(u"c");
  ASSERT_TRUE(Fs.WriteFileAtomically(a, "A"));
  ASSERT_TRUE(Fs.WriteFileAtomically(b, "B"));
  EXPECT_TRUE(Fs.CopyFileTo(a, b));
  EXPECT_TRUE(Fs.RenameFile(b, c));
  EXPECT_FALSE(Fs.FileExists(b));
  std::string bytes;
  ASSERT_TRUE(Fs.ReadWholeFile(c, bytes));
  EXPECT_EQ(bytes, "A");
  EXPECT_TRUE(Fs.RemoveFile(c));
  EXPECT_FALSE(Fs.RemoveFile(c));
  EXPECT_FALSE(Fs.SizeOfFile(c).has_value());
}

TEST_F(FileSystemTest, ReadOnlyAttributeRoundTrips) {
  const auto file = Path(u"ro.ini");
  ASSERT_TRUE(Fs.WriteFileAtomically(file, "x"));
  ASSERT_TRUE(Fs.WriteAttributes(file, {true, false}));
  EXPECT_TRUE(Fs.ReadAttributes(file)->ReadOnly);
  ASSERT_TRUE(Fs.WriteAttributes(file, {false, false}));
  EXPECT_FALSE(Fs.ReadAttributes(file)->ReadOnly);
  EXPECT_FALSE(Fs.ReadAttributes(Path(u"none")).has_value());
}

TEST(TemporarySiblingName, StaysInTheSameFolderAndDiffers) {
  const auto a = TemporarySiblingName(u"dir/Config.ini");
  const auto b = TemporarySiblingName(u"dir/Config.ini");
  EXPECT_NE(a, b);
  EXPECT_EQ(a.rfind(u"dir/Config.ini.", 0), 0u);
}

}  // namespace
}  // namespace qor
