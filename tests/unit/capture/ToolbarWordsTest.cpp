#include "capture/ToolbarWords.h"

#include <gtest/gtest.h>

namespace qor {
namespace {

// Seven pixels per character of the font's height 13, twice that at height 26.
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

TEST(ToolbarWords, TheWidthIsInDesignPixelsRoundedUpAndZeroWithoutAMeasurer) {
  TFixedMeasurer measure;
  EXPECT_EQ(WordCaptionWidth(&measure, u"Kopieren", TScale::Of(false)), 56);
  EXPECT_EQ(measure.LastFont, WordCaptionFont(TScale::Of(false)));
  EXPECT_EQ(WordCaptionWidth(&measure, u"Kopieren", TScale::Of(true)), 56);  // measured 112 at twice the size
  EXPECT_EQ(measure.LastFont.Height, 26);
  EXPECT_EQ(WordCaptionWidth(&measure, u"Copy", TScale{1.5}), 29);  // 43 measured at height 20: 28.7 rounded up
  EXPECT_EQ(WordCaptionWidth(nullptr, u"Copy", TScale::Of(false)), 0);
}

TEST(ToolbarWords, TheCaptionIsACentredWhiteLabelThatLeavesTheMouseToItsButton) {
  TTestHost host;
  TRdLabel* label = AddWordCaption(host, u"Rd_WordCopy", u"Kopieren", TScale::Of(true), TRect{10, 4, 80, 40});
  ASSERT_EQ(host.Controls().size(), 1u);
  EXPECT_EQ(label->Name, u"Rd_WordCopy");
  EXPECT_EQ(label->Caption(), u"Kopieren");
  EXPECT_EQ(label->Bounds(), (TRect{10, 4, 80, 40}));  // not sized by its text
  EXPECT_EQ(label->Font().Height, 26);
  EXPECT_EQ(label->Font().Color, 0xFFFFFFu);
  EXPECT_EQ(host.ControlAt({20, 10}), nullptr);
}

}  // namespace
}  // namespace qor
