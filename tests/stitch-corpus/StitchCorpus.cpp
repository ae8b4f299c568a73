#include "tests/stitch-corpus/StitchCorpus.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <stdexcept>

#include "base/BmpFile.h"

#define STB_TRUETYPE_IMPLEMENTATION
#define STBTT_STATIC
#include <stb_truetype.h>

namespace qor::stitch::corpus {

namespace {

// A small random source of our own, so that every platform renders the same corpus.
class TRandom {
 public:
  explicit TRandom(uint64_t seed) : FState(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}
  uint32_t Next() {
    uint64_t z = (FState += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return uint32_t((z ^ (z >> 31)) >> 32);
  }
  int32_t Range(int32_t lo, int32_t hi) { return lo + int32_t(Next() % uint32_t(hi - lo + 1)); }  // inclusive
  bool Chance(int percent) { return Range(0, 99) < percent; }

 private:
  uint64_t FState;
};

TBgra Rgb(uint32_t rgb) { return TBgra{uint8_t(rgb), uint8_t(rgb >> 8), uint8_t(rgb >> 16), 255}; }

void FillRect(const TImageView& view, int32_t left, int32_t top, int32_t right, int32_t bottom, TBgra colour) {
  const TRect r = TRect{left, top, right, bottom}.Intersect(TRect{0, 0, view.Width, view.Height});
  for (int32_t y = r.Top; y < r.Bottom; ++y)
    for (int32_t x = r.Left; x < r.Right; ++x) view.At(x, y) = colour;
}

void Blend(TBgra& p, TBgra c, int alpha) {
  p.B = uint8_t((p.B * (255 - alpha) + c.B * alpha) / 255);
  p.G = uint8_t((p.G * (255 - alpha) + c.G * alpha) / 255);
  p.R = uint8_t((p.R * (255 - alpha) + c.R * alpha) / 255);
}

void FillCircle(const TImageView& view, int32_t cx, int32_t cy, int32_t radius, TBgra colour) {
  for (int32_t y = cy - radius; y <= cy + radius; ++y)
    for (int32_t x = cx - radius; x <= cx + radius; ++x) {
      if (x < 0 || y < 0 || x >= view.Width || y >= view.Height) continue;
      const double dist = std::sqrt(double((x - cx) * (x - cx) + (y - cy) * (y - cy)));
      const double cover = std::clamp(radius + 0.5 - dist, 0.0, 1.0);
      if (cover > 0) Blend(view.At(x, y), colour, int(cover * 255));
    }
}

// Glyphs rasterised once per size from the TrueType font (Debian's fonts-dejavu-core, which setup.sh installs).
struct TGlyph {
  int32_t Width = 0, Height = 0, OffsetX = 0, OffsetY = 0, Advance = 0;
  std::vector<uint8_t> Coverage;
};

class TFont {
 public:
  static TFont& Instance() {
    static TFont font;
    return font;
  }
  const TGlyph& Glyph(char c, int size) {
    const auto [it, added] = FCache.try_emplace({size, c});
    if (added) it->second = Make(c, size);
    return it->second;
  }
  int32_t Width(const std::string& text, int size) {
    int32_t w = 0;
    for (char c : text) w += Glyph(c, size).Advance;
    return w;
  }
  // Draws text with its baseline at y; returns the width drawn.
  int32_t Draw(const TImageView& view, int32_t x, int32_t y, const std::string& text, int size, TBgra colour) {
    const int32_t start = x;
    for (char c : text) {
      const TGlyph& g = Glyph(c, size);
      for (int32_t gy = 0; gy < g.Height; ++gy)
        for (int32_t gx = 0; gx < g.Width; ++gx) {
          const int32_t px = x + g.OffsetX + gx, py = y + g.OffsetY + gy;
          if (px < 0 || py < 0 || px >= view.Width || py >= view.Height) continue;
          const uint8_t a = g.Coverage[size_t(gy) * size_t(g.Width) + size_t(gx)];
          if (a) Blend(view.At(px, py), colour, a);
        }
      x += g.Advance;
    }
    return x - start;
  }

 private:
  TFont() {
    for (const std::string& path : {std::string(QOR_CORPUS_FONT), "Z:" + std::string(QOR_CORPUS_FONT)}) {
      std::ifstream in(path, std::ios::binary);  // the second: the host's file as Wine shows it
      FData.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
      if (!FData.empty() && stbtt_InitFont(&FInfo, FData.data(), stbtt_GetFontOffsetForIndex(FData.data(), 0))) return;
    }
    throw std::runtime_error("stitching corpus: no TrueType font at " QOR_CORPUS_FONT);
  }

  TGlyph Make(char c, int size) {
    TGlyph g;
    const float scale = stbtt_ScaleForPixelHeight(&FInfo, float(size));
    int advance = 0, lsb = 0, x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    stbtt_GetCodepointHMetrics(&FInfo, c, &advance, &lsb);
    stbtt_GetCodepointBitmapBox(&FInfo, c, scale, scale, &x0, &y0, &x1, &y1);
    g.Width = std::max(0, x1 - x0);
    g.Height = std::max(0, y1 - y0);
    g.OffsetX = x0;
    g.OffsetY = y0;
    g.Advance = std::max(1, int32_t(std::lround(advance * scale)));
    g.Coverage.assign(size_t(g.Width) * size_t(g.Height), 0);
    if (g.Width > 0 && g.Height > 0)
      stbtt_MakeCodepointBitmap(&FInfo, g.Coverage.data(), g.Width, g.Height, g.Width, scale, scale, c);
    return g;
  }

