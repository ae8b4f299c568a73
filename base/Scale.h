#pragma once
// How much the pixel constants of a code-made layout grow: by 2 in the scaled layout, or by the screen's DPI
// fraction in the tip and notice windows. One value, passed to layouts and windows when they are made; layout code
// never reads the process-wide flag itself.
// Usage:
//   const qor::TScale scale = qor::TScale::Of(IsScaled());
//   int margin = scale(15);                  // 30 in the scaled layout, 15 otherwise
#include <cmath>
#include <cstdint>

#include "base/Geometry.h"

namespace qor {

struct TScale {
  double Factor = 1.0;

  static constexpr TScale Of(bool scaled) { return TScale{scaled ? 2.0 : 1.0}; }
  // Whole pixels, rounded to nearest: a whole factor gives the exact product.
  int32_t operator()(int32_t pixels) const { return int32_t(std::lround(pixels * Factor)); }
  TSize operator()(TSize size) const { return {(*this)(size.Width), (*this)(size.Height)}; }
  // Pictures drawn at twice their size (a factor of 1.5 and more).
  bool Doubled() const { return Factor >= 1.5; }
  friend bool operator==(const TScale&, const TScale&) = default;
};

}  // namespace qor
