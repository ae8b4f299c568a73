#include "app/CommandLine.h"

#include <gtest/gtest.h>

using namespace qor;

TEST(CommandLine, EachCaptureSwitchSelectsItsModeWhateverTheCaseAndAnythingElseNone) {
  EXPECT_EQ(CaptureModeFromSwitch(u"/CaptrueAuto"), TCaptureMode::Region);
  EXPECT_EQ(CaptureModeFromSwitch(u"/captrueauto"), TCaptureMode::Region);
  EXPECT_EQ(CaptureModeFromSwitch(u"/CAPTRUEFULLSCREEN"), TCaptureMode::FullScreen);
  EXPECT_EQ(CaptureModeFromSwitch(u"/CaptrueWins"), TCaptureMode::Window);
  EXPECT_EQ(CaptureModeFromSwitch(u"/captrueScroll"), TCaptureMode::Scrolling);
  for (const char16_t* text : {u"", u"/", u"/CaptureAuto", u"/CaptrueAuto ", u" /CaptrueAuto", u"CaptrueAuto",
                               u"/CaptrueAutoX", u"/Scale", u"/testbugreport", u"/CaptrueFull"})
    EXPECT_FALSE(CaptureModeFromSwitch(text).has_value()) << std::u16string(text).size();
}

TEST(CommandLine, ScaleAndBugReportSwitchesIgnoreAsciiCaseButNothingElse) {
  EXPECT_TRUE(IsScaleSwitch(u"/scale"));
  EXPECT_TRUE(IsScaleSwitch(u"/SCALE"));
  EXPECT_FALSE(IsScaleSwitch(u"/Scale2"));
  EXPECT_FALSE(IsScaleSwitch(u"Scale"));
  EXPECT_TRUE(IsTestBugReportSwitch(u"/TestBugReport"));
  EXPECT_FALSE(IsTestBugReportSwitch(u"/testbug"));
  // Only A-Z fold: letters outside ASCII never match an ASCII switch letter.
  EXPECT_FALSE(EqualsIgnoringAsciiCase(u"/\u0130", u"/i"));
  EXPECT_TRUE(EqualsIgnoringAsciiCase(u"[Az]", u"[aZ]"));
  EXPECT_FALSE(EqualsIgnoringAsciiCase(u"@", u"`"));  // neighbours of the letter ranges do not fold
}
