#pragma once
// The plain look used until skin packages arrive: every picture name of RdPictureNames.h drawn in code with GDI+
// (anti-aliased vector glyphs on flat colours), at 1x or, in scaled mode, 2x. Pictures are drawn to the size they
// are given, so a 30 x 30 tool button and an 18 x 18 one both get a glyph fitted to them.
#include "CommonLib/RdControl/win/RdPicture.h"

namespace qor {

class TRdPlainPictureSource : public TRdPictureMap {
 public:
  explicit TRdPlainPictureSource(bool scaled);
};

// Colours of the plain look (0x00BBGGRR).
inline constexpr uint32_t PlainGlyphColor = 0xD8D8D8;
inline constexpr uint32_t PlainHoverBackColor = 0x3E3E3E;
inline constexpr uint32_t PlainPressBackColor = 0x1A1A1A;
inline constexpr uint32_t PlainDividerColor = 0x454545;
inline constexpr uint32_t PlainWindowBorderColor = 0x3A3A3A;

}  // namespace qor
