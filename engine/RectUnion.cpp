#include "engine/RectUnion.h"

#include <algorithm>

namespace qor {

namespace {

struct TSpan {
  int32_t Left;
  int32_t Right;
  friend bool operator==(const TSpan&, const TSpan&) = default;
};

// The merged spans of the rectangles that cover the band starting at row y.
std::vector<TSpan> SpansAt(std::span<const TRect> active, int32_t y) {
  std::vector<TSpan> spans;
  for (const TRect& r : active)
    if (r.Top <= y && y < r.Bottom) spans.push_back({r.Left, r.Right});
  std::sort(spans.begin(), spans.end(), [](const TSpan& a, const TSpan& b) { return a.Left < b.Left; });
  std::vector<TSpan> merged;
  for (const TSpan& s : spans) {
    if (!merged.empty() && s.Left <= merged.back().Right)
      merged.back().Right = std::max(merged.back().Right, s.Right);
    else
      merged.push_back(s);
  }
  return merged;
}

}  // namespace

std::vector<TRect> UnionOfRects(std::span<const TRect> rects, const TRect& clip) {
  std::vector<TRect> clipped;
  std::vector<int32_t> edges;
  for (const TRect& r : rects) {
    const TRect c = r.Intersect(clip);
    if (c.IsEmpty()) continue;
    clipped.push_back(c);
    edges.push_back(c.Top);
    edges.push_back(c.Bottom);
  }
  std::sort(edges.begin(), edges.end());
  edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
  std::sort(clipped.begin(), clipped.end(), [](const TRect& a, const TRect& b) { return a.Top < b.Top; });

  // Sweep the bands between consecutive edges, keeping only the rectangles that reach the current band.
  std::vector<TRect> result;
  std::vector<TRect> active;
  std::vector<TSpan> open;          // the spans of the previous band, still growing downwards
  std::vector<size_t> openResults;  // their rectangles in result
  size_t next = 0;
  for (size_t i = 0; i + 1 < edges.size(); ++i) {
    const int32_t top = edges[i], bottom = edges[i + 1];
    std::erase_if(active, [&](const TRect& r) { return r.Bottom <= top; });
    while (next < clipped.size() && clipped[next].Top <= top) active.push_back(clipped[next++]);
    std::vector<TSpan> spans = SpansAt(active, top);
    if (spans == open && !open.empty() && result[openResults[0]].Bottom == top) {
      for (size_t k : openResults) result[k].Bottom = bottom;
      continue;
    }
    open = spans;
    openResults.clear();
    for (const TSpan& s : spans) {
      openResults.push_back(result.size());
      result.push_back({s.Left, top, s.Right, bottom});
    }
  }
  return result;
}

}  // namespace qor
