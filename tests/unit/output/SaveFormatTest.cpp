#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "output/SaveFormat.h"

namespace qor {
namespace {

struct TSettingCase {
  std::u16string Setting;
  std::u16string Ext;
};

class SaveExtensionFromSettingTest : public testing::TestWithParam<TSettingCase> {};

TEST_P(SaveExtensionFromSettingTest, MapsTheSettingToTheExtension) {
  EXPECT_EQ(SaveExtensionFromSetting(GetParam().Setting), GetParam().Ext);
}

INSTANTIATE_TEST_SUITE_P(
    Values, SaveExtensionFromSettingTest,
    testing::Values(TSettingCase{u"0", u".jpeg"}, TSettingCase{u"2", u".bmp"}, TSettingCase{u"1", u".png"},
                    TSettingCase{u"7", u".png"}, TSettingCase{u"x", u".png"}, TSettingCase{u"", u".png"},
                    TSettingCase{u" 0 ", u".jpeg"}, TSettingCase{u"00", u".jpeg"}, TSettingCase{u"+2", u".bmp"},
                    TSettingCase{u"-0", u".jpeg"}, TSettingCase{u"-2", u".png"}, TSettingCase{u"2.0", u".png"},
                    TSettingCase{u"0x2", u".png"}, TSettingCase{u"2a", u".png"}, TSettingCase{u"-", u".png"},
                    TSettingCase{u"4294967296", u".png"}, TSettingCase{u"99999999999999999999999", u".png"},
                    TSettingCase{u"\uFFFF\u0000", u".png"}, TSettingCase{u"\uFF10", u".png"}));

// The filter text as pairs of description and pattern list.
std::vector<std::vector<std::u16string>> FilterPatterns() {
  std::vector<std::u16string> fields;
  std::u16string field;
  for (char16_t c : SaveDialogFilter) {
    if (c == u'|') {
      fields.push_back(field);
      field.clear();
    } else {
      field.push_back(c);
    }
  }
  fields.push_back(field);
  std::vector<std::vector<std::u16string>> types;
  for (size_t i = 1; i < fields.size(); i += 2) {
    std::vector<std::u16string> patterns;
    std::u16string p;
    for (char16_t c : fields[i] + u";") {
      if (c == u';') {
        patterns.push_back(p.substr(1));  // drop the '*'
        p.clear();
      } else {
        p.push_back(c);
      }
    }
    types.push_back(patterns);
  }
  return types;
}

TEST(SaveDialogFilter, IsTheFiveFileTypesText) {
  EXPECT_EQ(
      SaveDialogFilter,
      u"BMP(*.bmp)|*.bmp|JPEG(*.Jpeg;*.jpg)|*.jpeg;*.jpg|PNG(*.png)|*.png|GIF(*.gif)|*.gif|TIFF(*.tif;*.tiff)|*.tif;"
      u"*.tiff");
  EXPECT_EQ(FilterPatterns().size(), size_t(SaveDialogFilterCount));
}

TEST(SaveDialogFilter, EveryPatternOfATypeMapsBackToItsIndex) {
  const auto types = FilterPatterns();
  for (size_t i = 0; i < types.size(); ++i) {
    const int index = int(i) + 1;
    for (const std::u16string& ext : types[i]) EXPECT_EQ(FilterIndexForExtension(ext), index);
    // The extension written for a type is one of its patterns.
    const std::u16string written = ExtensionForFilterIndex(index);
    EXPECT_NE(std::find(types[i].begin(), types[i].end(), written), types[i].end()) << index;
  }
}

TEST(FilterIndexForExtension, IgnoresCaseAndGivesZeroForUnknown) {
  EXPECT_EQ(FilterIndexForExtension(u".BMP"), 1);
  EXPECT_EQ(FilterIndexForExtension(u".JPEG"), 2);
  EXPECT_EQ(FilterIndexForExtension(u".Jpg"), 2);
  EXPECT_EQ(FilterIndexForExtension(u".pNg"), 3);
  EXPECT_EQ(FilterIndexForExtension(u".GIF"), 4);
  EXPECT_EQ(FilterIndexForExtension(u".TIFF"), 5);
  EXPECT_EQ(FilterIndexForExtension(u".txt"), 0);
  EXPECT_EQ(FilterIndexForExtension(u"png"), 0);
  EXPECT_EQ(FilterIndexForExtension(u""), 0);
}

TEST(ExtensionForFilterIndex, IsEmptyOutsideTheFiveTypes) {
  EXPECT_EQ(ExtensionForFilterIndex(0), u"");
  EXPECT_EQ(ExtensionForFilterIndex(6), u"");
  EXPECT_EQ(ExtensionForFilterIndex(-1), u"");
  EXPECT_EQ(ExtensionForFilterIndex(2), u".jpeg");
  EXPECT_EQ(ExtensionForFilterIndex(5), u".tif");
}

TEST(WriterKindForExtension, KnowsTheFiveFormatsInAnyCase) {
  EXPECT_EQ(WriterKindForExtension(u".bmp"), TImageWriterKind::Bmp);
  EXPECT_EQ(WriterKindForExtension(u".Bmp"), TImageWriterKind::Bmp);
  EXPECT_EQ(WriterKindForExtension(u".PNG"), TImageWriterKind::Png);
  EXPECT_EQ(WriterKindForExtension(u".jpg"), TImageWriterKind::Jpeg);
  EXPECT_EQ(WriterKindForExtension(u".JPEG"), TImageWriterKind::Jpeg);
  EXPECT_EQ(WriterKindForExtension(u".gif"), TImageWriterKind::Gif);
  EXPECT_EQ(WriterKindForExtension(u".tif"), TImageWriterKind::Tiff);
  EXPECT_EQ(WriterKindForExtension(u".TiFf"), TImageWriterKind::Tiff);
}

TEST(WriterKindForExtension, KnowsNothingElse) {
  for (std::u16string ext : {u"", u".", u"png", u".pngx", u".jpe", u".txt", u". png", u".png "})
    EXPECT_EQ(WriterKindForExtension(ext), TImageWriterKind::None) << std::string(ext.begin(), ext.end());
}

TEST(ExtractFileExt, TakesTheLastDotOfTheFileNameOnly) {
  EXPECT_EQ(ExtractFileExt(u"C:\\Pics\\ScreenShot_20240131235959.png"), u".png");
  EXPECT_EQ(ExtractFileExt(u"shot.tar.JPEG"), u".JPEG");
  EXPECT_EQ(ExtractFileExt(u"C:\\my.folder\\shot"), u"");
  EXPECT_EQ(ExtractFileExt(u"/my.folder/shot"), u"");
  EXPECT_EQ(ExtractFileExt(u"shot."), u".");
  EXPECT_EQ(ExtractFileExt(u"C:.x"), u".x");
  EXPECT_EQ(ExtractFileExt(u""), u"");
}

struct TTypedCase {
  std::u16string Typed;
  int FilterIndex;
  std::u16string Saved;
};

class PathWithWritableExtensionTest : public testing::TestWithParam<TTypedCase> {};

TEST_P(PathWithWritableExtensionTest, NeverGivesANameNoWriterKnows) {
  const TTypedCase& c = GetParam();
  const std::u16string saved = PathWithWritableExtension(c.Typed, c.FilterIndex);
  EXPECT_EQ(saved, c.Saved);
  EXPECT_NE(WriterKindForExtension(ExtractFileExt(saved)), TImageWriterKind::None);
}

INSTANTIATE_TEST_SUITE_P(
    Names, PathWithWritableExtensionTest,
    testing::Values(
        TTypedCase{u"C:\\a\\shot.png", 2, u"C:\\a\\shot.png"},  // a known extension wins
        TTypedCase{u"C:\\a\\shot.JPG", 3, u"C:\\a\\shot.JPG"}, TTypedCase{u"C:\\a\\shot", 3, u"C:\\a\\shot.png"},
        TTypedCase{u"C:\\a\\shot", 1, u"C:\\a\\shot.bmp"}, TTypedCase{u"C:\\a\\notes.txt", 2, u"C:\\a\\notes.txt.jpeg"},
        TTypedCase{u"C:\\a\\shot.", 4, u"C:\\a\\shot.gif"}, TTypedCase{u"C:\\a.b\\shot", 5, u"C:\\a.b\\shot.tif"},
        TTypedCase{u"C:\\a\\shot", 0, u"C:\\a\\shot.png"}, TTypedCase{u"C:\\a\\shot", 99, u"C:\\a\\shot.png"}));

}  // namespace
}  // namespace qor
