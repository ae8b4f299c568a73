#include "engine/RectUnion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace qor;

TEST(RectUnion, CoversExactlyTheClippedUnionWithDisjointRectangles) {
  std::mt19937 random(11);
  const TRect clip{5, 3, 95, 90};
  for (int round = 0; round < 50; ++round) {
    std::vector<TRect> rects;
    for (int i = 0; i < 40; ++i) {
      const int32_t x = int32_t(random() % 120) - 10, y = int32_t(random() % 120) - 10;
      rects.push_back(TRect::FromSize(x, y, int32_t(random() % 30), int32_t(random() % 30)));
    }
    const std::vector<TRect> merged = UnionOfRects(rects, clip);
    for (const TRect& r : merged) EXPECT_FALSE(r.IsEmpty());
    for (int32_t y = -10; y < 140; ++y)
      for (int32_t x = -10; x < 140; ++x) {
        const auto holding = [&](const std::vector<TRect>& list) {
          return std::count_if(list.begin(), list.end(), [&](const TRect& r) { return r.Contains({x, y}); });
        };
        const int expected = clip.Contains({x, y}) && holding(rects) > 0 ? 1 : 0;
        ASSERT_EQ(holding(merged), expected) << "round " << round << " pixel " << x << "," << y;
      }
  }
}
