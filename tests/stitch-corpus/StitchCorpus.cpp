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

std::vector<uint8_t> Encode(const TImageView& frame, int bits, bool topDown) {
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

}  // namespace

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
  else
    Article(page.View(), random, kind == TPageKind::FlatGaps);
  return page;
}

std::vector<uint8_t> RenderFrame(const TCaseRecipe& recipe, const TImage& page, size_t index) {
  TImage frame(recipe.Width, recipe.Height);
  const TImageView view = frame.View();
  const int32_t visible = ScrollHeight(recipe), offset = recipe.Offsets[index];
  int32_t caretX = 0, spinnerX = 0;
  Toolbar(view.Sub(TRect{0, 0, recipe.Width, recipe.Header}), recipe.Header, recipe.Caret && index % 2 == 0, caretX);
  CopyRows(page.View(), offset, view, recipe.Header, visible);
  Footer(view, recipe.Header + visible, recipe.Footer, recipe.Spinner ? int(index) : -1, spinnerX);
  if (recipe.ScrollBar) {
    const int32_t barLeft = recipe.Width - 12;
    FillRect(view, barLeft, recipe.Header, recipe.Width, recipe.Header + visible, Rgb(0xEEEEEE));
    const int32_t thumb = std::max(20, int32_t(int64_t(visible) * visible / recipe.PageHeight));
    const int32_t range = std::max(1, recipe.PageHeight - visible);
    const int32_t thumbTop = recipe.Header + int32_t(int64_t(visible - thumb) * offset / range);
    FillRect(view, barLeft + 2, thumbTop, recipe.Width - 2, thumbTop + thumb, Rgb(0xA0A0A0));
  }
  return Encode(view, recipe.BitsPerPixel, recipe.TopDown);
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
  for (size_t i = 0; i < recipe.Offsets.size(); ++i) result.Frames.push_back(RenderFrame(recipe, page, i));
  result.Directions = Directions(recipe.Offsets);

  // The ideal: the toolbar once, every page row that was on screen, the footer once.
  const auto [lowest, highest] = std::minmax_element(recipe.Offsets.begin(), recipe.Offsets.end());
  const int32_t content = *highest - *lowest + ScrollHeight(recipe);
  result.Ideal = TImage(recipe.Width, recipe.Header + content + recipe.Footer);
  const TImageView ideal = result.Ideal.View();
  int32_t caretX = 0, spinnerX = 0;
  Toolbar(ideal.Sub(TRect{0, 0, recipe.Width, recipe.Header}), recipe.Header, false, caretX);
  CopyRows(page.View(), *lowest, ideal, recipe.Header, content);
  Footer(ideal, recipe.Header + content, recipe.Footer, -1, spinnerX);
  if (recipe.ScrollBar) result.ChangingColumns.emplace_back(recipe.Width - 12, recipe.Width);
  if (recipe.Caret) result.ChangingColumns.emplace_back(caretX, caretX + 2);
  if (recipe.Spinner) result.ChangingColumns.emplace_back(spinnerX, spinnerX + 17);
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

}  // namespace qor::stitch::corpus
