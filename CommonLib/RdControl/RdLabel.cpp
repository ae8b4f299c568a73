#include "CommonLib/RdControl/RdLabel.h"

#include <algorithm>

#include "CommonLib/RdControl/RdTextLines.h"

namespace qor {

TRdLabel::TRdLabel() = default;

namespace {

int32_t Clamp(int32_t v, int32_t low, int32_t high) {
  if (high > 0) v = std::min(v, high);
  return std::max(v, low);
}

}  // namespace

std::vector<std::u16string> TRdLabel::Lines(TRdTextMeasurer& measurer, int32_t width) const {
  return BreakTextLines(FCaption, measurer, FFont, FWordWrap ? std::max(width, 1) : 0, FWrapChar);
}

int32_t TRdLabel::LineHeight() const { return TextLineHeight(Measurer(), FFont); }

bool TRdLabel::Relayout() {
  Invalidate();
  if (!FAutoSize) return true;
  TRdTextMeasurer* measurer = Measurer();
  if (!measurer) return true;
  const TRect& b = Bounds();
  const TRdSizeConstraints& c = FConstraints;
  int32_t width = 0;
  if (FWordWrap) {
    width = c.MaxWidth > 0 ? c.MaxWidth : b.Width();
    if (width <= 0) width = measurer->MeasureText(FCaption, FFont, 0).Width;  // nothing to wrap to yet
  } else {
    for (const std::u16string& line : Lines(*measurer, 0))
      width = std::max(width, measurer->MeasureText(line, FFont, 0).Width);
  }
  width = Clamp(width, c.MinWidth, c.MaxWidth);
  // An empty caption still takes one line's height.
  const int32_t lines = int32_t(Lines(*measurer, width).size());
  const int32_t height = Clamp(lines * TextLineHeight(measurer, FFont), c.MinHeight, c.MaxHeight);
  SetBounds(TRect::FromSize(b.Left, b.Top, width, height));
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

bool TRdLabel::SetWrapChar(bool wrapChar) {
  if (wrapChar == FWrapChar) return false;
  FWrapChar = wrapChar;
  return Relayout();
}

bool TRdLabel::SetEllipsisPosition(TRdEllipsisPosition position) {
  if (position == FEllipsis) return false;
  FEllipsis = position;
  Invalidate();
  return true;
}

bool TRdLabel::SetConstraints(const TRdSizeConstraints& constraints) {
  if (constraints == FConstraints) return false;
  FConstraints = constraints;
  return Relayout();
}

bool TRdLabel::SetAutoSize(bool autoSize) {
  if (autoSize == FAutoSize) return false;
  FAutoSize = autoSize;
  return Relayout();
}

bool TRdLabel::SetMaxWidth(int32_t maxWidth) {
  TRdSizeConstraints c = FConstraints;
  c.MaxWidth = std::max(maxWidth, 0);
  return SetConstraints(c);
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

std::vector<std::u16string> TRdLabel::VisibleLines(TRdTextMeasurer& measurer) {
  const TRect& b = Bounds();
  std::vector<std::u16string> lines = Lines(measurer, b.Width());
  FFoundWordBreak =
      FWordWrap && int32_t(lines.size()) > 1 + int32_t(std::count(FCaption.begin(), FCaption.end(), u'\n'));
  FFoundEllipsis = false;
  if (FEllipsis != TRdEllipsisPosition::None && !lines.empty()) {
    const int32_t lineHeight = TextLineHeight(&measurer, FFont);
    const size_t fit = size_t(std::max(1, b.Height() / lineHeight));
    const bool cut = lines.size() > fit;
    if (cut) lines.resize(fit);
    std::u16string& last = lines.back();
    if (cut || measurer.MeasureText(last, FFont, 0).Width > b.Width()) {
      last = WithEndEllipsis(last, measurer, FFont, b.Width());
      FFoundEllipsis = true;
    }
  }
  FFoundDrawLine = int32_t(lines.size());
  return lines;
}

void TRdLabel::Paint(TRdCanvas& canvas) {
  const TRect& b = Bounds();
  if (Color != ColorNone) canvas.FillRect(b, Color);
  if (FCaption.empty()) return;
  const std::vector<std::u16string> lines = VisibleLines(canvas);
  const int32_t lineHeight = TextLineHeight(&canvas, FFont);
  const int32_t free = b.Height() - int32_t(lines.size()) * lineHeight;
  int32_t top = b.Top;
  if (free > 0 && FLayout == TVerticalAlignment::vaCenter) top += free / 2;
  if (free > 0 && FLayout == TVerticalAlignment::vaBottom) top += free;
  TRdTextFormat format;
  format.Align = FAlignment;
  const uint32_t color = ChooseTextColor();
  for (const std::u16string& line : lines) {
    if (!line.empty()) canvas.PaintText(line, FFont, color, {b.Left, top, b.Right, top + lineHeight}, format);
    top += lineHeight;
  }
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

}  // namespace qor
