#include "app/CrashReport.h"

#include <gtest/gtest.h>

using namespace qor;

TEST(CrashReport, FilteredMessagesAreRecognisedAnywhereInTheText) {
  EXPECT_TRUE(IsIgnoredError(u"No context-sensitive help installed"));
  EXPECT_TRUE(IsIgnoredError(u"Error: Privileged instruction at 0x1234"));
  EXPECT_TRUE(IsIgnoredError(u"External exception C0000005"));
}

TEST(CrashReport, OtherMessagesAreReported) {
  EXPECT_FALSE(IsIgnoredError(u"/testbugreport"));
  EXPECT_FALSE(IsIgnoredError(u"External exception"));      // the filter text ends with a blank
  EXPECT_FALSE(IsIgnoredError(u"privileged instruction"));  // case matters
  EXPECT_FALSE(IsIgnoredError(u""));
}

TEST(CrashReport, LineNamesVersionAndMessage) {
  EXPECT_EQ(CrashReportLine(u"4.0.0.0", u"/testbugreport"), u"[CrashReport]version 4.0.0.0 error: /testbugreport");
}
