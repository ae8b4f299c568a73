#include "CommonLib/RdControl/SkinArtRaster.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace qor {

namespace {

constexpr float Far = std::numeric_limits<float>::max();

// A pixel's centre lies within this distance of each of its points (half its diagonal, rounded up).
constexpr float HalfDiagonal = 0.7072f;
constexpr int Samples = 8;  // per axis, where an edge crosses the pixel

float Length(float x, float y) { return std::sqrt(x * x + y * y); }

TArtRect Grow(const TArtRect& r, float by) { return {r.Left - by, r.Top - by, r.Right + by, r.Bottom + by}; }

TArtRect PointBounds(const std::vector<TArtPoint>& points) {
  TArtRect box{Far, Far, -Far, -Far};
  for (const TArtPoint& p : points) {
    box.Left = std::min(box.Left, p.X), box.Top = std::min(box.Top, p.Y);
    box.Right = std::max(box.Right, p.X), box.Bottom = std::max(box.Bottom, p.Y);
  }
  return box;
}

float SegmentDistance(float x, float y, TArtPoint a, TArtPoint b) {
  const float vx = b.X - a.X, vy = b.Y - a.Y, wx = x - a.X, wy = y - a.Y;
  const float length2 = vx * vx + vy * vy;
  const float t = length2 > 0 ? std::clamp((wx * vx + wy * vy) / length2, 0.0f, 1.0f) : 0.0f;
  return Length(wx - t * vx, wy - t * vy);
}

// Signed distance to the segment's rectangle, made longer by halfWidth at each end.
float SquareSegmentDistance(float x, float y, TArtPoint a, TArtPoint b, float halfWidth) {
  float dx = b.X - a.X, dy = b.Y - a.Y;
  const float length = Length(dx, dy);
  if (length > 0)
    dx /= length, dy /= length;
  else
    dx = 1, dy = 0;
  const float px = x - (a.X + b.X) / 2, py = y - (a.Y + b.Y) / 2;
  const float qx = std::abs(px * dx + py * dy) - (length / 2 + halfWidth);
  const float qy = std::abs(-px * dy + py * dx) - halfWidth;
  return Length(std::max(qx, 0.0f), std::max(qy, 0.0f)) + std::min(std::max(qx, qy), 0.0f);
}

float RoundRectDistance(float x, float y, const TArtRect& r, float radius) {
  const float hw = r.Width() / 2, hh = r.Height() / 2;
  radius = std::clamp(radius, 0.0f, std::min(hw, hh));
  const float qx = std::abs(x - (r.Left + hw)) - (hw - radius);
  const float qy = std::abs(y - (r.Top + hh)) - (hh - radius);
  return Length(std::max(qx, 0.0f), std::max(qy, 0.0f)) + std::min(std::max(qx, qy), 0.0f) - radius;
}

}  // namespace

TArtShape RectShape(const TArtRect& r) { return RoundRectShape(r, 0); }

TArtShape RoundRectShape(const TArtRect& r, float radius) {
  if (r.IsEmpty()) return {};
  return {[r, radius](float x, float y) { return RoundRectDistance(x, y, r, radius); }, r};
}

TArtShape RoundRectOutline(const TArtRect& r, float radius, float width) {
  if (r.IsEmpty() || !(width > 0)) return {};
  return {[r, radius, width](float x, float y) { return std::abs(RoundRectDistance(x, y, r, radius)) - width / 2; },
          Grow(r, width / 2)};
}

TArtShape CircleShape(TArtPoint centre, float radius) {
  if (!(radius > 0)) return {};
  return {[centre, radius](float x, float y) { return Length(x - centre.X, y - centre.Y) - radius; },
          {centre.X - radius, centre.Y - radius, centre.X + radius, centre.Y + radius}};
}

TArtShape PolygonShape(std::vector<TArtPoint> points) {
  if (points.size() < 3) return {};
  const TArtRect bounds = PointBounds(points);
  return {[p = std::move(points)](float x, float y) {
            float best = Far, sign = 1;
            for (size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
              best = std::min(best, SegmentDistance(x, y, p[i], p[j]));
              // Even-odd: a ray to the right crosses this edge.
              if ((p[i].Y > y) != (p[j].Y > y) && x < p[i].X + (y - p[i].Y) * (p[j].X - p[i].X) / (p[j].Y - p[i].Y))
                sign = -sign;
            }
            return sign * best;
          },
          bounds};
}

