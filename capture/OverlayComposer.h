#pragma once
// What the overlay shows, layer by layer, composed for one dirty rectangle at a time: the dimmed mask, the
// undimmed selection image (Image_Front) with its frame and handles, and the magnifier panel. The window paints
// the result and draws the magnifier's two labels on top; everything else is here, free of windows.
#include <vector>

#include "base/Image.h"
#include "capture/Selection.h"

namespace qor {

enum class TFrameStyle {
  None,
  MovingBorder,  // detection: the 2-pixel dashes of the window under the cursor, moving with the phase
  Dashed,        // first drag: 1-pixel dashes on the image's border
  Solid,         // a completed selection: 1-pixel lines
};

struct TOverlayLayers {
  TConstImageView Mask;    // the frozen screen dimmed, the size of the overlay
  TConstImageView Screen;  // the frozen screen
  TRect Front;             // Image_Front: the undimmed rectangle (empty for none)
  TFrameStyle Frame = TFrameStyle::None;
  int32_t BorderPhase = 0;  // MovingBorder only
  bool HandlesVisible = false;
  THandleRects Handles{};
  bool MagnifierVisible = false;
  TRect MagnifierPanel;     // Panel_Expand
  TPoint MagnifierImageAt;  // Image_Expand's top-left, overlay coordinates
  TConstImageView MagnifierImage;
};

// The magnifier panel's background (COLORREF 0x261B18).
inline constexpr TBgra MagnifierBackground = BgraFromColorRef(0x261B18);

// Composes the layers inside dirty (clipped to the overlay) into target, whose top-left pixel stands for the
// overlay point targetOrigin.
void ComposeOverlay(const TOverlayLayers& layers, const TRect& dirty, const TImageView& target, TPoint targetOrigin);

// True when nothing but the mask shows inside area, so the mask can be painted from as it is, without composing.
bool OnlyMaskShows(const TOverlayLayers& layers, const TRect& area);

// The frame's pixel rectangles in overlay coordinates for the style (handles not included).
std::vector<TRect> FramePixels(const TRect& front, TFrameStyle style, int32_t phase);

}  // namespace qor
