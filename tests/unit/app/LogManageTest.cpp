#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <vector>

#include "app/LogManage.h"
#include "base/TextDecoding.h"
#include "base/Utf16Text.h"
#include "tests/unit/app/TestFolder.h"

namespace qor {
namespace {

using namespace test;

constexpr TLocalTime FixedTime{2024, 3, 7, 9, 5, 4, 12};
const std::u16string Stamp = u"2024-03-07 09:05:04.012  ";

class LogManageTest : public testing::Test {
 protected:
  LogManageTest() {
    Log.SetClock([] { return FixedTime; });
    Log.SetExecutablePath(Folder.Path(u"bin/QorScreenshot.exe"));
    Log.SetFileName(LogFile);
  }
  static std::vector<std::u16string> Lines(std::u16string_view file) {
    EXPECT_EQ(ReadBytes(file).substr(0, 2), "\xFF\xFE");
    return ReadLines(file);
  }
  TTestFolder Folder;
  std::u16string LogFile = Folder.Path(u"Corvane/Logs/QorScreenshot.log");
  TLogManage Log;
};

TEST(FormatLogTimeStamp, PadsEveryFieldAndEndsWithTwoBlanks) {
  EXPECT_EQ(FormatLogTimeStamp({999, 12, 31, 23, 59, 59, 999}), u"0999-12-31 23:59:59.999  ");
}

TEST_F(LogManageTest, FirstLineCreatesFolderFileAndByteOrderMarkThenLinesAreAppended) {
  Log.WriteLog(u"[SaveNewBitmap]ForceDirectories done");
  EXPECT_EQ(ReadBytes(LogFile), EncodeUtf16LeWithBom(Stamp + u"[SaveNewBitmap]ForceDirectories done\r\n"));
  WriteBytes(LogFile, EncodeUtf16LeWithBom(u"old\r\n"));
  Log.WriteLog(u"new");
  Log.SetTimeStamp(false);
  Log.WriteLog(u"plain \u00E4\U0001F600");
  EXPECT_EQ(Lines(LogFile), (std::vector<std::u16string>{u"old", Stamp + u"new", u"plain \u00E4\U0001F600"}));
}

TEST_F(LogManageTest, DetailOnlyLinesNeedTheMarkerBesideTheExecutable) {
  Log.WriteLog(u"detail 1", true);
  Log.WriteLog(u"ordinary 1");
  WriteBytes(Folder.Path(u"bin/detaillog.ldt"), "");
  EXPECT_TRUE(Log.DetailLogEnabled());
  Log.WriteLog(u"detail 2", true);
  Log.WriteLog(u"ordinary 2");
  EXPECT_EQ(Lines(LogFile),
            (std::vector<std::u16string>{Stamp + u"ordinary 1", Stamp + u"detail 2", Stamp + u"ordinary 2"}));
}

TEST_F(LogManageTest, FileJustBelowTheMaximumIsAppendedToAndAFullOneRotatedBeforeTheNextLine) {
  std::string full = EncodeUtf16LeWithBom(u"old line\r\n");
  full.resize(TLogManage::DefaultMaxFileSize - 2, 'x');
  WriteBytes(LogFile, full);
  WriteBytes(LogFile + u".bak1", "previous backup");
  Log.WriteLog(u"appended");
  EXPECT_EQ(ReadBytes(LogFile + u".bak1"), "previous backup");
  EXPECT_EQ(FileSystem().SizeOfFile(LogFile), full.size() + 2 * (Stamp.size() + 10));
  full.resize(TLogManage::DefaultMaxFileSize, 'x');  // exactly the maximum
  WriteBytes(LogFile, full);
  Log.WriteLog(u"after rotation");
  EXPECT_EQ(ReadBytes(LogFile + u".bak1"), full);
  EXPECT_EQ(ReadBytes(LogFile), EncodeUtf16LeWithBom(Stamp + u"after rotation\r\n"));
}

TEST_F(LogManageTest, MoreBackupsShiftDown) {
  Log.SetMaxFileSize(40);
  Log.SetBackupCount(3);
  for (int i = 0; i < 4; ++i) Log.WriteLog(u"line " + IntToText(i));  // each line alone fills the file
  EXPECT_EQ(Lines(LogFile), std::vector<std::u16string>{Stamp + u"line 3"});
  EXPECT_EQ(Lines(LogFile + u".bak1"), std::vector<std::u16string>{Stamp + u"line 2"});
  EXPECT_EQ(Lines(LogFile + u".bak2"), std::vector<std::u16string>{Stamp + u"line 1"});
  EXPECT_EQ(Lines(LogFile + u".bak3"), std::vector<std::u16string>{Stamp + u"line 0"});
  EXPECT_FALSE(FileSystem().FileExists(LogFile + u".bak4"));
}

TEST_F(LogManageTest, UnopenableFileFallsBackToNumberedNamesUpToTheBound) {
  // A folder in the log's place: the file cannot be opened, x_1.log can.
  ASSERT_TRUE(FileSystem().MakeDirectories(LogFile));
  Log.WriteLog(u"to the fallback");
  EXPECT_EQ(Lines(Folder.Path(u"Corvane/Logs/QorScreenshot_1.log")),
            std::vector<std::u16string>{Stamp + u"to the fallback"});
  std::filesystem::remove(ToFsPath(ChangeFileExt(LogFile, u"_1.log")));
  for (int i = 1; i <= TLogManage::MaxOpenRetries; ++i) {
    std::u16string suffix(u"_");  // appended, not concatenated: mingw's -Wrestrict misreads the concatenation
    ASSERT_TRUE(FileSystem().MakeDirectories(ChangeFileExt(LogFile, suffix.append(IntToText(i)).append(u".log"))));
  }
  Log.WriteLog(u"dropped");
  EXPECT_FALSE(FileSystem().FileExists(ChangeFileExt(LogFile, u"_11.log")));
}

TEST_F(LogManageTest, UnwritableFolderDropsTheLineQuietly) {
  // A file where the log folder should be: nothing can be created below it.
  WriteBytes(Folder.Path(u"Corvane/Logs"), "not a folder");
  EXPECT_NO_THROW(Log.WriteLog(u"lost"));
  EXPECT_NO_THROW(WriteLog(u"lost too"));
  EXPECT_EQ(ReadBytes(Folder.Path(u"Corvane/Logs")), "not a folder");
}

TEST_F(LogManageTest, ANewNameMovesTheNextLineButTheSameNameInOtherCaseKeepsTheOpenWriter) {
  Log.SetKeepOpen(true);
  Log.WriteLog(u"one");
  Log.SetFileName(Folder.Path(u"Corvane/Logs/QORSCREENSHOT.LOG"));
  Log.WriteLog(u"two");
  Log.SetKeepOpen(false);
  // On a case-sensitive file system a reopened writer would have started a second file.
  EXPECT_EQ(Lines(LogFile), (std::vector<std::u16string>{Stamp + u"one", Stamp + u"two"}));
  const std::u16string other = Folder.Path(u"other/second.log");
  Log.SetFileName(other);
  Log.WriteLog(u"three");
  EXPECT_EQ(Lines(other), std::vector<std::u16string>{Stamp + u"three"});
  Log.SetFileName(u"");  // no name: beside the executable
  Log.WriteLog(u"four");
  EXPECT_EQ(Lines(Folder.Path(u"bin/QorScreenshot.log")), std::vector<std::u16string>{Stamp + u"four"});
}

TEST(TLogFileWriter, EmptyFileIsDeletedOnClose) {
  TTestFolder folder;
  const std::u16string file = folder.Path(u"empty.log");
  {
    TLogFileWriter writer(file, 1, TLogManage::DefaultMaxFileSize, true);
    ASSERT_TRUE(writer.Open());
    EXPECT_TRUE(FileSystem().FileExists(file));
  }
  EXPECT_FALSE(FileSystem().FileExists(file));
}

TEST_F(LogManageTest, LinesFromEightThreadsNeitherMixNorGetLost) {
  constexpr int Threads = 8, PerThread = 150;
  std::vector<std::thread> threads;
  for (int t = 0; t < Threads; ++t) {
    threads.emplace_back([this, t] {
      for (int i = 0; i < PerThread; ++i) {
        Log.WriteLog(u"[Thread" + IntToText(t) + u"]line " + IntToText(i) + u" " + std::u16string(40, u'a' + t));
      }
    });
  }
  for (auto& th : threads) th.join();
  const auto lines = Lines(LogFile);
  ASSERT_EQ(lines.size(), size_t{Threads * PerThread});
  std::set<std::u16string> seen;
  for (const auto& line : lines) {
    ASSERT_EQ(line.substr(0, Stamp.size()), Stamp);
    const std::u16string body = line.substr(Stamp.size());
    const int t = body[7] - u'0';
    ASSERT_TRUE(t >= 0 && t < Threads) << Utf16ToUtf8(body);
    EXPECT_EQ(body.substr(body.size() - 41), u" " + std::u16string(40, u'a' + t)) << Utf16ToUtf8(body);
    seen.insert(body.substr(0, body.size() - 41));
  }
  EXPECT_EQ(seen.size(), size_t{Threads * PerThread});
}

}  // namespace
}  // namespace qor
