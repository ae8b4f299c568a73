// The packages the build wrote (public.rcc, classic.rcc, classic2.rcc), opened with the zip reader of webres.dll
// and decoded with the program's PNG decoder, against the names the controls ask for.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "CommonLib/RdControl/PWebRes.h"
#include "CommonLib/RdControl/PngDecoder.h"
#include "CommonLib/RdControl/RdComboBox.h"
#include "CommonLib/RdControl/RdSkinClass.h"
#include "CommonLib/RdControl/RdColorTable.h"
#include "CommonLib/RdControl/RdPictureNames.h"
#include "CommonLib/RdControl/RdSkinText.h"
#include "CommonLib/RdControl/SkinArt.h"
#include "base/FileSystem.h"
#include "companions/webres/PackageRegistry.h"
#include "companions/webres/WebResApi.h"
#include "tests/unit/companions/webres/LinkedWebRes.h"
#include "companions/webres/ZipArchive.h"

namespace qor {
namespace {

using webres::TZipArchive;

std::string Ascii(std::u16string_view name) { return std::string(name.begin(), name.end()); }
std::u16string Wide(const std::vector<uint8_t>& bytes) { return std::u16string(bytes.begin(), bytes.end()); }

TZipArchive OpenPackage(const char* fileName) {
  const std::filesystem::path path = std::filesystem::path(QOR_SKIN_DIR) / fileName;
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << path;
  TZipArchive zip;
  EXPECT_TRUE(zip.Open(std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {}))) << path;
  return zip;
}

TImage Picture(const TZipArchive& zip, std::u16string_view name) {
  TImage image;
  const std::optional<std::vector<uint8_t>> bytes = zip.Read(Ascii(name));
  EXPECT_TRUE(bytes) << Ascii(name) << " is missing";
  if (bytes) {
    EXPECT_EQ(DecodePng(*bytes, image), EPngError::None) << Ascii(name);
  }
  return image;
}

// Every picture name the windows give their controls, taken from the same helpers the windows call.
std::vector<std::u16string> NamesTheWindowsUse() {
  std::vector<std::u16string> names;
  auto button = [&](const TRdImageButton& b) {
    for (const std::u16string* n :
         {&b.Pictures.ImageNormal, &b.Pictures.ImageOver, &b.Pictures.ImageDown, &b.Pictures.ImageSelected,
          &b.Pictures.ImageDisabled, &b.DnIcons.NormalIcon, &b.DnIcons.DownIcon})
      if (!n->empty()) names.push_back(*n);
  };
  for (std::u16string_view tool : ToolPictureTools) {
    TRdImageButton b;
    SetToolPictures(b, tool);
    button(b);
  }
  for (std::u16string_view icon : {u"saveas", u"save"}) {
    TRdImageButton b;
    SetBlueButtonPictures(b, icon, 14);
    button(b);
  }
  // The options panel's pens, the save drop-down and the launcher's capture button.
  for (std::u16string_view pen :
       {u"images/wireframe_light.png", u"images/wireframe_semibold.png", u"images/wireframe_bold.png"}) {
    TRdImageButton b;
    SetFlatIconPictures(b, pen);
    button(b);
  }
  names.push_back(ToolPictureName(u"dropdown", u"normal"));
  names.push_back(ToolPictureName(u"dropdown", u"press"));
  names.push_back(ToolPictureName(u"capture", u"normal"));
  TRdSlider slider;
  SetQualitySliderPictures(slider);
  names.insert(names.end(), {slider.ImageHRuler, slider.ImageRulerSelect, slider.ImageHThumb});
  TRdComboBox box;
  SetComboBoxPictures(box);
  names.insert(names.end(), {box.Pictures.Background, box.Pictures.BackgroundHot, box.Pictures.BackgroundClick,
                             box.Pictures.BackgroundFocus, box.Pictures.BackgroundDisable});
  for (std::u16string_view word : {u"copy", u"save"})
    for (bool pressed : {false, true}) names.push_back(WordPictureName(word, pressed));
  for (std::u16string_view n :
       {DividerPicture, WindowBackgroundPicture, EditNormalPicture, EditFocusPicture, ScrollBarNormalPicture,
        ScrollBarHotPicture, RedPointBigPicture, CheckedNormalPicture, CheckedOverPicture, UncheckedNormalPicture,
        UncheckedOverPicture, GrayNormalPicture, GrayOverPicture, GrayPressPicture})
    names.emplace_back(n);
  return names;
}

TEST(SkinPackages, EveryPictureTheWindowsAskForIsInBothSkinsAndTwiceAsLargeIn2x) {
  const TZipArchive classic = OpenPackage("classic.rcc"), classic2 = OpenPackage("classic2.rcc");
  const std::vector<std::u16string> names = NamesTheWindowsUse();
  EXPECT_GT(names.size(), 100u);
  for (const std::u16string& name : names) {
    SCOPED_TRACE(Ascii(name));
    const TImage one = Picture(classic, name), two = Picture(classic2, name);
    ASSERT_FALSE(one.IsEmpty());
    EXPECT_EQ(two.Width(), 2 * one.Width());
    EXPECT_EQ(two.Height(), 2 * one.Height());
  }
  // The toolbar lays its pictures out at these sizes (scale 1).
  EXPECT_EQ(Picture(classic, ToolPictureName(u"arrow", u"selected")).Width(), 30);
  EXPECT_EQ(Picture(classic, u"images/btn_blue_small_normal.png").Height(), 40);
  EXPECT_EQ(Picture(classic, WindowBackgroundPicture).Width(), 20);
}

TEST(SkinPackages, PackedPicturesAreTheArtPixelForPixelWithNothingElseInImages) {
  for (const auto& [file, scale] : {std::pair{"classic.rcc", 1}, std::pair{"classic2.rcc", 2}}) {
    SCOPED_TRACE(file);
    const TZipArchive zip = OpenPackage(file);
    std::set<std::string> packed;
    for (const webres::TZipEntry& e : zip.Entries())
      if (e.Name.starts_with("images/")) packed.insert(e.Name);
    EXPECT_EQ(packed.size(), SkinArtPictures().size());
    for (const TSkinArtPicture& art : SkinArtPictures()) {
      const TImage expected = DrawSkinArt(art, scale), image = Picture(zip, art.Name);
      ASSERT_EQ(image.Width(), expected.Width()) << Ascii(art.Name);
      ASSERT_EQ(image.Height(), expected.Height()) << Ascii(art.Name);
      for (int32_t y = 0; y < image.Height(); ++y)
        for (int32_t x = 0; x < image.Width(); ++x) {
          const TBgra e = expected.View().At(x, y), a = image.View().At(x, y);
          // Colour under zero alpha need not survive; the rest must, alpha included.
          ASSERT_TRUE(e.A == a.A && (e.A == 0 || e == a)) << Ascii(art.Name) << " at " << x << "," << y;
        }
    }
  }
}

TEST(SkinPackages, EachSkinNamesItselfAndCarriesTheColours) {
  for (const auto& [file, skin] : {std::pair{"classic.rcc", u"classic"}, std::pair{"classic2.rcc", u"classic2"}}) {
    SCOPED_TRACE(file);
    const TZipArchive zip = OpenPackage(file);
    const std::optional<std::vector<uint8_t>> main = zip.Read("main.ini");
    ASSERT_TRUE(main);
    TRdSkinText text;
    text.AddText(Wide(*main));
    ASSERT_NE(text.Find(u"validate"), nullptr);
    EXPECT_EQ(text.Find(u"validate")->ReadString(u"skinname"), skin);
    ASSERT_TRUE(zip.Read("color_setting.ini"));
    EXPECT_EQ(zip.Find("main.ini")->Method, 8) << "texts are deflated";
  }
}

TEST(SkinPackages, PublicSkinTextParsesAndEveryColourItNamesIsInTheSkinsColours) {
  const std::optional<std::vector<uint8_t>> main = OpenPackage("public.rcc").Read("main.ini");
  const std::optional<std::vector<uint8_t>> colours = OpenPackage("classic.rcc").Read("color_setting.ini");
  ASSERT_TRUE(main && colours);
  TRdSkinText text;
  text.AddText(Wide(*main));
  text.ResolveParents();
  TRdColorTable table;
  table.LoadColorFile(Wide(*colours));
  EXPECT_TRUE(table.MergeColors().empty()) << "no colour links to a missing colour";

  for (std::u16string_view cls :
       {u"basecontrol", u"panel", u"toolbar", u"label", u"imagebutton", u"combobox", u"scrollbar", u"Slider", u"edit"})
    EXPECT_NE(text.Find(cls), nullptr) << Ascii(cls);
  EXPECT_EQ(text.Find(u"toolbar")->ReadString(u"Color"), u"panel_color.cl_toolbar_bg") << "from its parent";
  EXPECT_EQ(text.Find(u"combobox")->ReadString(u"Font.Name"), u"Segoe UI") << "through two parents";

  int named = 0;
  for (const std::u16string& cls : text.ClassNames()) {
    const TRdValueStrings* values = text.FindOwn(cls);
    ASSERT_NE(values, nullptr);
    if (const auto parent = values->Value(u"parent")) {
      EXPECT_NE(text.Find(*parent), nullptr) << Ascii(cls);
    }
    for (const TRdValueLine& line : values->Lines()) {
      const bool colour = line.Name.ends_with(u"Color") || line.Name == u"Color";
      if (!colour) continue;
      ++named;
      EXPECT_TRUE(table.Item(line.Value).has_value())
          << Ascii(cls) << "." << Ascii(line.Name) << " = " << Ascii(line.Value);
    }
  }
  EXPECT_GT(named, 5);
}

TEST(SkinPackages, TheThreePackagesMountSideBySideAsTheProgramReadsThem) {
  webres::TPackageRegistry registry;
  for (const char* file : {"public.rcc", "classic.rcc", "classic2.rcc"})
    ASSERT_TRUE(registry.Register(std::filesystem::path(QOR_SKIN_DIR) / file)) << file;
  EXPECT_TRUE(registry.Read(":/public/main.ini"));
  const std::optional<std::vector<uint8_t>> one = registry.Read(":/classic/images/bg_window.png");
  const std::optional<std::vector<uint8_t>> two = registry.Read(":/classic2/images/bg_window.png");
  ASSERT_TRUE(one && two);
  EXPECT_NE(*one, *two);
  const std::optional<webres::TFolderListing> images = registry.List(":/classic/images");
  ASSERT_TRUE(images);
  EXPECT_EQ(images->Files.size(), SkinArtPictures().size());
  EXPECT_TRUE(images->Folders.empty());
}

}  // namespace
}  // namespace qor

