#pragma once
// The controls' canvas over a device context (GDI for fills and text, the picture source for pictures). Host
// coordinates are the context's coordinates.
#include <windows.h>

#include <map>
#include <tuple>

#include "CommonLib/RdControl/RdCanvas.h"
#include "CommonLib/RdControl/win/RdPicture.h"
#include "base/win/UniqueHandle.h"

namespace qor {

// Fonts by name, pixel height and weight, created once.
class TRdFontCache {
 public:
  HFONT Get(const TRdFont& font);

 private:
  std::map<std::tuple<std::u16string, int32_t, bool>, TGdiObject> FFonts;
};

class TRdGdiCanvas : public TRdCanvas {
 public:
  // target.Dc must stay valid while the canvas is used; pictures may be null (no pictures are drawn).
  TRdGdiCanvas(const TRdDrawTarget& target, const TRdPictureSource* pictures, TRdFontCache& fonts);

  void FillRect(const TRect& r, uint32_t color) override;
  void FrameRect(const TRect& r, uint32_t color) override;
  TSize PictureSize(std::u16string_view name) override;
  bool DrawPicture(std::u16string_view name, const TRect& dest, const TRdDesignRect& option) override;
  void DrawImage(const TConstImageView& image, const TRect& dest) override;
  void PaintText(std::u16string_view text, const TRdFont& font, uint32_t color, const TRect& r,
                 const TRdTextFormat& format) override;
  TSize MeasureText(std::u16string_view text, const TRdFont& font, int32_t maxWidth) override;
  int32_t FontLineHeight(const TRdFont& font) override;

 private:
  TRdDrawTarget FTarget;
  const TRdPictureSource* FPictures;
  TRdFontCache& FFonts;
};

}  // namespace qor
