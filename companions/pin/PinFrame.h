#pragma once
// The pixels of a pin's layered window: the picture at its zoom, surrounded by a soft shadow and, for the pin with
// the focus, a thin accent line just outside the picture, all premultiplied BGRA at the pin's opacity. The picture
// itself starts at (Margin, Margin): at 100% and full opacity its pixels are the picture's pixels exactly.
// Usage:
//   qor::ResamplePicture(picture.View(), shown.View());                 // once per zoom
//   TImage frame = qor::ComposePinFrame(shown.View(), {margin, alpha, focused});
//   qor::BlendReadout(frame.View(), readout, {margin + 6, margin + 6}, qor::ReadoutAlpha(elapsed));
#include <cstdint>

#include "base/Image.h"

namespace qor {

// RGB(51, 119, 255) as BGRA.
inline constexpr TBgra PinAccent{255, 119, 51, 255};

struct TPinLook {
  int32_t Margin = 0;  // shadow width on every side
  uint8_t Opacity = 255;
  bool Focused = false;  // a stronger shadow and the accent line
  // Off where the system shows translucent window pixels opaque (no desktop composition): the margin is then
  // transparent but for the accent line, rather than a black band.
  bool Shadow = true;
};

// Fills target from source at target's size: an exact copy at the same size, the average of the covered source
// pixels when smaller, the nearest source pixel when larger.
void ResamplePicture(const TConstImageView& source, const TImageView& target);

// The window's pixels: shown.Width + 2 * Margin by shown.Height + 2 * Margin.
TImage ComposePinFrame(const TConstImageView& shown, const TPinLook& look);

// Lays an opaque readout picture over the frame at `at` with alpha (clipped to the frame), keeping it premultiplied.
void BlendReadout(const TImageView& frame, const TConstImageView& readout, TPoint at, uint8_t alpha);

}  // namespace qor
