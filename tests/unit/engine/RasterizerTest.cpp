#include "engine/Rasterizer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <random>

using namespace qor;

namespace {

const TRect Area{0, 0, 64, 48};
const TRect Inner{9, 5, 47, 38};  // a clip that cuts what is drawn

TCoverage Fill(const std::vector<TPolygon>& polygons, const TRect& clip = Area) {
  TCoverage coverage;
  FillPolygons(polygons, clip, coverage);
  return coverage;
}

TCoverage Stroke(const std::vector<TPointF>& points, double width, const TRect& clip = Area) {
  TCoverage coverage;
  StrokePolyline(points, width, clip, coverage);
  return coverage;
}

TPolygon Square(double left, double top, double size) {
  return {{left, top}, {left + size, top}, {left + size, top + size}, {left, top + size}};
}

TPolygon Reversed(TPolygon p) {
  std::reverse(p.begin(), p.end());
  return p;
}

// The area of a convex polygon inside pixel (x, y): the polygon cut by the pixel's four sides, then measured.
double AreaInPixel(TPolygon polygon, int32_t x, int32_t y) {
  const std::function<double(TPointF)> insideBy[] = {
      [&](TPointF p) { return p.X - x; }, [&](TPointF p) { return x + 1 - p.X; }, [&](TPointF p) { return p.Y - y; },
      [&](TPointF p) { return y + 1 - p.Y; }};
  for (const auto& d : insideBy) {
    TPolygon cut;
    for (size_t i = 0; i < polygon.size(); ++i) {
      const TPointF a = polygon[i], b = polygon[(i + 1) % polygon.size()];
      if (d(a) >= 0) cut.push_back(a);
      if ((d(a) >= 0) != (d(b) >= 0)) {
        const double t = d(a) / (d(a) - d(b));
        cut.push_back({a.X + (b.X - a.X) * t, a.Y + (b.Y - a.Y) * t});
      }
    }
    polygon = cut;
  }
  double twice = 0;
  for (size_t i = 0; i < polygon.size(); ++i) {
    const TPointF a = polygon[i], b = polygon[(i + 1) % polygon.size()];
    twice += a.X * b.Y - b.X * a.Y;
  }
  return std::abs(twice) / 2;
}

double DistanceToPath(TPointF p, const std::vector<TPointF>& path) {
  double best = std::hypot(p.X - path[0].X, p.Y - path[0].Y);
  for (size_t i = 0; i + 1 < path.size(); ++i) {
    const TPointF a = path[i], b = path[i + 1];
    const double dx = b.X - a.X, dy = b.Y - a.Y, lengthSq = dx * dx + dy * dy;
    const double t = lengthSq > 0 ? std::clamp(((p.X - a.X) * dx + (p.Y - a.Y) * dy) / lengthSq, 0.0, 1.0) : 0;
    best = std::min(best, std::hypot(p.X - a.X - dx * t, p.Y - a.Y - dy * t));
  }
  return best;
}

std::vector<TPointF> RandomPath(std::mt19937& random, int count) {
  std::uniform_real_distribution<double> x(-5, 69), y(-5, 53);
  std::vector<TPointF> path;
  for (int i = 0; i < count; ++i) path.push_back({x(random), y(random)});
  return path;
}

}  // namespace

TEST(Rasterizer, FillGivesEachPixelInsideTheClipTheExactAreaInsideTheOutline) {
  std::mt19937 random(11);
  std::uniform_real_distribution<double> x(-10, 74), y(-10, 58);
  for (int round = 0; round < 40; ++round) {
    TPolygon triangle{{x(random), y(random)}, {x(random), y(random)}, {x(random), y(random)}};
    if (round % 2) triangle = Reversed(triangle);
    const TRect clip = round % 4 < 2 ? Area : Inner;
    const TCoverage coverage = Fill({triangle}, clip);
    for (int32_t py = Area.Top - 2; py < Area.Bottom + 2; ++py)
      for (int32_t px = Area.Left - 2; px < Area.Right + 2; ++px) {
        const double expected = clip.Contains({px, py}) ? AreaInPixel(triangle, px, py) * 255 : 0;
        ASSERT_NEAR(coverage.At({px, py}), expected, 1.0) << "round " << round << " pixel " << px << "," << py;
      }
  }
}

