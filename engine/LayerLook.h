#pragma once
// What an annotation layer is and how it looks. Colours are 0x00BBGGRR values; NoColor stands for none.
#include <cstdint>

namespace qor {

enum class TLayerKind { Image, Shape, Line, FreeHand, Text };

// The built-in shapes, in the engine's own numbering.
enum class TShapeKind : int32_t { Arrow = 0, Line = 1, Ellipse = 2, Rectangle = 6 };

inline constexpr uint32_t NoColor = 0x1FFFFFFF;

struct TLayerLook {
  TShapeKind Shape = TShapeKind::Rectangle;  // shape layers only
  uint32_t BorderColor = 0x0000FF;           // border of shapes; the colour of lines and free-hand strokes
  int32_t BorderWidth = 4;                   // border width; the width of lines and free-hand strokes
  uint32_t FillColor = NoColor;
  int32_t ArrowSize = 1;  // 0, 1 or 2: small, medium or large head
  friend bool operator==(const TLayerLook&, const TLayerLook&) = default;
};

// What a drag on empty picture creates; Pixelate paints the picture itself with the pixelation brush.
enum class TCreateMode { None, Shape, Line, FreeHand, Text, Pixelate };

}  // namespace qor
