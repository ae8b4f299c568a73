#include "capture/ToolbarWords.h"

#include <gtest/gtest.h>

#include "CommonLib/RdControl/RdLabel.h"

namespace qor {
namespace {

// Seven pixels per character at the font's height 13, in proportion at other heights.
class TFixedMeasurer : public TRdTextMeasurer {
 public:
  TSize MeasureText(std::u16string_view text, const TRdFont& font, int32_t) override {
    LastFont = font;
    return {int32_t(text.size()) * 7 * font.Height / 13, font.Height};
  }
  TRdFont LastFont;
};

class TTestHost : public TRdControlHost {
 public:
  void InvalidateRect(const TRect&) override {}
};

TEST(ToolbarWords, ATranslatedCaptionNeedsItsWidthInDesignPixelsRoundedUp) {
  TFixedMeasurer measure;
  EXPECT_EQ(WordCaptionWidth(&measure, u"Kopieren", DesignWordCopy, TScale::Of(false)), 56);
  EXPECT_EQ(measure.LastFont, WordCaptionFont(TScale::Of(false)));
  EXPECT_EQ(WordCaptionWidth(&measure, u"Kopieren", DesignWordCopy, TScale::Of(true)), 56);  // 112 at height 26
  EXPECT_EQ(measure.LastFont.Height, 26);
  EXPECT_EQ(WordCaptionWidth(&measure, u"Kopie", DesignWordCopy, TScale{1.5}), 36);  // 53 at height 20: 35.3
  // The design caption and a missing measurer keep the design width.
  EXPECT_EQ(WordCaptionWidth(&measure, u"Copy", DesignWordCopy, TScale::Of(false)), 0);
  EXPECT_EQ(WordCaptionWidth(nullptr, u"Kopieren", DesignWordCopy, TScale::Of(false)), 0);
}

TEST(ToolbarWords, TheDesignCaptionKeepsItsWordPictureAndATranslationIsACentredWhiteLabel) {
  TTestHost host;
  const TRect bounds{10, 4, 80, 40};
  TRdControl* design =
      AddWordCaption(host, {u"Rd_WordCopy", u"Copy", DesignWordCopy, u"copy"}, TScale::Of(true), bounds);
  auto* picture = dynamic_cast<TRdImage*>(design);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->Picture(), u"images/word_copy_normal.png");
  EXPECT_TRUE(picture->Stretch);

  TRdControl* translated =
      AddWordCaption(host, {u"Rd_WordSave", u"Speichern", DesignWordSave, u"save"}, TScale::Of(true), bounds);
  auto* label = dynamic_cast<TRdLabel*>(translated);
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->Caption(), u"Speichern");
  EXPECT_EQ(label->Font().Height, 26);
  EXPECT_EQ(label->Font().Color, 0xFFFFFFu);

  for (TRdControl* control : {design, translated}) {
    EXPECT_EQ(control->Bounds(), bounds);  // not sized by its text or picture
  }
  EXPECT_EQ(design->Name, u"Rd_WordCopy");
  EXPECT_EQ(translated->Name, u"Rd_WordSave");
  EXPECT_EQ(host.ControlAt({20, 10}), nullptr);  // both leave the mouse to the button below
}

}  // namespace
}  // namespace qor
