#include <gtest/gtest.h>

#include <random>

#include "app/AppPaths.h"
#include "app/SafeIniFile.h"
#include "output/NoticePlacement.h"
#include "tests/unit/app/TestFolder.h"

namespace qor {
namespace {

struct TPlaceCase {
  const char* Name;
  TRect Desktop;
  int32_t X, Y, H;
  TPoint Expected;
};

class NoticePlace : public ::testing::TestWithParam<TPlaceCase> {};

TEST_P(NoticePlace, PutsTheNoticeBesideCursorAndBand) {
  const TPlaceCase& c = GetParam();
  EXPECT_EQ(PlaceNotice(c.Desktop, {400, 76}, c.X, c.Y, c.H), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NoticePlace,
    ::testing::Values(
        // Room to the right and below: 20 right of the cursor, 20 below the band.
        TPlaceCase{"RightAndBelow", {0, 0, 1920, 1080}, 500, 300, 150, {520, 470}},
        // Cursor near the right edge: the notice flips left, its right edge at the cursor.
        TPlaceCase{"FlipsLeftNearTheRightEdge", {0, 0, 1920, 1080}, 1600, 300, 150, {1200, 470}},
        // Exactly at desktop right - width it still goes right (and overhangs by 20).
        TPlaceCase{"LastCursorThatStaysRight", {0, 0, 1920, 1080}, 1520, 300, 150, {1540, 470}},
        TPlaceCase{"FirstCursorThatFlips", {0, 0, 1920, 1080}, 1521, 300, 150, {1121, 470}},
        // Band near the bottom: 20 above the band.
        TPlaceCase{"AboveABandNearTheBottom", {0, 0, 1920, 1080}, 500, 900, 150, {520, 900 - 76 - 20}},
        // The last band bottom that leaves room below: 1080 - 76 - 20 = 984.
        TPlaceCase{"LastBandThatFitsBelow", {0, 0, 1920, 1080}, 500, 834, 150, {520, 1004}},
        TPlaceCase{"FirstBandThatGoesAbove", {0, 0, 1920, 1080}, 500, 835, 150, {520, 835 - 96}},
        // Both flips at the bottom-right corner.
        TPlaceCase{"BottomRightCorner", {0, 0, 1920, 1080}, 1900, 1000, 150, {1500, 904}},
        // A desktop with a monitor left of the primary one: its right edge is 1920, not its width 3840.
        TPlaceCase{"DesktopLeftOfOrigin", {-1920, 0, 1920, 1080}, 1700, 300, 150, {1300, 470}},
        TPlaceCase{"DesktopLeftOfOriginLeftMonitor", {-1920, 0, 1920, 1080}, -1000, 300, 150, {-980, 470}},
        // A desktop above the primary one.
        TPlaceCase{"DesktopAboveOrigin", {0, -1080, 1920, 1080}, 100, -500, 100, {120, -380}},
        TPlaceCase{"DesktopAboveOriginBottom", {0, -1080, 1920, 1080}, 100, 950, 100, {120, 854}}),
    [](const ::testing::TestParamInfo<TPlaceCase>& info) { return std::string(info.param.Name); });

TEST(NoticeLayout, StacksTheLinesWithTheirMargins) {
  const TNoticeLayout l = LayoutNotice(15, {370, 38}, {300, 19});
  EXPECT_EQ(l.Label_1, TRect::FromSize(15, 15, 370, 38));
  EXPECT_EQ(l.Label_2, TRect::FromSize(15, 63, 300, 19));
  EXPECT_EQ(l.ClientHeight, 63 + 19 + 15);
  // Scaled windows keep the left margin of the design (scaled by the caller) and these vertical margins.
  const TNoticeLayout s = LayoutNotice(30, {740, 76}, {600, 38});
  EXPECT_EQ(s.Label_2.Top, 15 + 76 + 10);
  EXPECT_EQ(s.ClientHeight, 15 + 76 + 10 + 38 + 15);
}

TEST(NoticeLifetime, ClosesOnlyAfterMoreThanSixWholeSeconds) {
  const uint32_t start = 123456;
  struct {
    uint32_t Elapsed;
    bool Close;
  } cases[] = {{0, false}, {5999, false}, {6000, false}, {6999, false}, {7000, true}, {60000, true}};
  for (auto c : cases) EXPECT_EQ(NoticeShouldClose(start, start + c.Elapsed), c.Close) << c.Elapsed;
}

TEST(NoticeLifetime, CountsAcrossTheTickCounterWrap) {
  const uint32_t start = 0xFFFFF000u;                    // 4096 ms before the wrap
  EXPECT_FALSE(NoticeShouldClose(start, start + 6999));  // wraps to a small number
  EXPECT_TRUE(NoticeShouldClose(start, start + 7000));
}

// One unit per code unit, as a fixed-pitch font would measure.
int32_t Units(std::u16string_view s) { return int32_t(s.size()); }

TEST(ShortenInMiddle, LeavesTextThatFitsAlone) {
  EXPECT_EQ(ShortenInMiddle(u"Exit Capture", 12, Units), u"Exit Capture");
  EXPECT_EQ(ShortenInMiddle(u"", 0, Units), u"");
}

TEST(ShortenInMiddle, KeepsBothEndsAroundTheEllipsis) {
  const std::u16string out = ShortenInMiddle(u"Exit Capture: Right click or press ESC to exit.", 20, Units);
  EXPECT_EQ(out, u"Exit Capt...to exit.");
  EXPECT_EQ(out.size(), 20u);
}

TEST(ShortenInMiddle, GivesTheEllipsisAloneWhenNothingElseFits) {
  EXPECT_EQ(ShortenInMiddle(u"abcdef", 3, Units), u"...");
  EXPECT_EQ(ShortenInMiddle(u"abcdef", 0, Units), u"...");
  EXPECT_EQ(ShortenInMiddle(u"abcdef", -5, Units), u"...");
}

TEST(ShortenInMiddle, NeverSplitsASurrogatePair) {
  // "a😀b😀c" in UTF-16; cutting at any width leaves only whole pairs.
  const std::u16string text =
      u"a\xD83D\xDE00"
      u"b\xD83D\xDE00"
      u"c";
  for (int32_t width = 3; width < int32_t(text.size()); ++width) {
    const std::u16string out = ShortenInMiddle(text, width, Units);
    for (size_t i = 0; i < out.size(); ++i) {
      if (out[i] >= 0xD800 && out[i] <= 0xDBFF) {
        ASSERT_LT(i + 1, out.size()) << width;
        EXPECT_TRUE(out[i + 1] >= 0xDC00 && out[i + 1] <= 0xDFFF) << width;
      }
      if (out[i] >= 0xDC00 && out[i] <= 0xDFFF) {
        ASSERT_GT(i, 0u) << width;
        EXPECT_TRUE(out[i - 1] >= 0xD800 && out[i - 1] <= 0xDBFF) << width;
      }
    }
    EXPECT_LE(Units(out), std::max<int32_t>(width, 3)) << width;
  }
}

TEST(ShortenInMiddle, GarbageTextStaysWithinTheWidth) {
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    std::u16string text(random() % 40, u'x');
    for (auto& c : text) c = char16_t(random() % 0x10000);  // lone surrogates and controls included
    const int32_t width = int32_t(random() % 45) - 3;
    const std::u16string out = ShortenInMiddle(text, width, Units);
    if (Units(text) <= width)
      EXPECT_EQ(out, text);
    else
      EXPECT_LE(Units(out), std::max<int32_t>(width, 3));
  }
}

class NoticeSetting : public ::testing::Test {
 protected:
  test::TTestFolder Folder;
  void SetUp() override { SetParentProductFolder(Folder.Path(u"Corvane")); }
  void TearDown() override { SetParentProductFolder(u""); }
  std::u16string Value() { return ReadConfigString(u"AIAssistant", u"ScreenshotCapTip", u"<missing>"); }
};

TEST_F(NoticeSetting, NoticeIsShownUnlessTheKeyHoldsOne) {
  EXPECT_TRUE(NoticeWanted());
  ASSERT_TRUE(WriteConfigString(u"AIAssistant", u"ScreenshotCapTip", u"0"));
  EXPECT_TRUE(NoticeWanted());
  ASSERT_TRUE(WriteConfigString(u"AIAssistant", u"ScreenshotCapTip", u"yes"));
  EXPECT_TRUE(NoticeWanted());
  ASSERT_TRUE(WriteConfigString(u"AIAssistant", u"ScreenshotCapTip", u"1"));
  EXPECT_FALSE(NoticeWanted());
}

TEST_F(NoticeSetting, PressWhileVisibleWritesOne) {
  EXPECT_TRUE(RecordNoticeSeen(true));
  EXPECT_EQ(Value(), u"1");
  EXPECT_FALSE(NoticeWanted());
}

TEST_F(NoticeSetting, PressWhileHiddenWritesNothing) {
  EXPECT_FALSE(RecordNoticeSeen(false));
  EXPECT_EQ(Value(), u"<missing>");
  ASSERT_TRUE(WriteConfigString(u"AIAssistant", u"ScreenshotCapTip", u"0"));
  EXPECT_FALSE(RecordNoticeSeen(false));
  EXPECT_EQ(Value(), u"0");
}

TEST_F(NoticeSetting, KeyAlreadyOneIsNotWrittenAgain) {
  ASSERT_TRUE(WriteConfigString(u"AIAssistant", u"ScreenshotCapTip", u"1"));
  EXPECT_FALSE(RecordNoticeSeen(true));
  EXPECT_EQ(Value(), u"1");
}

}  // namespace
}  // namespace qor
