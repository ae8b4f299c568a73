#pragma once
// The fall-back look, used when no skin package supplies a picture: every picture of SkinArt.h under its name, at
// 1x or, in scaled mode, 2x. A picture is drawn for the size it is laid out at (a 30 x 30 tool button and an
// 18 x 18 one each get a glyph fitted to them, a window background its whole face), once per size, and then
// blended like a PNG with alpha.
#include "CommonLib/RdControl/SkinArt.h"
#include "CommonLib/RdControl/win/RdPicture.h"
#include "base/Scale.h"

namespace qor {

class TRdPlainPictureSource : public TRdPictureMap {
 public:
  explicit TRdPlainPictureSource(TScale scale);
};

// A picture of the art drawn for each size it is asked to fill, at the given scale (premultiplied copies are kept
// per size).
std::unique_ptr<TRdPicture> MakeArtPicture(const TSkinArtPicture& art, TSize size, double scale);

// Colours of the plain look (0x00BBGGRR).
inline constexpr uint32_t PlainGlyphColor = SkinGlyphColor;
inline constexpr uint32_t PlainHoverBackColor = SkinHoverBackColor;
inline constexpr uint32_t PlainPressBackColor = SkinPressBackColor;
inline constexpr uint32_t PlainDividerColor = SkinDividerColor;
inline constexpr uint32_t PlainWindowBorderColor = SkinWindowBorderColor;
inline constexpr uint32_t PlainSliderTrackColor = SkinSliderTrackColor;
inline constexpr uint32_t PlainComboFillColor = SkinComboFillColor;
inline constexpr uint32_t PlainComboFrameColor = SkinComboFrameColor;

}  // namespace qor
