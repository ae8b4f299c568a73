#pragma once
// The scroll tip: a fixed-width window whose height follows its wrapped text (the usage hint, or the failure
// message), centred on the region.
// Usage (on show):
//   label->SetMaxWidth(qor::ScrollTipLabelMaxWidth(scale));
//   const qor::TScrollTipLayout layout = qor::LayoutScrollTip(scale, label->MeasuredHeight());
//   label->SetBounds(layout.Label);
//   tip->SetBounds(qor::PlaceScrollTip(layout.Client, captureRect));
#include <cstdint>

#include "base/Geometry.h"
#include "base/Scale.h"

namespace qor {

enum class TScrollTipMode { Usage = 0, Failure = 1 };

inline constexpr int32_t ScrollTipWidth = 380;  // at scale 1
inline constexpr int32_t ScrollTipMargin = 15;  // the label's distance from the tip's left, top and bottom

struct TScrollTipLayout {
  TSize Client;
  TRect Label;
};

// The width the label wraps its text at.
int32_t ScrollTipLabelMaxWidth(TScale scale);
// labelHeight: the wrapped text's height at ScrollTipLabelMaxWidth(scale).
TScrollTipLayout LayoutScrollTip(TScale scale, int32_t labelHeight);
// Screen coordinates of a tip of that size centred on the region.
TRect PlaceScrollTip(TSize tip, const TRect& region);

}  // namespace qor
