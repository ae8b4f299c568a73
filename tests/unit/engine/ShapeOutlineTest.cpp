#include "engine/ShapeOutline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace qor;

namespace {

const TRect Surface{0, 0, 3840, 2160};

TCoverage Fill(const std::vector<TPolygon>& polygons) {
  TCoverage coverage;
  FillPolygons(polygons, Surface, coverage);
  return coverage;
}

// Total coverage in pixels.
double Area(const TCoverage& coverage) {
  double total = 0;
  coverage.ForEachRun(coverage.Bounds(), [&](int32_t, int32_t, const uint8_t* alphas, int32_t count) {
    for (int32_t i = 0; i < count; ++i) total += alphas[i];
  });
  return total / 255;
}

bool Inside(const TRect& r, const TRect& outer) { return r.Intersect(outer) == r; }

}  // namespace

TEST(ShapeOutline, RectangleBorderIsCrispFromDraggedPixelToDraggedPixelAndLeavesTheInsideUntouched) {
  for (int32_t width : {1, 4, 8}) {
    const TRect box = DragBox({60, 45}, {10, 20});
    const TCoverage coverage = Fill(RectangleBorder(box, width));
    EXPECT_EQ(coverage.At({10, 20}), 255);
    EXPECT_EQ(coverage.At({60, 45}), 255);
    for (int32_t y = 15; y < 50; ++y)
      for (int32_t x = 5; x < 65; ++x) {
        const bool onBorder = box.Contains({x, y}) && !box.Inflate(-width, -width).Contains({x, y});
        ASSERT_EQ(coverage.At({x, y}), onBorder ? 255 : 0) << "width " << width << " pixel " << x << "," << y;
      }
  }
  // A border that meets itself fills the box.
  EXPECT_EQ(Area(Fill(RectangleBorder({0, 0, 10, 30}, 5))), 300);
  EXPECT_TRUE(RectangleBorder({0, 0, 10, 30}, 0).empty());
}

TEST(ShapeOutline, EllipseFillCoversItsAreaSymmetricallyInsideItsBox) {
  for (const TRect box : {TRect{3, 4, 14, 11}, TRect{10, 10, 211, 90}, TRect{0, 0, 3840, 2160}}) {
    const TCoverage coverage = Fill(EllipseFill(box));
    const double exact = std::numbers::pi * box.Width() * box.Height() / 4;
    EXPECT_NEAR(Area(coverage), exact, exact * 0.005) << box.Width() << "x" << box.Height();
    EXPECT_TRUE(Inside(coverage.Bounds(), box));
    if (box.Width() > 1000) continue;
    for (int32_t y = box.Top; y < box.Bottom; ++y)
      for (int32_t x = box.Left; x < box.Right; ++x) {
        const int32_t mirrorX = box.Left + box.Right - 1 - x, mirrorY = box.Top + box.Bottom - 1 - y;
        ASSERT_NEAR(coverage.At({x, y}), coverage.At({mirrorX, y}), 1) << x << "," << y;
        ASSERT_NEAR(coverage.At({x, y}), coverage.At({x, mirrorY}), 1) << x << "," << y;
      }
  }
}

TEST(ShapeOutline, EllipseBorderIsARingOfTheGivenWidthTouchingItsBox) {
  for (const int32_t width : {1, 2, 8, 20}) {
    const TRect box{100, 50, 501, 300};
    const TCoverage coverage = Fill(EllipseBorder(box, width));
    const double a = box.Width() / 2.0, b = box.Height() / 2.0;
    // A ring of constant width w around an ellipse's centre line has the centre line's length times w as area.
    const double ca = a - width / 2.0, cb = b - width / 2.0, h = std::pow((ca - cb) / (ca + cb), 2);
    const double centreLine = std::numbers::pi * (ca + cb) * (1 + 3 * h / (10 + std::sqrt(4 - 3 * h)));
    EXPECT_NEAR(Area(coverage), centreLine * width, centreLine * width * 0.005) << "width " << width;
    EXPECT_EQ(coverage.Bounds(), box) << "width " << width;
    EXPECT_EQ(coverage.At({300, 175}), 0);
    EXPECT_EQ(coverage.At({300, 50 + width / 2}), 255);
    for (int32_t y = box.Top; y < box.Bottom; ++y)
      for (int32_t x = box.Left; x < box.Right; ++x) {
        ASSERT_NEAR(coverage.At({x, y}), coverage.At({box.Left + box.Right - 1 - x, y}), 1) << x << "," << y;
        ASSERT_NEAR(coverage.At({x, y}), coverage.At({x, box.Top + box.Bottom - 1 - y}), 1) << x << "," << y;
      }
  }
  // A border as wide as the half axis fills the ellipse.
  const TRect small{0, 0, 30, 16};
  EXPECT_NEAR(Area(Fill(EllipseBorder(small, 8))), Area(Fill(EllipseFill(small))), 0.01);
}

TEST(ShapeOutline, A4kEllipseBorderTouchesTilesOnlyAlongTheRing) {
  const TCoverage coverage = Fill(EllipseBorder(DragBox({0, 0}, {3839, 2159}), 8));
  int64_t tiled = 0;
  for (const TRect& r : coverage.TileRects()) tiled += int64_t(r.Width()) * r.Height();
  EXPECT_LT(tiled, int64_t(Surface.Width()) * Surface.Height() / 10);
  EXPECT_EQ(coverage.Bounds(), Surface);
}

TEST(ShapeOutline, ArrowHasAHeadAndAShaftWideningFromItsTailByItsSize) {
  struct TExpected {
    double HeadLength, HeadWidth, NeckWidth;
  };
  const TExpected sizes[] = {{12, 12, 3}, {18, 18, 5}, {26, 26, 8}};
  for (int32_t index = 0; index < 3; ++index) {
    const TCoverage coverage = Fill({ArrowOutline({100.5, 300.5}, {400.5, 300.5}, index)});
    const auto columnWidth = [&](int32_t x) {
      double sum = 0;
      for (int32_t y = 250; y < 350; ++y) sum += coverage.At({x, y});
      return sum / 255;
    };
    const TExpected& e = sizes[index];
    EXPECT_TRUE(Inside(coverage.Bounds(), {100, 250, 401, 350})) << index;
    EXPECT_NEAR(columnWidth(101), 1, 0.1) << index;
    // The head's back corners sweep towards the tail by up to a sixth of its length.
    const int32_t headBack = int32_t(400.5 - e.HeadLength * 7 / 6) - 1;
    EXPECT_NEAR(columnWidth(headBack), e.NeckWidth, 0.5) << index;
    double widest = 0;
    for (int32_t x = headBack; x < 401; ++x) widest = std::max(widest, columnWidth(x));
    EXPECT_GE(widest, e.HeadWidth * 0.8) << index;  // its corners are sharp
    EXPECT_LE(widest, e.HeadWidth) << index;
    for (int32_t x = 102; x < headBack; ++x) EXPECT_LE(columnWidth(x), columnWidth(x + 1) + 0.01) << index << " " << x;
  }
  // Shorter than its head: a head scaled to the arrow's length.
  const TCoverage tiny = Fill({ArrowOutline({10, 10}, {10, 16}, 2)});
  EXPECT_NEAR(Area(tiny), 6.0 * 6.0 / 2, 0.1);
  EXPECT_TRUE(ArrowOutline({5, 5}, {5, 5}, 1).empty());
}
