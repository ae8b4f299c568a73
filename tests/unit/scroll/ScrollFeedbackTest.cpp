#include "scroll/ScrollFeedback.h"

#include <gtest/gtest.h>

namespace qor {
namespace {

using M = TScrollTipMode;
constexpr int Stitched = 0, Failed = 1, NoOutput = 2;

TScrollFeedback AfterSteps(int steps) {
  TScrollFeedback f;
  for (int i = 0; i < steps; ++i) f.StepAccepted();
  return f;
}

TEST(ScrollFeedback, FailuresCountUntilAFrameStitches) {
  TScrollFeedback f;
  f.FrameProcessed(Failed, false, true, M::Usage);
  f.FrameProcessed(NoOutput, false, true, M::Usage);
  EXPECT_EQ(f.Failures(), 2);
  f.FrameProcessed(Stitched, false, true, M::Usage);
  EXPECT_EQ(f.Failures(), 0);
}

TEST(ScrollFeedback, FailureTipComesAtExactlyTheSecondStep) {
  for (int steps : {0, 1, 3}) {
    TScrollFeedback f = AfterSteps(steps);
    const auto action = f.FrameProcessed(Failed, false, true, M::Usage);
    EXPECT_FALSE(action.ShowFailureTip || action.StartHideTimer) << steps;
  }
  TScrollFeedback f = AfterSteps(2);
  const auto action = f.FrameProcessed(NoOutput, false, true, M::Usage);
  EXPECT_TRUE(action.ShowFailureTip);
  EXPECT_TRUE(action.StartHideTimer);
  // An earlier failure that a later frame made good does not count.
  TScrollFeedback healed = AfterSteps(1);
  healed.FrameProcessed(Failed, false, true, M::Usage);
  healed.StepAccepted();
  EXPECT_FALSE(healed.FrameProcessed(Stitched, false, true, M::Usage).ShowFailureTip);
}

TEST(ScrollFeedback, AHiddenFailureTipComesBackOnlyUntilItsTimerRanOut) {
  TScrollFeedback f = AfterSteps(2);
  f.FrameProcessed(Failed, false, true, M::Usage);
  f.StepAccepted();  // the step hid the tip
  auto action = f.FrameProcessed(Failed, false, true, M::Failure);
  EXPECT_TRUE(action.ShowFailureTip);
  EXPECT_FALSE(action.StartHideTimer);
  // Not while it shows, not without the toolbar, not in the usage mode.
  EXPECT_FALSE(f.FrameProcessed(Failed, true, true, M::Failure).ShowFailureTip);
  EXPECT_FALSE(f.FrameProcessed(Failed, false, false, M::Failure).ShowFailureTip);
  EXPECT_FALSE(f.FrameProcessed(Failed, false, true, M::Usage).ShowFailureTip);
  // A stitched frame ends it.
  EXPECT_FALSE(f.FrameProcessed(Stitched, false, true, M::Failure).ShowFailureTip);
  EXPECT_TRUE(f.FrameProcessed(Failed, false, true, M::Failure).ShowFailureTip);
  // Once the timer fired, failures stay quiet.
  f.HideTimerFired();
  EXPECT_TRUE(f.HideTipFlag());
  EXPECT_FALSE(f.FrameProcessed(Failed, false, true, M::Failure).ShowFailureTip);
  EXPECT_EQ(f.Steps(), 3);
}

}  // namespace
}  // namespace qor
