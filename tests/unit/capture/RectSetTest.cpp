#include <gtest/gtest.h>

#include <random>

#include "capture/RectSet.h"

using namespace qor;

namespace {

// Brute-force pixel count of the union, for comparison.
int64_t CountPixels(const std::vector<TRect>& rects, const TRect& bounds) {
  int64_t n = 0;
  for (int32_t y = bounds.Top; y < bounds.Bottom; ++y)
    for (int32_t x = bounds.Left; x < bounds.Right; ++x)
      for (const TRect& r : rects)
        if (r.Contains({x, y})) {
          ++n;
          break;
        }
  return n;
}

}  // namespace

TEST(RectSet, SubtractingACoverLeavesNothing) {
  TRectSet set(TRect{10, 10, 50, 50});
  set.Subtract({0, 0, 30, 60});
  EXPECT_EQ(set.Area(), 20 * 40);
  set.Subtract({30, 0, 60, 60});
  EXPECT_TRUE(set.IsEmpty());
}

TEST(RectSet, SubtractingAHoleKeepsTheRing) {
  TRectSet set(TRect{0, 0, 10, 10});
  set.Subtract({3, 3, 7, 7});
  EXPECT_EQ(set.Area(), 100 - 16);
  EXPECT_FALSE(set.Contains({5, 5}));
  EXPECT_TRUE(set.Contains({0, 9}));
  for (const TRect& r : set.Rects()) EXPECT_FALSE(r.IsEmpty());
}

TEST(RectSet, EmptyRectanglesChangeNothing) {
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
    std::vector<TRect> rects;
    for (int i = 0; i < 6; ++i) {
      const int32_t a = coordinate(random), b = coordinate(random), c = coordinate(random), d = coordinate(random);
      rects.push_back({a, b, c, d});  // some are empty (reversed corners), on purpose
    }
    EXPECT_EQ(UnionArea(rects), CountPixels(rects, {-5, -5, 40, 40})) << "round " << round;
  }
}

TEST(RectSet, SymmetricDifferenceOfAShiftIsTwoStrips) {
  const TRectSet diff = SymmetricDifference({0, 0, 100, 50}, {10, 0, 110, 50});
  EXPECT_EQ(diff.Area(), 2 * 10 * 50);
  EXPECT_TRUE(SymmetricDifference({0, 0, 10, 10}, {0, 0, 10, 10}).IsEmpty());
}
