#include "companions/pin/PinPlacement.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace qor {

namespace {

int64_t Area(const TRect& r) { return r.IsEmpty() ? 0 : int64_t(r.Width()) * r.Height(); }

// Squared distance between a point and the nearest point of a rectangle (0 inside).
int64_t DistanceSquared(TPoint p, const TRect& r) {
  const int64_t dx = std::max<int64_t>({int64_t(r.Left) - p.X, 0, int64_t(p.X) - (r.Right - 1)});
  const int64_t dy = std::max<int64_t>({int64_t(r.Top) - p.Y, 0, int64_t(p.Y) - (r.Bottom - 1)});
  return dx * dx + dy * dy;
}

// The monitor holding most of r; when none holds any of it, the one nearest to r's centre.
const TMonitorArea* MonitorOf(const TRect& r, const std::vector<TMonitorArea>& monitors) {
  const TMonitorArea* best = nullptr;
  int64_t bestArea = 0;
  for (const TMonitorArea& m : monitors) {
    const int64_t a = Area(m.Bounds.Intersect(r));
    if (a > bestArea) best = &m, bestArea = a;
  }
  if (best) return best;
  const TPoint centre{int32_t((int64_t(r.Left) + r.Right) / 2), int32_t((int64_t(r.Top) + r.Bottom) / 2)};
  int64_t bestDistance = INT64_MAX;
  for (const TMonitorArea& m : monitors) {
    const int64_t d = DistanceSquared(centre, m.Bounds);
    if (d < bestDistance) best = &m, bestDistance = d;
  }
  return best;
}

// Moves a start coordinate so that a length fits inside [low, high) where it can.
int32_t Clamped(int32_t start, int32_t length, int32_t low, int32_t high) {
  return std::max(low, std::min(start, high - length));
}

}  // namespace

TPinPlacement PlacePin(TSize picture, const TRect& rect, const std::vector<TMonitorArea>& monitors) {
  const TRect atRect = TRect::FromSize(rect.Left, rect.Top, picture.Width, picture.Height);
  const TMonitorArea* monitor = MonitorOf(atRect, monitors);
  if (!monitor) return {atRect, 1.0};
  const bool onScreen = Area(monitor->Bounds.Intersect(atRect)) > 0;
  if (onScreen && picture == rect.Size()) return {atRect, 1.0};

  const TRect& work = monitor->Work.IsEmpty() ? monitor->Bounds : monitor->Work;
  double zoom = std::min({1.0, double(work.Width()) / picture.Width, double(work.Height()) / picture.Height});
  const int32_t width = std::max<int32_t>(1, int32_t(std::lround(picture.Width * zoom)));
  const int32_t height = std::max<int32_t>(1, int32_t(std::lround(picture.Height * zoom)));
  const int32_t left = Clamped(rect.Left, width, work.Left, work.Right);
  const int32_t top = Clamped(rect.Top, height, work.Top, work.Bottom);
  return {TRect::FromSize(left, top, width, height), zoom};
}

}  // namespace qor
