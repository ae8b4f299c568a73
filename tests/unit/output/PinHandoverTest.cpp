// The rectangle Pin hands to the pin program, in virtual-desktop pixels.
#include "output/PinHandover.h"

#include <gtest/gtest.h>

using namespace qor;

TEST(PinHandover, KeysAreTheSelectionOnTheVirtualDesktopInWritingOrder) {
  // A desktop whose left monitor lies left of the primary one: the overlay's client origin is (-1920, 0).
  const auto keys = PinPlacementKeys({-1920, 0}, TRect::FromSize(100, 50, 300, 200));
  const std::u16string_view names[] = {u"Left", u"Right", u"Top", u"Bottom"};
  const std::u16string values[] = {u"-1820", u"-1520", u"50", u"250"};
  for (size_t i = 0; i < keys.size(); ++i) {
    EXPECT_EQ(keys[i].Key, names[i]);
    EXPECT_EQ(keys[i].Value, values[i]) << i;
  }
  // A desktop above the primary monitor, and a selection of one pixel: right and bottom stay exclusive.
  const auto above = PinPlacementKeys({0, -1080}, TRect::FromSize(0, 0, 1, 1));
  EXPECT_EQ(above[0].Value, u"0");
  EXPECT_EQ(above[1].Value, u"1");
  EXPECT_EQ(above[2].Value, u"-1080");
  EXPECT_EQ(above[3].Value, u"-1079");
}
