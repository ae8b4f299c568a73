#pragma once
// The two dashed frames of the selection step, as pixel rectangles inside an image of the given size (already
// clipped to it): the moving border of the detected window, and the dashed frame of the first drag. The window
// side fills them with the accent colour; FillRects does the same on a portable view.
#include <cstdint>
#include <vector>

#include "base/Image.h"

namespace qor {

// The accent colour of frames, handles, the detection border and the magnifier cross-hair (COLORREF 0xFF7733).
inline constexpr uint32_t AccentColorRef = 0xFF7733;
inline constexpr TBgra AccentBgra = BgraFromColorRef(AccentColorRef);

// Dashes are 6 pixels long with 6-pixel gaps.
inline constexpr int32_t DashLength = 6;
inline constexpr int32_t DashPeriod = 12;

// The moving border of the detected window for a phase of 0, 2, 4, 6 or 8, drawn with a 2-pixel pen: along the
// top (y = 1) from x = width - phase (width at phase 0) to the left, the left edge (x = 1) from y = phase down,
// the bottom (y = height - 1) from x = phase to the right and the right edge (x = width - 1) from
// y = height - phase up. A 2-pixel pen on line c covers pixels c - 1 and c; a dash from s walking forward covers
// s .. s + 5, walking backward s - 5 .. s.
std::vector<TRect> MovingBorderDashes(int32_t width, int32_t height, int32_t phase);

// The dashed frame of the first drag: 1-pixel dashes on the image's border pixels, 6 on and 6 off, starting at 0
// along each edge (top and bottom rows left to right, left and right columns top to bottom).
std::vector<TRect> FirstDragFrameDashes(int32_t width, int32_t height);

// The bands that hold the moving border (2 pixels along each edge of r), for repainting it alone.
std::vector<TRect> BorderBands(const TRect& r, int32_t thickness);

// Fills each rectangle (clipped to the view) with the colour.
void FillRects(const TImageView& target, const std::vector<TRect>& rects, TBgra color);

}  // namespace qor
