#include "CommonLib/RdControl/PWebRes.h"

#include <gtest/gtest.h>

#include "base/FileSystem.h"
#include "companions/webres/WebResApi.h"
#include "tests/unit/CommonLib/RdControl/PngSamples.h"
#include "tests/unit/companions/webres/PackageFiles.h"

namespace qor {
namespace {

using webres::testing::TPackageFolder;
using webres::testing::TZipBuilder;

// The library's own entry points, with every resource path the layer asks for noted.
std::vector<std::u16string> AskedPaths;
int32_t RecordingData(const char16_t* path, uint8_t* buffer, int32_t* size) {
  if (!buffer) AskedPaths.emplace_back(path);
  return WebUIResourceData(path, buffer, size);
}
TWebResCalls LibraryCalls() {
  return {WebUIResourceRegister,
          WebUIResourceUnregister,
          RecordingData,
          WebUIResourceEnum,
          QStringCreate,
          QStringGet,
          QStringSet,
          QStringClose};
}

std::string Text(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

std::vector<uint8_t> Package(std::initializer_list<std::pair<std::string, std::string>> files) {
  TZipBuilder zip;
  for (const auto& [name, content] : files) zip.Add(name, content, true);
  return zip.Bytes();
}

std::string PngFile(size_t sample) {
  const auto& file = testing::PngSamples[sample].File;
  return std::string(file.begin(), file.end());
}

class PWebResTest : public ::testing::Test {
 protected:
  void SetUp() override {
    webres::ResetWebRes();
    AskedPaths.clear();
  }
  void TearDown() override { webres::ResetWebRes(); }

  std::u16string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    return FromFsPath(FFolder.Write(name, bytes));
  }
  std::u16string PathOf(const std::string& name) const { return FromFsPath(FFolder.Root() / name); }
  std::string Read(std::u16string_view path) { return Text(FResources.ReadResource(path)); }

  // One folder per test: CTest runs the tests of this program side by side.
  TPackageFolder FFolder{std::string("pwebres-") + ::testing::UnitTest::GetInstance()->current_test_info()->name()};
  TStdFileSystem FFiles;
  uint32_t FTick = 1000;
  TRdColorTable FColors;
  TRdResources FResources{LibraryCalls(), FFiles, [this] { return FTick; }, FColors};
};

TEST_F(PWebResTest, SkinAndPublicPackagesAnswerTheirPathsAndRelativePathsGoToTheSkin) {
  const auto publicFile = Write("public.rcc", Package({{"main.ini", "[panel]\nColor=1\n"}}));
  const auto skinFile = Write("classic.rcc", Package({{"images/a.png", "classic a"}, {"main.ini", ""}}));

  FResources.LoadPackage(publicFile);
  EXPECT_EQ(FResources.PublicPackage(), publicFile);
  EXPECT_EQ(Read(u":/public/main.ini"), "[panel]\nColor=1\n");
  AskedPaths.clear();
  EXPECT_EQ(Read(u"images/a.png"), "");  // no skin yet: asked as it is
  EXPECT_EQ(AskedPaths, std::vector<std::u16string>{u"images/a.png"});

  FResources.LoadPackage(skinFile);
  EXPECT_EQ(FResources.SkinName(), u"classic");
  EXPECT_EQ(FResources.SkinPackage(), skinFile);
  EXPECT_EQ(Read(u"images/a.png"), "classic a");
  EXPECT_EQ(Read(u":/classic/images/a.png"), "classic a");
  EXPECT_EQ(Read(u"images/missing.png"), "");
  EXPECT_EQ(FResources.ExtraPackages(), std::vector<std::u16string>{publicFile});

  // The public package again, with a skin mounted, changes nothing: not even the stamp.
  const uint32_t stamp = FResources.Stamp();
  ++FTick;
  FResources.LoadPackage(publicFile);
  EXPECT_EQ(FResources.Stamp(), stamp);
  EXPECT_EQ(Read(u":/public/main.ini"), "[panel]\nColor=1\n");

  const TRdFolderList root = FResources.ListFolder(u":/classic/");
  EXPECT_EQ(root.Folders, u"images|");
  EXPECT_EQ(root.Files, u"main.ini|");
}

TEST_F(PWebResTest, AMissingPackageFallsBackToItsOtherContainerThenToTheClassicSkin) {
  // Only a ".dll" of the asked skin: that one is mounted.
  const auto dllFile = Write("dark.dll", Package({{"images/a.png", "dark a"}}));
  FResources.LoadPackage(PathOf("dark.rcc"));
  EXPECT_EQ(FResources.SkinPackage(), dllFile);
  EXPECT_EQ(FResources.SkinName(), u"dark");
  EXPECT_EQ(Read(u"images/a.png"), "dark a");

  // Neither container nor a folder of its name: "classic.rcc" beside it.
  const auto classic = Write("classic.rcc", Package({{"images/a.png", "classic a"}}));
  FResources.LoadPackage(PathOf("classic2.rcc"));
  EXPECT_EQ(FResources.SkinName(), u"classic");
  EXPECT_EQ(FResources.SkinPackage(), classic);
  EXPECT_EQ(Read(u"images/a.png"), "classic a");
  EXPECT_EQ(Read(u":/dark/images/a.png"), "");  // the previous skin is unmounted

  // The same package named with other case and container is the mounted one: nothing happens.
  const uint32_t stamp = FResources.Stamp();
  ++FTick;
  FResources.LoadPackage(PathOf("CLASSIC.dll"));
  EXPECT_EQ(FResources.Stamp(), stamp);
}

TEST_F(PWebResTest, AReloadedPackageMountsBesideTheSkinAndUnloadingRemovesExactlyWhatWasMounted) {
  const auto publicFile = Write("public.rcc", Package({{"main.ini", ""}}));
  const auto skinFile = Write("classic.rcc", Package({{"images/a.png", "classic a"}}));
  const auto extraFile = Write("extra.rcc", Package({{"x.txt", "extra"}}));
  FResources.LoadPackage(publicFile);
  FResources.LoadPackage(skinFile);
  FResources.LoadPackage(extraFile, true);
  EXPECT_EQ(FResources.SkinName(), u"classic");
  EXPECT_EQ(Read(u":/extra/x.txt"), "extra");
  EXPECT_EQ(FResources.ExtraPackages(), (std::vector<std::u16string>{extraFile, publicFile}));

  FResources.UnloadPackage(extraFile);
  EXPECT_EQ(Read(u":/extra/x.txt"), "");
  EXPECT_EQ(Read(u"images/a.png"), "classic a");

  FResources.UnloadPackage(skinFile);
  EXPECT_EQ(FResources.SkinName(), u"");
  EXPECT_EQ(Read(u":/classic/images/a.png"), "");
  EXPECT_EQ(Read(u":/public/main.ini"), "");  // empty file: nothing to read, but still mounted
  EXPECT_EQ(FResources.PublicPackage(), publicFile);

  FResources.LoadPackage(skinFile);
  FResources.UnloadAll(true);
  EXPECT_TRUE(FResources.PublicPackage().empty());
  EXPECT_TRUE(FResources.SkinPackage().empty());
  EXPECT_TRUE(FResources.ExtraPackages().empty());
  EXPECT_EQ(Read(u":/classic/images/a.png"), "");
}

TEST_F(PWebResTest, StampsNeverRepeatWithinAMillisecondOrAfterIt) {
  const uint32_t first = FResources.NewStamp();
  const uint32_t second = FResources.NewStamp();
  const uint32_t third = FResources.NewStamp();
  EXPECT_EQ(first, 1000u);
  EXPECT_NE(first, second);
  EXPECT_NE(second, third);
  ++FTick;  // 1001 was already given out within the last millisecond
  EXPECT_GT(FResources.NewStamp(), third);
  FTick = 5000;
  EXPECT_EQ(FResources.NewStamp(), 5000u);
  FTick = 0x80000000;
  FResources.NewStamp();
  FTick = 0xFFFFFFF0;
  EXPECT_EQ(FResources.NewStamp(), 0xFFFFFFF0u);
  FTick = 3;  // the tick wrapped
  EXPECT_EQ(FResources.NewStamp(), 3u);
}

TEST_F(PWebResTest, TheCachesAreBuiltFromPublicThenSkinTextAndTheSkinsColours) {
  Write("public.rcc", Package({{"main.ini", "[panel]\nColor=1\nFont.Color=2\n"},
                               {"buttons.ini", "[button]\nparent=panel\nColor=3\n"}}));
  Write("classic.rcc",
        Package({{"main.ini", "[panel]\nFont.Color=9\n"}, {"color_setting.ini", "[text]\ntype=RGB\nmain=255,0,0\n"}}));
  FResources.LoadPackage(PathOf("public.rcc"));
  FResources.LoadPackage(PathOf("classic.rcc"));

  const TRdValueStrings* button = FResources.SkinText().Find(u"button");
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->ReadString(u"Color"), u"3");
  EXPECT_EQ(button->ReadString(u"Font.Color"), u"9");  // the skin's main.ini overrides the public one
  EXPECT_EQ(FColors.ColorToRGB(FColors.IdentToColor(u"text.main")), 0x0000FFu);
}

TEST_F(PWebResTest, ASkinWithoutAColourFileTakesItsMainIniOnlyWhenItIsMarkedAsASkin) {
  Write("marked.rcc", Package({{"main.ini", "[validate]\nskinname=marked\n[text]\nmain=#00FF00\n"}}));
  Write("plain.rcc", Package({{"main.ini", "[text]\nmain=#00FF00\n"}}));
  FResources.LoadPackage(PathOf("marked.rcc"));
  EXPECT_EQ(FColors.ColorToRGB(FColors.IdentToColor(u"text.main")), 0x00FF00u);
  FResources.LoadPackage(PathOf("plain.rcc"));
  EXPECT_EQ(FColors.ColorToRGB(FColors.IdentToColor(u"text.main")), RccUnknownColor);
}

TEST_F(PWebResTest, PicturesAreDecodedOnceSharedAndReadAgainForANewSkin) {
  Write("classic.rcc", Package({{"images/a.png", PngFile(0)}, {"images/bad.png", "not a png"}}));
  Write("classic2.rcc", Package({{"images/a.png", PngFile(1)}}));
  FResources.LoadPackage(PathOf("classic.rcc"));

  const auto a = FResources.GetImage(u"images/a.png");
  EXPECT_EQ(a->Width(), testing::SampleWidth);
  EXPECT_EQ(FResources.GetImage(u"images/a.png"), a);
  AskedPaths.clear();
  FResources.GetImage(u"images/a.png");
  EXPECT_TRUE(AskedPaths.empty());  // no second read

  EXPECT_TRUE(FResources.GetImage(u"images/bad.png")->IsEmpty());
  EXPECT_TRUE(FResources.GetImage(u"images/none.png")->IsEmpty());
  EXPECT_TRUE(FResources.GetImage(u"[spinner]")->IsEmpty());
  EXPECT_EQ(FResources.CachedImageCount(), 4u);

  FResources.LoadPackage(PathOf("classic2.rcc"));
  const auto a2 = FResources.GetImage(u"images/a.png");
  EXPECT_NE(a2, a);
  EXPECT_EQ(a2->Pixels().Row(0)[0].R, a->Pixels().Row(0)[0].R);  // same sample picture, decoded anew
  EXPECT_EQ(a->Width(), testing::SampleWidth);                   // the old one stays valid for its holders
}

TEST_F(PWebResTest, WithoutTheLibraryEverythingReadsEmpty) {
  TRdColorTable colors;
  TRdResources bare(
      {}, FFiles, [] { return 7u; }, colors);
  Write("classic.rcc", Package({{"images/a.png", PngFile(0)}}));
  bare.LoadPackage(PathOf("public.rcc"));
  bare.LoadPackage(PathOf("classic.rcc"));
  EXPECT_EQ(bare.SkinName(), u"classic");
  EXPECT_TRUE(bare.ReadResource(u"images/a.png").empty());
  EXPECT_TRUE(bare.GetImage(u"images/a.png")->IsEmpty());
  EXPECT_EQ(bare.ListFolder(u":/classic/").Files, u"");
  bare.UnloadAll(true);
}

TEST_F(PWebResTest, AGarbagePackageMountsNothing) {
  Write("classic.rcc", {'P', 'K', 3, 4, 0, 0, 0});
  FResources.LoadPackage(PathOf("classic.rcc"));
  EXPECT_EQ(Read(u"images/a.png"), "");
  EXPECT_TRUE(FResources.GetImage(u"images/a.png")->IsEmpty());
  EXPECT_EQ(FResources.SkinText().ClassCount(), 0);
}

}  // namespace
}  // namespace qor
