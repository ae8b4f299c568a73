#include <gtest/gtest.h>

#include <random>

#include "output/NoticePlacement.h"
#include "tests/unit/app/SettingsTest.h"

namespace qor {
namespace {

TEST(PlaceNotice, PutsTheNoticeBesideCursorAndBandFlippingAtTheDesktopEdges) {
  const TRect primary{0, 0, 1920, 1080};
  const struct {
    const char* Name;
    TRect Desktop;
    int32_t X, Y, H;
    TPoint Expected;
  } cases[] = {
      {"20 right of the cursor, 20 below the band", primary, 500, 300, 150, {520, 470}},
      {"near the right edge: ends at the cursor", primary, 1600, 300, 150, {1200, 470}},
      {"last cursor that stays right (overhangs by 20)", primary, 1520, 300, 150, {1540, 470}},
      {"first cursor that flips", primary, 1521, 300, 150, {1121, 470}},
      {"band near the bottom: 20 above it", primary, 500, 900, 150, {520, 900 - 76 - 20}},
      {"last band that fits below: 1080 - 76 - 20", primary, 500, 834, 150, {520, 1004}},
      {"first band that goes above", primary, 500, 835, 150, {520, 835 - 96}},
      {"bottom-right corner: both flips", primary, 1900, 1000, 150, {1500, 904}},
      // A monitor left of the primary one: the desktop's right edge is 1920, not its width 3840.
      {"desktop left of the origin", {-1920, 0, 1920, 1080}, 1700, 300, 150, {1300, 470}},
      {"desktop left of the origin, left monitor", {-1920, 0, 1920, 1080}, -1000, 300, 150, {-980, 470}},
      {"desktop above the origin", {0, -1080, 1920, 1080}, 100, -500, 100, {120, -380}},
      {"desktop above the origin, bottom", {0, -1080, 1920, 1080}, 100, 950, 100, {120, 854}},
  };
  for (const auto& c : cases) EXPECT_EQ(PlaceNotice(c.Desktop, {400, 76}, c.X, c.Y, c.H), c.Expected) << c.Name;
}

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

TEST(NoticeLifetime, ClosesOnlyAfterMoreThanSixWholeSecondsAlsoAcrossTheTickWrap) {
  const std::pair<uint32_t, bool> steps[] = {{0, false},    {5999, false}, {6000, false},
                                             {6999, false}, {7000, true},  {60000, true}};
  for (const uint32_t start : {123456u, 0xFFFFF000u})  // the second wraps 4096 ms in
    for (const auto& [elapsed, close] : steps)
      EXPECT_EQ(NoticeShouldClose(start, start + elapsed), close) << start << " + " << elapsed;
}

// One unit per code unit, as a fixed-pitch font would measure.
int32_t Units(std::u16string_view s) { return int32_t(s.size()); }

TEST(ShortenInMiddle, KeepsBothEndsAroundTheEllipsisOrTheEllipsisAlone) {
  const std::u16string_view exit = u"Exit Capture: Right click or press ESC to exit.";
  const struct {
    std::u16string_view Text;
    int32_t Width;
    std::u16string_view Expected;
  } cases[] = {{u"Exit Capture", 12, u"Exit Capture"},
               {u"", 0, u""},
               {exit, 20, u"Exit Capt...to exit."},
               {u"abcdef", 3, u"..."},
               {u"abcdef", 0, u"..."},
               {u"abcdef", -5, u"..."}};
  for (const auto& c : cases) EXPECT_EQ(ShortenInMiddle(c.Text, c.Width, Units), c.Expected) << c.Width;
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

using NoticeSetting = test::TSettingsTest;

TEST_F(NoticeSetting, NoticeIsShownUnlessTheKeyHoldsOne) {
  EXPECT_TRUE(NoticeWanted());
  for (const char16_t* value : {u"0", u"yes", u"1"}) {
    SetSetting(u"ScreenshotCapTip", value);
    EXPECT_EQ(NoticeWanted(), std::u16string_view(value) != u"1");
  }
}

TEST_F(NoticeSetting, OnlyAPressWhileVisibleWritesOneAndOnlyOnce) {
  EXPECT_FALSE(RecordNoticeSeen(false));
  EXPECT_EQ(Setting(u"ScreenshotCapTip"), u"<missing>");
  SetSetting(u"ScreenshotCapTip", u"0");
  EXPECT_FALSE(RecordNoticeSeen(false));
  EXPECT_EQ(Setting(u"ScreenshotCapTip"), u"0");
  EXPECT_TRUE(RecordNoticeSeen(true));
  EXPECT_EQ(Setting(u"ScreenshotCapTip"), u"1");
  EXPECT_FALSE(NoticeWanted());
  EXPECT_FALSE(RecordNoticeSeen(true));  // already "1": not written again
  EXPECT_EQ(Setting(u"ScreenshotCapTip"), u"1");
}

}  // namespace
}  // namespace qor