TArtShape StrokeShape(std::vector<TArtPoint> points, float width, TArtCap cap, bool closed) {
  if (points.empty() || !(width > 0)) return {};
  if (closed && points.size() > 2) points.push_back(points.front());
  if (points.size() == 1) points.push_back(points.front());  // a dot
  const TArtRect bounds = Grow(PointBounds(points), width);
  return {[p = std::move(points), half = width / 2, cap](float x, float y) {
            float best = Far;
            for (size_t i = 1; i < p.size(); ++i)
              best = std::min(best, cap == TArtCap::Round ? SegmentDistance(x, y, p[i - 1], p[i]) - half
                                                          : SquareSegmentDistance(x, y, p[i - 1], p[i], half));
            return best;
          },
          bounds};
}

TArtShape UnionShape(TArtShape a, TArtShape b) {
  if (a.IsEmpty()) return b;
  if (b.IsEmpty()) return a;
  const TArtRect bounds{std::min(a.Bounds.Left, b.Bounds.Left), std::min(a.Bounds.Top, b.Bounds.Top),
                        std::max(a.Bounds.Right, b.Bounds.Right), std::max(a.Bounds.Bottom, b.Bounds.Bottom)};
  return {
      [a = std::move(a.Distance), b = std::move(b.Distance)](float x, float y) { return std::min(a(x, y), b(x, y)); },
      bounds};
}

TArtShape CutShape(TArtShape shape, TArtShape cut) {
  if (shape.IsEmpty() || cut.IsEmpty()) return shape;
  const TArtRect bounds = shape.Bounds;
  return {[a = std::move(shape.Distance), b = std::move(cut.Distance)](float x, float y) {
            return std::max(a(x, y), -b(x, y));
          },
          bounds};
}

std::vector<TArtPoint> ArcPoints(TArtPoint centre, float rx, float ry, float fromDegrees, float sweepDegrees) {
  // Steps short enough that the chords stay within a hundredth of a pixel of the curve.
  const float radius = std::max(std::abs(rx), std::abs(ry));
  const float step = radius > 0 ? 2 * std::acos(std::max(0.0f, 1 - 0.01f / radius)) : 1.0f;
  const float sweep = sweepDegrees * std::numbers::pi_v<float> / 180;
  const int count = std::clamp(int(std::ceil(std::abs(sweep) / std::max(step, 1e-3f))), 1, 720);
  std::vector<TArtPoint> points;
  points.reserve(count + 1);
  for (int i = 0; i <= count; ++i) {
    const float a = fromDegrees * std::numbers::pi_v<float> / 180 + sweep * i / count;
    points.push_back({centre.X + rx * std::cos(a), centre.Y + ry * std::sin(a)});
  }
  return points;
}

std::vector<TArtPoint> EllipsePoints(TArtPoint centre, float rx, float ry) {
  std::vector<TArtPoint> points = ArcPoints(centre, rx, ry, 0, 360);
  points.pop_back();  // the first point again
  return points;
}

float PixelCoverage(const TArtShape& shape, int32_t x, int32_t y) {
  if (shape.IsEmpty()) return 0;
  const float centre = shape.Distance(x + 0.5f, y + 0.5f);
  if (centre >= HalfDiagonal) return 0;
  if (centre <= -HalfDiagonal) return 1;
  int inside = 0;
  for (int sy = 0; sy < Samples; ++sy)
    for (int sx = 0; sx < Samples; ++sx)
      if (shape.Distance(x + (sx + 0.5f) / Samples, y + (sy + 0.5f) / Samples) < 0) ++inside;
  return float(inside) / (Samples * Samples);
}

void FillShape(const TImageView& picture, const TArtShape& shape, TBgra color) {
  if (picture.IsEmpty() || shape.IsEmpty() || color.A == 0) return;
  const int32_t left = std::max(0, int32_t(std::floor(std::max(shape.Bounds.Left, -1.0f))));
  const int32_t top = std::max(0, int32_t(std::floor(std::max(shape.Bounds.Top, -1.0f))));
  const int32_t right = std::min(picture.Width, int32_t(std::ceil(std::min(shape.Bounds.Right, 1e6f))));
  const int32_t bottom = std::min(picture.Height, int32_t(std::ceil(std::min(shape.Bounds.Bottom, 1e6f))));
  for (int32_t y = top; y < bottom; ++y)
    for (int32_t x = left; x < right; ++x) {
      const float cover = PixelCoverage(shape, x, y);
      if (cover <= 0) continue;
      TBgra& d = picture.At(x, y);
      const float sa = color.A / 255.0f * cover, da = d.A / 255.0f * (1 - sa);
      const float a = sa + da;
      auto mix = [&](uint8_t s, uint8_t t) { return uint8_t(std::lround((s * sa + t * da) / a)); };
      d = TBgra{mix(color.B, d.B), mix(color.G, d.G), mix(color.R, d.R), uint8_t(std::lround(a * 255))};
    }
}

}  // namespace qor
