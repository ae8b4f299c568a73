#include <gtest/gtest.h>

#include "app/UserFolders.h"

namespace qor {
namespace {

TFolderFacts NoShell(int major = 10, bool is64 = true) {
  TFolderFacts f;
  f.WindowsMajor = major;
  f.Is64BitSystem = is64;
  f.Drive = u"D:";
  f.UserName = u"anna";
  return f;
}

TEST(ResolveSpecialFolder, ShellAnswerOfThreeOrMoreCharactersWins) {
  TFolderFacts f = NoShell();
  f.ShellAnswer = u"C:\\Users\\anna\\AppData\\Local";
  f.EnvValue = u"E:\\Elsewhere";
  EXPECT_EQ(ResolveSpecialFolder(FolderLocalAppData, f), u"C:\\Users\\anna\\AppData\\Local");
  f.ShellAnswer = u"C:";  // too short to be a folder
  EXPECT_EQ(ResolveSpecialFolder(FolderLocalAppData, f), u"E:\\Elsewhere");
}

TEST(ResolveSpecialFolder, EnvironmentValueIsTrimmed) {
  TFolderFacts f = NoShell();
  f.EnvValue = u"  C:\\Users\\anna\\AppData\\Local \t";
  EXPECT_EQ(ResolveSpecialFolder(FolderLocalAppData, f), u"C:\\Users\\anna\\AppData\\Local");
  f.EnvValue = u"   ";
  EXPECT_EQ(ResolveSpecialFolder(FolderLocalAppData, f), u"D:\\Users\\anna\\AppData\\Local");
}

TEST(ResolveSpecialFolder, UsualPathsBuildFromDriveVersionAndUser) {
  const struct {
    int Id, Major;
    bool Is64;
    std::u16string_view Expected;
  } cases[] = {{28, 6, true, u"D:\\Users\\anna\\AppData\\Local"},  // version 6 on: Users
               {28, 5, false, u"D:\\Documents and Settings\\anna\\Local Settings\\Application Data"},
               {38, 10, true, u"D:\\Program Files (x86)"},  // 64-bit systems: the 32-bit folder
               {38, 10, false, u"D:\\Program Files"},
               {27, 10, true, u""},  // inside 26..43 but no known place
               {5, 10, true, u""},   // outside: no fallbacks at all
               {44, 10, true, u""}};
  for (const auto& c : cases)
    EXPECT_EQ(ResolveSpecialFolder(c.Id, NoShell(c.Major, c.Is64)), c.Expected)
        << c.Id << "/v" << c.Major << (c.Is64 ? "/64" : "/32");
}

TEST(ResolveSpecialFolder, NoFallbacksOutsideTheRange) {
  TFolderFacts f = NoShell();
  f.EnvValue = u"X:\\env";
  f.ShellAnswer = u"C:";
  EXPECT_EQ(ResolveSpecialFolder(5, f), u"C:");
  EXPECT_EQ(ResolveSpecialFolder(26, f), u"X:\\env");
}

TEST(ResolveSpecialFolder, PerUserPathsNeedAUserName) {
  TFolderFacts f = NoShell();
  f.UserName.clear();
  EXPECT_EQ(ResolveSpecialFolder(FolderLocalAppData, f), u"");
  EXPECT_EQ(ResolveSpecialFolder(FolderCommonAppData, f), u"D:\\ProgramData");
  f.Drive.clear();
  EXPECT_EQ(ResolveSpecialFolder(FolderCommonAppData, f), u"");
}

TEST(FolderEnvironmentName, DependsOnTheSystemsBitness) {
  EXPECT_EQ(FolderEnvironmentName(38, true), u"ProgramFiles(x86)");
  EXPECT_EQ(FolderEnvironmentName(38, false), u"ProgramFiles");
  EXPECT_EQ(FolderEnvironmentName(27, true), u"");
}

TEST(CorvaneFolderOf, AddsTheProductFolderWithOneSeparator) {
  EXPECT_EQ(CorvaneFolderOf(u"C:\\Users\\a\\AppData\\Local"), u"C:\\Users\\a\\AppData\\Local\\Corvane\\");
  EXPECT_EQ(CorvaneFolderOf(u"C:\\Local\\"), u"C:\\Local\\Corvane\\");
  EXPECT_EQ(CorvaneFolderOf(u""), u"");
}

}  // namespace
}  // namespace qor
