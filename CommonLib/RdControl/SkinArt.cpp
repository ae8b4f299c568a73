#include "CommonLib/RdControl/SkinArt.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "CommonLib/RdControl/RdPictureNames.h"
#include "CommonLib/RdControl/SkinArtRaster.h"

namespace qor {

namespace {

// 0xRRGGBB as written in colour pickers, with alpha.
constexpr TBgra Rgb(uint32_t rgb, uint8_t alpha = 255) {
  return TBgra{uint8_t(rgb & 0xFF), uint8_t((rgb >> 8) & 0xFF), uint8_t((rgb >> 16) & 0xFF), alpha};
}
constexpr TBgra Ref(uint32_t colorRef, uint8_t alpha = 255) { return BgraFromColorRef(colorRef, alpha); }
constexpr TBgra WithAlpha(TBgra c, uint8_t alpha) { return {c.B, c.G, c.R, uint8_t(c.A * alpha / 255)}; }

const TBgra Accent = Ref(AccentColor);
const TBgra AccentLight = Rgb(0x4D8CFF);  // hovered accent, and the selected glyph on the dark toolbar
const TBgra AccentDark = Rgb(0x2A62D6);   // pressed accent
const TBgra White = Rgb(0xFFFFFF);

constexpr float GridSide = 20;  // the glyphs' design grid
constexpr float GlyphStroke = 2;
constexpr float ButtonRadius = 4;

TArtRect WholeRect(const TImageView& p) { return {0, 0, float(p.Width), float(p.Height)}; }

// Paints glyphs given in grid units onto a picture: origin is where grid (0, 0) lands, unit the pixels per unit.
class TGlyphPen {
 public:
  TGlyphPen(const TImageView& picture, TArtPoint origin, float unit, TBgra color)
      : FPicture(picture), FOrigin(origin), FUnit(unit), Color(color) {}

  // A pen for a 20-unit glyph centred in the picture, its origin on a whole pixel.
  static TGlyphPen Centred(const TImageView& picture, float unit, TBgra color) {
    const float box = GridSide * unit;
    return TGlyphPen(picture,
                     {std::floor((picture.Width - box) / 2 + 0.5f), std::floor((picture.Height - box) / 2 + 0.5f)},
                     unit, color);
  }

  TArtPoint At(TArtPoint p) const { return {FOrigin.X + p.X * FUnit, FOrigin.Y + p.Y * FUnit}; }
  std::vector<TArtPoint> At(std::vector<TArtPoint> points) const {
    for (TArtPoint& p : points) p = At(p);
    return points;
  }
  float Units(float v) const { return v * FUnit; }

  void Paint(const TArtShape& shape, TBgra color) const { FillShape(FPicture, shape, color); }
  void Paint(const TArtShape& shape) const { Paint(shape, Color); }

  void Line(std::vector<TArtPoint> points, bool closed = false, float width = GlyphStroke) const {
    Paint(StrokeShape(At(std::move(points)), Units(width), TArtCap::Round, closed));
  }
  void Fill(std::vector<TArtPoint> points) const { Paint(PolygonShape(At(std::move(points)))); }
  void Ellipse(TArtPoint centre, float rx, float ry) const { Line(EllipsePoints(centre, rx, ry), true); }
  void Frame(TArtRect r, float radius) const {
    Paint(RoundRectOutline(
        {At({r.Left, r.Top}).X, At({r.Left, r.Top}).Y, At({r.Right, r.Bottom}).X, At({r.Right, r.Bottom}).Y},
        Units(radius), Units(GlyphStroke)));
  }
  void Box(TArtRect r, TBgra color) const {
    const TArtPoint a = At({r.Left, r.Top}), b = At({r.Right, r.Bottom});
    Paint(RectShape({a.X, a.Y, b.X, b.Y}), color);
  }

 private:
  TImageView FPicture;
  TArtPoint FOrigin;
  float FUnit;

