#include <gtest/gtest.h>

#include "CommonLib/RdControl/RdPictureNames.h"

namespace qor {
namespace {

TEST(RdPictureNames, ButtonsGetTheSkinsPictureNames) {
  TRdImageButton b;
  SetToolPictures(b, u"mosaic");
  EXPECT_EQ(b.Pictures.ImageNormal, u"images/icon_mosaic_normal.png");
  EXPECT_EQ(b.Pictures.ImageOver, u"images/icon_mosaic_over.png");
  EXPECT_EQ(b.Pictures.ImageDown, u"images/icon_mosaic_press.png");
  EXPECT_EQ(b.Pictures.ImageSelected, u"images/icon_mosaic_selected.png");
  EXPECT_EQ(b.Pictures.ImageDisabled, u"images/icon_mosaic_disable.png");
  SetBlueButtonPictures(b, u"saveas", 14);
  EXPECT_EQ(b.DnIcons.NormalIcon, u"images/icon_saveas_normal.png");
  EXPECT_EQ(b.IconAlign, TAlignment::taLeftJustify);
  EXPECT_EQ(WordPictureName(u"save", true), u"images/word_save_press.png");
  EXPECT_EQ(WordPictureName(u"copy", false), u"images/word_copy_normal.png");
}

}  // namespace
}  // namespace qor
