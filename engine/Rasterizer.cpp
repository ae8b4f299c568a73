#include "engine/Rasterizer.h"

#include <algorithm>
#include <cmath>

namespace qor {

namespace {

// Coordinates beyond this are pulled in, so that differences of two coordinates stay finite.
constexpr double Far = 1e15;

double Tame(double v) { return std::clamp(v, -Far, Far); }

// A pixel coordinate from v, held inside [lo, hi] before the conversion (which a huge value would overflow).
int32_t PixelIn(double v, int32_t lo, int32_t hi) { return int32_t(std::clamp(v, double(lo), double(hi))); }

uint8_t AlphaOf(double coverage) {
  const double c = std::min(1.0, std::abs(coverage));
  return uint8_t(c * 255.0 + 0.5);
}

// One pixel that an edge passes through. A piece of edge inside the pixel, dy high, at mean distance m from the
// pixel's left side, covers dy * (1 - m) of this pixel and dy of every pixel to its right: Area collects the first,
// Cover the second, so a row's coverage is a running sum of Cover plus each cell's own Area.
struct TCell {
  int32_t X;
  int32_t Y;
  float Area;
  float Cover;
};

class TCellList {
 public:
  explicit TCellList(const TRect& clip)
      : FLeft(clip.Left), FTop(clip.Top), FRight(clip.Right), FBottom(clip.Bottom), FClip(clip) {}

  // An edge from (x0, y0) to (x1, y1); its parts above or below the clip are dropped, parts right of it too (they
  // only reach pixels further right), and parts left of it become a vertical edge on the clip's left side, which
  // covers the clipped row just as they would.
  void AddEdge(double x0, double y0, double x1, double y1) {
    if (y0 == y1) return;
    const double yLow = std::max(std::min(y0, y1), FTop), yHigh = std::min(std::max(y0, y1), FBottom);
    if (yLow >= yHigh) return;
    const double slope = (x1 - x0) / (y1 - y0);
    const auto xAt = [&](double y) { return y == y0 ? x0 : y == y1 ? x1 : x0 + (y - y0) * slope; };
    double ya = y0 < y1 ? yLow : yHigh, yb = y0 < y1 ? yHigh : yLow;
    double xa = xAt(ya), xb = xAt(yb);
    if (xa >= FRight && xb >= FRight) return;
    if (xa <= FLeft && xb <= FLeft) return AddInside(FLeft, ya, FLeft, yb);
    // Split where the edge crosses the clip's left or right side.
    double cuts[4] = {0, 1, 1, 1};
    int count = 1;
    for (double side : {FLeft, FRight})
      if ((xa < side) != (xb < side) && xa != xb) cuts[count++] = (side - xa) / (xb - xa);
    cuts[count++] = 1;
    std::sort(cuts, cuts + count);
    for (int i = 0; i + 1 < count; ++i) {
      const double t0 = cuts[i], t1 = cuts[i + 1];
      if (t1 <= t0) continue;
      const double pya = t0 == 0 ? ya : ya + (yb - ya) * t0, pyb = t1 == 1 ? yb : ya + (yb - ya) * t1;
      const double pxa = t0 == 0 ? xa : xa + (xb - xa) * t0, pxb = t1 == 1 ? xb : xa + (xb - xa) * t1;
      const double mid = (pxa + pxb) / 2;
      if (mid >= FRight) continue;
      if (mid <= FLeft)
        AddInside(FLeft, pya, FLeft, pyb);
      else
        AddInside(std::clamp(pxa, FLeft, FRight), pya, std::clamp(pxb, FLeft, FRight), pyb);
    }
  }

  // Sweeps each row, raising coverage to the area inside (nonzero winding).
  void Sweep(TCoverage& coverage) {
    if (FCells.empty()) return;
    // Counting sort by row over the rows the cells span (never more than the clip's height).
    int32_t top = FCells.front().Y, bottom = top;
    for (const TCell& c : FCells) top = std::min(top, c.Y), bottom = std::max(bottom, c.Y);
    std::vector<uint32_t> starts(size_t(int64_t(bottom) - top + 2), 0);
    for (const TCell& c : FCells) ++starts[size_t(c.Y - top) + 1];
    for (size_t i = 1; i < starts.size(); ++i) starts[i] += starts[i - 1];
    std::vector<TCell> sorted(FCells.size());
    std::vector<uint32_t> next(starts.begin(), starts.end() - 1);
    for (const TCell& c : FCells) sorted[next[size_t(c.Y - top)]++] = c;
    std::vector<uint8_t> run;
    for (int32_t y = top; y <= bottom; ++y) {
      TCell* begin = sorted.data() + starts[size_t(y - top)];
      TCell* end = sorted.data() + starts[size_t(y - top) + 1];
      std::sort(begin, end, [](const TCell& a, const TCell& b) { return a.X < b.X; });
      SweepRow(y, begin, end, run, coverage);
    }
  }