namespace qor {
namespace {

// The shipped skin texts applied through the resource layer, as the windows get them: the borders in pixels
// follow each skin's pictures, so the 2x skin gives twice the 1x values and never the 1x ones.
TEST(ShippedSkinClasses, GiveEachSkinsComboBoxTheNineGridOfItsOwnPictures) {
  const TWebResCalls calls = webres::testing::LinkedWebResCalls();
  TStdFileSystem files;
  TRdColorTable colors;
  TRdResources resources(
      calls, files, [] { return 0u; }, colors);
  TRdSkinStyles styles;
  styles.SetResources(&resources);
  const std::u16string folder = FromFsPath(std::filesystem::path(QOR_SKIN_DIR)) + u"/";
  resources.LoadPackage(folder + u"public.rcc", true);
  for (const auto& [package, scale] : {std::pair{u"classic.rcc", 1}, std::pair{u"classic2.rcc", 2}}) {
    SCOPED_TRACE(Ascii(package));
    resources.LoadPackage(folder + package);
    TRdComboBox box;
    box.Font = {.Name = u"Segoe UI", .Height = 13 * scale, .Color = 0x123456};
    TRdSkinClass skin(box, styles);
    skin.SetSkinClass(u"combobox");
    skin.Apply();
    EXPECT_EQ(box.BackgroundOption, (TRdDesignRect{30 * scale, 8 * scale, 30 * scale, 8 * scale}));
    EXPECT_EQ(resources.GetImage(ComboBoxPictureName(u"normal"))->Width(), 64 * scale);
    EXPECT_EQ(box.Font.Height, 13 * scale);                   // the window's own font size stays
    EXPECT_EQ(colors.ColorToRGB(box.Font.Color), 0xE8E8E8u);  // text_color.cl_text_a
  }
  resources.UnloadAll(true);
  webres::ResetWebRes();
}

}  // namespace
}  // namespace qor
