#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "capture/RectSet.h"

using namespace qor;

TEST(RectSet, SubtractingLeavesTheRestAsNonEmptyRectanglesAndEmptyRectanglesChangeNothing) {
  TRectSet ring(TRect{0, 0, 10, 10});
  ring.Subtract({3, 3, 7, 7});
  EXPECT_EQ(ring.Area(), 100 - 16);
  EXPECT_FALSE(ring.Contains({5, 5}));
  EXPECT_TRUE(ring.Contains({0, 9}));
  for (const TRect& r : ring.Rects()) EXPECT_FALSE(r.IsEmpty());

  TRectSet covered(TRect{10, 10, 50, 50});
  covered.Subtract({0, 0, 30, 60});
  EXPECT_EQ(covered.Area(), 20 * 40);
  covered.Subtract({30, 0, 60, 60});
  EXPECT_TRUE(covered.IsEmpty());

  TRectSet set;
  set.Add({5, 5, 5, 9});
  set.Add({5, 5, 2, 9});
  EXPECT_TRUE(set.IsEmpty());
  set.Add({0, 0, 4, 4});
  set.Subtract({2, 2, 2, 2});
  EXPECT_EQ(set.Area(), 16);
}

TEST(RectSet, UnionAreaMatchesAPixelCountOnRandomRectangles) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int32_t> coordinate(-5, 40);
  for (int round = 0; round < 50; ++round) {
    std::vector<TRect> rects;  // some are empty (reversed corners), on purpose
    for (int i = 0; i < 6; ++i)
      rects.push_back({coordinate(random), coordinate(random), coordinate(random), coordinate(random)});
    int64_t pixels = 0;
    for (int32_t y = -5; y < 40; ++y)
      for (int32_t x = -5; x < 40; ++x)
        pixels += std::any_of(rects.begin(), rects.end(), [&](const TRect& r) { return r.Contains({x, y}); });
    EXPECT_EQ(UnionArea(rects), pixels) << "round " << round;
  }
}

TEST(RectSet, SymmetricDifferenceOfAShiftIsTwoStrips) {
  EXPECT_EQ(SymmetricDifference({0, 0, 100, 50}, {10, 0, 110, 50}).Area(), 2 * 10 * 50);
  EXPECT_TRUE(SymmetricDifference({0, 0, 10, 10}, {0, 0, 10, 10}).IsEmpty());
}