 private:
  static constexpr int32_t ShortGap = 48;

  void SweepRow(int32_t y, const TCell* cell, const TCell* end, std::vector<uint8_t>& run, TCoverage& coverage) {
    double cover = 0;
    int32_t runStart = 0;
    run.clear();
    while (cell != end) {
      const int32_t x = cell->X;
      if (x >= FClip.Right) break;
      double area = 0, cellCover = 0;
      for (; cell != end && cell->X == x; ++cell) area += cell->Area, cellCover += cell->Cover;
      if (run.empty()) runStart = x;
      run.push_back(AlphaOf(cover + area));
      cover += cellCover;
      const int32_t nextX = cell != end ? std::min(cell->X, FClip.Right) : FClip.Right;
      if (nextX == x + 1) continue;
      // A short gap between cells (across a border) joins the pending run; a long one is written as one value.
      const uint8_t gap = AlphaOf(cover);
      if (nextX - x <= ShortGap && cell != end) {
        run.insert(run.end(), size_t(nextX - x - 1), gap);
        continue;
      }
      coverage.MaxRun(y, runStart, run.data(), int32_t(run.size()));
      run.clear();
      coverage.MaxRun(y, x + 1, nextX, gap);
    }
    if (!run.empty()) coverage.MaxRun(y, runStart, run.data(), int32_t(run.size()));
  }

  // An edge inside the clip: split into rows, then each row's piece into the pixels it crosses.
  void AddInside(double xa, double ya, double xb, double yb) {
    double sign = 1;
    if (ya > yb) std::swap(xa, xb), std::swap(ya, yb), sign = -1;
    if (ya == yb) return;
    const double slope = (xb - xa) / (yb - ya);
    const int32_t firstRow = int32_t(std::floor(ya)), lastRow = int32_t(std::ceil(yb)) - 1;
    double rowX0 = xa;
    for (int32_t row = firstRow; row <= lastRow; ++row) {
      const double y0 = std::max(ya, double(row)), y1 = std::min(yb, double(row) + 1);
      const double rowX1 = y1 == yb ? xb : xa + (y1 - ya) * slope;
      if (y1 > y0) AddRowPiece(row, rowX0, rowX1, (y1 - y0) * sign);
      rowX0 = rowX1;
    }
  }

  void AddRowPiece(int32_t row, double xa, double xb, double dy) {
    const double lo = std::min(xa, xb), hi = std::max(xa, xb);
    const int32_t first = int32_t(std::floor(lo));
    const int32_t last = std::max(first, int32_t(std::ceil(hi)) - 1);
    if (first == last) {
      const double mid = (lo + hi) / 2 - first;
      FCells.push_back({first, row, float(dy * (1 - mid)), float(dy)});
      return;
    }
    const double perX = dy / (hi - lo);
    for (int32_t x = first; x <= last; ++x) {
      const double x0 = std::max(lo, double(x)), x1 = std::min(hi, double(x) + 1);
      const double part = (x1 - x0) * perX, mid = (x0 + x1) / 2 - x;
      FCells.push_back({x, row, float(part * (1 - mid)), float(part)});
    }
  }

  double FLeft, FTop, FRight, FBottom;
  TRect FClip;
  std::vector<TCell> FCells;
};

bool IsFinite(const TPointF& p) { return std::isfinite(p.X) && std::isfinite(p.Y); }

// Cuts the segment a-b to the part inside r (Liang-Barsky); false when none is.
bool ClipSegment(TPointF& a, TPointF& b, double left, double top, double right, double bottom) {
  double t0 = 0, t1 = 1;
  const double dx = b.X - a.X, dy = b.Y - a.Y;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.X - left, right - a.X, a.Y - top, bottom - a.Y};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0)
      t0 = std::max(t0, t);
    else
      t1 = std::min(t1, t);
  }
  if (t0 > t1) return false;
  const TPointF start = a;
  if (t0 > 0) a = {start.X + dx * t0, start.Y + dy * t0};
  if (t1 < 1) b = {start.X + dx * t1, start.Y + dy * t1};
  return true;
}

