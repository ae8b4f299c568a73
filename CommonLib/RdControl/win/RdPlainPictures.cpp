#include "CommonLib/RdControl/win/RdPlainPictures.h"

// clang-format off
#include <objidl.h>  // before gdiplus.h: lean Windows headers leave it out
#include <gdiplus.h>
// clang-format on

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

#include "CommonLib/RdControl/RdPictureNames.h"
#include "CommonLib/RdControl/win/GdiplusSession.h"
#include "base/PixelOps.h"
#include "base/win/DibImage.h"
#include "base/win/UniqueHandle.h"

namespace qor {

namespace {

using Gdiplus::Color;
using Gdiplus::Graphics;
using Gdiplus::GraphicsPath;
using Gdiplus::Pen;
using Gdiplus::PointF;
using Gdiplus::RectF;
using Gdiplus::SolidBrush;

Color Argb(uint32_t colorRef, uint8_t alpha = 255) {
  return Color(alpha, BYTE(colorRef & 0xFF), BYTE((colorRef >> 8) & 0xFF), BYTE((colorRef >> 16) & 0xFF));
}

// The accent colour and the lighter shade the selected glyphs use for contrast on the dark toolbar.
const Color AccentArgb = Argb(AccentColor);
const Color SelectedGlyphArgb = Argb(0xFF8A4D);  // RGB(0x4D, 0x8A, 0xFF)
const Color SelectedBackArgb = Argb(AccentColor, 0x40);

// A drawing call in the coordinates of a 20 x 20 design grid; the pen and brush are the glyph's colour.
using TGlyphDraw = void (*)(Graphics& g, Pen& pen, SolidBrush& brush);

void AddRoundRect(GraphicsPath& path, const RectF& r, float radius) {
  const float d = radius * 2;
  path.AddArc(r.X, r.Y, d, d, 180, 90);
  path.AddArc(r.X + r.Width - d, r.Y, d, d, 270, 90);
  path.AddArc(r.X + r.Width - d, r.Y + r.Height - d, d, d, 0, 90);
  path.AddArc(r.X, r.Y + r.Height - d, d, d, 90, 90);
  path.CloseFigure();
}

void FillRoundRect(Graphics& g, const RectF& r, float radius, const Color& color) {
  GraphicsPath path;
  AddRoundRect(path, r, radius);
  SolidBrush brush(color);
  g.FillPath(&brush, &path);
}

void Polyline(Graphics& g, Pen& pen, std::initializer_list<PointF> points) {
  g.DrawLines(&pen, points.begin(), INT(points.size()));
}

// The glyphs. Strokes are 2 grid units wide (2 pixels at 1x) and lie on whole units, so straight edges stay crisp.
void GlyphRectangle(Graphics& g, Pen& pen, SolidBrush&) { g.DrawRectangle(&pen, 3.0f, 4.0f, 14.0f, 12.0f); }
void GlyphEllipse(Graphics& g, Pen& pen, SolidBrush&) { g.DrawEllipse(&pen, 2.5f, 4.0f, 15.0f, 12.0f); }
void GlyphLine(Graphics& g, Pen& pen, SolidBrush&) { g.DrawLine(&pen, 4.0f, 16.0f, 16.0f, 4.0f); }
void GlyphArrow(Graphics& g, Pen& pen, SolidBrush& brush) {
  g.DrawLine(&pen, 4.0f, 16.0f, 12.0f, 8.0f);
  const PointF head[] = {{17.0f, 3.0f}, {14.9f, 11.0f}, {9.0f, 5.1f}};
  g.FillPolygon(&brush, head, 3);
}
void GlyphBrush(Graphics& g, Pen& pen, SolidBrush&) {
  const PointF body[] = {{13.0f, 3.0f}, {17.0f, 7.0f}, {8.0f, 16.0f}, {3.0f, 17.0f}, {4.0f, 12.0f}};
  g.DrawPolygon(&pen, body, 5);
  g.DrawLine(&pen, 11.0f, 5.0f, 15.0f, 9.0f);
}
void GlyphMosaic(Graphics& g, Pen&, SolidBrush& brush) {
  Color full;
  brush.GetColor(&full);
  SolidBrush faint(Color(BYTE(full.GetA() * 0.35), full.GetR(), full.GetG(), full.GetB()));
  for (int row = 0; row < 4; ++row)
    for (int col = 0; col < 4; ++col)
      g.FillRectangle((row + col) % 2 ? &faint : &brush, 2.0f + col * 4.0f, 2.0f + row * 4.0f, 4.0f, 4.0f);
}
void GlyphText(Graphics& g, Pen& pen, SolidBrush&) {
  g.DrawLine(&pen, 4.0f, 4.0f, 16.0f, 4.0f);
  g.DrawLine(&pen, 10.0f, 4.0f, 10.0f, 17.0f);
  g.DrawLine(&pen, 4.0f, 4.0f, 4.0f, 6.5f);
  g.DrawLine(&pen, 16.0f, 4.0f, 16.0f, 6.5f);
}
void GlyphUndo(Graphics& g, Pen& pen, SolidBrush&) {
  GraphicsPath path;
  path.AddLine(4.0f, 8.0f, 12.0f, 8.0f);
  path.AddArc(8.0f, 8.0f, 8.5f, 8.5f, -90.0f, 180.0f);
  path.AddLine(12.25f, 16.5f, 7.0f, 16.5f);
  g.DrawPath(&pen, &path);
  Polyline(g, pen, {{7.5f, 4.5f}, {4.0f, 8.0f}, {7.5f, 11.5f}});
}
void GlyphExit(Graphics& g, Pen& pen, SolidBrush&) {
  g.DrawLine(&pen, 5.0f, 5.0f, 15.0f, 15.0f);
  g.DrawLine(&pen, 15.0f, 5.0f, 5.0f, 15.0f);
}
void GlyphScroll(Graphics& g, Pen& pen, SolidBrush&) {
  g.DrawLine(&pen, 3.0f, 3.0f, 17.0f, 3.0f);
  Polyline(g, pen, {{5.0f, 7.5f}, {10.0f, 12.0f}, {15.0f, 7.5f}});
  Polyline(g, pen, {{5.0f, 12.5f}, {10.0f, 17.0f}, {15.0f, 12.5f}});
}
void GlyphPin(Graphics& g, Pen& pen, SolidBrush&) {
  const PointF body[] = {{8.0f, 3.0f}, {12.0f, 3.0f}, {12.0f, 8.5f}, {15.0f, 12.0f}, {5.0f, 12.0f}, {8.0f, 8.5f}};
  g.DrawPolygon(&pen, body, 6);
  g.DrawLine(&pen, 6.0f, 3.0f, 14.0f, 3.0f);
  g.DrawLine(&pen, 10.0f, 12.0f, 10.0f, 18.0f);
}
void GlyphCopy(Graphics& g, Pen& pen, SolidBrush&) {
  Polyline(g, pen, {{3.0f, 13.0f}, {3.0f, 3.0f}, {13.0f, 3.0f}});
  GraphicsPath front;
  AddRoundRect(front, RectF(7.0f, 7.0f, 10.0f, 10.0f), 1.5f);
  g.DrawPath(&pen, &front);
}
void GlyphSave(Graphics& g, Pen& pen, SolidBrush&) {
  g.DrawLine(&pen, 10.0f, 2.5f, 10.0f, 12.0f);
  Polyline(g, pen, {{6.0f, 8.5f}, {10.0f, 12.5f}, {14.0f, 8.5f}});
  Polyline(g, pen, {{3.0f, 12.0f}, {3.0f, 17.0f}, {17.0f, 17.0f}, {17.0f, 12.0f}});
}
void GlyphPlus(Graphics& g, Pen& pen, SolidBrush&) {
  g.DrawLine(&pen, 5.0f, 10.0f, 15.0f, 10.0f);
  g.DrawLine(&pen, 10.0f, 5.0f, 10.0f, 15.0f);
}
void GlyphMinus(Graphics& g, Pen& pen, SolidBrush&) { g.DrawLine(&pen, 5.0f, 10.0f, 15.0f, 10.0f); }
void GlyphDropdown(Graphics& g, Pen& pen, SolidBrush&) {
  Polyline(g, pen, {{5.0f, 8.0f}, {10.0f, 13.0f}, {15.0f, 8.0f}});
}

// Pictures are rendered once per size with 4 x 4 supersampling (GDI+ without its own anti-aliasing, so the result
// is the same wherever GDI+ comes from) into premultiplied BGRA, then blended onto the target.
constexpr int32_t Supersample = 4;

using TDraw = std::function<void(Graphics&, const TRect&)>;

TImage RenderSupersampled(TSize size, const TDraw& draw) {
  TImage out(size.Width, size.Height);  // transparent
  if (size.Width <= 0 || size.Height <= 0 || !EnsureGdiplus()) return out;
  const int32_t w = size.Width * Supersample, h = size.Height * Supersample;
  Gdiplus::Bitmap big(w, h, PixelFormat32bppARGB);
  {
    Graphics g(&big);
    g.Clear(Color(0, 0, 0, 0));
    g.SetSmoothingMode(Gdiplus::SmoothingModeNone);
    g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    g.ScaleTransform(float(Supersample), float(Supersample));
    draw(g, TRect::FromSize(0, 0, size.Width, size.Height));
  }
  Gdiplus::BitmapData data{};
  Gdiplus::Rect all(0, 0, w, h);
  if (big.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) != Gdiplus::Ok) return out;
  constexpr uint32_t samples = Supersample * Supersample;
  for (int32_t y = 0; y < size.Height; ++y)
    for (int32_t x = 0; x < size.Width; ++x) {
      uint32_t b = 0, g = 0, r = 0, a = 0;
      for (int32_t sy = 0; sy < Supersample; ++sy) {
        const uint8_t* row = static_cast<const uint8_t*>(data.Scan0) + ptrdiff_t(data.Stride) * (y * Supersample + sy);
        for (int32_t sx = 0; sx < Supersample; ++sx) {
          const uint8_t* p = row + (x * Supersample + sx) * 4;
          b += p[0] * p[3];
          g += p[1] * p[3];
          r += p[2] * p[3];
          a += p[3];
        }
      }
      out.View().At(x, y) =
          TBgra{uint8_t((b / 255 + samples / 2) / samples), uint8_t((g / 255 + samples / 2) / samples),
                uint8_t((r / 255 + samples / 2) / samples), uint8_t((a + samples / 2) / samples)};
    }
  big.UnlockBits(&data);
  return out;
}

// Premultiplied source over the target's opaque pixels, inside the clip.
void BlendOnto(const TConstImageView& source, const TRdDrawTarget& target, const TRect& dest) {
  if (target.Pixels.IsEmpty()) {  // no pixels to reach: let GDI blend
    TDibImage dib;
    if (!dib.Create(source.Width, source.Height)) return;
    CopyPixels(source, dib.View());
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::AlphaBlend(target.Dc, dest.Left, dest.Top, dest.Width(), dest.Height(), dib.Dc(), 0, 0, source.Width,
                 source.Height, blend);
    return;
  }
  TRect area = dest.Intersect(TRect::FromSize(0, 0, target.Pixels.Width, target.Pixels.Height));
  if (!target.Clip.IsEmpty()) area = area.Intersect(target.Clip);
  for (int32_t y = area.Top; y < area.Bottom; ++y) {
    const TBgra* from = source.Row(y - dest.Top);
    TBgra* to = target.Pixels.Row(y);
    for (int32_t x = area.Left; x < area.Right; ++x) {
      const TBgra s = from[x - dest.Left];
      if (s.A == 0) continue;
      TBgra& d = to[x];
      const uint32_t keep = 255 - s.A;
      d = TBgra{uint8_t(s.B + (d.B * keep + 127) / 255), uint8_t(s.G + (d.G * keep + 127) / 255),
                uint8_t(s.R + (d.R * keep + 127) / 255), 255};
    }
  }
}

// Draws a glyph centred in dest at the given grid unit (pixels per grid unit).
void DrawGlyph(Graphics& g, TGlyphDraw glyph, const TRect& dest, float unit, const Color& color) {
  const float box = 20.0f * unit;
  const float left = std::floor(dest.Left + (dest.Width() - box) / 2.0f + 0.5f);
  const float top = std::floor(dest.Top + (dest.Height() - box) / 2.0f + 0.5f);
  const Gdiplus::GraphicsState saved = g.Save();
  g.TranslateTransform(left, top);
  g.ScaleTransform(unit, unit);
  Pen pen(color, 2.0f);
  pen.SetLineJoin(Gdiplus::LineJoinRound);
  pen.SetStartCap(Gdiplus::LineCapRound);
  pen.SetEndCap(Gdiplus::LineCapRound);
  SolidBrush brush(color);
  glyph(g, pen, brush);
  g.Restore(saved);
}

// The grid unit for a glyph filling about two thirds of a tool button, or most of an icon.
float ToolUnit(const TRect& dest) {
  const int32_t side = std::min(dest.Width(), dest.Height());
  return side >= 24 ? std::max(1.0f, std::floor(side / 30.0f * 2.0f) / 2.0f) : side / 24.0f;
}
// Icons keep whole units (the glyphs stay inside 16 of the 20 grid units).
float IconUnit(const TRect& dest) {
  const int32_t side = std::min(dest.Width(), dest.Height());
  return side >= 16 ? std::floor(side / 16.0f) : side / 20.0f;
}

class TPlainPicture : public TRdPicture {
 public:
  TPlainPicture(TSize size, TDraw draw) : FSize(size), FDraw(std::move(draw)) {}
  TSize Size() const override { return FSize; }
  void Draw(const TRdDrawTarget& target, const TRect& dest, const TRdDesignRect&) const override {
    if (dest.IsEmpty()) return;
    auto key = std::make_pair(dest.Width(), dest.Height());
    auto found = FCache.find(key);
    if (found == FCache.end())
      found = FCache.emplace(key, RenderSupersampled({dest.Width(), dest.Height()}, FDraw)).first;
    BlendOnto(found->second.View(), target, dest);
  }

