#include "engine/Rasterizer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

using namespace qor;

namespace {

const TRect Area{0, 0, 64, 48};

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

// The area of a convex polygon inside pixel (x, y), by cutting it with the pixel's four sides.
double AreaInPixel(TPolygon polygon, int32_t x, int32_t y) {
  const auto cut = [&](auto inside, auto cross) {
    TPolygon out;
    for (size_t i = 0; i < polygon.size(); ++i) {
      const TPointF a = polygon[i], b = polygon[(i + 1) % polygon.size()];
      if (inside(a)) out.push_back(a);
      if (inside(a) != inside(b)) out.push_back(cross(a, b));
    }
    polygon = out;
  };
  const auto atX = [](double side) {
    return [side](TPointF a, TPointF b) { return TPointF{side, a.Y + (b.Y - a.Y) * (side - a.X) / (b.X - a.X)}; };
  };
  const auto atY = [](double side) {
    return [side](TPointF a, TPointF b) { return TPointF{a.X + (b.X - a.X) * (side - a.Y) / (b.Y - a.Y), side}; };
  };
  cut([&](TPointF p) { return p.X >= x; }, atX(x));
  cut([&](TPointF p) { return p.X <= x + 1; }, atX(x + 1));
  cut([&](TPointF p) { return p.Y >= y; }, atY(y));
  cut([&](TPointF p) { return p.Y <= y + 1; }, atY(y + 1));
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

TEST(Rasterizer, FillGivesEachPixelTheExactAreaInsideTheOutline) {
  std::mt19937 random(11);
  std::uniform_real_distribution<double> x(-10, 74), y(-10, 58);
  for (int round = 0; round < 40; ++round) {
    TPolygon triangle{{x(random), y(random)}, {x(random), y(random)}, {x(random), y(random)}};
    if (round % 2) triangle = Reversed(triangle);
    const TCoverage coverage = Fill({triangle});
    for (int32_t py = Area.Top - 2; py < Area.Bottom + 2; ++py)
      for (int32_t px = Area.Left - 2; px < Area.Right + 2; ++px) {
        const double expected = Area.Contains({px, py}) ? AreaInPixel(triangle, px, py) * 255 : 0;
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

TEST(Rasterizer, FillAndStrokeWriteOnlyInsideTheClipAndTheSameValuesThere) {
  std::mt19937 random(5);
  std::uniform_int_distribution<int32_t> cx(-5, 60), cy(-5, 40), size(1, 30);
  for (int round = 0; round < 30; ++round) {
    const TRect clip = TRect::FromSize(cx(random), cy(random), size(random), size(random)).Intersect(Area);
    const auto path = RandomPath(random, 4);
    const TPolygon polygon(path.begin(), path.end());
    const TCoverage fillAll = Fill({polygon}), fillClipped = Fill({polygon}, clip);
    const TCoverage strokeAll = Stroke(path, 5), strokeClipped = Stroke(path, 5, clip);
    for (int32_t y = -10; y < 60; ++y)
      for (int32_t x = -10; x < 75; ++x) {
        const bool in = clip.Contains({x, y}) && Area.Contains({x, y});
        // Cutting an edge at the clip may move a value that lies on a rounding boundary by one.
        ASSERT_NEAR(fillClipped.At({x, y}), in ? fillAll.At({x, y}) : 0, in ? 1 : 0) << round << ": " << x << "," << y;
        ASSERT_NEAR(strokeClipped.At({x, y}), in ? strokeAll.At({x, y}) : 0, in ? 1 : 0)
            << round << ": " << x << "," << y;
      }
  }
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
  // Random paths, and one-pixel lines between pixel centres, which must cover exactly one row or column.
  std::vector<std::pair<double, std::vector<TPointF>>> cases{{1, {{5.5, 10.5}, {30.5, 10.5}}},
                                                             {1, {{12.5, 3.5}, {12.5, 40.5}}}};
  for (double width : {0.5, 1.0, 3.0, 8.0, 17.0}) cases.push_back({width, RandomPath(random, 6)});
  for (const auto& [width, path] : cases) {
    const TCoverage whole = Stroke(path, width);
    TCoverage pieces;
    for (size_t i = path.size() - 1; i-- > 0;) StrokePolyline(std::span(path).subspan(i, 2), width, Area, pieces);
    for (int32_t y = 0; y < Area.Bottom; ++y)
      for (int32_t x = 0; x < Area.Right; ++x) {
        const double d = DistanceToPath(PixelCentre({x, y}), path);
        const double expected = std::clamp(width / 2 - d + 0.5, 0.0, 1.0) * 255;
        ASSERT_NEAR(whole.At({x, y}), expected, 0.51) << "width " << width << " pixel " << x << "," << y;
        ASSERT_EQ(pieces.At({x, y}), whole.At({x, y})) << "width " << width << " pixel " << x << "," << y;
      }
  }
}
