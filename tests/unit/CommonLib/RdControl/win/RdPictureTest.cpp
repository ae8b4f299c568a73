#include <gtest/gtest.h>

#include <string>

#include "CommonLib/RdControl/RdColorTable.h"
#include "CommonLib/RdControl/RdImageButton.h"
#include "CommonLib/RdControl/RdPictureNames.h"
#include "CommonLib/RdControl/win/RdGdiCanvas.h"
#include "CommonLib/RdControl/win/RdPicture.h"
#include "CommonLib/RdControl/win/RdPlainPictures.h"
#include "tests/unit/CommonLib/RdControl/win/PanelFixture.h"

namespace qor {
namespace {

constexpr TBgra Red{0, 0, 255, 255}, Green{0, 255, 0, 255};

// A 12 x 12 picture: a 4-pixel red border around green.
TImage BorderedPicture() {
  TImage image(12, 12, Red);
  for (int y = 4; y < 8; ++y)
    for (int x = 4; x < 8; ++x) image.View().At(x, y) = Green;
  return image;
}

TEST(RdBitmapPicture, NineGridKeepsTheFourPixelBorderCrispAtAnySize) {
  TRdPictureMap pictures;
  const TImage source = BorderedPicture();
  pictures.Add(u"images/bg_window.png", std::make_unique<TRdBitmapPicture>(source.View()));
  TRdFontCache fonts;
  for (const TSize size : {TSize{12, 12}, TSize{13, 13}, TSize{154, 168}, TSize{640, 40}, TSize{9, 9}}) {
    SCOPED_TRACE(std::to_string(size.Width) + "x" + std::to_string(size.Height));
    TDibImage target;
    ASSERT_TRUE(target.Create(size.Width + 2, size.Height + 2));
    TRdGdiCanvas canvas(TRdDrawTarget{target.Dc(), target.View(), {}}, &pictures, fonts);
    ASSERT_TRUE(canvas.DrawPicture(u"images/bg_window.png", TRect::FromSize(1, 1, size.Width, size.Height),
                                   TRdDesignRect{4, 4, 4, 4}));
    ::GdiFlush();
    const TImageView& v = target.View();
    for (int32_t y = 1; y <= size.Height; ++y)
      for (int32_t x = 1; x <= size.Width; ++x) {
        const bool border = x <= 4 || y <= 4 || x > size.Width - 4 || y > size.Height - 4;
        ASSERT_TRUE(testing::SameRgb(v.At(x, y), border ? Red : Green)) << x << "," << y;
      }
    EXPECT_TRUE(testing::SameRgb(v.At(0, 0), TBgra{}));  // nothing outside dest
  }
}

TEST(RdBitmapPicture, TransparentPixelsLeaveWhatIsBelow) {
  TImage source(2, 1, TBgra{0, 0, 255, 255});
  source.View().At(1, 0) = TBgra{0, 0, 255, 0};
  TRdPictureMap pictures;
  pictures.Add(u"p", std::make_unique<TRdBitmapPicture>(source.View()));
  TDibImage target;
  ASSERT_TRUE(target.Create(2, 1));
  target.View().At(1, 0) = Green;
  TRdFontCache fonts;
  TRdGdiCanvas canvas(TRdDrawTarget{target.Dc(), target.View(), {}}, &pictures, fonts);
  canvas.DrawPicture(u"p", TRect::FromSize(0, 0, 2, 1), {});
  ::GdiFlush();
  EXPECT_TRUE(testing::SameRgb(target.View().At(0, 0), Red));
  EXPECT_TRUE(testing::SameRgb(target.View().At(1, 0), Green));
}

TEST(RdPlainPictures, EveryToolHasItsPicturesAtBothScales) {
  for (bool scaled : {false, true}) {
    TRdPlainPictureSource source(TScale::Of(scaled));
    const int32_t k = scaled ? 2 : 1;
    for (auto tool : ToolPictureTools)
      for (auto state : ToolPictureStates) {
        const TRdPicture* p = source.Find(ToolPictureName(tool, state));
        ASSERT_NE(p, nullptr) << std::string(tool.begin(), tool.end());
        EXPECT_EQ(p->Size(), (TSize{30 * k, 30 * k}));
      }
    EXPECT_EQ(source.Find(u"images/no_such_picture.png"), nullptr);
  }
}

TEST(RdPlainPictures, ToolGlyphIsCentredInItsButton) {
  TRdPlainPictureSource source(TScale::Of(false));
  for (auto tool : ToolPictureTools) {
    TDibImage target;
    ASSERT_TRUE(target.Create(30, 30));
    source.Find(ToolPictureName(tool, u"normal"))
        ->Draw(TRdDrawTarget{target.Dc(), target.View(), {}}, TRect::FromSize(0, 0, 30, 30), {});
    ::GdiFlush();
    // The inked bounding box of the glyph: inside the button with at least 4 pixels around it, and centred
    // within 2 pixels.
    int32_t left = 30, top = 30, right = -1, bottom = -1;
    for (int32_t y = 0; y < 30; ++y)
      for (int32_t x = 0; x < 30; ++x)
        if (target.View().At(x, y).G > 0x30) {
          left = std::min(left, x), right = std::max(right, x);
          top = std::min(top, y), bottom = std::max(bottom, y);
        }
    const std::string name(tool.begin(), tool.end());
    ASSERT_GE(right, left) << name << " drew nothing";
    EXPECT_GE(left, 4) << name;
    EXPECT_GE(top, 4) << name;
    EXPECT_LE(right, 25) << name;
    EXPECT_LE(bottom, 25) << name;
    EXPECT_LE(std::abs((left + right) - 29), 4) << name;
    EXPECT_LE(std::abs((top + bottom) - 29), 4) << name;
  }
}

}  // namespace
}  // namespace qor

namespace qor {
namespace {

TEST(ResolveColor, NamedSkinColoursAreTheSkinsAndSystemColoursTheSystems) {
  TRdColorTable& table = SkinColorTable();
  table.LoadColorFile(u"[panel_color]\ntype=RGB\nback=10,20,30\n");
  table.MergeColors();
  EXPECT_EQ(ResolveColor(table.IdentToColor(u"panel_color.back")), COLORREF(0x1E140A));
  EXPECT_EQ(ResolveColor(table.IdentToColor(u"panel_color.missing")), COLORREF(RccUnknownColor));
  EXPECT_EQ(ResolveColor(clGrayText), ::GetSysColor(COLOR_GRAYTEXT));
  EXPECT_EQ(ResolveColor(0x123456), COLORREF(0x123456));
  table.Clear();
}

}  // namespace
}  // namespace qor
