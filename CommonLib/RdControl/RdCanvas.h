#pragma once
// What the windowless controls paint on. The platform side implements it over a device context and resolves
// picture names through its picture source, so a control names pictures ("images/icon_rectangle_normal.png") and
// never knows whether they come from a skin package or are drawn in code.
#include <cstdint>
#include <string_view>

#include "CommonLib/RdControl/RdTypes.h"
#include "base/Geometry.h"
#include "base/Image.h"

namespace qor {

struct TRdTextFormat {
  TAlignment Align = TAlignment::taLeftJustify;
  TVerticalAlignment VAlign = TVerticalAlignment::vaTop;
  bool WordWrap = false;
  bool EndEllipsis = false;  // a line that does not fit ends in "..."
};

class TRdTextMeasurer {
 public:
  virtual ~TRdTextMeasurer() = default;
  // The size of the text; with maxWidth > 0 it is broken into lines no wider than that.
  virtual TSize MeasureText(std::u16string_view text, const TRdFont& font, int32_t maxWidth) = 0;
  // The font's own line height (its text metrics); 0 when unknown.
  virtual int32_t FontLineHeight(const TRdFont&) { return 0; }
};

class TRdCanvas : public TRdTextMeasurer {
 public:
  virtual void FillRect(const TRect& r, uint32_t color) = 0;
  virtual void FrameRect(const TRect& r, uint32_t color) = 0;
  // The picture's own size ({0, 0} when the name gives no picture).
  virtual TSize PictureSize(std::u16string_view name) = 0;
  // Draws the named picture into dest; false when the name gives no picture.
  virtual bool DrawPicture(std::u16string_view name, const TRect& dest, const TRdDesignRect& option) = 0;
  virtual void DrawImage(const TConstImageView& image, const TRect& dest) = 0;
  virtual void PaintText(std::u16string_view text, const TRdFont& font, uint32_t color, const TRect& r,
                         const TRdTextFormat& format) = 0;
};

}  // namespace qor
