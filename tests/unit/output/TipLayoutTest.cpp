#include <gtest/gtest.h>

#include "output/TipLayout.h"
#include "tests/unit/app/SettingsTest.h"

namespace qor {
namespace {

TTipLayout Layout(double factor, int32_t checkTextWidth, int32_t labelHeight = 38) {
  const TScale scale{factor};
  return LayoutTip({TipClientSize(scale), scale, labelHeight, checkTextWidth});
}

TEST(TipLayout, ClientAndChildrenScaleWithRoundingNotTruncation) {
  EXPECT_EQ(TipClientSize(TScale{1.0}), (TSize{380, 120}));
  EXPECT_EQ(TipClientSize(TScale{2.0}), (TSize{760, 240}));
  EXPECT_EQ(TipClientSize(TScale{1.25}), (TSize{475, 150}));
  const struct {
    double Scale;
    TRect Label, Check, Ok;
  } cases[] = {
      // label: 15 in, 380 - 30 wide; check: 15 in, bottom at 120 - 15, 21 + 180 wide, 20 high; OK 10 from edges.
      {1.0, {15, 15, 365, 53}, {15, 85, 15 + 21 + 180, 105}, {285, 76, 370, 110}},
      {2.0, {30, 30, 730, 106}, {30, 170, 30 + 42 + 360, 210}, {570, 152, 740, 220}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Scale);
    // A caption of 180 stays clear of OK.
    const TTipLayout l = Layout(c.Scale, TScale{c.Scale}(180), TScale{c.Scale}(38));
    EXPECT_EQ(l.Label_Tip, c.Label);
    EXPECT_EQ(l.RdBtn_Check, c.Check);
    EXPECT_EQ(l.Rd_btnOk, c.Ok);
    EXPECT_EQ(l.CheckTextMargin, TScale{c.Scale}(21));
    EXPECT_FALSE(l.CheckWidthLimited);
  }
}

TEST(TipLayout, CheckBoxReachingOkIsLimitedToTheWidthLeftOfIt) {
  // 15 + 21 + 249 = 285: the right edge touches OK's left edge.
  const TTipLayout touching = Layout(1.0, 249);
  EXPECT_TRUE(touching.CheckWidthLimited);
  EXPECT_EQ(touching.RdBtn_Check.Width(), 380 - 10 - 85 - 10);
  // One pixel less stays as measured.
  const TTipLayout clear = Layout(1.0, 248);
  EXPECT_FALSE(clear.CheckWidthLimited);
  EXPECT_EQ(clear.RdBtn_Check.Right, 284);
  // Scaled: OK's distance and width scale, the final 10 does not.
  const TTipLayout scaled = Layout(2.0, 1000);
  EXPECT_TRUE(scaled.CheckWidthLimited);
  EXPECT_EQ(scaled.RdBtn_Check.Width(), 760 - 20 - 170 - 10);
}

TEST(TipLayout, CentresTheWindowInTheArea) {
  EXPECT_EQ(CentreInArea({380, 120}, {0, 0, 1920, 1040}), TRect::FromSize(770, 460, 380, 120));
  EXPECT_EQ(CentreInArea({381, 121}, {0, 0, 1920, 1040}), TRect::FromSize(769, 459, 381, 121));
  // A work area on a monitor left of the primary one.
  EXPECT_EQ(CentreInArea({380, 120}, {-1920, 0, 0, 1080}), TRect::FromSize(-1150, 480, 380, 120));
  // Larger than the area: overhangs evenly, rounded down.
  EXPECT_EQ(CentreInArea({101, 50}, {0, 0, 100, 50}), TRect::FromSize(-1, 0, 101, 50));
}

TEST(MessageTextOrDefault, GivesTheEnglishDefaultUntilTheLanguageFillsTheText) {
  const std::u16string kept = MessageTexts().M_OK;
  MessageTexts().M_OK.clear();
  EXPECT_EQ(MessageTextOrDefault(&TMessageTexts::M_OK), u"OK");
  MessageTexts().M_OK = u"Bien";
  EXPECT_EQ(MessageTextOrDefault(&TMessageTexts::M_OK), u"Bien");
  MessageTexts().M_OK = kept;
}

using TipSetting = test::TSettingsTest;
constexpr std::u16string_view Key = u"ScreenshotClipboardShow";

TEST_F(TipSetting, TipIsShownUnlessTheKeyHoldsOne) {
  EXPECT_TRUE(ClipboardTipWanted());  // no file at all
  for (const char16_t* value : {u"0", u"", u"true", u"11", u"2", u"01", u"1"}) {
    SetSetting(Key, value);
    EXPECT_EQ(ClipboardTipWanted(), std::u16string_view(value) != u"1") << Setting(Key).size() << " code units";
  }
}

TEST_F(TipSetting, OnlyATickedBoxWritesOneAndAnUntickedOneKeepsTheKeyAsItWas) {
  EXPECT_TRUE(ConfirmClipboardTip(false));
  EXPECT_EQ(Setting(Key), u"<missing>");
  SetSetting(Key, u"0");
  EXPECT_TRUE(ConfirmClipboardTip(false));
  EXPECT_EQ(Setting(Key), u"0");
  EXPECT_TRUE(ConfirmClipboardTip(true));
  EXPECT_EQ(Setting(Key), u"1");
  EXPECT_FALSE(ClipboardTipWanted());
}

}  // namespace
}  // namespace qor
