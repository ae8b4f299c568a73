#include <gtest/gtest.h>

#include "CommonLib/RdControl/RdGradient.h"

namespace qor {
namespace {

TEST(RdGradient, RunsFromTheFirstColourToTheSecondPerChannelWithRounding) {
  EXPECT_EQ(GradientColor(0x000000, 0xFFFFFF, 0, 256), 0x000000u);
  EXPECT_EQ(GradientColor(0x000000, 0xFFFFFF, 255, 256), 0xFFFFFFu);
  EXPECT_EQ(GradientColor(0x000000, 0xFFFFFF, 100, 256), 0x646464u);  // one step per line
  // Channels move independently, down as well as up: red 255 -> 0, green 0 -> 100, blue 10 -> 10.
  EXPECT_EQ(GradientColor(0x0A00FF, 0x0A6400, 1, 3), 0x0A3280u);    // 127.5 rounds up, 50 exact
  EXPECT_EQ(GradientColor(0x262626, 0x404040, 0, 1), 0x262626u);    // a single line keeps the first colour
  EXPECT_EQ(GradientColor(0xFF262626, 0x404040, 0, 2), 0x262626u);  // only the colour bytes count
}

TEST(RdGradient, BandsCoverTheAreaWithoutGapsAndNeverRepeatAColourSideBySide) {
  const TRect area = TRect::FromSize(-5, 10, 300, 40);  // more columns than colour steps
  for (bool vertical : {false, true}) {
    const auto bands = GradientBands(area, 0x202020, 0x303030, vertical);
    ASSERT_FALSE(bands.empty());
    EXPECT_EQ(bands.front().Color, 0x202020u);
    EXPECT_EQ(bands.back().Color, 0x303030u);
    EXPECT_EQ(bands.size(), 17u);  // 16 steps of one
    int32_t next = vertical ? area.Top : area.Left;
    for (size_t i = 0; i < bands.size(); ++i) {
      const TRect& r = bands[i].Rect;
      EXPECT_EQ(vertical ? r.Top : r.Left, next) << i;
      EXPECT_EQ(vertical ? r.Left : r.Top, vertical ? area.Left : area.Top);
      EXPECT_EQ(vertical ? r.Right : r.Bottom, vertical ? area.Right : area.Bottom);
      next = vertical ? r.Bottom : r.Right;
      if (i > 0) {
        EXPECT_NE(bands[i].Color, bands[i - 1].Color);
      }
    }
    EXPECT_EQ(next, vertical ? area.Bottom : area.Right);
  }
  EXPECT_TRUE(GradientBands(TRect{}, 0, 0xFFFFFF, false).empty());
  const auto one = GradientBands(TRect::FromSize(0, 0, 1, 9), 0x111111, 0x999999, false);
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(one[0].Color, 0x111111u);
}

}  // namespace
}  // namespace qor
