#include "CommonLib/RdControl/win/RdDialogPictures.h"

#include <algorithm>
#include <cmath>

namespace qor {

namespace {

constexpr int32_t CheckBoxSize = 14;  // the box glyph at scale 1

struct TColorA {
  float R = 0, G = 0, B = 0, A = 0;  // 0..255, straight
};

TColorA Opaque(uint32_t colorRef) {
  return {float(colorRef & 0xFF), float((colorRef >> 8) & 0xFF), float((colorRef >> 16) & 0xFF), 255.0f};
}

// Inside a rectangle with rounded corners (continuous coordinates).
bool InRoundRect(float x, float y, float left, float top, float right, float bottom, float radius) {
  if (x < left || x >= right || y < top || y >= bottom) return false;
  const float dx = std::max({left + radius - x, 0.0f, x - (right - radius)});
  const float dy = std::max({top + radius - y, 0.0f, y - (bottom - radius)});
  return dx * dx + dy * dy <= radius * radius;
}

float SegmentDistance(float x, float y, float ax, float ay, float bx, float by) {
  const float vx = bx - ax, vy = by - ay;
  const float t = std::clamp(((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy), 0.0f, 1.0f);
  const float dx = x - (ax + t * vx), dy = y - (ay + t * vy);
  return std::sqrt(dx * dx + dy * dy);
}

// A picture of the given size whose colour at a point is shade(x, y) (straight alpha), anti-aliased by 4 x 4
// samples per pixel, so it looks the same under every GDI+.
template <typename TShade>
TImage Rasterize(TSize size, TShade shade) {
  TImage image(size.Width, size.Height);
  constexpr int N = 4;
  for (int32_t y = 0; y < size.Height; ++y)
    for (int32_t x = 0; x < size.Width; ++x) {
      float r = 0, g = 0, b = 0, a = 0;  // premultiplied sums
      for (int sy = 0; sy < N; ++sy)
        for (int sx = 0; sx < N; ++sx) {
          const TColorA c = shade(x + (sx + 0.5f) / N, y + (sy + 0.5f) / N);
          r += c.R * c.A, g += c.G * c.A, b += c.B * c.A, a += c.A;
        }
      TBgra& p = image.View().At(x, y);
      if (a > 0) {
        p = TBgra{uint8_t(std::lround(b / a)), uint8_t(std::lround(g / a)), uint8_t(std::lround(r / a)),
                  uint8_t(std::lround(a / (N * N)))};
      }
    }
  return image;
}

// The check box glyph: a rounded box, outlined when unticked, filled with the accent and a white tick when ticked.
TImage CheckBoxPicture(int32_t k, bool checked, bool hover) {
  const float s = float(CheckBoxSize * k), radius = 3.0f * k, line = 1.0f * k;
  const TColorA border = hover ? Opaque(AccentColor) : Opaque(0x8C8C8C);
  const TColorA inside = Opaque(0x1C1C1C);
  const TColorA fill = hover ? Opaque(0xFF8C4D) : Opaque(AccentColor);
  const TColorA white = Opaque(0xFFFFFF);
  return Rasterize({CheckBoxSize * k, CheckBoxSize * k}, [=](float x, float y) -> TColorA {
    if (!InRoundRect(x, y, 0, 0, s, s, radius)) return {};
    if (!checked) return InRoundRect(x, y, line, line, s - line, s - line, radius - line) ? inside : border;
    const float d = std::min(SegmentDistance(x, y, 0.24f * s, 0.52f * s, 0.42f * s, 0.70f * s),
                             SegmentDistance(x, y, 0.42f * s, 0.70f * s, 0.77f * s, 0.32f * s));
    return d <= 0.085f * s ? white : fill;
  });
}

// The gray OK button: a rounded face with a slightly lighter rim.
TImage GrayButtonPicture(TSize size, int32_t k, uint32_t face, uint32_t rim) {
  const float w = float(size.Width), h = float(size.Height), radius = 4.0f * k, line = 1.0f * k;
  const TColorA faceColor = Opaque(face), rimColor = Opaque(rim);
  return Rasterize(size, [=](float x, float y) -> TColorA {
    if (!InRoundRect(x, y, 0, 0, w, h, radius)) return {};
    return InRoundRect(x, y, line, line, w - line, h - line, radius - line) ? faceColor : rimColor;
  });
}

}  // namespace

TRdDialogPictureSource::TRdDialogPictureSource(TScale scale, TSize grayButton) : FPlain(scale) {
  const int32_t k = std::max<int32_t>(1, scale(1));  // the check box pictures grow by whole pixels
  auto add = [&](std::u16string_view name, const TImage& image) {
    FOwn.Add(std::u16string(name), std::make_unique<TRdBitmapPicture>(image.View()));
  };
  add(CheckedNormalPicture, CheckBoxPicture(k, true, false));
  add(CheckedOverPicture, CheckBoxPicture(k, true, true));
  add(UncheckedNormalPicture, CheckBoxPicture(k, false, false));
  add(UncheckedOverPicture, CheckBoxPicture(k, false, true));
  add(GrayNormalPicture, GrayButtonPicture(grayButton, k, 0x484848, 0x5A5A5A));
  add(GrayOverPicture, GrayButtonPicture(grayButton, k, 0x5E5E5E, 0x767676));
  add(GrayPressPicture, GrayButtonPicture(grayButton, k, 0x363636, 0x484848));
}

const TRdPicture* TRdDialogPictureSource::Find(std::u16string_view name) const {
  if (const TRdPicture* own = FOwn.Find(name)) return own;
  return FPlain.Find(name);
}

TRdFont DialogFont(int32_t height, uint32_t color) {
  TRdFont font;
  font.Name = u"Segoe UI";
  font.Height = height;
  font.Color = color;
  return font;
}

void SetupCheckBox(TRdImageButton& check, const TRdFont& font, bool checked) {
  check.ShowCheckBox = true;
  check.Font = font;
  check.Colors.FontHoverColor = 0xFFFFFF;
  check.Colors.FontDownColor = 0xFFFFFF;
  check.ButtonCaptionAlignment = TAlignment::taLeftJustify;
  check.IconAlign = TAlignment::taLeftJustify;
  check.IconOffset = 0;
  check.TextOffset = 0;
  check.SetChecked(checked);
  SetCheckBoxIcons(check);
}

void SetCheckBoxIcons(TRdImageButton& check) {
  const bool checked = check.Checked();
  check.DnIcons.NormalIcon = std::u16string(checked ? CheckedNormalPicture : UncheckedNormalPicture);
  check.DnIcons.HoverIcon = std::u16string(checked ? CheckedOverPicture : UncheckedOverPicture);
  check.DnIcons.DownIcon = check.DnIcons.HoverIcon;
  check.Invalidate();
}

void SetGrayButtonPictures(TRdImageButton& button) {
  button.SetImageNormal(std::u16string(GrayNormalPicture));
  button.SetImageOver(std::u16string(GrayOverPicture));
  button.SetImageDown(std::u16string(GrayPressPicture));
}

}  // namespace qor
