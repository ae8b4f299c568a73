#include "scroll/WheelThrottle.h"

#include <gtest/gtest.h>

#include <vector>

namespace qor {
namespace {

// Which of the notches at these ticks became steps.
std::vector<bool> Steps(TWheelThrottle& throttle, std::initializer_list<uint32_t> ticks) {
  std::vector<bool> steps;
  for (uint32_t tick : ticks) steps.push_back(throttle.Accept(tick));
  return steps;
}

TEST(WheelThrottle, FourQuickNotchesMakeOneStepAndAFifthWithin301MsNone) {
  TWheelThrottle throttle(0);
  EXPECT_EQ(Steps(throttle, {1000, 1010, 1020, 1030}), (std::vector<bool>{false, false, false, true}));
  // The count starts again after the step: three more are swallowed however late they come.
  EXPECT_EQ(Steps(throttle, {1100, 5000, 6000}), (std::vector<bool>{false, false, false}));
  // The fourth waits for 301 ms since the accepted step: 1030 + 300 is too early, + 301 passes.
  TWheelThrottle timed(0);
  Steps(timed, {1000, 1010, 1020, 1030});
  EXPECT_EQ(Steps(timed, {1040, 1050, 1060, 1330, 1331}), (std::vector<bool>{false, false, false, false, true}));
}

TEST(WheelThrottle, CreationCountsAsTheLastStep) {
  TWheelThrottle throttle(10'000);
  // Four notches within 301 ms of the run's start make no step; the next one after the interval does.
  EXPECT_EQ(Steps(throttle, {10'050, 10'100, 10'150, 10'200, 10'300, 10'301}),
            (std::vector<bool>{false, false, false, false, false, true}));
}

TEST(WheelThrottle, MeasuresTheIntervalAcrossTheTickCountWrap) {
  // The last step 16 ms before the wrap: its tick + 301 overflows, yet the next notches are still too early.
  TWheelThrottle beforeWrap(0xFFFF'FF00u);
  EXPECT_EQ(Steps(beforeWrap, {0xFFFF'FF04u, 0xFFFF'FF08u, 0xFFFF'FF0Cu, 0xFFFF'FF10u}),
            (std::vector<bool>{false, false, false, false}));
  // 0xFFFF'FF00 + 300 and + 301 lie past the wrap.
  EXPECT_FALSE(beforeWrap.Accept(0x0000'002Cu));
  EXPECT_TRUE(beforeWrap.Accept(0x0000'002Du));
  // And a step after the wrap is measured from its own tick.
  EXPECT_EQ(Steps(beforeWrap, {0x30, 0x31, 0x32, 0x2D + 300, 0x2D + 301}),
            (std::vector<bool>{false, false, false, false, true}));
}

}  // namespace
}  // namespace qor