TEST(Rasterizer, NonzeroWindingKeepsSameDirectionOverlapFullAndOppositeDirectionCutsAHole) {
  EXPECT_EQ(Fill({Square(2, 2, 20), Square(10, 10, 20)}).At({15, 15}), 255);
  const TCoverage hole = Fill({Square(2, 2, 30), Reversed(Square(10, 10, 10))});
  EXPECT_EQ(hole.At({15, 15}), 0);
  EXPECT_EQ(hole.At({25, 15}), 255);
}

TEST(Rasterizer, NonFiniteOrHugeInputNeitherCrashesNorDrawsOutsideTheClip) {
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  EXPECT_TRUE(Fill({{{1, 1}, {nan, 5}, {30, 30}}}).IsEmpty());
  EXPECT_TRUE(Fill({{{1, 1}, {inf, 5}, {30, 30}}}).IsEmpty());
  // A triangle far larger than the clip fills all of it, and only it.
  const TCoverage huge = Fill({{{-1e300, -1e300}, {1e300, -1e300}, {0, 1e300}}});
  EXPECT_EQ(huge.Bounds(), Area);
  EXPECT_EQ(huge.At({0, 0}), 255);
  EXPECT_EQ(huge.At({63, 47}), 255);
  EXPECT_TRUE(Fill({Square(-4e9, 3e9, 1e9)}).IsEmpty());

  EXPECT_TRUE(Stroke({{5, 5}, {nan, 5}}, 4).IsEmpty());
  EXPECT_TRUE(Stroke({{5, 5}, {20, 5}}, nan).IsEmpty());
  EXPECT_TRUE(Stroke({{5, 5}, {20, 5}}, 0).IsEmpty());
  EXPECT_EQ(Stroke({{-1e300, 24}, {1e300, 24}}, 2).Bounds(), (TRect{0, 23, 64, 25}));
  EXPECT_EQ(Stroke({{5, 5}}, 1e300).Bounds(), Area);
  EXPECT_TRUE(Stroke({{5, 1e12}, {6, 1e12}}, 4).IsEmpty());
  // Clip at the ends of the integer range.
  const int32_t last = std::numeric_limits<int32_t>::max();
  EXPECT_EQ(Stroke({{-1e300, 0.5}, {1e300, 0.5}}, 1, {last - 40, 0, last, 2}).At({last - 1, 0}), 255);
}

TEST(Rasterizer, StrokeCoverageFollowsTheDistanceToThePathDrawnWholeOrSegmentBySegment) {
  std::mt19937 random(9);
  // Random paths, some clipped, and one-pixel lines between pixel centres, which must cover exactly one row or column.
  std::vector<std::tuple<double, std::vector<TPointF>, TRect>> cases{{1, {{5.5, 10.5}, {30.5, 10.5}}, Area},
                                                                     {1, {{12.5, 3.5}, {12.5, 40.5}}, Area}};
  for (double width : {0.5, 1.0, 3.0, 8.0, 17.0}) cases.push_back({width, RandomPath(random, 6), Area});
  for (double width : {1.0, 5.0}) cases.push_back({width, RandomPath(random, 6), Inner});
  for (const auto& [width, path, clip] : cases) {
    const TCoverage whole = Stroke(path, width, clip);
    TCoverage pieces;
    for (size_t i = path.size() - 1; i-- > 0;) StrokePolyline(std::span(path).subspan(i, 2), width, clip, pieces);
    for (int32_t y = 0; y < Area.Bottom; ++y)
      for (int32_t x = 0; x < Area.Right; ++x) {
        const double d = DistanceToPath(PixelCentre({x, y}), path);
        const double expected = clip.Contains({x, y}) ? std::clamp(width / 2 - d + 0.5, 0.0, 1.0) * 255 : 0;
        ASSERT_NEAR(whole.At({x, y}), expected, 0.51) << "width " << width << " pixel " << x << "," << y;
        ASSERT_EQ(pieces.At({x, y}), whole.At({x, y})) << "width " << width << " pixel " << x << "," << y;
      }
  }
}
