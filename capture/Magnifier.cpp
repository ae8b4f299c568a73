#include "capture/Magnifier.h"

#include <algorithm>
#include <string>

#include "app/DpiDecision.h"
#include "base/Utf16Text.h"
#include "capture/DashedBorder.h"

namespace qor {

TMagnifierMetrics TMagnifierMetrics::For(TScale scale) {
  TMagnifierMetrics m;
  for (int32_t* value : {&m.PanelWidth, &m.PanelHeight, &m.ImageLeft, &m.ImageTop, &m.ImageWidth, &m.ImageHeight,
                         &m.HalfWidth, &m.HalfHeight, &m.ShrinkX, &m.ShrinkY, &m.SizeLabelTop, &m.RgbLabelTop})
    *value = scale(*value);
  return m;
}

TRect TMagnifier::PanelRect(TPoint p) const {
  const TMagnifierMetrics& m = FMetrics;
  const int32_t left =
      p.X <= FDesktop.Width - m.PanelWidth - m.CursorOffset ? p.X + m.CursorOffset : p.X - m.PanelWidth;
  const int32_t top =
      p.Y <= FDesktop.Height - m.PanelHeight - m.CursorOffset ? p.Y + m.CursorOffset : p.Y - m.PanelHeight;
  return TRect::FromSize(left, top, m.PanelWidth, m.PanelHeight);
}

TRect TMagnifier::SourceRect(TPoint p) const {
  const TMagnifierMetrics& m = FMetrics;
  const TRect target{p.X - m.HalfWidth, p.Y - m.HalfHeight, p.X + m.HalfWidth, p.Y + m.HalfHeight};
  return TRect{std::max(target.Left + m.ShrinkX, 0), std::max(target.Top + m.ShrinkY, 0),
               std::min(target.Right - m.ShrinkX, FDesktop.Width),
               std::min(target.Bottom - m.ShrinkY, FDesktop.Height)};
}

std::vector<TRect> TMagnifier::Update(TPoint p) {
  std::vector<TRect> dirty;
  const TRect next = PanelRect(p);
  if (FVisible && next == FPanel) return dirty;
  if (FVisible) dirty.push_back(FPanel);
  dirty.push_back(next);
  FPanel = next;
  FVisible = true;
  return dirty;
}

std::vector<TRect> TMagnifier::Hide() {
  if (!FVisible) return {};
  FVisible = false;
  return {FPanel};
}

void StretchNearest(const TConstImageView& source, const TRect& r, const TImageView& target) {
  if (target.IsEmpty()) return;
  const TRect from = r.Intersect(TRect{0, 0, source.Width, source.Height});
  if (from.IsEmpty() || source.IsEmpty()) {
    FillRects(target, {TRect{0, 0, target.Width, target.Height}}, TBgra{0, 0, 0, 255});
    return;
  }
  const int64_t w = from.Width(), h = from.Height();
  std::vector<int32_t> columns(size_t(target.Width));
  for (int32_t x = 0; x < target.Width; ++x) columns[size_t(x)] = from.Left + int32_t(x * w / target.Width);
  for (int32_t y = 0; y < target.Height; ++y) {
    const TBgra* in = source.Row(from.Top + int32_t(y * h / target.Height));
    TBgra* out = target.Row(y);
    for (int32_t x = 0; x < target.Width; ++x) out[x] = in[columns[size_t(x)]];
  }
}

void TMagnifier::Render(const TConstImageView& screen, TPoint p, const TImageView& target) const {
  StretchNearest(screen, SourceRect(p), target);
  const TMagnifierMetrics& m = FMetrics;
  const int32_t pen = m.PenWidth, w = m.ImageWidth, h = m.ImageHeight;
  // A pen of width 2 on line c covers c - 1 and c; the parts outside the image are clipped.
  auto horizontal = [&](int32_t y) { return TRect{0, y - pen / 2, w, y - pen / 2 + pen}; };
  auto vertical = [&](int32_t x) { return TRect{x - pen / 2, 0, x - pen / 2 + pen, h}; };
  FillRects(target,
            {horizontal(m.HalfHeight), vertical(m.HalfWidth), horizontal(0), vertical(w), horizontal(h), vertical(0)},
            AccentBgra);
}

std::u16string MagnifierSizeText(std::u16string_view sizeWord, int32_t width, int32_t height) {
  return std::u16string(sizeWord) + u" (" + IntToText(width) + u" x " + IntToText(height) + u")";
}

std::u16string MagnifierRgbText(const TConstImageView& screen, TPoint p) {
  TBgra pixel{};
  if (!screen.IsEmpty() && TRect{0, 0, screen.Width, screen.Height}.Contains(p)) pixel = screen.At(p.X, p.Y);
  return u"RGB: (" + IntToText(pixel.R) + u"," + IntToText(pixel.G) + u"," + IntToText(pixel.B) + u")";
}

}  // namespace qor
