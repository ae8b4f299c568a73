#include <gtest/gtest.h>

#include "CommonLib/RdControl/win/RdTimer.h"
#include "tests/unit/CommonLib/RdControl/win/PanelFixture.h"

namespace qor {
namespace {

using testing::PumpFor;
using testing::PumpUntil;

class RdTimerTest : public ::testing::Test {
 protected:
  testing::TParentForm Owner;
  void SetUp() override { ASSERT_TRUE(Owner.Create(10, 10)); }
};

TEST_F(RdTimerTest, TicksUntilDisabledByItsHandler) {
  TRdTimer timer(Owner);
  timer.SetInterval(5);
  int ticks = 0;
  timer.SetOnTimer([&](TRdTimer& sender) {
    EXPECT_EQ(&sender, &timer);
    if (++ticks == 3) sender.SetEnabled(false);
  });
  EXPECT_TRUE(timer.Running());
  ASSERT_TRUE(PumpUntil([&] { return ticks >= 3; }, 3000));
  EXPECT_EQ(ticks, 3);
  EXPECT_FALSE(timer.Running());
  PumpFor(60);
  EXPECT_EQ(ticks, 3);
}

TEST_F(RdTimerTest, RunsOnlyWhenEnabledWithIntervalAndHandlerAndANewPeriodRestartsIt) {
  TRdTimer timer(Owner);
  EXPECT_TRUE(timer.Enabled());
  EXPECT_EQ(timer.Interval(), 1000u);
  EXPECT_FALSE(timer.Running());  // no handler yet
  int ticks = 0;
  timer.SetOnTimer([&](TRdTimer&) { ++ticks; });
  EXPECT_TRUE(timer.Running());
  PumpFor(50);
  EXPECT_EQ(ticks, 0);   // 1000 ms default
  timer.SetInterval(5);  // a new period restarts it
  ASSERT_TRUE(PumpUntil([&] { return ticks >= 2; }, 3000));
  timer.SetInterval(0);  // interval 0 stops it
  EXPECT_FALSE(timer.Running());
  timer.SetInterval(2000);
  EXPECT_TRUE(timer.Running());
  timer.SetEnabled(false);
  EXPECT_FALSE(timer.Running());
  timer.SetOnTimer(nullptr);
  timer.SetEnabled(true);
  EXPECT_FALSE(timer.Running());
}

TEST_F(RdTimerTest, TwoTimersOfOneFormTickApartAndDestroyingOneStopsIt) {
  int a = 0, b = 0;
  TRdTimer first(Owner);
  first.SetInterval(5);
  first.SetOnTimer([&](TRdTimer&) { ++a; });
  {
    TRdTimer second(Owner);
    second.SetInterval(5);
    second.SetOnTimer([&](TRdTimer&) { ++b; });
    ASSERT_TRUE(PumpUntil([&] { return a >= 2 && b >= 2; }, 3000));
  }
  const int bAfter = b;
  ASSERT_TRUE(PumpUntil([&] { return a >= bAfter + 5; }, 3000));
  EXPECT_EQ(b, bAfter);
}

TEST_F(RdTimerTest, OwnerWithoutWindowStartsAfterRestart) {
  testing::TParentForm later;
  TRdTimer timer(later);
  int ticks = 0;
  timer.SetInterval(5);
  timer.SetOnTimer([&](TRdTimer&) { ++ticks; });
  EXPECT_FALSE(timer.Running());
  ASSERT_TRUE(later.Create(10, 10));
  timer.Restart();
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 1; }, 3000));
}

}  // namespace
}  // namespace qor
