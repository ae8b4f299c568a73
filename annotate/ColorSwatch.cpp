#include "annotate/ColorSwatch.h"

namespace qor {

void TColorSwatch::SetColor(uint32_t color) {
  if (color == FColor) return;
  FColor = color;
  Invalidate();
}

void TColorSwatch::Paint(TRdCanvas& canvas) {
  canvas.FillRect(Bounds(), FColor);
  if (FBorderColor != ColorNone) canvas.FrameRect(Bounds(), FBorderColor);
}

}  // namespace qor