 public:
  TBgra Color;
};

std::vector<TArtPoint> Join(std::initializer_list<std::vector<TArtPoint>> parts) {
  std::vector<TArtPoint> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

using TGlyph = void (*)(const TGlyphPen& pen);

// The glyphs, on the 20-unit grid; strokes lie on whole units so straight edges stay crisp.
void GlyphRectangle(const TGlyphPen& pen) { pen.Frame({3, 4, 17, 16}, 2); }
void GlyphEllipse(const TGlyphPen& pen) { pen.Ellipse({10, 10}, 7, 6); }
void GlyphLine(const TGlyphPen& pen) { pen.Line({{4, 16}, {16, 4}}); }
void GlyphArrow(const TGlyphPen& pen) {
  pen.Line({{4, 16}, {11.5f, 8.5f}});
  pen.Fill({{17, 3}, {15, 11}, {9, 5}});
  pen.Line({{17, 3}, {15, 11}, {9, 5}}, true, 1);  // rounds the head's corners
}
void GlyphBrush(const TGlyphPen& pen) {
  pen.Line({{13, 3}, {17, 7}, {8, 16}, {3, 17}, {4, 12}}, true);
  pen.Line({{11, 5}, {15, 9}});
}
void GlyphMosaic(const TGlyphPen& pen) {
  for (int row = 0; row < 4; ++row)
    for (int col = 0; col < 4; ++col) {
      const float x = 2 + col * 4.0f, y = 2 + row * 4.0f;
      pen.Box({x, y, x + 4, y + 4}, (row + col) % 2 ? WithAlpha(pen.Color, 90) : pen.Color);
    }
}
void GlyphText(const TGlyphPen& pen) {
  pen.Line({{4, 6.5f}, {4, 4}, {16, 4}, {16, 6.5f}});
  pen.Line({{10, 4}, {10, 17}});
}
void GlyphUndo(const TGlyphPen& pen) {
  pen.Line(Join({{{4, 8}}, ArcPoints({12.25f, 12.25f}, 4.25f, 4.25f, -90, 180), {{7, 16.5f}}}));
  pen.Line({{7.5f, 4.5f}, {4, 8}, {7.5f, 11.5f}});
}
void GlyphExit(const TGlyphPen& pen) {
  pen.Line({{5, 5}, {15, 15}});
  pen.Line({{15, 5}, {5, 15}});
}
void GlyphScroll(const TGlyphPen& pen) {
  pen.Line({{3, 3}, {17, 3}});
  pen.Line({{5, 7.5f}, {10, 12}, {15, 7.5f}});
  pen.Line({{5, 12.5f}, {10, 17}, {15, 12.5f}});
}
void GlyphPin(const TGlyphPen& pen) {
  pen.Line({{8, 3}, {12, 3}, {12, 8.5f}, {15, 12}, {5, 12}, {8, 8.5f}}, true);
  pen.Line({{6, 3}, {14, 3}});
  pen.Line({{10, 12}, {10, 18}});
}
void GlyphPlus(const TGlyphPen& pen) {
  pen.Line({{5, 10}, {15, 10}});
  pen.Line({{10, 5}, {10, 15}});
}
void GlyphMinus(const TGlyphPen& pen) { pen.Line({{5, 10}, {15, 10}}); }
void GlyphCopy(const TGlyphPen& pen) {
  pen.Line({{3, 13}, {3, 3}, {13, 3}});
  pen.Frame({7, 7, 17, 17}, 1.5f);
}
void GlyphSave(const TGlyphPen& pen) {
  pen.Line({{10, 2.5f}, {10, 12}});
  pen.Line({{6, 8.5f}, {10, 12.5f}, {14, 8.5f}});
  pen.Line({{3, 12}, {3, 17}, {17, 17}, {17, 12}});
}
void GlyphDropdown(const TGlyphPen& pen) { pen.Line({{5, 8}, {10, 13}, {15, 8}}); }
// Crop marks around a dot: the launcher's capture button.
void GlyphCapture(const TGlyphPen& pen) {
  pen.Line({{3, 7}, {3, 3}, {7, 3}});
  pen.Line({{13, 3}, {17, 3}, {17, 7}});
  pen.Line({{17, 13}, {17, 17}, {13, 17}});
  pen.Line({{7, 17}, {3, 17}, {3, 13}});
  pen.Paint(CircleShape(pen.At({10, 10}), pen.Units(2)));
}

// Grid unit of a glyph filling two thirds of a tool button: whole or half pixels from 24 pixels up.
float ToolUnit(const TImageView& p) {
  const int32_t side = std::min(p.Width, p.Height);
  return side >= 24 ? std::max(1.0f, std::floor(side / 30.0f * 2.0f) / 2.0f) : side / 24.0f;
}
// Icons keep whole units; the glyphs stay inside 16 of the 20 units.
float IconUnit(const TImageView& p) {
  const int32_t side = std::min(p.Width, p.Height);
  return side >= 16 ? std::floor(side / 16.0f) : side / 20.0f;
}

void ButtonBack(const TImageView& p, float radius, TBgra color) {
  if (color.A != 0) FillShape(p, RoundRectShape(WholeRect(p), radius), color);
}

struct TToolLook {
  std::u16string_view State;
  TBgra Back;  // A = 0: none
  TBgra Glyph;
};
const TToolLook ToolLooks[] = {
    {u"normal", {}, Ref(SkinGlyphColor)},
    {u"over", Ref(SkinHoverBackColor), White},
    {u"press", Ref(SkinPressBackColor), WithAlpha(White, 0xD0)},
    {u"selected", WithAlpha(Accent, 0x48), AccentLight},
    {u"disable", {}, Ref(SkinGlyphColor, 0x55)},
};

struct TToolGlyph {
  std::u16string_view Tool;
  TGlyph Glyph;
};
const TToolGlyph ToolGlyphs[] = {{u"rectangle", GlyphRectangle}, {u"ellipse", GlyphEllipse}, {u"line", GlyphLine},
                                 {u"arrow", GlyphArrow},         {u"brush", GlyphBrush},     {u"mosaic", GlyphMosaic},
                                 {u"text", GlyphText},           {u"undo", GlyphUndo},       {u"delete", GlyphExit},
                                 {u"scroll", GlyphScroll},       {u"pin", GlyphPin},         {u"plus", GlyphPlus},
                                 {u"minus", GlyphMinus}};

// ---- Caption words, from line letters -------------------------------------------------------------------------
// Letters on a grid with the baseline at 0, x-height -7, cap height -9.5 and descenders to 3; each is drawn from
// its left ink edge and is Width units wide.
struct TLetter {
  char Char;
  float Width;
  void (*Draw)(const TGlyphPen& pen, float stroke);
};

void LetterC(const TGlyphPen& pen, float stroke) {
  pen.Line(ArcPoints({3.6f, -4.75f}, 3.6f, 4.75f, -45, -270), false, stroke);
}
void LetterO(const TGlyphPen& pen, float stroke) { pen.Line(EllipsePoints({2.9f, -3.5f}, 2.9f, 3.5f), true, stroke); }
void LetterP(const TGlyphPen& pen, float stroke) {
  pen.Line({{0, -7}, {0, 3}}, false, stroke);
  pen.Line(EllipsePoints({3.5f, -3.5f}, 3.1f, 3.5f), true, stroke);
}
void LetterY(const TGlyphPen& pen, float stroke) {
  pen.Line({{0, -7}, {2.9f, 0}}, false, stroke);
  pen.Line({{5.8f, -7}, {2.4f, 2}, {1.6f, 3}, {0.6f, 3}}, false, stroke);
}
void LetterS(const TGlyphPen& pen, float stroke) {
  pen.Line(Join({ArcPoints({2.8f, -7.1f}, 2.6f, 2.4f, -25, -245), ArcPoints({2.8f, -2.4f}, 2.8f, 2.4f, -90, 250)}),
           false, stroke);
}
void LetterA(const TGlyphPen& pen, float stroke) {
  pen.Line(EllipsePoints({2.7f, -3.5f}, 2.7f, 3.5f), true, stroke);
  pen.Line({{5.6f, -7}, {5.6f, 0}}, false, stroke);
}
void LetterV(const TGlyphPen& pen, float stroke) { pen.Line({{0, -7}, {2.9f, 0}, {5.8f, -7}}, false, stroke); }
void LetterE(const TGlyphPen& pen, float stroke) {
  pen.Line({{0.1f, -3.6f}, {5.6f, -3.6f}}, false, stroke);
  pen.Line(ArcPoints({2.8f, -3.5f}, 2.8f, 3.5f, 0, -315), false, stroke);
}

const TLetter Letters[] = {{'C', 6.2f, LetterC}, {'o', 5.8f, LetterO}, {'p', 6.6f, LetterP}, {'y', 5.8f, LetterY},
                           {'S', 5.6f, LetterS}, {'a', 5.6f, LetterA}, {'v', 5.8f, LetterV}, {'e', 5.6f, LetterE}};
constexpr float LetterStroke = 1.3f;
constexpr float LetterGap = 2.2f;  // from one letter's ink edge to the next one's

// A word, centred; a design height of 18 units at the picture's height, narrowed to fit its width.
void DrawWord(const TImageView& p, std::string_view word, TBgra color) {
  std::vector<const TLetter*> letters;
  float width = LetterStroke;
  for (char c : word)
    for (const TLetter& l : Letters)
      if (l.Char == c) letters.push_back(&l), width += l.Width + LetterGap;
  if (letters.empty()) return;
  width -= LetterGap;
  const float unit = std::min(p.Height / 18.0f, (p.Width - 1) / width);
  float x = (p.Width - width * unit) / 2 + LetterStroke * unit / 2;
  const float baseline = p.Height / 2.0f + 3.5f * unit;
  for (const TLetter* l : letters) {
    l->Draw(TGlyphPen(p, {x, baseline}, unit, color), LetterStroke);
    x += (l->Width + LetterGap) * unit;
  }
}

// ---- Pictures -------------------------------------------------------------------------------------------------

void DrawToolButton(const TImageView& p, TGlyph glyph, const TToolLook& look) {
  const float unit = ToolUnit(p);
  ButtonBack(p, ButtonRadius * std::max(1.0f, unit), look.Back);
  glyph(TGlyphPen::Centred(p, unit, look.Glyph));
}

void DrawIcon(const TImageView& p, TGlyph glyph, TBgra color) { glyph(TGlyphPen::Centred(p, IconUnit(p), color)); }

// The accent pill of Copy and Save, inset so that two buttons overlapping by 4 pixels keep a gap.
void DrawBlueButton(const TImageView& p, double scale, TBgra fill) {
  const float s = float(scale);
  const TArtRect r{4 * s, 5 * s, p.Width - 4 * s, p.Height - 5 * s};
  FillShape(p, RoundRectShape(r, ButtonRadius * s), fill);
}

// A bar as thick as the pen it stands for, with round ends; thickness in pixels at scale 1.
void DrawPenWidth(const TImageView& p, double scale, int32_t thickness) {
  const float k = float(std::max(1.0, std::floor(scale)));
  const float height = thickness * k, width = 16 * k;
  const float left = std::floor((p.Width - width) / 2), top = std::floor((p.Height - height) / 2);
  FillShape(p, RoundRectShape({left, top, left + width, top + height}, height / 2), Ref(SkinGlyphColor));
}

void DrawTrack(const TImageView& p, TBgra fill) {
  FillShape(p, RoundRectShape(WholeRect(p), std::min(p.Width, p.Height) / 2.0f), fill);
}

// A round white thumb with a faint dark ring that keeps its edge on a light track.
void DrawThumb(const TImageView& p, double scale) {
  const float side = float(std::min(p.Width, p.Height)), inset = std::max(1.0f, float(scale));
  const TArtPoint centre{p.Width / 2.0f, p.Height / 2.0f};
  FillShape(p, CircleShape(centre, side / 2), Rgb(0x000000, 0x50));
  FillShape(p, CircleShape(centre, side / 2 - inset), White);
}

// The closed combo box: a rounded box inset 4 from top and bottom, its chevron in the right 26 pixels (the
// box keeps text clear of them).
void DrawComboBox(const TImageView& p, double scale, uint32_t fill, TBgra frame, uint8_t arrowAlpha) {
  const float s = float(scale);
  const TArtRect box{0, 4 * s, float(p.Width), p.Height - 4 * s};
  if (box.IsEmpty()) return;
  FillShape(p, RoundRectShape(box, ButtonRadius * s), frame);
  FillShape(p, RoundRectShape({box.Left + s, box.Top + s, box.Right - s, box.Bottom - s}, (ButtonRadius - 1) * s),
            Ref(fill));
  const float unit = std::max(0.5f, p.Height * 2 / 3 / 24.0f);
  const TArtPoint origin{std::floor(p.Width - 2 * s - 24 * unit + 2 * unit), std::floor((p.Height - 20 * unit) / 2)};
  GlyphDropdown(TGlyphPen(p, origin, unit, Ref(SkinGlyphColor, arrowAlpha)));
}

// A flat window face with a one-pixel (times scale) border.
void DrawFramedFace(const TImageView& p, double scale, TBgra face, TBgra border, float radius) {
  const float s = float(scale);
  FillShape(p, RoundRectShape(WholeRect(p), radius * s), border);
  FillShape(p, RoundRectShape({s, s, p.Width - s, p.Height - s}, std::max(0.0f, radius - 1) * s), face);
}

// The check box: a rounded box, outlined when unticked, filled with the accent and a white tick when ticked.
void DrawCheckBox(const TImageView& p, double scale, bool checked, bool hover) {
  const float k = float(std::max(1.0, std::floor(scale)));
  const float side = float(std::min(p.Width, p.Height));
  const TArtRect box{0, 0, side, side};
  if (!checked) {
    DrawFramedFace(p, k, Rgb(0x1C1C1C), hover ? Accent : Rgb(0x8C8C8C), 3);
    return;
  }
  FillShape(p, RoundRectShape(box, 3 * k), hover ? AccentLight : Accent);
  FillShape(p,
            StrokeShape({{0.24f * side, 0.52f * side}, {0.42f * side, 0.70f * side}, {0.77f * side, 0.32f * side}},
                        0.17f * side, TArtCap::Round),
            White);
}

// A red badge with a thin dark ring, so it stands out on light and dark buttons.
void DrawRedPoint(const TImageView& p) {
  const float r = std::min(p.Width, p.Height) / 2.0f;
  const TArtPoint centre{p.Width / 2.0f, p.Height / 2.0f};
  FillShape(p, CircleShape(centre, r), Rgb(0x1A1A1A, 0xA0));
  FillShape(p, CircleShape(centre, r - std::max(1.0f, r / 5)), Rgb(0xFF4D4F));
}

// A vertical scroll bar thumb: a slim pill with a one-pixel margin left and right.
void DrawScrollThumb(const TImageView& p, double scale, TBgra fill) {
  const float s = float(scale);
  const TArtRect r{s, 0, p.Width - s, float(p.Height)};
  FillShape(p, RoundRectShape(r, r.Width() / 2), fill);
}

std::vector<TSkinArtPicture> MakePictures() {
  std::vector<TSkinArtPicture> all;
  auto add = [&](std::u16string name, TSize size, int32_t nineGrid,
                 std::function<void(const TImageView&, double)> draw) {
    all.push_back({std::move(name), size, nineGrid, std::move(draw)});
  };

  for (const TToolGlyph& t : ToolGlyphs)
    for (const TToolLook& look : ToolLooks)
      add(ToolPictureName(t.Tool, look.State), {30, 30}, 0,
          [glyph = t.Glyph, look](const TImageView& p, double) { DrawToolButton(p, glyph, look); });
  for (const TToolLook& look : ToolLooks)
    if (look.Back.A != 0)
      add(look.State == u"over"    ? std::u16string(FlatButtonOver)
          : look.State == u"press" ? std::u16string(FlatButtonPress)
                                   : std::u16string(FlatButtonSelected),
          {30, 30}, 0,
          [back = look.Back](const TImageView& p, double) { ButtonBack(p, ButtonRadius * ToolUnit(p), back); });

  const std::pair<std::u16string_view, int32_t> pens[] = {
      {u"images/wireframe_light.png", 1}, {u"images/wireframe_semibold.png", 3}, {u"images/wireframe_bold.png", 5}};
  for (const auto& [name, thickness] : pens)
    add(std::u16string(name), {20, 20}, 0,
        [thickness = thickness](const TImageView& p, double scale) { DrawPenWidth(p, scale, thickness); });

  add(u"images/btn_blue_small_normal.png", {89, 40}, 0,
      [](const TImageView& p, double s) { DrawBlueButton(p, s, Accent); });
  add(u"images/btn_blue_small_over.png", {89, 40}, 0,
      [](const TImageView& p, double s) { DrawBlueButton(p, s, AccentLight); });
  add(u"images/btn_blue_small_press.png", {89, 40}, 0,
      [](const TImageView& p, double s) { DrawBlueButton(p, s, AccentDark); });

  const std::pair<std::u16string_view, TGlyph> icons[] = {
      {u"saveas", GlyphCopy}, {u"save", GlyphSave}, {u"dropdown", GlyphDropdown}, {u"capture", GlyphCapture}};
  for (const auto& [icon, glyph] : icons) {
    const TSize size = icon == u"dropdown" ? TSize{18, 18} : TSize{16, 16};
    add(ToolPictureName(icon, u"normal"), size, 0,
        [glyph = glyph](const TImageView& p, double) { DrawIcon(p, glyph, White); });
    if (icon != u"capture")
      add(ToolPictureName(icon, u"press"), size, 0,
          [glyph = glyph](const TImageView& p, double) { DrawIcon(p, glyph, WithAlpha(White, 0xD0)); });
  }

  for (const auto& [word, text] : {std::pair{u"copy", "Copy"}, std::pair{u"save", "Save"}})
    for (bool pressed : {false, true})
      add(WordPictureName(word, pressed), {33, 18}, 0, [text = text, pressed](const TImageView& p, double) {
        DrawWord(p, text, WithAlpha(White, pressed ? 0xD8 : 0xFF));
      });

  add(std::u16string(SliderRuler), {100, 4}, 0,
      [](const TImageView& p, double) { DrawTrack(p, Ref(SkinSliderTrackColor)); });
  add(std::u16string(SliderRulerSelect), {100, 4}, 0, [](const TImageView& p, double) { DrawTrack(p, Accent); });
  add(std::u16string(SliderThumb), {14, 14}, 0, [](const TImageView& p, double s) { DrawThumb(p, s); });

  struct TComboLook {
    std::u16string_view State;
    uint32_t Fill;
    TBgra Frame;
    uint8_t ArrowAlpha;
  };
  const TComboLook combos[] = {{u"normal", SkinComboFillColor, Ref(SkinComboFrameColor), 0xFF},
                               {u"hot", SkinHoverBackColor, Ref(0x5A5A5A), 0xFF},
                               {u"press", SkinPressBackColor, Ref(0x5A5A5A), 0xFF},
                               {u"focus", SkinComboFillColor, Accent, 0xFF},
                               {u"disable", DarkPanelColor, Ref(SkinComboFrameColor), 0x55}};
  for (const TComboLook& c : combos)
    add(ComboBoxPictureName(c.State), {64, 36}, 0,
        [c](const TImageView& p, double s) { DrawComboBox(p, s, c.Fill, c.Frame, c.ArrowAlpha); });

  add(std::u16string(DividerPicture), {1, 20}, 0,
      [](const TImageView& p, double) { FillShape(p, RectShape(WholeRect(p)), Ref(SkinDividerColor)); });
  add(std::u16string(WindowBackgroundPicture), {20, 20}, 4,
      [](const TImageView& p, double s) { DrawFramedFace(p, s, Ref(DarkPanelColor), Ref(SkinWindowBorderColor), 0); });
  add(std::u16string(EditNormalPicture), {20, 20}, 4,
      [](const TImageView& p, double s) { DrawFramedFace(p, s, Rgb(0x1E1E1E), Ref(SkinComboFrameColor), 0); });
  add(std::u16string(EditFocusPicture), {20, 20}, 4,
      [](const TImageView& p, double s) { DrawFramedFace(p, s, Rgb(0x1E1E1E), Accent, 0); });
  add(std::u16string(ScrollBarNormalPicture), {8, 24}, 4,
      [](const TImageView& p, double s) { DrawScrollThumb(p, s, Rgb(0x5A5A5A)); });
  add(std::u16string(ScrollBarHotPicture), {8, 24}, 4,
      [](const TImageView& p, double s) { DrawScrollThumb(p, s, Rgb(0x808080)); });

  add(std::u16string(CheckedNormalPicture), {14, 14}, 0,
      [](const TImageView& p, double s) { DrawCheckBox(p, s, true, false); });
  add(std::u16string(CheckedOverPicture), {14, 14}, 0,
      [](const TImageView& p, double s) { DrawCheckBox(p, s, true, true); });
  add(std::u16string(UncheckedNormalPicture), {14, 14}, 0,
      [](const TImageView& p, double s) { DrawCheckBox(p, s, false, false); });
  add(std::u16string(UncheckedOverPicture), {14, 14}, 0,
      [](const TImageView& p, double s) { DrawCheckBox(p, s, false, true); });
  // The gray push button of the dialogs: a rounded face with a slightly lighter rim.
  const std::pair<std::u16string_view, std::pair<uint32_t, uint32_t>> grays[] = {
      {GrayNormalPicture, {0x484848, 0x5A5A5A}},
      {GrayOverPicture, {0x5E5E5E, 0x767676}},
      {GrayPressPicture, {0x363636, 0x484848}}};
  for (const auto& [name, colours] : grays)
    add(std::u16string(name), {85, 34}, 0, [colours = colours](const TImageView& p, double s) {
      DrawFramedFace(p, std::max(1.0, std::floor(s)), Ref(colours.first), Ref(colours.second), ButtonRadius);
    });

  add(std::u16string(RedPointBigPicture), {10, 10}, 0, [](const TImageView& p, double) { DrawRedPoint(p); });
  return all;
}

}  // namespace

const std::vector<TSkinArtPicture>& SkinArtPictures() {
  static const std::vector<TSkinArtPicture> pictures = MakePictures();
  return pictures;
}

const TSkinArtPicture* FindSkinArt(std::u16string_view name) {
  for (const TSkinArtPicture& p : SkinArtPictures())
    if (p.Name == name) return &p;
  return nullptr;
}

TImage DrawSkinArt(const TSkinArtPicture& picture, int32_t scale) {
  return DrawSkinArt(picture, {picture.Size.Width * scale, picture.Size.Height * scale}, scale);
}

TImage DrawSkinArt(const TSkinArtPicture& picture, TSize size, double scale) {
  if (size.Width <= 0 || size.Height <= 0) return {};
  TImage image(size.Width, size.Height);
  if (picture.Draw) picture.Draw(image.View(), scale);
  return image;
}

}  // namespace qor
