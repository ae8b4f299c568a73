#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "output/SaveFormat.h"

#include "app/Language.h"
#include "base/Utf16Text.h"

namespace qor {
namespace {

TEST(SaveExtensionFromSetting, MapsZeroToJpegTwoToBmpAndEverythingElseToPng) {
  for (std::u16string_view zero : {u"0", u" 0 ", u"00", u"-0"}) EXPECT_EQ(SaveExtensionFromSetting(zero), u".jpeg");
  for (std::u16string_view two : {u"2", u"+2", u" 2\t"}) EXPECT_EQ(SaveExtensionFromSetting(two), u".bmp");
  for (std::u16string_view other : {u"1", u"7", u"x", u"", u"-2", u"2.0", u"0x2", u"2a", u"-", u"4294967296",
                                    u"99999999999999999999999", u"\uFFFF\u0000", u"\uFF10"})
    EXPECT_EQ(SaveExtensionFromSetting(other), u".png") << std::string(other.begin(), other.end());
}

TEST(SaveDialogFilter, EachOfTheFiveTypesListsTheExtensionWrittenForIt) {
  for (int index = 1; index <= SaveDialogFilterCount; ++index) {
    const std::u16string written = ExtensionForFilterIndex(index);
    EXPECT_NE(SaveDialogFilter.find(u"|*" + written), std::u16string_view::npos) << index;
    EXPECT_EQ(FilterIndexForExtension(written), index);
  }
}

TEST(WriterKindForExtension, KnowsTheFiveFormatsInAnyCaseAndNothingElse) {
  const struct {
    std::u16string_view Ext;
    TImageWriterKind Kind;
    int FilterIndex;
  } cases[] = {{u".bmp", TImageWriterKind::Bmp, 1},   {u".Bmp", TImageWriterKind::Bmp, 1},
               {u".JPEG", TImageWriterKind::Jpeg, 2}, {u".Jpg", TImageWriterKind::Jpeg, 2},
               {u".pNg", TImageWriterKind::Png, 3},   {u".GIF", TImageWriterKind::Gif, 4},
               {u".tif", TImageWriterKind::Tiff, 5},  {u".TiFf", TImageWriterKind::Tiff, 5},
               {u"", TImageWriterKind::None, 0},      {u".", TImageWriterKind::None, 0},
               {u"png", TImageWriterKind::None, 0},   {u".pngx", TImageWriterKind::None, 0},
               {u".jpe", TImageWriterKind::None, 0},  {u".txt", TImageWriterKind::None, 0},
               {u". png", TImageWriterKind::None, 0}, {u".png ", TImageWriterKind::None, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(WriterKindForExtension(c.Ext), c.Kind) << std::string(c.Ext.begin(), c.Ext.end());
    EXPECT_EQ(FilterIndexForExtension(c.Ext), c.FilterIndex) << std::string(c.Ext.begin(), c.Ext.end());
  }
  for (int index : {0, 6, -1}) EXPECT_EQ(ExtensionForFilterIndex(index), u"") << index;
}

TEST(ExtractFileExt, TakesTheLastDotOfTheFileNameOnly) {
  const std::pair<std::u16string_view, std::u16string_view> cases[] = {{u"C:\\Pics\\shot.png", u".png"},
                                                                       {u"shot.tar.JPEG", u".JPEG"},
                                                                       {u"C:\\my.folder\\shot", u""},
                                                                       {u"/my.folder/shot", u""},
                                                                       {u"shot.", u"."},
                                                                       {u"C:.x", u".x"},
                                                                       {u"", u""}};
  for (const auto& [path, ext] : cases) EXPECT_EQ(ExtractFileExt(path), ext) << std::string(path.begin(), path.end());
}

TEST(PathWithWritableExtension, KeepsAKnownExtensionElseAddsTheTypesAndNeverGivesANameNoWriterKnows) {
  const struct {
    std::u16string_view Typed;
    int FilterIndex;
    std::u16string_view Saved;
  } cases[] = {{u"C:\\a\\shot.png", 2, u"C:\\a\\shot.png"},
               {u"C:\\a\\shot.JPG", 3, u"C:\\a\\shot.JPG"},
               {u"C:\\a\\shot", 3, u"C:\\a\\shot.png"},
               {u"C:\\a\\shot", 1, u"C:\\a\\shot.bmp"},
               {u"C:\\a\\notes.txt", 2, u"C:\\a\\notes.txt.jpeg"},
               {u"C:\\a\\shot.", 4, u"C:\\a\\shot.gif"},
               {u"C:\\a.b\\shot", 5, u"C:\\a.b\\shot.tif"},
               {u"C:\\a\\shot", 0, u"C:\\a\\shot.png"},
               {u"C:\\a\\shot", 99, u"C:\\a\\shot.png"}};
  for (const auto& c : cases) {
    const std::u16string saved = PathWithWritableExtension(c.Typed, c.FilterIndex);
    EXPECT_EQ(saved, c.Saved) << std::string(c.Typed.begin(), c.Typed.end());
    EXPECT_NE(WriterKindForExtension(ExtractFileExt(saved)), TImageWriterKind::None);
  }
}

TEST(WriterKindHoldsSize, JpegAndGifStopAt65535EitherWayBmpAtFourGigabytesPngAndTiffNever) {
  for (TImageWriterKind kind : {TImageWriterKind::Jpeg, TImageWriterKind::Gif}) {
    SCOPED_TRACE(int(kind));
    EXPECT_TRUE(WriterKindHoldsSize(kind, 65535, 65535));
    EXPECT_FALSE(WriterKindHoldsSize(kind, 1920, 65536));
    EXPECT_FALSE(WriterKindHoldsSize(kind, 65536, 1));
    EXPECT_FALSE(WriterKindHoldsSize(kind, 1920, 100000));
  }
  EXPECT_TRUE(WriterKindHoldsSize(TImageWriterKind::Bmp, 1920, 100000));
  EXPECT_FALSE(WriterKindHoldsSize(TImageWriterKind::Bmp, 30000, 50000));
  for (TImageWriterKind kind : {TImageWriterKind::Png, TImageWriterKind::Tiff}) {
    EXPECT_TRUE(WriterKindHoldsSize(kind, 1920, 100000));
    EXPECT_TRUE(WriterKindHoldsSize(kind, 100000, 100000));
  }
  EXPECT_FALSE(WriterKindHoldsSize(TImageWriterKind::None, 10, 10));
  // An empty picture is no size question (SaveNewBitmap reports it as empty).
  EXPECT_TRUE(WriterKindHoldsSize(TImageWriterKind::Jpeg, 0, 0));
  EXPECT_EQ(WriterKindName(WriterKindForExtension(u".jpg")), u"JPEG");
  EXPECT_EQ(WriterKindName(WriterKindForExtension(u".TIFF")), u"TIFF");
  EXPECT_EQ(WriterKindName(TImageWriterKind::None), u"");
}

TEST(FailureTexts, ShipInTheEnglishTableWithTheDefaultsAndTakeThePathAndTheReason) {
  TExtIniFile english;
  ASSERT_TRUE(english.LoadFromFile(Utf8ToUtf16(QOR_SOURCE_DIR "/Language/English.lng")));
  EXPECT_EQ(english.ReadString(u"Qor_Screen_M", SaveFailedKey, u""), SaveFailedDefault);
  EXPECT_EQ(english.ReadString(u"Qor_Screen_M", CopyFailedKey, u""), CopyFailedDefault);
  EXPECT_NE(FormatText(SaveFailedDefault, {u"D:\\a.png", u"denied"}).find(u"D:\\a.png (denied)"), std::u16string::npos);
  EXPECT_NE(FormatText(CopyFailedDefault, {u"empty"}).find(u"(empty)"), std::u16string::npos);
}

}  // namespace
}  // namespace qor
