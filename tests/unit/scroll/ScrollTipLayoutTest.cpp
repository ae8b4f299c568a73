#include "scroll/ScrollTipLayout.h"

#include <gtest/gtest.h>

namespace qor {
namespace {

TEST(ScrollTipLayout, HeightFollowsTheWrappedTextWithScaledMargins) {
  EXPECT_EQ(ScrollTipLabelMaxWidth(TScale{1.0}), 350);
  const TScrollTipLayout one = LayoutScrollTip(TScale{1.0}, 19);
  EXPECT_EQ(one.Client, (TSize{380, 49}));
  EXPECT_EQ(one.Label, TRect::FromSize(15, 15, 350, 19));

  // Two lines in the scaled layout: every number doubles, the measured height comes in as it is.
  EXPECT_EQ(ScrollTipLabelMaxWidth(TScale{2.0}), 700);
  const TScrollTipLayout two = LayoutScrollTip(TScale{2.0}, 76);
  EXPECT_EQ(two.Client, (TSize{760, 136}));
  EXPECT_EQ(two.Label, TRect::FromSize(30, 30, 700, 76));
  // The label ends as far from the bottom as it starts from the top.
  EXPECT_EQ(two.Client.Height - two.Label.Bottom, two.Label.Top);
}

TEST(ScrollTipLayout, CentredOnTheRegionAlsoLeftOfThePrimaryScreen) {
  EXPECT_EQ(PlaceScrollTip({380, 49}, {100, 100, 900, 700}), TRect::FromSize(310, 375, 380, 49));
  EXPECT_EQ(PlaceScrollTip({380, 49}, {-1919, 1, -1, 1079}), TRect::FromSize(-1150, 515, 380, 49));
}

}  // namespace
}  // namespace qor
