#include "scroll/ScrollTipLayout.h"

#include "output/TipLayout.h"

namespace qor {

namespace {
// Hand-made layouts truncate the scaled numbers.
int32_t Scaled(TScale scale, int32_t pixels) { return int32_t(pixels * scale.Factor); }
}  // namespace

int32_t ScrollTipLabelMaxWidth(TScale scale) {
  return Scaled(scale, ScrollTipWidth) - Scaled(scale, 2 * ScrollTipMargin);
}

TScrollTipLayout LayoutScrollTip(TScale scale, int32_t labelHeight) {
  const int32_t margin = Scaled(scale, ScrollTipMargin);
  TScrollTipLayout layout;
  layout.Client = {Scaled(scale, ScrollTipWidth), labelHeight + Scaled(scale, 2 * ScrollTipMargin)};
  layout.Label = TRect::FromSize(margin, margin, ScrollTipLabelMaxWidth(scale), labelHeight);
  return layout;
}

TRect PlaceScrollTip(TSize tip, const TRect& region) { return CentreInArea(tip, region); }

}  // namespace qor
