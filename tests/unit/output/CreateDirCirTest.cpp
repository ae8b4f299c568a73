#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/FileSystem.h"
#include "output/CreateDirCir.h"
#include "tests/unit/app/TestFolder.h"

namespace qor {
namespace {

using test::TTestFolder;

// '/' in expected levels stands for the platform's separator.
std::u16string L(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t& c : out)
    if (c == u'/') c = PathSeparator;
  return out;
}

std::vector<std::u16string> Ls(std::initializer_list<std::u16string_view> levels) {
  std::vector<std::u16string> out;
  for (auto l : levels) out.push_back(L(l));
  return out;
}

TEST(CreateDirCirLevels, SplitsBackslashPathsIntoAccumulatedLevels) {
  EXPECT_EQ(CreateDirCirLevels(u"C:\\Users\\me\\Pictures\\Corvane\\"),
            Ls({u"C:/", u"C:/Users/", u"C:/Users/me/", u"C:/Users/me/Pictures/", u"C:/Users/me/Pictures/Corvane/"}));
}

TEST(CreateDirCirLevels, KeepsSpacesInsideNames) {
  EXPECT_EQ(CreateDirCirLevels(u"C:\\My Shots\\ a b \\"), Ls({u"C:/", u"C:/My Shots/", u"C:/My Shots/ a b /"}));
}

TEST(CreateDirCirLevels, TreatsDoubledBackslashesAndSlashesAsOneSeparator) {
  const auto expected = Ls({u"D:/", u"D:/x/", u"D:/x/y/"});
  EXPECT_EQ(CreateDirCirLevels(u"D:\\\\x\\\\y"), expected);
  EXPECT_EQ(CreateDirCirLevels(u"D:/x/y/"), expected);
  EXPECT_EQ(CreateDirCirLevels(u"D:\\x/y\\"), expected);
  EXPECT_EQ(CreateDirCirLevels(u"D:///x////y"), expected);
}

TEST(CreateDirCirLevels, DropsCarriageReturns) {
  EXPECT_EQ(CreateDirCirLevels(u"D:\\sh\rots\r\\"), Ls({u"D:/", u"D:/shots/"}));
}

TEST(CreateDirCirLevels, KeepsALeadingSeparatorAsTheRoot) {
  EXPECT_EQ(CreateDirCirLevels(u"\\Corvane\\"), Ls({u"/", u"/Corvane/"}));
  EXPECT_EQ(CreateDirCirLevels(u"/tmp/a"), Ls({u"/", u"/tmp/", u"/tmp/a/"}));
}

TEST(CreateDirCirLevels, GivesNoLevelForEmptyOrSeparatorFreeJunk) {
  EXPECT_TRUE(CreateDirCirLevels(u"").empty());
  EXPECT_TRUE(CreateDirCirLevels(u"\r\r").empty());
  EXPECT_EQ(CreateDirCirLevels(u"rel"), Ls({u"rel/"}));
}

// Records the seam's calls and refuses to create one chosen folder.
class TRecordingFileSystem : public TStdFileSystem {
 public:
  bool DirectoryExists(std::u16string_view path) override {
    Checked.emplace_back(path);
    return TStdFileSystem::DirectoryExists(path);
  }
  bool MakeDirectories(std::u16string_view path) override {
    Made.emplace_back(path);
    if (path == Refused) return false;
    return TStdFileSystem::MakeDirectories(path);
  }
  std::vector<std::u16string> Checked, Made;
  std::u16string Refused;
};

class CreateDirCirTest : public testing::Test {
 protected:
  CreateDirCirTest() { SetFileSystem(&Fs); }
  ~CreateDirCirTest() override { SetFileSystem(nullptr); }
  bool IsDir(std::u16string_view relative) { return Fs.TStdFileSystem::DirectoryExists(Folder.Path(relative)); }
  TRecordingFileSystem Fs;
  TTestFolder Folder;
};

TEST_F(CreateDirCirTest, CreatesAFolderWithSpacesLevelByLevel) {
  EXPECT_TRUE(createDirCir(Folder.Path(u"My Shots/ 2024/a b")));
  EXPECT_TRUE(IsDir(u"My Shots/ 2024/a b"));
  // The three new levels were made one after the other, parents first.
  ASSERT_EQ(Fs.Made.size(), 3u);
  EXPECT_EQ(ExtractFileName(ExtractFileDir(Fs.Made[0])), u"My Shots");
  EXPECT_EQ(ExtractFileName(ExtractFileDir(Fs.Made[2])), u"a b");
}

TEST_F(CreateDirCirTest, CreatesFoldersWrittenWithDoubledBackslashesOrSlashes) {
  std::u16string root = Folder.Path();
  root.pop_back();
  EXPECT_TRUE(createDirCir(root + u"\\\\one\\\\two\\\\"));
  EXPECT_TRUE(IsDir(u"one/two"));
  EXPECT_TRUE(createDirCir(root + u"/three//four/"));
  EXPECT_TRUE(IsDir(u"three/four"));
}

TEST_F(CreateDirCirTest, MakesNothingWhenEveryLevelExists) {
  EXPECT_TRUE(createDirCir(Folder.Path()));
  EXPECT_TRUE(Fs.Made.empty());
}

TEST_F(CreateDirCirTest, FailsAtALevelThatIsAFileAndGoesNoFurther) {
  test::WriteBytes(Folder.Path(u"blocker"), "not a folder");
  EXPECT_FALSE(createDirCir(Folder.Path(u"blocker/sub/deeper")));
  EXPECT_FALSE(IsDir(u"blocker/sub"));
  ASSERT_FALSE(Fs.Made.empty());
  EXPECT_EQ(ExtractFileName(ExtractFileDir(Fs.Made.back())), u"blocker");
}

TEST_F(CreateDirCirTest, FailsWhenALevelCannotBeCreated) {
  Fs.Refused = Folder.Path(u"a/b/");
  EXPECT_FALSE(createDirCir(Folder.Path(u"a/b/c")));
  EXPECT_TRUE(IsDir(u"a"));
  EXPECT_FALSE(IsDir(u"a/b/c"));
  EXPECT_EQ(Fs.Made.back(), Fs.Refused);
}

TEST(DefaultSaveFolder, TrimsTheSettingAndAddsASeparator) {
  EXPECT_EQ(DefaultSaveFolder(u"  D:\\Shots \t", u"C:\\Pics"), u"D:\\Shots" + std::u16string(1, PathSeparator));
  EXPECT_EQ(DefaultSaveFolder(u"D:\\Shots\\", u"C:\\Pics"), u"D:\\Shots\\");
  EXPECT_EQ(DefaultSaveFolder(u"D:/Shots/", u""), u"D:/Shots/");
}

TEST(DefaultSaveFolder, FallsBackToThePicturesFolderAndCorvane) {
  EXPECT_EQ(DefaultSaveFolder(u"", u"C:\\Users\\me\\Pictures"), L(u"C:\\Users\\me\\Pictures/Corvane/"));
  EXPECT_EQ(DefaultSaveFolder(u" \r\n", u"C:\\Pics\\"), L(u"C:\\Pics\\Corvane/"));
  EXPECT_EQ(DefaultSaveFolder(u"", u""), L(u"/Corvane/"));
}

TEST(TemporaryBitmapPath, UsesTempElseTmp) {
  EXPECT_EQ(TemporaryFolder(u"C:\\T1", u"C:\\T2"), u"C:\\T1");
  EXPECT_EQ(TemporaryFolder(u"", u"C:\\T2"), u"C:\\T2");
  EXPECT_EQ(TemporaryBitmapPath(u"C:\\T1", u"C:\\T2"), L(u"C:\\T1/ZynTemp.bmp"));
  EXPECT_EQ(TemporaryBitmapPath(u"", u"C:\\T2"), L(u"C:\\T2/ZynTemp.bmp"));
}

}  // namespace
}  // namespace qor
