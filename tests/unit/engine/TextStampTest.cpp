// Blending a committed text's stamp over the picture.
#include "engine/TextStamp.h"

#include <gtest/gtest.h>

#include "tests/unit/engine/TextStampPictures.h"

using namespace qor;

TEST(TextStamp, BlendsAsDrawnOverBlackAndWhiteAndLeavesUntouchedPixels) {
  const TTextStamp stamp = RedBars(6, 4, 2);
  for (const TBgra under : {TBgra{0, 0, 0, 255}, TBgra{255, 255, 255, 255}, TBgra{40, 200, 90, 255}}) {
    TImage target(10, 8, under);
    BlendStamp(stamp, {2, 3}, TRect::FromSize(0, 0, 10, 8), target.View(), {0, 0});
    EXPECT_EQ(target.View().At(2, 3), (TBgra{0, 0, 255, 255}));  // solid text
    EXPECT_EQ(target.View().At(3, 3), under);                    // between the bars
    EXPECT_EQ(target.View().At(1, 3), under);                    // left of the stamp
    const TBgra edge = target.View().At(2, 6);                   // half covered
    EXPECT_EQ(edge.R, 128 + 127 * under.R / 255);
    EXPECT_EQ(edge.B, 127 * under.B / 255);
  }
  // A stamp over the target's edges and an area that cuts it: only the pixels inside both change.
  TImage target(4, 4, {9, 9, 9, 255});
  BlendStamp(stamp, {-2, 1}, TRect::FromSize(0, 0, 1, 4), target.View(), {0, 0});
  EXPECT_EQ(target.View().At(0, 1), (TBgra{0, 0, 255, 255}));  // the stamp's second bar, column 2
  EXPECT_EQ(target.View().At(2, 1), (TBgra{9, 9, 9, 255}));    // outside the area
  EXPECT_TRUE(RedBars(5, 5, 0).IsBlank());
  EXPECT_FALSE(stamp.IsBlank());
}

TEST(TextStamp, OneRenderingOfAOneColourTextBlendsAsTheTwoRenderingsDo) {
  // Colours at the channels' extremes and at the ground's switch-over between 127 and 128.
  for (const uint32_t color : {0x0000FFu, 0x000000u, 0xFFFFFFu, 0x808080u, 0x7F807Fu, 0x12C4E0u}) {
    const TBgra text = BgraFromColorRef(color), ground = BgraFromColorRef(GroundFor(color));
    const int coverages[] = {0, 1, 64, 128, 200, 254, 255};
    // The text as a renderer draws it on the ground: coverage k of pixel k, the same in every channel.
    TImage rendered(7, 1);
    const auto over = [](int t, int g, int c) { return uint8_t((t * c + g * (255 - c) + 127) / 255); };
    for (int k = 0; k < 7; ++k)
      rendered.View().At(k, 0) = {over(text.B, ground.B, coverages[k]), over(text.G, ground.G, coverages[k]),
                                  over(text.R, ground.R, coverages[k]), 255};
    const TTextStamp stamp = StampOfOneColour(rendered.View(), color);
    for (const TBgra under : {TBgra{0, 0, 0, 255}, TBgra{255, 255, 255, 255}, TBgra{30, 140, 250, 255}}) {
      TImage picture(7, 1, under);
      BlendStamp(stamp, {0, 0}, TRect::FromSize(0, 0, 7, 1), picture.View(), {0, 0});
      for (int k = 0; k < 7; ++k) {
        const TBgra got = picture.View().At(k, 0);
        EXPECT_NEAR(got.B, over(text.B, under.B, coverages[k]), 2) << std::hex << color << " pixel " << k;
        EXPECT_NEAR(got.G, over(text.G, under.G, coverages[k]), 2) << std::hex << color << " pixel " << k;
        EXPECT_NEAR(got.R, over(text.R, under.R, coverages[k]), 2) << std::hex << color << " pixel " << k;
      }
    }
    // Where nothing is drawn the stamp leaves the picture alone.
    EXPECT_EQ(stamp.OnBlack.View().At(0, 0), (TBgra{0, 0, 0, 255}));
    EXPECT_EQ(stamp.OnWhite.View().At(0, 0), (TBgra{255, 255, 255, 255}));
  }
}
