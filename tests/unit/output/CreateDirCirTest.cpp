#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/FileSystem.h"
#include "output/CreateDirCir.h"
#include "tests/unit/app/TestFolder.h"

namespace qor {
namespace {

// '/' in expected paths stands for the platform's separator.
std::u16string L(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t& c : out)
    if (c == u'/') c = PathSeparator;
  return out;
}

TEST(CreateDirCirLevels, SplitsAnyPathIntoAccumulatedLevels) {
  const struct {
    std::u16string_view Path;
    std::vector<std::u16string_view> Levels;
  } cases[] = {
      {u"C:\\Users\\me\\Pictures\\", {u"C:/", u"C:/Users/", u"C:/Users/me/", u"C:/Users/me/Pictures/"}},
      {u"C:\\My Shots\\ a b \\", {u"C:/", u"C:/My Shots/", u"C:/My Shots/ a b /"}},  // spaces kept
      // Doubled, mixed and tripled separators count as one.
      {u"D:\\\\x\\\\y", {u"D:/", u"D:/x/", u"D:/x/y/"}},
      {u"D:\\x/y\\", {u"D:/", u"D:/x/", u"D:/x/y/"}},
      {u"D:///x////y", {u"D:/", u"D:/x/", u"D:/x/y/"}},
      {u"D:\\sh\rots\r\\", {u"D:/", u"D:/shots/"}},  // carriage returns dropped
      {u"\\Corvane\\", {u"/", u"/Corvane/"}},        // a leading separator is the root
      {u"/tmp/a", {u"/", u"/tmp/", u"/tmp/a/"}},
      // A network share stays one level; its doubled separator is not folded into a drive's root.
      {u"\\\\nas\\photos\\Shots\\\\2024", {u"//nas/photos/", u"//nas/photos/Shots/", u"//nas/photos/Shots/2024/"}},
      {u"//nas/photos", {u"//nas/photos/"}},
      {u"\\\\nas\\", {u"/", u"/nas/"}},  // no share named: an ordinary rooted path
      {u"\\\\\\x", {u"/", u"/x/"}},
      {u"rel", {u"rel/"}},
      {u"", {}},
      {u"\r\r", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.Path.begin(), c.Path.end()));
    std::vector<std::u16string> expected;
    for (auto level : c.Levels) expected.push_back(L(level));
    EXPECT_EQ(CreateDirCirLevels(c.Path), expected);
  }
}

// Records the seam's calls and refuses to create one chosen folder.
class TRecordingFileSystem : public TStdFileSystem {
 public:
  bool MakeDirectories(std::u16string_view path) override {
    Made.emplace_back(path);
    return path != Refused && TStdFileSystem::MakeDirectories(path);
  }
  std::vector<std::u16string> Made;
  std::u16string Refused;
};

class CreateDirCirTest : public testing::Test {
 protected:
  CreateDirCirTest() { SetFileSystem(&Fs); }
  ~CreateDirCirTest() override { SetFileSystem(nullptr); }
  bool IsDir(std::u16string_view relative) { return Fs.TStdFileSystem::DirectoryExists(Folder.Path(relative)); }
  TRecordingFileSystem Fs;
  test::TTestFolder Folder;
};

TEST_F(CreateDirCirTest, CreatesMissingLevelsParentsFirstAndOnlyThose) {
  EXPECT_TRUE(createDirCir(Folder.Path(u"My Shots/ 2024/a b")));
  EXPECT_TRUE(IsDir(u"My Shots/ 2024/a b"));
  ASSERT_EQ(Fs.Made.size(), 3u);
  EXPECT_EQ(ExtractFileName(ExtractFileDir(Fs.Made[0])), u"My Shots");
  EXPECT_EQ(ExtractFileName(ExtractFileDir(Fs.Made[2])), u"a b");
  Fs.Made.clear();
  EXPECT_TRUE(createDirCir(Folder.Path(u"My Shots")));
  EXPECT_TRUE(Fs.Made.empty());
}

TEST_F(CreateDirCirTest, StopsAtALevelThatIsAFileOrCannotBeCreated) {
  test::WriteBytes(Folder.Path(u"blocker"), "not a folder");
  EXPECT_FALSE(createDirCir(Folder.Path(u"blocker/sub/deeper")));
  EXPECT_FALSE(IsDir(u"blocker/sub"));
  ASSERT_FALSE(Fs.Made.empty());
  EXPECT_EQ(ExtractFileName(ExtractFileDir(Fs.Made.back())), u"blocker");

  Fs.Refused = Folder.Path(u"a/b/");
  EXPECT_FALSE(createDirCir(Folder.Path(u"a/b/c")));
  EXPECT_TRUE(IsDir(u"a"));
  EXPECT_FALSE(IsDir(u"a/b/c"));
  EXPECT_EQ(Fs.Made.back(), Fs.Refused);
}

TEST(DefaultSaveFolder, IsTheTrimmedSettingElseThePicturesFolderAndCorvane) {
  EXPECT_EQ(DefaultSaveFolder(u"  D:\\Shots \t", u"C:\\Pics"), u"D:\\Shots" + std::u16string(1, PathSeparator));
  EXPECT_EQ(DefaultSaveFolder(u"D:\\Shots\\", u"C:\\Pics"), u"D:\\Shots\\");
  EXPECT_EQ(DefaultSaveFolder(u"D:/Shots/", u""), u"D:/Shots/");
  EXPECT_EQ(DefaultSaveFolder(u"", u"C:\\Users\\me\\Pictures"), L(u"C:\\Users\\me\\Pictures/Corvane/"));
  EXPECT_EQ(DefaultSaveFolder(u" \r\n", u"C:\\Pics\\"), L(u"C:\\Pics\\Corvane/"));
  EXPECT_EQ(DefaultSaveFolder(u"", u""), L(u"/Corvane/"));
}

}  // namespace
}  // namespace qor
