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
