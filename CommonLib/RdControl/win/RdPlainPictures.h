#pragma once
// The plain look used until skin packages arrive: every picture name of RdPictureNames.h drawn in code with GDI+
// (vector glyphs on flat colours), at 1x or, in scaled mode, 2x. Pictures are drawn to the size they are given, so
// a 30 x 30 tool button and an 18 x 18 one both get a glyph fitted to them. Each picture is rendered once per size
// with 4 x 4 supersampling, which anti-aliases the same way on Windows and under Wine (whose GDI+ draws shapes
// without anti-aliasing), and is then blended like a PNG with alpha.
#include "CommonLib/RdControl/win/RdPicture.h"
#include "base/Scale.h"

namespace qor {

class TRdPlainPictureSource : public TRdPictureMap {
 public:
  explicit TRdPlainPictureSource(TScale scale);
};

// Colours of the plain look (0x00BBGGRR).
inline constexpr uint32_t PlainGlyphColor = 0xD8D8D8;
inline constexpr uint32_t PlainHoverBackColor = 0x3E3E3E;
inline constexpr uint32_t PlainPressBackColor = 0x1A1A1A;
inline constexpr uint32_t PlainDividerColor = 0x454545;
inline constexpr uint32_t PlainWindowBorderColor = 0x3A3A3A;
inline constexpr uint32_t PlainSliderTrackColor = 0x5A5A5A;
inline constexpr uint32_t PlainComboFillColor = 0x303030;
inline constexpr uint32_t PlainComboFrameColor = 0x444444;

}  // namespace qor
