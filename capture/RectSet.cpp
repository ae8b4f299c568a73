#include "capture/RectSet.h"

namespace qor {

namespace {

// Appends the parts of r outside cut (up to four bands: above, below, left, right).
void AppendOutside(const TRect& r, const TRect& cut, std::vector<TRect>& out) {
  const TRect common = r.Intersect(cut);
  if (common.IsEmpty()) {
    out.push_back(r);
    return;
  }
  if (r.Top < common.Top) out.push_back({r.Left, r.Top, r.Right, common.Top});
  if (common.Bottom < r.Bottom) out.push_back({r.Left, common.Bottom, r.Right, r.Bottom});
  if (r.Left < common.Left) out.push_back({r.Left, common.Top, common.Left, common.Bottom});
  if (common.Right < r.Right) out.push_back({common.Right, common.Top, r.Right, common.Bottom});
}

}  // namespace

void TRectSet::Add(const TRect& r) {
  if (r.IsEmpty()) return;
  // What is new of r: r minus every rectangle already held.
  std::vector<TRect> pieces{r}, next;
  for (const TRect& held : FRects) {
    next.clear();
    for (const TRect& piece : pieces) AppendOutside(piece, held, next);
    pieces.swap(next);
    if (pieces.empty()) return;
  }
  FRects.insert(FRects.end(), pieces.begin(), pieces.end());
}

void TRectSet::Subtract(const TRect& r) {
  if (r.IsEmpty() || FRects.empty()) return;
  std::vector<TRect> next;
  next.reserve(FRects.size() + 4);
  for (const TRect& held : FRects) AppendOutside(held, r, next);
  FRects.swap(next);
}

int64_t TRectSet::Area() const {
  int64_t area = 0;
  for (const TRect& r : FRects) area += int64_t(r.Width()) * r.Height();
  return area;
}

bool TRectSet::Contains(TPoint p) const {
  for (const TRect& r : FRects)
    if (r.Contains(p)) return true;
  return false;
}

TRectSet SymmetricDifference(const TRect& a, const TRect& b) {
  TRectSet result(a);
  result.Subtract(b);
  TRectSet onlyB(b);
  onlyB.Subtract(a);
  for (const TRect& r : onlyB.Rects()) result.Add(r);
  return result;
}

int64_t UnionArea(const std::vector<TRect>& rects) {
  TRectSet set;
  for (const TRect& r : rects) set.Add(r);
  return set.Area();
}

}  // namespace qor
