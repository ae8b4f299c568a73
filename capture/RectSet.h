#pragma once
// A set of pixels kept as disjoint rectangles: enough region arithmetic for the covered-window test and for
// counting and merging the areas an event repaints, without a platform region object.
#include <cstdint>
#include <vector>

#include "base/Geometry.h"

namespace qor {

class TRectSet {
 public:
  TRectSet() = default;
  explicit TRectSet(const TRect& r) { Add(r); }

  // Adds r's pixels (the part already present is not added twice).
  void Add(const TRect& r);
  // Removes r's pixels.
  void Subtract(const TRect& r);

  bool IsEmpty() const { return FRects.empty(); }
  // Number of pixels in the set.
  int64_t Area() const;
  bool Contains(TPoint p) const;
  // Disjoint, non-empty rectangles whose union is the set.
  const std::vector<TRect>& Rects() const { return FRects; }

 private:
  std::vector<TRect> FRects;
};

// Pixels in exactly one of a and b.
TRectSet SymmetricDifference(const TRect& a, const TRect& b);

// Number of pixels covered by at least one of the rectangles.
int64_t UnionArea(const std::vector<TRect>& rects);

}  // namespace qor
