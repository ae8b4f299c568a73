#include "CommonLib/RdControl/RdgPlayScript.h"

#include <gtest/gtest.h>

#include <string>

namespace qor {
namespace {

using TSteps = std::vector<TRdgFrameStep>;

TEST(RdgPlayScript, FramesRangesTimesAndRepeats) {
  EXPECT_EQ(ParseRdgPlayScript(u"<0-2 d=40>", 100), (TSteps{{0, 100}, {1, 100}, {2, 100}}));  // d= is for later ones
  EXPECT_EQ(ParseRdgPlayScript(u"<d=40 0-2>", 100), (TSteps{{0, 40}, {1, 40}, {2, 40}}));
  EXPECT_EQ(ParseRdgPlayScript(u"<5,d=7,3-1>*2 <9>", 20),
            (TSteps{{5, 20}, {3, 7}, {2, 7}, {1, 7}, {5, 20}, {3, 7}, {2, 7}, {1, 7}, {9, 20}}));
  // A time does not carry over into the next segment.
  EXPECT_EQ(ParseRdgPlayScript(u"<d=5 1><2>", 60), (TSteps{{1, 5}, {2, 60}}));
}

TEST(RdgPlayScript, MalformedScriptsGiveWhatIsReadableAndNeverFail) {
  EXPECT_TRUE(ParseRdgPlayScript(u"", 10).empty());
  EXPECT_TRUE(ParseRdgPlayScript(u"0-3 d=4", 10).empty());   // outside any segment
  EXPECT_TRUE(ParseRdgPlayScript(u"<0-3 d=4", 10).empty());  // unclosed
  EXPECT_TRUE(ParseRdgPlayScript(u"<x -1 1- d= d=x>*3", 10).empty());
  EXPECT_EQ(ParseRdgPlayScript(u"<1<2>", 10), (TSteps{{2, 10}}));               // the broken start is dropped
  EXPECT_EQ(ParseRdgPlayScript(u"<1>*x<2>*", 10), (TSteps{{1, 10}, {2, 10}}));  // no count: once
  EXPECT_TRUE(ParseRdgPlayScript(u"<1>*0", 10).empty());
  // Numbers beyond 32 bits are dropped, large frames and times clamped, a negative default time is 0.
  EXPECT_EQ(ParseRdgPlayScript(u"<99999999999 70000-70001 d=99999999 3>", -4),
            (TSteps{{RdgMaxFrame, 0}, {3, RdgMaxFrameTime}}));
}

TEST(RdgPlayScript, HugeRangesAndRepeatsStopAtTheStepLimit) {
  EXPECT_EQ(ParseRdgPlayScript(u"<0-65535>", 1).size(), RdgMaxSteps);
  EXPECT_EQ(ParseRdgPlayScript(u"<0 1 2>*2000000000<3>", 1).size(), RdgMaxSteps);
  const TSteps steps = ParseRdgPlayScript(u"<7>*9999<8>*5", 1);
  ASSERT_EQ(steps.size(), RdgMaxSteps);
  EXPECT_EQ(steps.back(), (TRdgFrameStep{8, 1}));  // the last segment gets the room left
}

}  // namespace
}  // namespace qor
