#include "CommonLib/RdControl/RdgImage.h"

#include <gtest/gtest.h>

namespace qor {
namespace {

using enum TSuperStretchMode;

TRdgImage Script(std::u16string_view text) {
  TRdgImage image;
  image.SetText(text);
  return image;
}

TEST(RdgImage, ReadsEveryValueOfAStoredScript) {
  const TRdgImage ref = Script(
      u"imgname=images/scrollbar_normal.png\r\nSkinRcc=classic\r\nimgrect!=1, 2,17,$12\r\nimgalpha!=128\r\n"
      u"imgsmooth=2\r\nIMGOPT!=4,4,4,4,0\nduration!=40\nPlayScript=<0-3>");
  EXPECT_EQ(ref.ImgName(), u"images/scrollbar_normal.png");
  EXPECT_EQ(ref.SkinRcc(), u"classic");
  EXPECT_EQ(ref.ImgRect(), (TRect{1, 2, 17, 18}));
  EXPECT_EQ(ref.AlphaBlendValue(), 128);
  EXPECT_EQ(ref.SmoothFilter(), TPngSmoothFilter::Smooth);
  EXPECT_EQ(ref.ImgOpt(), TDesignRect(4, 4, 4, 4, sdmDefault));
  EXPECT_EQ(ref.Duration(), 40);
  EXPECT_EQ(ref.PlayScript(), u"<0-3>");
  EXPECT_TRUE(ref.IsExplicit(u"imgopt"));
  EXPECT_FALSE(ref.IsExplicit(u"imgname"));
}

TEST(RdgImage, MalformedValuesReadAsAbsentOrDefault) {
  const TRdgImage ref = Script(
      u"no equals sign\r\n=no name\r\n!=bang only\r\nimgrect=1,2,3\r\nimgalpha=256\r\nimgsmooth=7\r\n"
      u"imgopt=4,4,x,4\r\nduration=-5\r\nimgname=a.png\r\nimgname=b.png");
  EXPECT_EQ(ref.Values().size(), 6u);  // the three broken lines skipped, imgname once
  EXPECT_EQ(ref.ImgName(), u"b.png");  // the last value of a name given twice
  EXPECT_FALSE(ref.ImgRect());
  EXPECT_FALSE(ref.ImgAlpha());
  EXPECT_EQ(ref.AlphaBlendValue(), 255);
  EXPECT_EQ(ref.SmoothFilter(), TPngSmoothFilter::Default);
  EXPECT_FALSE(ref.ImgOpt());
  EXPECT_FALSE(ref.Duration());
  // Four margins without a mode, and a mode out of range, read as sdmDefault.
  EXPECT_EQ(Script(u"imgopt=1,2,3,4").ImgOpt(), TDesignRect(1, 2, 3, 4));
  EXPECT_EQ(Script(u"imgopt=1,2,3,4,9").ImgOpt(), TDesignRect(1, 2, 3, 4));
  EXPECT_EQ(Script(u"imgopt=1,2,3,4,2").ImgOpt(), TDesignRect(1, 2, 3, 4, sdmFill));
}

TEST(RdgImage, WritesTheCanonicalScriptDroppingDefaultsAndKeepingUnknownLines) {
  TRdgImage ref = Script(
      u"Custom!=x\r\nimgopt=0,0,0,0,0\r\nimgalpha=255\r\nimgsmooth=0\r\nimgrect=0,0,8,8\r\n"
      u"imgname=a.png\r\nduration=0");
  EXPECT_EQ(ref.Text(), u"imgname=a.png\r\nimgrect!=0,0,8,8\r\nCustom!=x");
  ref.SetImgOpt(TDesignRect(4, 4, 4, 4, sdmFill));
  ref.SetAlphaBlendValue(90);
  ref.SetDuration(25);
  EXPECT_EQ(ref.Text(),
            u"imgname=a.png\r\nimgrect!=0,0,8,8\r\nimgalpha!=90\r\nimgopt!=4,4,4,4,2\r\nduration!=25\r\nCustom!=x");
  // The written script reads back to the same values.
  const TRdgImage again = Script(ref.Text());
  EXPECT_EQ(again.Text(), ref.Text());
  EXPECT_EQ(again.ImgOpt(), ref.ImgOpt());
}

TEST(RdgImage, InheritingKeepsExplicitValuesAndTakesEveryOtherValueFromTheParent) {
  const TRdgImage skin = Script(u"imgname=images/skin.png\r\nSkinRcc=classic\r\nimgopt=2,2,2,2,0\r\nimgalpha=200");
  TRdgImage own = Script(u"imgname=images/own.png\r\nimgopt!=4,4,4,4,3\r\nimgrect=0,0,5,5\r\nduration!=30");
  own.Inherit(skin);
  EXPECT_EQ(own.ImgName(), u"images/skin.png");
  EXPECT_EQ(own.SkinRcc(), u"classic");
  EXPECT_EQ(own.ImgOpt(), TDesignRect(4, 4, 4, 4, sdmFrame));  // set on purpose: stays
  EXPECT_EQ(own.Duration(), 30);
  EXPECT_FALSE(own.ImgRect());  // not on purpose and the parent has none: gone
  EXPECT_EQ(own.AlphaBlendValue(), 200);
}

TEST(RdgImage, WritingAgainstAParentLeavesOutWhatTheParentAlreadySays) {
  const TRdgImage parent = Script(u"imgname=a.png\r\nimgalpha=128\r\nimgopt=4, 4,4,4,0");
  const TRdgImage same = Script(u"imgname=a.png\r\nimgalpha=128\r\nimgopt!=4,4,4,4,0\r\nimgsmooth=1");
  EXPECT_EQ(same.Text(&parent), u"imgsmooth=1");
  // An explicit alpha of 255 matters against a parent of 128, not without a parent.
  const TRdgImage opaque = Script(u"imgname=b.png\r\nimgalpha!=255");
  EXPECT_EQ(opaque.Text(&parent), u"imgname=b.png\r\nimgalpha!=255");
  EXPECT_EQ(opaque.Text(), u"imgname=b.png");
}

TEST(RdgImage, AnimationNamesAreWrittenInSquareBrackets) {
  EXPECT_TRUE(IsRdgAnimationName(u"[loading]"));
  EXPECT_TRUE(IsRdgAnimationName(u"[]"));
  EXPECT_FALSE(IsRdgAnimationName(u"["));
  EXPECT_FALSE(IsRdgAnimationName(u"[loading"));
  EXPECT_FALSE(IsRdgAnimationName(u"images/[x].png"));
}

}  // namespace
}  // namespace qor
