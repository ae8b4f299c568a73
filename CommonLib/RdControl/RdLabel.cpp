#include "CommonLib/RdControl/RdLabel.h"

#include <algorithm>

namespace qor {

TRdLabel::TRdLabel() = default;

bool TRdLabel::Relayout() {
  Invalidate();
  if (!FAutoSize) return true;
  TRdTextMeasurer* measurer = Measurer();
  if (!measurer) return true;
  const TRect& b = Bounds();
  // An empty caption still takes one line's height.
  const std::u16string_view text = FCaption.empty() ? std::u16string_view(u"`ghj_") : std::u16string_view(FCaption);
  TSize size;
  if (FWordWrap) {
    const int32_t wrapWidth = FMaxWidth > 0 ? FMaxWidth : b.Width();
    size = measurer->MeasureText(text, FFont, std::max(wrapWidth, 1));
    size.Width = wrapWidth > 0 ? wrapWidth : size.Width;
  } else {
    size = measurer->MeasureText(text, FFont, 0);
    if (FMaxWidth > 0) size.Width = std::min(size.Width, FMaxWidth);
  }
  if (FCaption.empty() && !FWordWrap) size.Width = 0;
  SetBounds(TRect::FromSize(b.Left, b.Top, size.Width, size.Height));
  return true;
}

void TRdLabel::UpdateLayout() { Relayout(); }

bool TRdLabel::SetCaption(std::u16string caption) {
  if (caption == FCaption) return false;
  FCaption = std::move(caption);
  return Relayout();
}

bool TRdLabel::SetFont(const TRdFont& font) {
  if (font == FFont) return false;
  FFont = font;
  return Relayout();
}

bool TRdLabel::SetAlignment(TAlignment alignment) {
  if (alignment == FAlignment) return false;
  FAlignment = alignment;
  Invalidate();
  return true;
}

bool TRdLabel::SetLayout(TVerticalAlignment layout) {
  if (layout == FLayout) return false;
  FLayout = layout;
  Invalidate();
  return true;
}

bool TRdLabel::SetWordWrap(bool wordWrap) {
  if (wordWrap == FWordWrap) return false;
  FWordWrap = wordWrap;
  return Relayout();
}

bool TRdLabel::SetAutoSize(bool autoSize) {
  if (autoSize == FAutoSize) return false;
  FAutoSize = autoSize;
  return Relayout();
}

bool TRdLabel::SetMaxWidth(int32_t maxWidth) {
  maxWidth = std::max(maxWidth, 0);
  if (maxWidth == FMaxWidth) return false;
  FMaxWidth = maxWidth;
  return Relayout();
}

void TRdLabel::SetPosition(TPoint topLeft) {
  const TRect& b = Bounds();
  SetBounds(TRect::FromSize(topLeft.X, topLeft.Y, b.Width(), b.Height()));
}

uint32_t TRdLabel::ChooseTextColor() const {
  if (!Enabled()) return ColorOr(FontDisabledColor, FFont.Color);
  if (FDown && FontDownColor != ColorNotSet) return FontDownColor;
  if (FHover && FontHoverColor != ColorNotSet) return FontHoverColor;
  return FFont.Color;
}

void TRdLabel::Paint(TRdCanvas& canvas) {
  if (Color != ColorNone) canvas.FillRect(Bounds(), Color);
  if (FCaption.empty()) return;
  TRdTextFormat format;
  format.Align = FAlignment;
  format.VAlign = FLayout;
  format.WordWrap = FWordWrap;
  format.EndEllipsis = !FWordWrap;
  canvas.PaintText(FCaption, FFont, ChooseTextColor(), Bounds(), format);
}

TRdMouseResult TRdLabel::MouseEnter() {
  FHover = true;
  return {FontHoverColor != ColorNotSet, false};
}

TRdMouseResult TRdLabel::MouseLeave() {
  const bool was = FHover;
  FHover = false;
  return {was && FontHoverColor != ColorNotSet, false};
}

TRdMouseResult TRdLabel::MouseDown(TPoint) {
  FDown = true;
  return {FontDownColor != ColorNotSet, false};
}

TRdMouseResult TRdLabel::MouseUp(TPoint, bool inside) {
  FDown = false;
  return {FontDownColor != ColorNotSet, inside};
}

bool TRdImage::SetPicture(std::u16string name) {
  if (name == FPicture) return false;
  FPicture = std::move(name);
  Invalidate();
  return true;
}

void TRdImage::SetImage(const TConstImageView& image) {
  FImage = image;
  Invalidate();
}

TRect TRdImage::PictureRect(TSize size) const {
  const TRect& b = Bounds();
  if (Stretch) return b;
  if (Center)
    return TRect::FromSize(b.Left + (b.Width() - size.Width) / 2, b.Top + (b.Height() - size.Height) / 2, size.Width,
                           size.Height);
  return TRect::FromSize(b.Left, b.Top, size.Width, size.Height);
}

void TRdImage::Paint(TRdCanvas& canvas) {
  if (!FImage.IsEmpty()) {
    canvas.DrawImage(FImage, PictureRect({FImage.Width, FImage.Height}));
    return;
  }
  if (FPicture.empty()) return;
  // Pictures with a nine-grid option always fill the box.
  const TRect dest = PictureOption.IsEmpty() ? PictureRect(canvas.PictureSize(FPicture)) : Bounds();
  canvas.DrawPicture(FPicture, dest, PictureOption);
}

}  // namespace qor
