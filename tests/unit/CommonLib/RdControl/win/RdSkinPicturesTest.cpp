#include "CommonLib/RdControl/win/RdSkinPictures.h"

#include <gtest/gtest.h>

#include "CommonLib/RdControl/PWebRes.h"
#include "base/FileSystem.h"
#include "tests/unit/companions/webres/LinkedWebRes.h"
#include "tests/unit/CommonLib/RdControl/PngSamples.h"
#include "tests/unit/companions/webres/PackageFiles.h"

namespace qor {
namespace {

using webres::testing::TPackageFolder;
using webres::testing::TZipBuilder;

std::vector<uint8_t> PackageWithPicture(const std::string& name) {
  const auto& png = testing::PngSamples.back().File;
  return TZipBuilder().Add(name, std::string(png.begin(), png.end()), true).Bytes();
}

TEST(RdSkinPictureSource, DrawsTheSkinsPicturesAndThePlainOnesForWhatTheSkinLacks) {
  SetSkinResourceCalls(webres::testing::LinkedWebResCalls());
  TPackageFolder folder("skin-pictures");
  const std::u16string classic = FromFsPath(folder.Write("classic.rcc", PackageWithPicture("images/bg_window.png")));
  const std::u16string classic2 = FromFsPath(folder.Write("classic2.rcc", PackageWithPicture("images/cutline_a.png")));
  TRdResources& resources = SkinResources();
  resources.LoadPackage(classic);

  const TRdSkinPictureSource pictures(TScale{1.0});
  const TRdPlainPictureSource plain(TScale{1.0});
  const TSize skinSize{testing::SampleWidth, testing::SampleHeight};
  ASSERT_NE(pictures.Find(u"images/bg_window.png"), nullptr);
  EXPECT_EQ(pictures.Find(u"images/bg_window.png")->Size(), skinSize);
  ASSERT_NE(pictures.Find(u"images/cutline_a.png"), nullptr);
  EXPECT_EQ(pictures.Find(u"images/cutline_a.png")->Size(), plain.Find(u"images/cutline_a.png")->Size());
  EXPECT_EQ(pictures.Find(u"images/no_such_picture.png"), nullptr);

  // Another skin: its pictures replace the kept ones at once.
  resources.LoadPackage(classic2);
  EXPECT_EQ(pictures.Find(u"images/bg_window.png")->Size(), plain.Find(u"images/bg_window.png")->Size());
  EXPECT_EQ(pictures.Find(u"images/cutline_a.png")->Size(), skinSize);

  // No packages at all: every picture is a plain one.
  resources.UnloadAll(true);
  EXPECT_EQ(pictures.Find(u"images/cutline_a.png")->Size(), plain.Find(u"images/cutline_a.png")->Size());
}

}  // namespace
}  // namespace qor
