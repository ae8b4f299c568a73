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

TEST(ShapeOutline, EllipseFillAndBorderCoverTheirAreaSymmetricallyInsideTheirBox) {
  // The border's width (0 for the fill) and box, and the exact area.
  std::vector<std::tuple<int32_t, TRect, double>> cases;
  for (const TRect box : {TRect{3, 4, 14, 11}, TRect{10, 10, 211, 90}, TRect{0, 0, 3840, 2160}})
    cases.push_back({0, box, std::numbers::pi * box.Width() * box.Height() / 4});
  for (const int32_t width : {1, 2, 8, 20}) {
    // A ring of constant width around an ellipse's centre line has the centre line's length times the width as area.
    const double a = 200.5 - width / 2.0, b = 125 - width / 2.0, h = std::pow((a - b) / (a + b), 2);
    const double centreLine = std::numbers::pi * (a + b) * (1 + 3 * h / (10 + std::sqrt(4 - 3 * h)));
    cases.push_back({width, TRect{100, 50, 501, 300}, centreLine * width});
  }
  for (const auto& [width, box, exact] : cases) {
    const TCoverage coverage = Fill(width ? EllipseBorder(box, width) : EllipseFill(box));
    EXPECT_NEAR(Area(coverage), exact, exact * 0.005) << "width " << width << " box " << box.Width();
    EXPECT_EQ(coverage.Bounds(), box) << "width " << width << " box " << box.Width();
    if (box.Width() > 1000) continue;
    for (int32_t y = box.Top; y < box.Bottom; ++y)
      for (int32_t x = box.Left; x < box.Right; ++x) {
        const int32_t mirrorX = box.Left + box.Right - 1 - x, mirrorY = box.Top + box.Bottom - 1 - y;
        ASSERT_NEAR(coverage.At({x, y}), coverage.At({mirrorX, y}), 1) << width << ": " << x << "," << y;
        ASSERT_NEAR(coverage.At({x, y}), coverage.At({x, mirrorY}), 1) << width << ": " << x << "," << y;
      }
  }
  // A border as wide as the half axis fills the ellipse.
  const TRect small{0, 0, 30, 16};
  EXPECT_NEAR(Area(Fill(EllipseBorder(small, 8))), Area(Fill(EllipseFill(small))), 0.01);
}

TEST(ShapeOutline, ArrowShaftWidensFromItsTailToAHeadThatGrowsWithItsSize) {
  double previousHead = 0;
  for (int32_t index = 0; index < 3; ++index) {
    const TCoverage coverage = Fill({ArrowOutline({100.5, 300.5}, {400.5, 300.5}, index)});
    const auto columnWidth = [&](int32_t x) {
      double sum = 0;
      for (int32_t y = 250; y < 350; ++y) sum += coverage.At({x, y});
      return sum / 255;
    };
    EXPECT_EQ(coverage.Bounds().Intersect({100, 250, 401, 350}), coverage.Bounds()) << index;
    EXPECT_NEAR(columnWidth(101), 1, 0.1) << index;
    // Up to the widest column (the head's back corners) it only widens; then the head narrows to its tip.
    int32_t widest = 101;
    for (int32_t x = 101; x < 401; ++x)
      if (columnWidth(x) > columnWidth(widest)) widest = x;
    for (int32_t x = 101; x < widest; ++x) ASSERT_LE(columnWidth(x), columnWidth(x + 1) + 0.01) << index << " " << x;
    for (int32_t x = widest; x < 400; ++x) ASSERT_GE(columnWidth(x), columnWidth(x + 1) - 0.01) << index << " " << x;
    EXPECT_GT(400 - widest, columnWidth(widest) / 2) << index;  // a head, not a blunt end
    EXPECT_GT(columnWidth(widest), previousHead + 2) << index;
    previousHead = columnWidth(widest);
  }
  // Shorter than its head: a head scaled to the arrow's length.
  EXPECT_NEAR(Area(Fill({ArrowOutline({10, 10}, {10, 16}, 2)})), 6.0 * 6.0 / 2, 0.1);
  EXPECT_TRUE(ArrowOutline({5, 5}, {5, 5}, 1).empty());
}
