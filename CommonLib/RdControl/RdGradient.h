#pragma once
// A two-colour gradient over a rectangle, as a panel paints its background: from the first colour at the left
// (top when vertical) edge to the second at the right (bottom) edge, one colour per pixel column (row), given as
// bands of equal colour so that a wide panel is filled with few rectangles.
#include <cstdint>
#include <vector>

#include "base/Geometry.h"

namespace qor {

// The colour of line index of count lines; from and to are plain 0x00BBGGRR colours. The first line has from,
// the last to, and each channel between is rounded to the nearest value.
uint32_t GradientColor(uint32_t from, uint32_t to, int32_t index, int32_t count);

struct TRdGradientBand {
  TRect Rect;
  uint32_t Color = 0;
  friend bool operator==(const TRdGradientBand&, const TRdGradientBand&) = default;
};

// Bands covering area in order, each as wide (high when vertical) as its colour lasts.
std::vector<TRdGradientBand> GradientBands(const TRect& area, uint32_t from, uint32_t to, bool vertical);

}  // namespace qor
