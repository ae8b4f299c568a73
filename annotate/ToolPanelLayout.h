#pragma once
// The options panel (Panel_Tool_Small) under the toolbar, laid out for what the current tool needs:
//   pens:        [pen 1][pen 2][pen 3]   [preview] [ten swatches / ten swatches]
//   text:        [size box] [font name box] [-][+]   [preview] [palette]
//   pixelation:  [pen 1][pen 2][pen 3]   Pixel size: [slider]
// Every group is centred in the panel's height, so the panel reads as one strip beside the 40-pixel toolbar.
// Children that the content does not show get an empty rectangle. All numbers are unscaled and grow with the scale.
#include <array>
#include <cstdint>

#include "annotate/AnnotationTools.h"
#include "annotate/Palette.h"
#include "base/Geometry.h"
#include "base/Scale.h"

namespace qor {

enum class TToolPanelChild {
  Btn_Pen_1,
  Btn_Pen_2,
  Btn_Pen_3,
  Font_combox,
  FontText_combox,
  Btn_Jian,  // -
  Btn_Jia,   // +
  lbl_PixelSize,
  imgWebcamSize,
  Image_show,
};
inline constexpr int ToolPanelChildCount = 10;

// Unscaled sizes of the children (a skin or a measured label may change them).
struct TToolPanelSizes {
  TSize PenButton{30, 30};
  TSize FontSizeBox{64, 36};
  TSize FontNameBox{140, 36};
  TSize SizeButton{30, 30};  // - and +
  TSize PixelLabel{80, 22};
  TSize Slider{120, 28};
  TSize Preview{28, 28};
  TSize Swatch{12, 12};
};

inline constexpr int32_t ToolPanelHeight = 50;
inline constexpr int32_t SwatchGap = 4;         // room for the 2-pixel hover frame between two swatches
inline constexpr int32_t HoverFrameSide = 16;   // Btn_Color_bg
inline constexpr int32_t HoverFrameMargin = 2;  // around the swatch

struct TToolPanelLayout {
  TToolPanelContent Content = TToolPanelContent::Pens;
  std::array<TRect, ToolPanelChildCount> Children{};  // panel coordinates
  std::array<TRect, PaletteSize> Swatches{};          // in the order of Palette; empty when the palette is hidden
  int32_t Width = 0;
  int32_t Height = 0;
  const TRect& Child(TToolPanelChild c) const { return Children[int(c)]; }
  bool Shows(TToolPanelChild c) const { return !Child(c).IsEmpty(); }
  bool ShowsPalette() const { return !Swatches[0].IsEmpty(); }
};

TToolPanelLayout LayoutToolPanel(TToolPanelContent content, TScale scale, const TToolPanelSizes& sizes = {});

// Where the hover frame Btn_Color_bg goes around a swatch.
TRect HoverFrameFor(const TRect& swatch, TScale scale);

}  // namespace qor
