#include "output/SaveFlow.h"

#include <gtest/gtest.h>

#include <deque>
#include <set>
#include <vector>

using namespace qor;

namespace {

// Plays the user and the disk: folders that exist, files that exist, paths that cannot be written, and the
// answers given to each dialog in turn (none left: the user cancels).
class TScriptedHost : public TSaveFlowHost {
 public:
  std::set<std::u16string> Folders{u"D:\\Shots\\"}, Files, Unwritable;
  std::deque<TSaveChoice> DialogAnswers;
  bool OverwriteAnswer = true;
  std::vector<std::u16string> DialogFolders, Writes, Questions, LogLines;

  bool DirectoryExists(const std::u16string& folder) override { return Folders.count(folder) != 0; }
  bool FileExists(const std::u16string& path) override { return Files.count(path) != 0; }
  std::optional<TSaveChoice> AskForFile(const std::u16string& folder, const std::u16string& fileName) override {
    EXPECT_EQ(fileName, u"ScreenShot_20261206211900");
    DialogFolders.push_back(folder);
    if (DialogAnswers.empty()) return std::nullopt;
    TSaveChoice next = DialogAnswers.front();
    DialogAnswers.pop_front();
    return next;
  }
  bool ConfirmOverwrite(const std::u16string& path) override {
    Questions.push_back(path);
    return OverwriteAnswer;
  }
  bool Write(const std::u16string& path) override {
    Writes.push_back(path);
    return Unwritable.count(path) == 0;
  }
  void Log(const std::u16string& line) override { LogLines.push_back(line); }
};

const TSaveRequest Request{u"D:\\Shots\\", u"ScreenShot_20261206211900", u".png", true};
const std::u16string DirectPath = u"D:\\Shots\\ScreenShot_20261206211900.png";
using TPaths = std::vector<std::u16string>;

}  // namespace

TEST(SaveFlow, SavesStraightIntoAnExistingDefaultFolderWithoutAQuestion) {
  TScriptedHost host;
  host.Files.insert(DirectPath);  // an old file of the same name is replaced, as in the default folder always
  EXPECT_TRUE(RunSaveFlow(Request, host));
  EXPECT_EQ(host.Writes, TPaths{DirectPath});
  EXPECT_TRUE(host.DialogFolders.empty() && host.Questions.empty());
  EXPECT_EQ(host.LogLines, TPaths{u"[savebtn]DirectoryExists and Checked,D:\\Shots\\"});
}

TEST(SaveFlow, AFolderThatCannotBeWrittenOpensTheDialogThereUntilSomethingIsWrittenOrTheUserGivesUp) {
  TScriptedHost host;
  host.Unwritable = {DirectPath, u"D:\\Shots\\again.png"};
  host.DialogAnswers = {{u"D:\\Shots\\again.png", 3}, {u"E:\\Other\\kept", 2}};
  EXPECT_TRUE(RunSaveFlow(Request, host));
  EXPECT_EQ(host.Writes, (TPaths{DirectPath, u"D:\\Shots\\again.png", u"E:\\Other\\kept.jpeg"}));
  EXPECT_EQ(host.DialogFolders, (TPaths{u"D:\\Shots\\", u"D:\\Shots\\"}));

  TScriptedHost givesUp;
  givesUp.Unwritable = {DirectPath, u"F:\\ro\\a.bmp"};
  givesUp.DialogAnswers = {{u"F:\\ro\\a.bmp", 1}};
  EXPECT_FALSE(RunSaveFlow(Request, givesUp));
  EXPECT_EQ(givesUp.DialogFolders, (TPaths{u"D:\\Shots\\", u"F:\\ro\\"}));  // reopened where the write failed
}

TEST(SaveFlow, WithoutTheDefaultFolderOrWithAlwaysSaveOffTheDialogAsksAndAnExistingFileNeedsAYes) {
  TScriptedHost missing;
  missing.Folders.clear();
  missing.DialogAnswers = {{u"C:\\x\\shot.png", 3}};
  EXPECT_TRUE(RunSaveFlow(Request, missing));
  EXPECT_EQ(missing.LogLines, TPaths{u"[savebtn]not DirectoryExists,D:\\Shots\\"});
  EXPECT_EQ(missing.Writes, TPaths{u"C:\\x\\shot.png"});

  TScriptedHost no;
  no.Files.insert(u"D:\\Shots\\old.png");
  no.DialogAnswers = {{u"D:\\Shots\\old.png", 3}};
  no.OverwriteAnswer = false;
  TSaveRequest askFirst = Request;
  askFirst.AlwaysSave = false;
  EXPECT_FALSE(RunSaveFlow(askFirst, no));
  EXPECT_EQ(no.Questions, TPaths{u"D:\\Shots\\old.png"});
  EXPECT_TRUE(no.Writes.empty());  // No keeps the old file

  TScriptedHost cancel;
  EXPECT_FALSE(RunSaveFlow(askFirst, cancel));
  EXPECT_TRUE(cancel.Writes.empty());
}
