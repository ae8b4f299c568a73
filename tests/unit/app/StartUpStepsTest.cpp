#include <gtest/gtest.h>

#include "app/StartUpSteps.h"

using namespace qor;

TEST(StartUpSteps, EachStepRunsFromThePreviousMarkAndIsPlacedSinceTheOrigin) {
  TStartUpSteps steps(1'000'000);
  steps.Mark(u"process start", 1'085'250);
  steps.Mark(u"mutex", 1'085'300);
  steps.Mark(u"grab", 1'097'749);
  EXPECT_EQ(steps.Lines(),
            (std::vector<std::u16string>{u"[StartUp]process start 85.3 ms, at 85.3 ms",
                                         u"[StartUp]mutex 0.1 ms, at 85.3 ms", u"[StartUp]grab 12.4 ms, at 97.7 ms"}));
  steps.Clear();
  EXPECT_TRUE(steps.Empty());
  EXPECT_TRUE(steps.Lines().empty());
}

TEST(StartUpSteps, MillisecondsRoundToOneDecimalOnBothSidesOfZero) {
  EXPECT_EQ(MillisecondsText(0), u"0.0");
  EXPECT_EQ(MillisecondsText(49), u"0.0");
  EXPECT_EQ(MillisecondsText(50), u"0.1");
  EXPECT_EQ(MillisecondsText(12'449), u"12.4");
  EXPECT_EQ(MillisecondsText(1'999'960), u"2000.0");
  EXPECT_EQ(MillisecondsText(-50), u"-0.1");
  EXPECT_EQ(MillisecondsText(-49), u"0.0");
}
