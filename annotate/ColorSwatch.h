#pragma once
// TColorSwatch: a windowless square of one colour, optionally framed by a 1-pixel border. The palette's swatches
// (clickable), the colour preview Image_show and the hover frame Btn_Color_bg (both let the mouse through) are
// swatches.
#include <cstdint>

#include "CommonLib/RdControl/RdControl.h"

namespace qor {

class TColorSwatch : public TRdControl {
 public:
  explicit TColorSwatch(uint32_t color = 0, uint32_t borderColor = ColorNone)
      : FColor(color), FBorderColor(borderColor) {}

  uint32_t Color() const { return FColor; }
  // Repaints when the colour changes.
  void SetColor(uint32_t color);
  uint32_t BorderColor() const { return FBorderColor; }

  void Paint(TRdCanvas& canvas) override;

 private:
  uint32_t FColor;
  uint32_t FBorderColor;
};

}  // namespace qor
