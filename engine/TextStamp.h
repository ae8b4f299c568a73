#pragma once
// A committed text as pixels that blend over any picture: the text drawn once over black and once over white. Per
// channel, the black one is the text's own share of a pixel and the difference between the two is how much of the
// picture under it still shows, so anti-aliased (even sub-pixel) glyph edges blend as they were drawn.
#include <cstdint>

#include "base/Geometry.h"
#include "base/Image.h"

namespace qor {

struct TTextStamp {
  TImage OnBlack;
  TImage OnWhite;  // the same size

  bool IsEmpty() const { return OnBlack.IsEmpty(); }
  TSize Size() const { return {OnBlack.Width(), OnBlack.Height()}; }
  // Whether the stamp covers no pixel at all (the text is empty or blank).
  bool IsBlank() const;
  TTextStamp Clone() const { return {OnBlack.Clone(), OnWhite.Clone()}; }
};

bool SamePixels(const TTextStamp& a, const TTextStamp& b);

// A text of one colour (0x00BBGGRR) needs only one rendering: on a ground as far from the text's colour as each
// channel allows (0 or 255), each channel tells how much of the pixel the text covers. GroundFor gives that ground,
// StampOfOneColour turns the text rendered on it into a stamp.
uint32_t GroundFor(uint32_t textColor);
TTextStamp StampOfOneColour(const TConstImageView& rendered, uint32_t textColor);

// Blends the stamp, its top-left at `at` (target coordinates shifted by targetOrigin), over target inside area;
// target keeps its alpha.
void BlendStamp(const TTextStamp& stamp, TPoint at, const TRect& area, const TImageView& target, TPoint targetOrigin);

}  // namespace qor
