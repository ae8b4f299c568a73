#include <gtest/gtest.h>

#include "output/SaveNaming.h"

namespace qor {
namespace {

TEST(ScreenShotFileName, IsThePrefixAndFourteenZeroPaddedDigitsWithoutMilliseconds) {
  EXPECT_EQ(ScreenShotFileName({2024, 1, 31, 23, 59, 59, 999}), u"ScreenShot_20240131235959");
  EXPECT_EQ(ScreenShotFileName({2025, 3, 4, 5, 6, 7, 0}), u"ScreenShot_20250304050607");
  EXPECT_EQ(ScreenShotFileName({987, 1, 1, 0, 0, 0, 0}), u"ScreenShot_09870101000000");
}

TEST(ScreenShotFileName, KeepsFourteenDigitsForImpossibleTimes) {
  for (const TLocalTime& t : {TLocalTime{12345, 1, 1, 0, 0, 0, 0}, TLocalTime{-5, -1, 100, -7, 0, 0, 0}}) {
    const std::u16string name = ScreenShotFileName(t);
    ASSERT_EQ(name.size(), 11u + 14u);
    for (size_t i = 11; i < name.size(); ++i) EXPECT_TRUE(name[i] >= u'0' && name[i] <= u'9');
  }
}

}  // namespace
}  // namespace qor