// The x range [lo, hi] of a row's points within reach of segment a-b (a capsule cut by the row's line).
bool CapsuleSpan(const TPointF& a, const TPointF& b, double reach, double y, double& lo, double& hi) {
  lo = INFINITY, hi = -INFINITY;
  for (const TPointF& end : {a, b}) {
    const double h = reach * reach - (y - end.Y) * (y - end.Y);
    if (h <= 0) continue;
    const double half = std::sqrt(h);
    lo = std::min(lo, end.X - half), hi = std::max(hi, end.X + half);
  }
  const double dx = b.X - a.X, dy = b.Y - a.Y, length = std::hypot(dx, dy);
  if (length > 0) {
    double bandLo = -INFINITY, bandHi = INFINITY;
    const double ry = y - a.Y;
    // Distance from the line below reach: |dx * ry - dy * rx| < reach * length.
    if (dy != 0) {
      const double u = (dx * ry - reach * length) / dy, v = (dx * ry + reach * length) / dy;
      bandLo = std::min(u, v), bandHi = std::max(u, v);
    } else if (std::abs(ry) >= reach) {
      bandLo = INFINITY;
    }
    // Projection onto the segment inside it: 0 <= dx * rx + dy * ry <= length^2.
    if (dx != 0) {
      const double u = -dy * ry / dx, v = (length * length - dy * ry) / dx;
      bandLo = std::max(bandLo, std::min(u, v)), bandHi = std::min(bandHi, std::max(u, v));
    } else if (dy * ry < 0 || dy * ry > length * length) {
      bandLo = INFINITY;
    }
    if (bandLo <= bandHi) lo = std::min(lo, a.X + bandLo), hi = std::max(hi, a.X + bandHi);
  }
  return lo <= hi;
}

double DistanceToSegment(const TPointF& p, const TPointF& a, double dx, double dy, double lengthSq) {
  double t = lengthSq > 0 ? ((p.X - a.X) * dx + (p.Y - a.Y) * dy) / lengthSq : 0;
  t = std::clamp(t, 0.0, 1.0);
  const double ex = p.X - (a.X + dx * t), ey = p.Y - (a.Y + dy * t);
  return std::sqrt(ex * ex + ey * ey);  // coordinates are tamed, so the squares stay finite
}

void StrokeSegment(TPointF a, TPointF b, double width, const TRect& clip, std::vector<uint8_t>& run,
                   TCoverage& coverage) {
  const double half = width / 2, reach = half + 0.5;
  // Ends cut away lie beyond the clip by more than the reach, so their round caps do not show.
  if (!ClipSegment(a, b, clip.Left - reach - 1, clip.Top - reach - 1, clip.Right + reach + 1, clip.Bottom + reach + 1))
    return;
  const double dx = b.X - a.X, dy = b.Y - a.Y, lengthSq = dx * dx + dy * dy;
  const int32_t top = PixelIn(std::floor(std::min(a.Y, b.Y) - reach), clip.Top, clip.Bottom);
  const int32_t bottom = PixelIn(std::ceil(std::max(a.Y, b.Y) + reach), clip.Top, clip.Bottom);
  for (int32_t y = top; y < bottom; ++y) {
    const double centreY = y + 0.5;
    double lo, hi;
    if (!CapsuleSpan(a, b, reach, centreY, lo, hi)) continue;
    const int32_t x0 = PixelIn(std::ceil(lo - 0.5), clip.Left, clip.Right);
    const int32_t x1 = PixelIn(std::floor(hi - 0.5) + 1, clip.Left, clip.Right);
    if (x0 >= x1) continue;
    run.resize(size_t(x1 - x0));
    for (int32_t x = x0; x < x1; ++x) {
      const double d = DistanceToSegment({x + 0.5, centreY}, a, dx, dy, lengthSq);
      run[size_t(x - x0)] = AlphaOf(std::clamp(half - d + 0.5, 0.0, 1.0));
    }
    coverage.MaxRun(y, x0, run.data(), x1 - x0);
  }
}

}  // namespace

void FillPolygons(std::span<const TPolygon> polygons, const TRect& clip, TCoverage& coverage) {
  if (clip.IsEmpty()) return;
  TCellList cells(clip);
  for (const TPolygon& polygon : polygons) {
    if (polygon.size() < 3 || !std::all_of(polygon.begin(), polygon.end(), IsFinite)) continue;
    for (size_t i = 0; i < polygon.size(); ++i) {
      const TPointF& a = polygon[i];
      const TPointF& b = polygon[(i + 1) % polygon.size()];
      cells.AddEdge(Tame(a.X), Tame(a.Y), Tame(b.X), Tame(b.Y));
    }
  }
  cells.Sweep(coverage);
}

void StrokePolyline(std::span<const TPointF> points, double width, const TRect& clip, TCoverage& coverage) {
  if (clip.IsEmpty() || !(width > 0) || !std::isfinite(width) || points.empty()) return;
  std::vector<uint8_t> run;
  const auto tame = [](const TPointF& p) { return TPointF{Tame(p.X), Tame(p.Y)}; };
  if (points.size() == 1) {
    if (IsFinite(points[0])) StrokeSegment(tame(points[0]), tame(points[0]), width, clip, run, coverage);
    return;
  }
  for (size_t i = 0; i + 1 < points.size(); ++i)
    if (IsFinite(points[i]) && IsFinite(points[i + 1]))
      StrokeSegment(tame(points[i]), tame(points[i + 1]), width, clip, run, coverage);
}

}  // namespace qor
