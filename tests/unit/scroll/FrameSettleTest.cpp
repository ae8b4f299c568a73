#include "scroll/FrameSettle.h"

#include <gtest/gtest.h>

namespace qor {
namespace {

TEST(FrameSettleTest, WaitsForTheChangeAndOneConfirmingGrab) {
  TFrameSettle settle(1000);
  EXPECT_FALSE(settle.Ready(true, false, 1000));  // the page has not moved yet
  EXPECT_FALSE(settle.Ready(true, true, 1015));
  EXPECT_FALSE(settle.Ready(false, false, 1030));  // moved: maybe still painting
  EXPECT_FALSE(settle.Ready(false, false, 1045));  // still changing
  EXPECT_TRUE(settle.Ready(false, true, 1060));    // the same twice
}

TEST(FrameSettleTest, AFirstGrabThatAlreadyMovedIsConfirmedOnce) {
  TFrameSettle settle(0);
  // The first grab has nothing before it to agree with, whatever the flag says.
  EXPECT_FALSE(settle.Ready(false, true, 0));
  EXPECT_TRUE(settle.Ready(false, true, 15));
}

TEST(FrameSettleTest, GivesUpAtTheLimitWhenNothingMovesOrNothingSettles) {
  TFrameSettle still(100, 250);
  EXPECT_FALSE(still.Ready(true, true, 349));
  EXPECT_TRUE(still.Ready(true, true, 350));  // a page at its end
  TFrameSettle animated(0xFFFFFF00u, 250);    // across the tick counter's wrap
  EXPECT_FALSE(animated.Ready(false, false, 0xFFFFFF00u + 100));
  EXPECT_TRUE(animated.Ready(false, false, 0xFFFFFF00u + 250));
}

TEST(FrameSettleTest, ReturningToThePictureBeforeTheStepStillCountsAsSettled) {
  // Scrolled away and back within the wait (an up and a down notch passed on together): the page is what it shows.
  TFrameSettle settle(0);
  EXPECT_FALSE(settle.Ready(false, false, 0));
  EXPECT_FALSE(settle.Ready(true, false, 15));
  EXPECT_TRUE(settle.Ready(true, true, 30));
}

}  // namespace
}  // namespace qor
