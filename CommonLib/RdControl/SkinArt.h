#pragma once
// The pictures of the screenshot windows drawn in code, under the names the controls ask for (RdPictureNames.h,
// the dialog pictures, the launcher's): the look of the skin packages and of the fall-back when a package is
// missing. A dark toolbar with light line glyphs on a 20-unit grid (strokes 2 units, on whole units, so they stay
// crisp at 1x and 2x), button corners of radius 4, and one accent colour (AccentColor) for the selected tool, the
// blue buttons, the slider and the focus frames.
//
// Each picture has a design size (scale 1) and draws itself at any size: the packages hold it at its design size
// times 1 and times 2 (drawn again with the geometry doubled, not a scaled copy); the fall-back draws it at the
// size a window lays it out.
//   const TSkinArtPicture* art = FindSkinArt(u"images/icon_rectangle_normal.png");
//   TImage at2x = DrawSkinArt(*art, 2);                      // 60 x 60
//   TImage wide = DrawSkinArt(*art, {140, 36}, 1.0);         // any size
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "CommonLib/RdControl/RdTypes.h"
#include "base/Geometry.h"
#include "base/Image.h"

namespace qor {

// Colours of the look (0x00BBGGRR).
inline constexpr uint32_t SkinGlyphColor = 0xD8D8D8;
inline constexpr uint32_t SkinHoverBackColor = 0x3E3E3E;
inline constexpr uint32_t SkinPressBackColor = 0x1A1A1A;
inline constexpr uint32_t SkinDividerColor = 0x454545;
inline constexpr uint32_t SkinWindowBorderColor = 0x3A3A3A;
inline constexpr uint32_t SkinSliderTrackColor = 0x5A5A5A;
inline constexpr uint32_t SkinComboFillColor = 0x303030;
inline constexpr uint32_t SkinComboFrameColor = 0x444444;

struct TSkinArtPicture {
  std::u16string Name;   // "images/....png"
  TSize Size;            // at scale 1
  int32_t NineGrid = 0;  // border (at scale 1) meant to be kept whole when laid as a nine-grid; 0: stretched whole
  // Draws the picture into a transparent image of its final size; scale: how much the design pixels grow
  // (strokes, radii and insets follow it, the layout follows the image's size).
  std::function<void(const TImageView& picture, double scale)> Draw;
};

// Every picture, in a fixed order.
const std::vector<TSkinArtPicture>& SkinArtPictures();
// Null for a name that has no picture.
const TSkinArtPicture* FindSkinArt(std::u16string_view name);

// The picture at its design size times a whole scale (straight BGRA).
TImage DrawSkinArt(const TSkinArtPicture& picture, int32_t scale);
// The picture at any size; empty for a size without pixels.
TImage DrawSkinArt(const TSkinArtPicture& picture, TSize size, double scale);

}  // namespace qor
