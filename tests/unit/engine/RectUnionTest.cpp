#include "engine/RectUnion.h"

#include <gtest/gtest.h>

#include <random>

using namespace qor;

namespace {

// How many rectangles of rects hold each pixel of a w x h area.
std::vector<int> Counts(const std::vector<TRect>& rects, int32_t w, int32_t h) {
  std::vector<int> counts(size_t(w) * h);
  for (const TRect& r : rects)
    for (int32_t y = std::max(r.Top, 0); y < std::min(r.Bottom, h); ++y)
      for (int32_t x = std::max(r.Left, 0); x < std::min(r.Right, w); ++x) ++counts[size_t(y) * w + x];
  return counts;
}

}  // namespace

TEST(RectUnion, CoversExactlyTheClippedUnionWithDisjointRectangles) {
  std::mt19937 random(11);
  for (int round = 0; round < 50; ++round) {
    std::vector<TRect> rects;
    for (int i = 0; i < 40; ++i) {
      const int32_t x = int32_t(random() % 120) - 10, y = int32_t(random() % 120) - 10;
      rects.push_back(TRect::FromSize(x, y, int32_t(random() % 30), int32_t(random() % 30)));
    }
    const TRect clip{5, 3, 95, 90};
    const std::vector<TRect> merged = UnionOfRects(rects, clip);
    const std::vector<int> in = Counts(rects, 100, 100), out = Counts(merged, 100, 100);
    for (int32_t y = 0; y < 100; ++y)
      for (int32_t x = 0; x < 100; ++x) {
        const int expected = clip.Contains({x, y}) && in[size_t(y) * 100 + x] > 0 ? 1 : 0;
        ASSERT_EQ(out[size_t(y) * 100 + x], expected) << "round " << round << " pixel " << x << "," << y;
      }
    for (const TRect& r : merged) EXPECT_FALSE(r.IsEmpty());
  }
}
