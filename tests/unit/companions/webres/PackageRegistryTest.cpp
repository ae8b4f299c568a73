// Mounting, reading and listing packages from files.
#include "companions/webres/PackageRegistry.h"

#include <gtest/gtest.h>

#include "tests/unit/companions/webres/PackageFiles.h"

namespace qor::webres {
namespace {

using testing::SkinPackage;
using testing::TPackageFolder;

std::string Text(const std::optional<std::vector<uint8_t>>& bytes) {
  return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("<none>");
}

TEST(PackageRegistryRead, APackageIsReadableUnderItsBaseName) {
  TPackageFolder folder("read");
  TPackageRegistry registry;
  ASSERT_TRUE(registry.Register(folder.Write("classic.rcc", SkinPackage("classic"))));
  EXPECT_EQ(Text(registry.Read(":/classic/main.ini")), "[validate]\nskinname=classic\n");
  EXPECT_EQ(Text(registry.Read(":/classic/images/buttons/close.png")), "close");
  EXPECT_EQ(Text(registry.Read(":\\classic\\images\\buttons\\min.png")), "min");
  EXPECT_EQ(Text(registry.Read(":/CLASSIC/images/icon.png")), "icon") << "package names ignore case";
  EXPECT_EQ(Text(registry.Read(":/classic/Images/icon.png")), "<none>") << "names inside keep their case";
  for (const char* missing :
       {":/classic/nothing.png", ":/classic/images", ":/classic/images/", ":/classic/", ":/classic", ":/other/main.ini",
        "classic/main.ini", "main.ini", "", ":/classic/../classic/main.ini", ":/classic/images/../main.ini"})
    EXPECT_EQ(Text(registry.Read(missing)), "<none>") << missing;
}

TEST(PackageRegistryRead, RegisteringAgainReplacesAndFailuresChangeNothing) {
  TPackageFolder folder("replace");
  TPackageRegistry registry;
  const auto first = folder.Write("classic.rcc", SkinPackage("one"));
  ASSERT_TRUE(registry.Register(first));
  const auto second = folder.Write("classic.dll", SkinPackage("two"));
  ASSERT_TRUE(registry.Register(second));
  EXPECT_EQ(Text(registry.Read(":/classic/main.ini")), "[validate]\nskinname=two\n");

  EXPECT_FALSE(registry.Register(folder.Root() / "classic.zip")) << "missing file";
  EXPECT_FALSE(registry.Register(folder.Write("classic.bin", {'n', 'o', 't', ' ', 'z', 'i', 'p'})));
  EXPECT_FALSE(registry.Register(folder.Root())) << "a folder";
  EXPECT_EQ(Text(registry.Read(":/classic/main.ini")), "[validate]\nskinname=two\n");
}

TEST(PackageRegistryRead, UnregisterRemovesOnlyThePackageOfThatFile) {
  TPackageFolder folder("unregister");
  TPackageRegistry registry;
  const auto skin = folder.Write("classic.rcc", SkinPackage("classic"));
  const auto pub = folder.Write("public.rcc", SkinPackage("public"));
  ASSERT_TRUE(registry.Register(skin));
  ASSERT_TRUE(registry.Register(pub));
  EXPECT_FALSE(registry.Unregister(folder.Root() / "classic.dll")) << "the other spelling of the package";
  EXPECT_FALSE(registry.Unregister(folder.Root() / "unknown.rcc"));
  EXPECT_FALSE(registry.Unregister("classic.rcc")) << "same name, another folder";
  EXPECT_EQ(Text(registry.Read(":/classic/images/icon.png")), "icon");

  // The program lowercases paths and uses backslashes; that still names the file registered.
  std::string spelled = (folder.Root() / "CLASSIC.RCC").generic_string();
  EXPECT_TRUE(registry.Unregister(spelled));
  EXPECT_EQ(Text(registry.Read(":/classic/images/icon.png")), "<none>");
  EXPECT_EQ(Text(registry.Read(":/public/images/icon.png")), "icon");
  EXPECT_FALSE(registry.Unregister(skin)) << "already gone";
}

TEST(PackageRegistryList, FoldersAndFilesInPackageOrder) {
  TPackageFolder folder("list");
  TPackageRegistry registry;
  ASSERT_TRUE(registry.Register(folder.Write("classic.rcc", SkinPackage("classic"))));
  ASSERT_TRUE(registry.Register(folder.Write("public.rcc", SkinPackage("public"))));

  auto root = registry.List(":/classic/");
  ASSERT_TRUE(root);
  EXPECT_EQ(JoinListing(root->Folders), "images|empty|");
  EXPECT_EQ(JoinListing(root->Files), "main.ini|color_setting.ini|");
  EXPECT_EQ(JoinListing(registry.List(":/classic")->Files), "main.ini|color_setting.ini|");

  auto images = registry.List(":/classic/images");
  ASSERT_TRUE(images);
  EXPECT_EQ(JoinListing(images->Folders), "buttons|");
  EXPECT_EQ(JoinListing(images->Files), "bg_window.png|icon.png|");
  EXPECT_EQ(JoinListing(registry.List(":\\classic\\images\\buttons\\")->Files), "close.png|min.png|");

  auto empty = registry.List(":/classic/empty/");
  ASSERT_TRUE(empty) << "a stored folder without entries exists";
  EXPECT_TRUE(empty->Folders.empty() && empty->Files.empty());

  EXPECT_FALSE(registry.List(":/classic/missing/"));
  EXPECT_FALSE(registry.List(":/classic/images/icon.png/")) << "a file is no folder";
  EXPECT_FALSE(registry.List(":/other/"));
  EXPECT_FALSE(registry.List(":/classic/../public/"));

  auto packages = registry.List(":/");
  ASSERT_TRUE(packages);
  EXPECT_EQ(JoinListing(packages->Folders), "classic|public|");
}

TEST(PackageRegistryList, ImplicitFoldersAreListedOnce) {
  // Packages written without folder entries still list their folders, each once.
  testing::TZipBuilder b;
  b.Add("a/x.txt", "1").Add("b/y.txt", "2").Add("a/z.txt", "3").Add("a/deep/w.txt", "4");
  TPackageFolder folder("implicit");
  TPackageRegistry registry;
  ASSERT_TRUE(registry.Register(folder.Write("p.rcc", b.Bytes())));
  EXPECT_EQ(JoinListing(registry.List(":/p/")->Folders), "a|b|");
  EXPECT_EQ(JoinListing(registry.List(":/p/a/")->Folders), "deep|");
  EXPECT_EQ(JoinListing(registry.List(":/p/a/")->Files), "x.txt|z.txt|");
  EXPECT_EQ(Text(registry.Read(":/p/a/deep/w.txt")), "4");
}

}  // namespace
}  // namespace qor::webres
