#include "CommonLib/RdControl/RdSkinStyle.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/unit/CommonLib/RdControl/SkinTextResources.h"
#include "tests/unit/app/TestFolder.h"

namespace qor {
namespace {

class RdSkinStyleTest : public ::testing::Test {
 protected:
  test::TTestFolder Folder;
  TRdSkinStyles Styles;
  testing::TSkinTextResources Resources;
  std::vector<std::u16string> Warnings;
  std::vector<uint32_t> Broadcasts;
  std::u16string SkinFolder = Folder.Path(u"skin/ScreenShotSkin");

  void SetUp() override {
    Styles.SetResources(&Resources);
    Styles.SetProgramFolder(Folder.Path());
    Styles.OnWarning = [this](std::u16string_view m) { Warnings.emplace_back(m); };
    Styles.OnWindowBroadcast = [this](uint32_t flags) { Broadcasts.push_back(flags); };
  }
  void MakeFile(std::u16string_view name) { test::WriteBytes(Folder.Path(name), "package"); }
  // A relative path with the platform's separators.
  static std::u16string Rel(std::u16string_view path) {
    std::u16string out(path);
    for (char16_t& c : out)
      if (c == u'/') c = PathSeparator;
    return out;
  }
  std::u16string InSkin(std::u16string_view name) const {
    return IncludeTrailingSeparator(SkinFolder) + std::u16string(name);
  }
};

TEST_F(RdSkinStyleTest, TheFirstMainStyleStaysMainAndASecondGetsTheWarning) {
  TRdSkinStyle launcher(Styles, u"LauncherForm", u"RdSkinStyle_Main");
  TRdSkinStyle other(Styles, u"PinForm", u"RdSkinStyle1");
  EXPECT_TRUE(launcher.CanChangeSkin());  // no main yet: any style may
  EXPECT_TRUE(other.CanChangeSkin());
  launcher.SetMainSkin(true);
  other.SetMainSkin(true);
  EXPECT_TRUE(launcher.MainSkin());
  EXPECT_FALSE(other.MainSkin());
  EXPECT_FALSE(other.CanChangeSkin());
  EXPECT_EQ(Styles.CurMainStyle(), u"LauncherForm.RdSkinStyle_Main");
  ASSERT_EQ(Warnings.size(), 1u);
  EXPECT_EQ(Warnings[0],
            u"warning: main.SkinStyle exists! must close unit: LauncherForm.RdSkinStyle_Main,\r\n\r\n"
            u"and Re-open Current Form !!");
  launcher.SetMainSkin(true);  // already main: no warning
  EXPECT_EQ(Warnings.size(), 1u);
}

TEST_F(RdSkinStyleTest, AMainStyleWithoutOwnerGetsTheShortWarning) {
  TRdSkinStyle main(Styles);
  TRdSkinStyle other(Styles, u"Unit", u"Name");
  main.SetMainSkin(true);
  other.SetMainSkin(true);
  EXPECT_EQ(Warnings, (std::vector<std::u16string>{u"warning: main.SkinStyle exists!"}));
}

TEST_F(RdSkinStyleTest, ClearingOrDestroyingTheMainStylePassesTheRoleToTheNextStyle) {
  TRdSkinStyle first(Styles, u"A", u"s");
  first.SetMainSkin(true);
  auto second = std::make_unique<TRdSkinStyle>(Styles, u"B", u"s");
  TRdSkinStyle third(Styles, u"C", u"s");
  first.SetMainSkin(false);
  EXPECT_EQ(Styles.MainStyle(), second.get());  // the next created one
  second.reset();
  EXPECT_EQ(Styles.MainStyle(), &third);
  third.SetMainSkin(false);  // wraps round to the earlier one
  EXPECT_EQ(Styles.MainStyle(), &first);
  EXPECT_TRUE(Warnings.empty());
  EXPECT_TRUE(Resources.Calls.empty());  // styles remain: nothing unloaded
}

TEST_F(RdSkinStyleTest, TheLauncherStyleMountsThePublicAndTheSkinPackageWhenLoaded) {
  MakeFile(u"skin/ScreenShotSkin/public.rcc");
  MakeFile(u"skin/ScreenShotSkin/classic.rcc");
  TRdSkinStyle main(Styles, u"LauncherForm", u"RdSkinStyle_Main");
  main.BeginLoad();
  main.SetMainSkin(true);
  main.SetRuntimePath(Rel(u"skin/ScreenShotSkin"));
  main.SetPublicRccFiles({u"public.rcc"});
  main.SetSkinRccFile(u"classic.rcc");
  EXPECT_TRUE(Resources.Calls.empty());  // nothing while the stored values are read
  main.EndLoad();
  EXPECT_EQ(Resources.Calls,
            (std::vector<std::u16string>{u"reload " + InSkin(u"public.rcc"), u"load " + InSkin(u"classic.rcc")}));
  EXPECT_EQ(Broadcasts, (std::vector<uint32_t>{RdReskinRedrawFull}));
  EXPECT_EQ(main.SkinFolder(), SkinFolder);
  EXPECT_EQ(Styles.CurSkinPath(), SkinFolder);
  EXPECT_EQ(Styles.CurSkinRccFile(), InSkin(u"classic.rcc"));
}

TEST_F(RdSkinStyleTest, TheSkinPackageIsTheDllThenTheRccThenAFolderOfItsName) {
  MakeFile(u"skin/ScreenShotSkin/classic.rcc");
  MakeFile(u"skin/ScreenShotSkin/classic.dll");
  TRdSkinStyle main(Styles);
  main.SetRuntimePath(Rel(u"skin/ScreenShotSkin"));
  main.SetSkinRccFile(u"classic.rcc");
  MakeFile(u"skin/ScreenShotSkin/dark/main.ini");  // an unpacked skin folder
  main.SetSkinRccFile(u"dark.rcc");
  main.SetSkinRccFile(u"missing.rcc");  // no such package: nothing mounted, no re-skin
  EXPECT_EQ(Resources.Calls,
            (std::vector<std::u16string>{u"load " + InSkin(u"classic.dll"), u"load " + InSkin(u"dark.rcc")}));
  EXPECT_EQ(Broadcasts.size(), 2u);
  EXPECT_EQ(Styles.CurSkinRccFile(), InSkin(u"dark.rcc"));
  EXPECT_EQ(main.SkinRccFile(), u"missing.rcc");
}

TEST_F(RdSkinStyleTest, ASkinFileWithAFolderSetsTheRuntimePathAndPublicFilesMayNameTheirOwnFolder) {
  MakeFile(u"other/blue.rcc");
  MakeFile(u"shared/public.rcc");
  TRdSkinStyle main(Styles);
  main.BeginLoad();
  main.SetPublicRccFiles({Folder.Path(u"shared/public.rcc")});
  main.SetSkinRccFile(Folder.Path(u"other/blue.rcc"));
  main.EndLoad();
  EXPECT_EQ(main.RuntimePath(), Folder.Path(u"other"));
  EXPECT_EQ(Resources.Calls, (std::vector<std::u16string>{u"reload " + Folder.Path(u"shared/public.rcc"),
                                                          u"load " + Folder.Path(u"other/blue.rcc")}));
}

TEST_F(RdSkinStyleTest, PublicFilesSetAfterLoadingRebuildTheCachesAndReskin) {
  MakeFile(u"skin/ScreenShotSkin/public.rcc");
  TRdSkinStyle main(Styles);
  main.SetRuntimePath(Rel(u"skin/ScreenShotSkin"));
  main.SetPublicRccFiles({u"public.rcc", u"extra.rcc"});  // the resource layer decides about missing files
  EXPECT_EQ(Resources.Calls, (std::vector<std::u16string>{u"reload " + InSkin(u"public.rcc"),
                                                          u"reload " + InSkin(u"extra.rcc"), u"caches"}));
  EXPECT_EQ(Broadcasts.size(), 1u);
}

TEST_F(RdSkinStyleTest, RuntimePathIsInTheProgramFolderWhenThatExistsElseAsGiven) {
  test::TTestFolder elsewhere;
  TRdSkinStyle main(Styles);
  main.SetRuntimePath(Rel(u"skin/ScreenShotSkin"));  // not made yet
  EXPECT_EQ(main.SkinFolder(), Rel(u"skin/ScreenShotSkin"));
  MakeFile(u"skin/ScreenShotSkin/classic.rcc");
  main.SetRuntimePath(Rel(u"skin/ScreenShotSkin"));
  EXPECT_EQ(main.SkinFolder(), SkinFolder);
  main.SetRuntimePath(elsewhere.Path(u"x"));
  EXPECT_EQ(Styles.CurSkinPath(), elsewhere.Path(u"x"));
}

TEST_F(RdSkinStyleTest, OnlyTheMainStyleChangesFolderPackagesAndTint) {
  MakeFile(u"skin/ScreenShotSkin/classic.rcc");
  MakeFile(u"skin/b/classic.rcc");
  TRdSkinStyle main(Styles, u"A", u"main");
  main.SetMainSkin(true);
  main.SetRuntimePath(Rel(u"skin/ScreenShotSkin"));
  TRdSkinStyle other(Styles, u"B", u"other");
  other.SetRuntimePath(Rel(u"skin/b"));
  other.SetSkinRccFile(u"classic.rcc");
  other.SetPublicRccFiles({u"public.rcc"});
  other.SetRccTintColor(0x00FF00);
  EXPECT_EQ(Styles.CurSkinPath(), SkinFolder);
  EXPECT_TRUE(Resources.Calls.empty());
  EXPECT_TRUE(Broadcasts.empty());
  main.SetRccTintColor(0x00FF00);
  main.SetRccTintColor(0x00FF00);  // unchanged: nothing
  EXPECT_EQ(Resources.Calls, (std::vector<std::u16string>{u"tint 65280"}));
  main.SetFormDefaultColor2nd(0x202020);
  EXPECT_EQ(Broadcasts, (std::vector<uint32_t>{RdReskinRedrawFull, RdReskinRedrawErase}));
}

TEST_F(RdSkinStyleTest, TheLastStyleToGoUnloadsEveryPackage) {
  auto first = std::make_unique<TRdSkinStyle>(Styles);
  auto second = std::make_unique<TRdSkinStyle>(Styles);
  first->SetMainSkin(true);
  first.reset();
  EXPECT_TRUE(Resources.Calls.empty());
  EXPECT_EQ(Styles.MainStyle(), second.get());
  second.reset();
  EXPECT_EQ(Resources.Calls, (std::vector<std::u16string>{u"unloadall clear"}));
  EXPECT_EQ(Styles.MainStyle(), nullptr);
}

}  // namespace
}  // namespace qor