 private:
  TSize FSize;
  TDraw FDraw;
  mutable std::map<std::pair<int32_t, int32_t>, TImage> FCache;  // rendered once per size (user-interface thread)
};

// Caption pictures ("Copy", "Save"): GDI text, white, centred.
class TWordPicture : public TRdPicture {
 public:
  TWordPicture(TSize size, std::wstring text, int32_t fontHeight, uint8_t alpha)
      : FSize(size), FText(std::move(text)), FFontHeight(fontHeight), FAlpha(alpha) {}
  TSize Size() const override { return FSize; }
  void Draw(const TRdDrawTarget& target, const TRect& dest, const TRdDesignRect&) const override {
    TGdiObject font(::CreateFontW(-FFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                  DEFAULT_PITCH | FF_SWISS, L"Segoe UI"));
    TSelectScope select(target.Dc, font.Get());
    ::SetBkMode(target.Dc, TRANSPARENT);
    const BYTE v = FAlpha;
    ::SetTextColor(target.Dc, RGB(v, v, v));
    RECT rc{dest.Left, dest.Top, dest.Right, dest.Bottom};
    ::DrawTextW(target.Dc, FText.c_str(), int(FText.size()), &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }

 private:
  TSize FSize;
  std::wstring FText;
  int32_t FFontHeight;
  uint8_t FAlpha;
};

struct TToolGlyph {
  std::u16string_view Tool;
  TGlyphDraw Draw;
};

const TToolGlyph ToolGlyphs[] = {{u"rectangle", GlyphRectangle}, {u"ellipse", GlyphEllipse}, {u"line", GlyphLine},
                                 {u"arrow", GlyphArrow},         {u"brush", GlyphBrush},     {u"mosaic", GlyphMosaic},
                                 {u"text", GlyphText},           {u"undo", GlyphUndo},       {u"delete", GlyphExit},
                                 {u"scroll", GlyphScroll},       {u"pin", GlyphPin},         {u"plus", GlyphPlus},
                                 {u"minus", GlyphMinus}};

struct TPenWidthPicture {
  std::u16string_view Name;
  int32_t Thickness;  // pixels at 1x
};
const TPenWidthPicture PenWidthPictures[] = {
    {u"images/wireframe_light.png", 1}, {u"images/wireframe_semibold.png", 3}, {u"images/wireframe_bold.png", 5}};

}  // namespace

TRdPlainPictureSource::TRdPlainPictureSource(TScale scale) {
  const TSize tool{scale(30), scale(30)}, icon{scale(16), scale(16)};

  // Tool buttons: the glyph on a rounded background that shows the state.
  for (const TToolGlyph& t : ToolGlyphs) {
    const TGlyphDraw glyph = t.Draw;
    auto add = [&](std::u16string_view state, Color back, Color fore) {
      Add(ToolPictureName(t.Tool, state),
          std::make_unique<TPlainPicture>(tool, [glyph, back, fore](Graphics& g, const TRect& dest) {
            const float unit = ToolUnit(dest);
            if (back.GetA() != 0)
              FillRoundRect(g, RectF(float(dest.Left), float(dest.Top), float(dest.Width()), float(dest.Height())),
                            3.0f * std::max(1.0f, unit), back);
            DrawGlyph(g, glyph, dest, unit, fore);
          }));
    };
    add(u"normal", Color(0, 0, 0, 0), Argb(PlainGlyphColor));
    add(u"over", Argb(PlainHoverBackColor), Argb(0xFFFFFF));
    add(u"press", Argb(PlainPressBackColor), Argb(0xFFFFFF, 0xD0));
    add(u"selected", SelectedBackArgb, SelectedGlyphArgb);
    add(u"disable", Color(0, 0, 0, 0), Argb(PlainGlyphColor, 0x55));
  }

  // Pen width icons: a short bar as thick as the pen it stands for, on the flat button backgrounds.
  for (const TPenWidthPicture& p : PenWidthPictures) {
    const int32_t thickness = p.Thickness;
    Add(std::u16string(p.Name),
        std::make_unique<TPlainPicture>(TSize{scale(20), scale(20)}, [thickness](Graphics& g, const TRect& d) {
          const int32_t k = std::max(1, d.Height() / 20);
          const int32_t height = thickness * k, width = 16 * k;
          SolidBrush brush(Argb(PlainGlyphColor));
          g.FillRectangle(&brush, d.Left + (d.Width() - width) / 2, d.Top + (d.Height() - height) / 2, width, height);
        }));
  }
  auto flat = [&](std::u16string_view name, Color back) {
    Add(std::u16string(name), std::make_unique<TPlainPicture>(tool, [back](Graphics& g, const TRect& d) {
          FillRoundRect(g, RectF(float(d.Left), float(d.Top), float(d.Width()), float(d.Height())),
                        3.0f * std::max(1.0f, ToolUnit(d)), back);
        }));
  };
  flat(FlatButtonOver, Argb(PlainHoverBackColor));
  flat(FlatButtonPress, Argb(PlainPressBackColor));
  flat(FlatButtonSelected, SelectedBackArgb);

  // Blue text buttons: an accent pill inset so that two buttons overlapping by 4 pixels keep a gap.
  auto blue = [&](std::u16string_view name, Color fill) {
    Add(std::u16string(name),
        std::make_unique<TPlainPicture>(TSize{scale(89), scale(40)}, [fill](Graphics& g, const TRect& dest) {
          const float s = std::max(1.0f, dest.Height() / 40.0f);
          const RectF r(dest.Left + 4 * s, dest.Top + 5 * s, dest.Width() - 8 * s, dest.Height() - 10 * s);
          if (r.Width > 0 && r.Height > 0) FillRoundRect(g, r, 4 * s, fill);
        }));
  };
  blue(u"images/btn_blue_small_normal.png", AccentArgb);
  blue(u"images/btn_blue_small_over.png", Argb(0xFF8C4D));   // RGB(0x4D, 0x8C, 0xFF)
  blue(u"images/btn_blue_small_press.png", Argb(0xD6622A));  // RGB(0x2A, 0x62, 0xD6)

  // White icons of the blue buttons and the drop-down.
  auto whiteIcon = [&](std::u16string name, TGlyphDraw glyph, uint8_t alpha) {
    Add(std::move(name), std::make_unique<TPlainPicture>(icon, [glyph, alpha](Graphics& g, const TRect& dest) {
          DrawGlyph(g, glyph, dest, IconUnit(dest), Argb(0xFFFFFF, alpha));
        }));
  };
  whiteIcon(ToolPictureName(u"saveas", u"normal"), GlyphCopy, 0xFF);
  whiteIcon(ToolPictureName(u"saveas", u"press"), GlyphCopy, 0xD0);
  whiteIcon(ToolPictureName(u"save", u"normal"), GlyphSave, 0xFF);
  whiteIcon(ToolPictureName(u"save", u"press"), GlyphSave, 0xD0);
  whiteIcon(ToolPictureName(u"dropdown", u"normal"), GlyphDropdown, 0xFF);
  whiteIcon(ToolPictureName(u"dropdown", u"press"), GlyphDropdown, 0xD0);

  // Caption pictures.
  Add(WordPictureName(u"copy", false),
      std::make_unique<TWordPicture>(TSize{scale(33), scale(18)}, L"Copy", scale(13), 0xFF));
  Add(WordPictureName(u"copy", true),
      std::make_unique<TWordPicture>(TSize{scale(33), scale(18)}, L"Copy", scale(13), 0xD8));
  Add(WordPictureName(u"save", false),
      std::make_unique<TWordPicture>(TSize{scale(30), scale(18)}, L"Save", scale(13), 0xFF));
  Add(WordPictureName(u"save", true),
      std::make_unique<TWordPicture>(TSize{scale(30), scale(18)}, L"Save", scale(13), 0xD8));

  // Slider: a slim rounded track, its selected part in the accent colour, and a round white thumb with a faint
  // dark ring that keeps its edge on a light track.
  auto track = [&](std::u16string_view name, Color fill) {
    Add(std::u16string(name),
        std::make_unique<TPlainPicture>(TSize{scale(100), scale(4)}, [fill](Graphics& g, const TRect& d) {
          const float radius = std::min(d.Width(), d.Height()) / 2.0f;
          if (radius > 0)
            FillRoundRect(g, RectF(float(d.Left), float(d.Top), float(d.Width()), float(d.Height())), radius, fill);
        }));
  };
  track(SliderRuler, Argb(PlainSliderTrackColor));
  track(SliderRulerSelect, AccentArgb);
  Add(std::u16string(SliderThumb),
      std::make_unique<TPlainPicture>(TSize{scale(14), scale(14)}, [](Graphics& g, const TRect& d) {
        const float side = float(std::min(d.Width(), d.Height()));
        const float left = d.Left + (d.Width() - side) / 2, top = d.Top + (d.Height() - side) / 2;
        SolidBrush ring(Argb(0x000000, 0x50));
        g.FillEllipse(&ring, left, top, side, side);
        const float inset = std::max(1.0f, side / 14.0f);
        SolidBrush white(Argb(0xFFFFFF));
        g.FillEllipse(&white, left + inset, top + inset, side - 2 * inset, side - 2 * inset);
      }));

  // Combo box: a rounded box with a chevron in the arrow's part on the right (two thirds of the height wide, as the
  // box keeps clear of text); the focused box has an accent frame.
  auto combo = [&](std::u16string_view state, uint32_t fill, uint32_t frame, uint8_t arrowAlpha) {
    Add(ComboBoxPictureName(state),
        std::make_unique<TPlainPicture>(TSize{scale(64), scale(36)}, [=](Graphics& g, const TRect& d) {
          const float s = std::max(1.0f, d.Height() / 36.0f);
          const RectF box(d.Left + 0.5f * s, d.Top + 4 * s, d.Width() - 1 * s, d.Height() - 8 * s);
          if (box.Width <= 0 || box.Height <= 0) return;
          FillRoundRect(g, box, 3 * s, Argb(frame));
          FillRoundRect(g, RectF(box.X + s, box.Y + s, box.Width - 2 * s, box.Height - 2 * s), 2 * s, Argb(fill));
          const int32_t arrow = d.Height() * 2 / 3;
          DrawGlyph(g, GlyphDropdown,
                    TRect{d.Right - arrow - int32_t(2 * s), d.Top, d.Right - int32_t(2 * s), d.Bottom},
                    std::max(0.5f, arrow / 24.0f), Argb(PlainGlyphColor, arrowAlpha));
        }));
  };
  combo(u"normal", PlainComboFillColor, PlainComboFrameColor, 0xFF);
  combo(u"hot", PlainHoverBackColor, 0x5A5A5A, 0xFF);
  combo(u"press", PlainPressBackColor, 0x5A5A5A, 0xFF);
  combo(u"focus", PlainComboFillColor, AccentColor, 0xFF);
  combo(u"disable", DarkPanelColor, PlainComboFrameColor, 0x55);

  // Divider and window background.
  Add(u"images/cutline_a.png",
      std::make_unique<TPlainPicture>(TSize{scale(1), scale(20)}, [](Graphics& g, const TRect& d) {
        SolidBrush brush(Argb(PlainDividerColor));
        g.FillRectangle(&brush, d.Left, d.Top, d.Width(), d.Height());
      }));
  Add(u"images/bg_window.png",
      std::make_unique<TPlainPicture>(TSize{scale(20), scale(20)}, [](Graphics& g, const TRect& d) {
        SolidBrush fill(Argb(DarkPanelColor));
        g.FillRectangle(&fill, d.Left, d.Top, d.Width(), d.Height());
        Pen border(Argb(PlainWindowBorderColor), 1.0f);
        g.DrawRectangle(&border, d.Left + 0.5f, d.Top + 0.5f, d.Width() - 1.0f, d.Height() - 1.0f);
      }));
}

}  // namespace qor