  std::vector<uint8_t> FData;
  stbtt_fontinfo FInfo{};
  std::map<std::pair<int, char>, TGlyph> FCache;
};

const char* const Words[] = {
    "scroll",  "window",  "capture", "picture", "stitch", "frame",   "the",     "of",        "and",     "a",
    "to",      "in",      "is",      "with",    "page",   "header",  "footer",  "column",    "table",   "list",
    "message", "reply",   "morning", "update",  "report", "quarter", "figure",  "budget",    "travel",  "garden",
    "river",   "station", "number",  "letter",  "summer", "winter",  "autumn",  "spring",    "market",  "office",
    "meeting", "notes",   "project", "result",  "detail", "chapter", "section", "paragraph", "example", "value",
    "Monday",  "Friday",  "quickly", "slowly",  "bright", "quiet",   "simple",  "careful",   "yellow",  "orange"};
std::string Word(TRandom& random) { return Words[random.Range(0, int(std::size(Words)) - 1)]; }

std::string Sentence(TRandom& random, int words) {
  std::string s;
  for (int i = 0; i < words; ++i) {
    if (i) s += ' ';
    std::string w = Word(random);
    if (i == 0) w[0] = char(std::toupper(static_cast<unsigned char>(w[0])));
    s += w;
    if (random.Chance(6)) s += std::to_string(random.Range(1, 2024));
  }
  return s + (random.Chance(20) ? "," : ".");
}

// Word-wrapped text from (x, top) to the right edge; returns the height used.
int32_t Paragraph(const TImageView& view, TRandom& random, int32_t x, int32_t top, int32_t right, int lines, int size,
                  int32_t lineHeight, TBgra colour) {
  TFont& font = TFont::Instance();
  int32_t y = top;
  for (int line = 0; line < lines; ++line) {
    int32_t cx = x;
    const int32_t limit = line == lines - 1 ? x + (right - x) * random.Range(30, 90) / 100 : right;
    while (true) {
      std::string word = Word(random);
      if (random.Chance(8)) word += std::to_string(random.Range(0, 999));
      const int32_t w = font.Width(word, size);
      if (cx + w > limit) break;
      font.Draw(view, cx, y + lineHeight - lineHeight / 4, word, size, colour);
      cx += w + font.Width(" ", size);
    }
    y += lineHeight;
  }
  return y - top;
}

void Picture(const TImageView& view, TRandom& random, int32_t left, int32_t top, int32_t right, int32_t bottom) {
  const uint32_t base = random.Next() & 0x7F7F7F;
  for (int32_t y = top; y < std::min(bottom, view.Height); ++y)
    for (int32_t x = left; x < right; ++x) {
      const int t = (x - left) * 255 / std::max(1, right - left), u = (y - top) * 255 / std::max(1, bottom - top);
      view.At(x, y) = TBgra{uint8_t((base & 0xFF) + t / 2), uint8_t(((base >> 8) & 0xFF) + u / 2),
                            uint8_t(((base >> 16) & 0xFF) + (t + u) / 4), 255};
    }
  for (int i = 0; i < 5; ++i)
    FillCircle(view, random.Range(left + 10, right - 10), random.Range(top + 10, bottom - 10), random.Range(6, 30),
               Rgb(random.Next() & 0xFFFFFF));
}

void Article(const TImageView& view, TRandom& random, bool flatGaps) {
  FillRect(view, 0, 0, view.Width, view.Height, Rgb(0xFFFFFF));
  const int32_t left = 24, right = view.Width - 40;
  int32_t y = 16;
  while (y < view.Height) {
    const int kind = random.Range(0, 9);
    if (kind == 0) {
      TFont::Instance().Draw(view, left, y + 24, Sentence(random, random.Range(2, 5)), 22, Rgb(0x1A3A6B));
      y += 34;
    } else if (kind == 1 && right - left > 200) {
      const int32_t h = random.Range(90, 170);
      Picture(view, random, left + 30, y, std::min(right, left + 30 + random.Range(160, 420)), y + h);
      y += h + 10;
    } else if (kind == 2) {
      FillRect(view, left, y + 6, right, y + 7, Rgb(0xC8C8C8));
      y += 14;
    } else if (kind == 3) {
      for (int i = random.Range(2, 5); i > 0; --i) {
        FillCircle(view, left + 8, y + 10, 3, Rgb(0x333333));
        TFont::Instance().Draw(view, left + 20, y + 15, Sentence(random, random.Range(3, 7)), 14, Rgb(0x202020));
        y += 19;
      }
      y += 6;
    } else {
      y += Paragraph(view, random, left, y, right, random.Range(2, 7), 14, 19, Rgb(0x202020)) + 10;
    }
    // Gaps taller than a scroll step but shorter than the visible area.
    if (flatGaps && random.Chance(35)) y += random.Range(140, 200);
  }
}

void Table(const TImageView& view, TRandom& random) {
  FillRect(view, 0, 0, view.Width, view.Height, Rgb(0xFFFFFF));
  const int32_t rowHeight = 24, left = 10, right = view.Width - 30;
  const int32_t columns[] = {left, left + 70, left + (right - left) * 45 / 100, left + (right - left) * 70 / 100,
                             right};
  TFont& font = TFont::Instance();
  for (int32_t row = 0, y = 0; y < view.Height; ++row, y += rowHeight) {
    FillRect(view, left, y, right, y + rowHeight, Rgb(row % 2 ? 0xF2F5FA : 0xFFFFFF));
    FillRect(view, left, y + rowHeight - 1, right, y + rowHeight, Rgb(0xD0D4DA));
    for (int32_t c : columns) FillRect(view, c, y, c + 1, y + rowHeight, Rgb(0xD0D4DA));
    char id[16];
    std::snprintf(id, sizeof id, "#%05d", 1000 + row);
    font.Draw(view, columns[0] + 6, y + 17, id, 13, Rgb(0x555555));
    const std::string first = Word(random);  // drawn first: the order of the operands of + is unspecified
    font.Draw(view, columns[1] + 6, y + 17, first + " " + Word(random), 13, Rgb(0x202020));
    char amount[24];
    std::snprintf(amount, sizeof amount, "%d.%02d", random.Range(1, 99999), random.Range(0, 99));
    font.Draw(view, columns[2] + 6, y + 17, amount, 13, Rgb(0x202020));
    font.Draw(view, columns[3] + 6, y + 17, row % 3 ? "open" : "closed", 13, Rgb(row % 3 ? 0x2E7D32 : 0xB71C1C));
  }
}

void Chat(const TImageView& view, TRandom& random) {
  FillRect(view, 0, 0, view.Width, view.Height, Rgb(0xEDEFF2));
  TFont& font = TFont::Instance();
  int32_t y = 12;
  for (int i = 0; y < view.Height; ++i) {
    const bool mine = random.Chance(45);
    const int lines = random.Range(1, 3);
    const int32_t bubbleWidth = std::min(view.Width - 140, random.Range(160, 420));
    const int32_t h = lines * 18 + 26;
    const int32_t bx = mine ? view.Width - 40 - bubbleWidth : 56;
    FillCircle(view, mine ? view.Width - 22 : 28, y + 16, 14, Rgb(mine ? 0x4A90D9 : 0xE67E22));
    FillRect(view, bx, y, bx + bubbleWidth, y + h, Rgb(mine ? 0xD9F2D0 : 0xFFFFFF));
    Paragraph(view, random, bx + 10, y + 4, bx + bubbleWidth - 10, lines, 14, 18, Rgb(0x1E1E1E));
    char time[8];
    std::snprintf(time, sizeof time, "%02d:%02d", 8 + (i / 60) % 12, i % 60);
    font.Draw(view, bx + bubbleWidth - 44, y + h - 6, time, 11, Rgb(0x8A8A8A));
    y += h + 14;
  }
}

// A title block, one entry repeated row for row, a closing block: nothing tells two entries apart.
void IdenticalRows(const TImageView& view, TRandom& random) {
  FillRect(view, 0, 0, view.Width, view.Height, Rgb(0xFFFFFF));
  TFont& font = TFont::Instance();
  font.Draw(view, 24, 40, "Repeated entries", 22, Rgb(0x1A3A6B));
  Paragraph(view, random, 24, 56, view.Width - 40, 3, 14, 19, Rgb(0x202020));
  const int32_t first = 130, rowHeight = 24, end = std::max(first, view.Height - 260);
  for (int32_t y = first; y + rowHeight <= end; y += rowHeight) {
    FillRect(view, 10, y + rowHeight - 1, view.Width - 30, y + rowHeight, Rgb(0xD0D4DA));
    FillCircle(view, 22, y + 12, 4, Rgb(0x4A90D9));
    font.Draw(view, 36, y + 17, "Pending item: waiting for review", 13, Rgb(0x202020));
  }
  Paragraph(view, random, 24, end + 20, view.Width - 40, 8, 14, 19, Rgb(0x202020));
}

void Toolbar(const TImageView& view, int32_t height, bool caretOn, int32_t& caretX) {
  caretX = 0;
  if (height <= 0) return;
  FillRect(view, 0, 0, view.Width, height, Rgb(0x2B2B2B));
  for (int i = 0; i < 3; ++i) FillCircle(view, 18 + i * 26, height / 2, 8, Rgb(0x9A9A9A));
  const int32_t boxLeft = 96, boxRight = std::max(boxLeft + 40, view.Width - 120);
  FillRect(view, boxLeft, height / 2 - 12, boxRight, height / 2 + 12, Rgb(0xFFFFFF));
  caretX = boxLeft + 8 +
           TFont::Instance().Draw(view, boxLeft + 8, height / 2 + 5, "https://pages.test/long", 14, Rgb(0x303030)) + 2;
  if (caretOn) FillRect(view, caretX, height / 2 - 8, caretX + 2, height / 2 + 8, Rgb(0x000000));
  FillRect(view, view.Width - 100, height / 2 - 10, view.Width - 20, height / 2 + 10, Rgb(0x3D7BE0));
}

void Footer(const TImageView& frame, int32_t top, int32_t height, int spinnerStep, int32_t& spinnerX) {
  spinnerX = frame.Width - 60;
  if (height <= 0) return;
  // Drawn into the band only, so that nothing of it spills into the scrolling rows.
  const TImageView view = frame.Sub(TRect{0, top, frame.Width, top + height});
  FillRect(view, 0, 0, view.Width, height, Rgb(0xFFF4C2));
  FillRect(view, 0, 0, view.Width, 1, Rgb(0xC9B458));
  TFont::Instance().Draw(view, 12, height / 2 + 5, "We use cookies to remember your settings.", 13, Rgb(0x4A4020));
  if (spinnerStep >= 0) {
    for (int i = 0; i < 8; ++i) {
      const double a = i * 3.14159265 / 4;
      const int shade = ((i + spinnerStep) % 8) * 28;
      FillCircle(view, spinnerX + 8 + int32_t(std::lround(6 * std::cos(a))),
                 height / 2 + int32_t(std::lround(6 * std::sin(a))), 2, Rgb(uint32_t(shade * 0x010101)));
    }
  }
}

std::vector<uint8_t> Encode(const TConstImageView& frame, int bits, bool topDown) {
  TImage copy(frame.Width, frame.Height);
  for (int32_t y = 0; y < frame.Height; ++y)
    for (int32_t x = 0; x < frame.Width; ++x) {
      copy.View().At(x, y) = frame.At(x, y);
      copy.View().At(x, y).A = 0;  // a screen grab leaves the fourth byte unset
    }
  std::vector<uint8_t> file = WriteBmp(copy.View(), bits);
  if (topDown) {
    const size_t stride = BmpRowStride(frame.Width, bits);
    for (int32_t y = 0; y < frame.Height / 2; ++y)
      std::swap_ranges(file.begin() + ptrdiff_t(BmpHeadersSize + size_t(y) * stride),
                       file.begin() + ptrdiff_t(BmpHeadersSize + size_t(y + 1) * stride),
                       file.begin() + ptrdiff_t(BmpHeadersSize + size_t(frame.Height - 1 - y) * stride));
    WriteBmpHeaders(file.data(), frame.Width, frame.Height, bits, true);
  }
  return file;
}

void CopyRows(const TConstImageView& from, int32_t fromY, const TImageView& to, int32_t toY, int32_t rows) {
  for (int32_t i = 0; i < rows; ++i) std::memcpy(to.Row(toY + i), from.Row(fromY + i), size_t(from.Width) * 4);
}

int32_t Entry(const std::vector<int32_t>& perFrame, size_t index) {
  return index < perFrame.size() ? perFrame[index] : 0;
}
int32_t MaxEntry(const std::vector<int32_t>& perFrame) {
  return perFrame.empty() ? 0 : *std::max_element(perFrame.begin(), perFrame.end());
}

// Rows of the scrolling area, counted from its bottom, that the floating elements cover.
constexpr int32_t FloatingRows = 76;
constexpr int32_t BannerTop = 420, BannerHeight = 60;  // page rows of the animated banner
constexpr int32_t HoverLine = 24;                      // the highlighted line under the pointer
constexpr uint32_t ColumnBackground = 0xF3F4F6;

int32_t ScrollBarWidthOf(const TCaseRecipe& recipe) { return recipe.ScrollBar ? recipe.ScrollBarWidth : 0; }

// The sticky bar (rows [top, top + rows) of the frame) over the page as the frame shows it: opaque with a line
// of text, or translucent over the blurred page; a sliding bar shows the edge of the full bar.
void Bar(const TImageView& frame, int32_t top, int32_t rows, int32_t fullRows, bool atTop, bool slide, bool translucent,
         const char* text) {
  if (rows <= 0) return;
  const TImageView view = frame.Sub(TRect{0, top, frame.Width, top + rows});
  const int32_t drawn = slide ? fullRows : rows;
  const int32_t shift = atTop ? rows - drawn : 0;  // the top bar slides down from above, the bottom one up
  if (translucent) {
    TImage copy(view.Width, view.Height);
    for (int32_t y = 0; y < view.Height; ++y) std::memcpy(copy.View().Row(y), view.Row(y), size_t(view.Width) * 4);
    for (int32_t y = 0; y < view.Height; ++y)
      for (int32_t x = 0; x < view.Width; ++x) {
        int sum[3] = {};
        for (int32_t dy = -2; dy <= 2; ++dy)
          for (int32_t dx = -2; dx <= 2; ++dx) {
            const TBgra p =
                copy.View().At(std::clamp(x + dx, 0, view.Width - 1), std::clamp(y + dy, 0, view.Height - 1));
            sum[0] += p.B, sum[1] += p.G, sum[2] += p.R;
          }
        TBgra& p = view.At(x, y);
        p = TBgra{uint8_t(sum[0] / 25), uint8_t(sum[1] / 25), uint8_t(sum[2] / 25), 255};
        Blend(p, Rgb(0xFFFFFF), 150);
      }
  } else {
    FillRect(view, 0, 0, view.Width, view.Height, Rgb(atTop ? 0x1F4E8C : 0x333333));
  }
  TFont::Instance().Draw(view, 16, shift + drawn / 2 + 5, text, 13, Rgb(translucent ? 0x202020 : 0xFFFFFF));
}

void SideColumn(const TImageView& view, bool left) {
  FillRect(view, 0, 0, view.Width, view.Height, Rgb(ColumnBackground));
  if (left) {
    const char* const items[] = {"Overview", "Getting started", "Settings", "Shortcuts", "Troubleshooting", "About"};
    for (int i = 0; i < 6; ++i) TFont::Instance().Draw(view, 12, 26 + i * 30, items[i], 13, Rgb(0x1A3A6B));
  } else {
    // A minimap: the lines of a document all the way down.
    for (int i = 0; 10 + i * 9 < view.Height; ++i)
      FillRect(view, 6, 10 + i * 9, view.Width - 6 - (i * 7) % 20, 14 + i * 9, Rgb(0x9AA0A6));
  }
}

void ScrollBarOf(const TImageView& view, const TCaseRecipe& recipe, int32_t offset) {
  const int32_t width = recipe.ScrollBarWidth, arrows = recipe.ScrollBarArrows ? width : 0;
  const int32_t visible = ScrollHeight(recipe), barLeft = recipe.Width - width;
  FillRect(view, barLeft, recipe.Header, recipe.Width, recipe.Header + visible, Rgb(0xEEEEEE));
  for (int end = 0; end < 2 && arrows > 0; ++end) {
    const int32_t top = end == 0 ? recipe.Header : recipe.Header + visible - arrows;
    FillRect(view, barLeft, top, recipe.Width, top + arrows, Rgb(0xDADADA));
    for (int32_t i = 0; i < 4; ++i) {  // a small triangle pointing away from the track
      const int32_t y = end == 0 ? top + 6 + i : top + arrows - 7 - i;
      FillRect(view, barLeft + width / 2 - i, y, barLeft + width / 2 + i + 1, y + 1, Rgb(0x505050));
    }
  }
  const int32_t track = visible - 2 * arrows;
  const int32_t thumb = std::max(20, int32_t(int64_t(track) * visible / recipe.PageHeight));
  const int32_t range = std::max(1, recipe.PageHeight - visible);
  const int32_t thumbTop = recipe.Header + arrows + int32_t(int64_t(track - thumb) * offset / range);
  FillRect(view, barLeft + 2, thumbTop, recipe.Width - 2, thumbTop + thumb, Rgb(0xA0A0A0));
}

}  // namespace

TImage RenderFrameImage(const TCaseRecipe& recipe, const TImage& page, size_t index) {
  TImage frame(recipe.Width, recipe.Height);
  const TImageView view = frame.View();
  const int32_t visible = ScrollHeight(recipe), offset = recipe.Offsets[index];
  const int32_t areaTop = recipe.Header, areaBottom = recipe.Header + visible;
  int32_t caretX = 0, spinnerX = 0;
  Toolbar(view.Sub(TRect{0, 0, recipe.Width, recipe.Header}), recipe.Header, recipe.Caret && index % 2 == 0, caretX);
  if (recipe.Clock && recipe.Header >= 24) {
    char time[8];
    std::snprintf(time, sizeof time, "10:%02zu", (index * 7) % 60);
    const int32_t right = std::max(136, recipe.Width - 120);
    FillRect(view, right - 56, recipe.Header / 2 - 10, right - 4, recipe.Header / 2 + 10, Rgb(0xFFFFFF));
    TFont::Instance().Draw(view, right - 50, recipe.Header / 2 + 5, time, 13, Rgb(0x303030));
  }
  CopyRows(page.View(), offset, view, areaTop, visible);
  if (recipe.HoverRow >= 0 && recipe.HoverRow < visible) {
    const int32_t line = (offset + recipe.HoverRow) / HoverLine * HoverLine - offset + areaTop;
    const TImageView lineView =
        view.Sub(TRect{0, std::max(areaTop, line), recipe.Width, std::min(areaBottom, line + HoverLine)});
    for (int32_t y = 0; y < lineView.Height; ++y)
      for (int32_t x = 0; x < lineView.Width; ++x) Blend(lineView.At(x, y), Rgb(0x3D7BE0), 40);
  }
  if (recipe.AnimatedBanner) {
    const int32_t y0 = areaTop + BannerTop - offset;  // the banner's top row in the frame (maybe outside it)
    for (int32_t y = std::max(areaTop, y0); y < std::min(areaBottom, y0 + BannerHeight); ++y)
      for (int32_t x = 40; x < recipe.Width - 60; ++x) {
        const int32_t phase = (x + (y - y0) * 2 + int32_t(index) * 23) % 96;
        view.At(x, y) = Rgb(phase < 48 ? 0xF4B400 : 0xDB4437);
      }
  }
  if (recipe.LeftColumn > 0) SideColumn(view.Sub(TRect{0, areaTop, recipe.LeftColumn, areaBottom}), true);
  if (recipe.RightColumn > 0) {
    const int32_t right = recipe.Width - ScrollBarWidthOf(recipe);
    SideColumn(view.Sub(TRect{right - recipe.RightColumn, areaTop, right, areaBottom}), false);
  }
  if (recipe.Floating) {
    const int32_t right = recipe.Width - ScrollBarWidthOf(recipe);
    FillCircle(view, right - 40, areaBottom - 40, 20, Rgb(0x3D7BE0));
    for (int32_t i = 0; i < 8; ++i)
      FillRect(view, right - 40 - i, areaBottom - 46 + i, right - 40 + i + 1, areaBottom - 45 + i, Rgb(0xFFFFFF));
    FillCircle(view, 50, areaBottom - 50, 26, Rgb(0x2E7D32));
    TFont::Instance().Draw(view, 38, areaBottom - 45, "Chat", 11, Rgb(0xFFFFFF));
  }
  const int32_t topBar = Entry(recipe.TopBar, index), bottomBar = Entry(recipe.BottomBar, index);
  Bar(view, areaTop, topBar, MaxEntry(recipe.TopBar), true, recipe.SlidingBars, recipe.TranslucentBars,
      "Sign in to keep your reading list");
  Bar(view, areaBottom - bottomBar, bottomBar, MaxEntry(recipe.BottomBar), false, recipe.SlidingBars,
      recipe.TranslucentBars, "This site uses cookies.  Accept  Decline");
  Footer(view, areaBottom, recipe.Footer, recipe.Spinner ? int(index) : -1, spinnerX);
  if (recipe.ScrollBar) ScrollBarOf(view, recipe, offset);
  if (std::find(recipe.Covered.begin(), recipe.Covered.end(), index) != recipe.Covered.end()) {
    FillRect(view, 16, 16, recipe.Width - 16, recipe.Height - 16, Rgb(0x5F6368));
    FillRect(view, 20, 20, recipe.Width - 20, recipe.Height - 20, Rgb(0xFAFAFA));
    TFont::Instance().Draw(view, 40, 60, "Allow notifications from this site?", 16, Rgb(0x202020));
  }
  return frame;
}

std::vector<int32_t> Offsets(int32_t start, const std::vector<int32_t>& steps, int32_t maxOffset) {
  std::vector<int32_t> offsets{std::clamp(start, 0, maxOffset)};
  for (int32_t step : steps) offsets.push_back(std::clamp(offsets.back() + step, 0, maxOffset));
  return offsets;
}

void Scroll(TCaseRecipe& recipe, int32_t start, const std::vector<int32_t>& steps) {
  recipe.Offsets = Offsets(start, steps, recipe.PageHeight - ScrollHeight(recipe));
}

TCaseRecipe LongRun(int32_t width, int32_t height, int frames, int32_t step) {
  TCaseRecipe recipe{.Name = "run", .Width = width, .Height = height, .Header = 80, .Footer = 40};
  recipe.PageHeight = height + step * frames + 100;
  Scroll(recipe, 0, std::vector<int32_t>(size_t(std::max(0, frames - 1)), step));
  return recipe;
}

TImage RenderPage(TPageKind kind, int32_t width, int32_t height, uint32_t seed) {
  TImage page(width, height);
  TRandom random(seed);
  if (kind == TPageKind::Table)
    Table(page.View(), random);
  else if (kind == TPageKind::Chat)
    Chat(page.View(), random);
  else if (kind == TPageKind::IdenticalRows)
    IdenticalRows(page.View(), random);
  else
    Article(page.View(), random, kind == TPageKind::FlatGaps);
  return page;
}

std::vector<uint8_t> RenderFrame(const TCaseRecipe& recipe, const TImage& page, size_t index) {
  const TImage frame = RenderFrameImage(recipe, page, index);
  return Encode(frame.View(), recipe.BitsPerPixel, recipe.TopDown);
}

std::vector<int32_t> Directions(const std::vector<int32_t>& offsets) {
  std::vector<int32_t> directions;
  for (size_t i = 0; i < offsets.size(); ++i) {
    const int32_t previous = i == 0 ? offsets[i] : offsets[i - 1];
    directions.push_back(i == 0 ? 1 : offsets[i] > previous ? 1 : offsets[i] < previous ? 0 : directions.back());
  }
  return directions;
}

TCase BuildCase(const TCaseRecipe& recipe) {
  TCase result;
  result.Recipe = recipe;
  const TImage page = RenderPage(recipe.Page, recipe.Width, recipe.PageHeight, recipe.Seed);
  std::vector<TImage> frames;
  for (size_t i = 0; i < recipe.Offsets.size(); ++i) {
    frames.push_back(RenderFrameImage(recipe, page, i));
    result.Frames.push_back(Encode(frames.back().View(), recipe.BitsPerPixel, recipe.TopDown));
  }
  result.Directions = Directions(recipe.Offsets);

  // The ideal: the top of the frame nearest the page's top (toolbar and top bar once), every page row that was
  // on screen, the bottom of the frame nearest the page's end (bottom bar, floating elements and footer once).
  const auto joins = [&](size_t i) {
    return std::find(recipe.Covered.begin(), recipe.Covered.end(), i) == recipe.Covered.end();
  };
  size_t first = 0, last = 0;
  while (!joins(first)) ++first;
  for (size_t i = 0; i < recipe.Offsets.size(); ++i) {
    if (!joins(i)) continue;
    if (recipe.Offsets[i] < recipe.Offsets[first]) first = i;
    if (recipe.Offsets[i] > recipe.Offsets[last] || !joins(last)) last = i;
  }
  const int32_t visible = ScrollHeight(recipe);
  const int32_t top = recipe.Header + Entry(recipe.TopBar, first);
  const int32_t bottom = recipe.Footer + std::max(Entry(recipe.BottomBar, last), recipe.Floating ? FloatingRows : 0);
  const int32_t pageFrom = recipe.Offsets[first] + top - recipe.Header;
  const int32_t pageTo = recipe.Offsets[last] + recipe.Height - bottom - recipe.Header;
  const int32_t content = pageTo - pageFrom;
  result.Ideal = TImage(recipe.Width, top + content + bottom);
  const TImageView ideal = result.Ideal.View();
  CopyRows(frames[first].View(), 0, ideal, 0, top);
  CopyRows(page.View(), pageFrom, ideal, top, content);
  CopyRows(frames[last].View(), recipe.Height - bottom, ideal, top + content, bottom);

  // Fixed columns: as the first frame shows them next to its own rows, their background below and above.
  const auto fixedColumn = [&](int32_t left, int32_t right) {
    for (int32_t y = top; y < top + content; ++y) {
      const int32_t frameRow = pageFrom + (y - top) - recipe.Offsets[0] + recipe.Header;
      const bool seen = frameRow >= recipe.Header && frameRow < recipe.Header + visible;
      for (int32_t x = left; x < right; ++x)
        ideal.At(x, y) = seen ? frames[0].View().At(x, frameRow) : Rgb(ColumnBackground);
    }
  };
  if (recipe.LeftColumn > 0) fixedColumn(0, recipe.LeftColumn);
  if (recipe.RightColumn > 0)
    fixedColumn(recipe.Width - ScrollBarWidthOf(recipe) - recipe.RightColumn, recipe.Width - ScrollBarWidthOf(recipe));

  // What changes by itself is left out; a line under the pointer may show its highlight.
  if (recipe.ScrollBar) result.ChangingColumns.emplace_back(recipe.Width - recipe.ScrollBarWidth, recipe.Width);
  if (recipe.Caret) {
    int32_t caretX = 0;
    TImage scratch(recipe.Width, std::max(1, recipe.Header));
    Toolbar(scratch.View(), recipe.Header, false, caretX);
    result.ChangingColumns.emplace_back(caretX, caretX + 2);
  }
  if (recipe.Spinner) result.ChangingColumns.emplace_back(recipe.Width - 60, recipe.Width - 60 + 17);
  if (recipe.Clock) {
    const int32_t right = std::max(136, recipe.Width - 120);
    result.ChangingAreas.push_back(TRect{right - 56, 0, right - 4, recipe.Header});
  }
  if (recipe.AnimatedBanner)
    result.ChangingAreas.push_back(
        TRect{40, top + BannerTop - pageFrom, recipe.Width - 60, top + BannerTop - pageFrom + BannerHeight});
  if (recipe.HoverRow >= 0) {
    result.Alternative = result.Ideal.Clone();
    const TImageView alternative = result.Alternative.View();
    for (size_t i = 0; i < recipe.Offsets.size(); ++i) {
      const int32_t line = (recipe.Offsets[i] + recipe.HoverRow) / HoverLine * HoverLine;
      for (int32_t y = std::max(top, top + line - pageFrom);
           y < std::min(top + content, top + line - pageFrom + HoverLine); ++y)
        for (int32_t x = 0; x < recipe.Width; ++x) Blend(alternative.At(x, y), Rgb(0x3D7BE0), 40);
    }
  }
  return result;
}

std::vector<TCaseRecipe> StandardCases() {
  // Name, page, seed, start (-1: the page's end), steps; then whatever differs from the defaults.
  const auto make = [](std::string name, TPageKind page, uint32_t seed, int32_t start, std::vector<int32_t> steps,
                       auto&& adjust) {
    TCaseRecipe r{.Name = std::move(name), .Page = page, .Seed = seed};
    adjust(r);
    Scroll(r, start < 0 ? r.PageHeight - ScrollHeight(r) : start, steps);
    return r;
  };
  const auto same = [](TCaseRecipe&) {};
  const auto repeat = [](int32_t step, int count) { return std::vector<int32_t>(size_t(count), step); };
  const auto join = [](std::vector<int32_t> a, const std::vector<int32_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  };
  const auto shortPage = [](TCaseRecipe& r) { r.PageHeight = 1400; };
  using enum TPageKind;
  return {
      make("ArticleDown", Article, 1, 0, repeat(100, 12), same),
      make("ArticleUp", Article, 2, -1, repeat(-100, 12), same),
      make("DownThenUpThenDown", Article, 3, 600, join(join(repeat(100, 6), repeat(-100, 4)), repeat(100, 7)), same),
      make("UpBeyondTheStartThenDown", Article, 4, 900, join(repeat(-90, 5), repeat(90, 8)), same),
      make("RepetitiveTable", Table, 5, 0, repeat(120, 12), same),  // five table rows per step
      make("RepetitiveChat", Chat, 6, 0, repeat(90, 14), same),
      make("FlatGapsTallerThanAStep", FlatGaps, 7, 0, repeat(80, 16), same),
      make("OneTextLinePerStep", Article, 8, 0, repeat(19, 14), same),
      make("AlmostAWholeFramePerStep", Table, 9, 0, repeat(420 - 48 - 30 - 24, 6), same),
      // The last steps hit the end (or the top) of the page and stay there.
      make("PageEndRepeatsTheLastFrame", Article, 10, 0, repeat(150, 11), shortPage),
      make("PageTopRepeatsTheFirstFrame", Article, 11, -1, repeat(-150, 11), shortPage),
      make("NoBandsNoScrollBar", Article, 12, 0, repeat(110, 10),
           [](TCaseRecipe& r) { r.Header = r.Footer = 0, r.ScrollBar = false; }),
      make("CaretAndSpinner", Article, 13, 0, repeat(100, 10), [](TCaseRecipe& r) { r.Caret = r.Spinner = true; }),
      make("VaryingSteps", Chat, 14, 0, {40, 160, 75, 210, 33, 120, 260, 57, 140, 95}, same),
      make("TwentyFourBitTopDown", Article, 15, 0, repeat(100, 8),
           [](TCaseRecipe& r) { r.BitsPerPixel = 24, r.TopDown = true; }),
      make("FullHd", Article, 16, 0, repeat(300, 5),
           [](TCaseRecipe& r) { r.Width = 1920, r.Height = 1080, r.Header = 80, r.Footer = 40, r.PageHeight = 4000; }),
      make("NarrowWindow", Article, 17, 0, repeat(60, 10),
           [](TCaseRecipe& r) { r.Width = 180, r.Height = 300, r.Header = 20, r.Footer = 10, r.PageHeight = 2000; }),
  };
}

std::vector<TCaseRecipe> RealPageCases() {
  const auto make = [](std::string name, TPageKind page, uint32_t seed, std::vector<int32_t> offsets, auto&& adjust) {
    TCaseRecipe r{.Name = std::move(name), .Page = page, .Offsets = std::move(offsets), .Seed = seed};
    adjust(r);
    return r;
  };
  const auto run = [](int32_t start, int32_t step, int count) {
    std::vector<int32_t> offsets;
    for (int i = 0; i < count; ++i) offsets.push_back(start + i * step);
    return offsets;
  };
  const auto perFrame = [](std::initializer_list<std::pair<int, int32_t>> spans) {
    std::vector<int32_t> rows;
    for (const auto& [count, value] : spans) rows.insert(rows.end(), size_t(count), value);
    return rows;
  };
  const auto same = [](TCaseRecipe&) {};
  using enum TPageKind;
  return {
      // Down, back up, a covered frame, then down past the picture's end: the last accepted frame lies far above.
      make("RecoveryBelowAfterAStepBack", Article, 21, {0, 120, 240, 360, 480, 360, 240, 120, 240, 600, 720, 840},
           [](TCaseRecipe& r) { r.Covered = {8}; }),
      make("RecoveryAboveAfterAStepBack", Article, 22, {1500, 1380, 1260, 1140, 1260, 1380, 1260, 1020, 900, 780},
           [](TCaseRecipe& r) { r.Covered = {6}; }),
      make("CoveredFramesInARun", Chat, 23, run(0, 90, 12),
           [](TCaseRecipe& r) {
             r.Covered = {3, 7};
           }),
      make("NavigationSidebar", Article, 24, run(0, 100, 12), [](TCaseRecipe& r) { r.LeftColumn = 150; }),
      make("FrozenColumnOverATable", Table, 25, run(0, 96, 12), [](TCaseRecipe& r) { r.LeftColumn = 90; }),
      make("Minimap", Article, 26, run(0, 110, 10), [](TCaseRecipe& r) { r.RightColumn = 56; }),
      make("CookieBannerAppears", Article, 27, run(0, 100, 12),
           [&](TCaseRecipe& r) {
             r.BottomBar = perFrame({{4, 0}, {8, 64}});
           }),
      make("CookieBannerIsAccepted", Article, 28, run(0, 100, 12),
           [&](TCaseRecipe& r) {
             r.BottomBar = perFrame({{5, 64}, {7, 0}});
           }),
      make("HeaderShrinks", Article, 29, run(0, 100, 12),
           [&](TCaseRecipe& r) {
             r.TopBar = perFrame({{3, 72}, {9, 36}});
           }),
      make("BarsSlideInAndOut", Article, 30, run(0, 100, 12),
           [&](TCaseRecipe& r) {
             r.SlidingBars = true;
             r.TopBar = perFrame({{2, 0}, {1, 16}, {1, 32}, {5, 48}, {1, 20}, {2, 0}});
             r.BottomBar = perFrame({{3, 0}, {1, 20}, {1, 44}, {4, 56}, {1, 30}, {2, 0}});
           }),
      // A translucent bar is told from the page by rows that disagree both ways; where new rows enter, nothing
      // is there to compare with, so these runs move away from the bar (upward runs under a bottom bar likewise).
      make("TranslucentHeaderScrollingDown", Article, 31, run(0, 100, 12),
           [&](TCaseRecipe& r) {
             r.TranslucentBars = true;
             r.TopBar = perFrame({{12, 40}});
           }),
      make("TranslucentFooterScrollingUp", Article, 39, run(1800, -100, 12),
           [&](TCaseRecipe& r) {
             r.TranslucentBars = true;
             r.BottomBar = perFrame({{12, 36}});
           }),
      make("FloatingButtons", Article, 32, run(0, 100, 12), [](TCaseRecipe& r) { r.Floating = true; }),
      make("ClockAnimatedBannerCaretAndSpinner", Article, 33, run(0, 100, 12),
           [](TCaseRecipe& r) { r.Clock = r.AnimatedBanner = r.Caret = r.Spinner = true; }),
      make("HoverHighlightUnderThePointer", Table, 34, run(0, 100, 12), [](TCaseRecipe& r) { r.HoverRow = 250; }),
      make("ClassicScrollBarInANarrowWindow", Article, 35, run(0, 60, 12),
           [](TCaseRecipe& r) {
             r.Width = 180, r.Height = 300, r.Header = 20, r.Footer = 10, r.PageHeight = 2000;
             r.ScrollBarWidth = 17, r.ScrollBarArrows = true;
           }),
      make("ThumbMovesFar", Article, 36, {0, 300, 600, 700},
           [](TCaseRecipe& r) {
             r.PageHeight = 1042;
             r.ScrollBarWidth = 17, r.ScrollBarArrows = true;
           }),
      make("IdenticalRowsOnTheFirstStep", IdenticalRows, 37, run(0, 150, 8), same),
      make("ShortLastStep", Article, 38, {0, 150, 300, 450, 600, 750, 900, 1050, 1058},
           [](TCaseRecipe& r) { r.PageHeight = 1400; }),
  };
}

}  // namespace qor::stitch::corpus
