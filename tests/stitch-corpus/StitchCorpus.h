#pragma once
// Deterministic test material for the stitching engine: long pages (text in a real TrueType font, tables, chat bubbles,
// pictures, flat gaps) seen through a screen rectangle with a toolbar above and a footer below that do not scroll, a
// scroll bar whose thumb moves, and optionally a blinking caret and a spinner. Each case gives the frames as BMP file
// images, their directions, and the ideal long picture.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "base/Image.h"

namespace qor::stitch::corpus {

enum class TPageKind { Article, Table, Chat, FlatGaps };

struct TCaseRecipe {
  std::string Name;
  int32_t Width = 640;
  int32_t Height = 420;
  int32_t Header = 48;  // toolbar rows at the top that do not scroll
  int32_t Footer = 30;  // footer rows at the bottom that do not scroll
  TPageKind Page = TPageKind::Article;
  int32_t PageHeight = 3000;
  std::vector<int32_t> Offsets = {};  // page row at the top of the scrolling area, per frame
  bool ScrollBar = true;
  bool Caret = false;    // blinks in the toolbar
  bool Spinner = false;  // turns in the footer
  int BitsPerPixel = 32;
  bool TopDown = false;
  uint32_t Seed = 1;
};

struct TCase {
  TCaseRecipe Recipe;
  std::vector<std::vector<uint8_t>> Frames;  // BMP file images
  std::vector<int32_t> Directions;           // 1 down (and the first frame), 0 up
  TImage Ideal;
  std::vector<std::pair<int32_t, int32_t>> ChangingColumns;  // [left, right) left out of comparisons
};

// The visible scrolling height of a case (frame minus the bands).
inline int32_t ScrollHeight(const TCaseRecipe& recipe) { return recipe.Height - recipe.Header - recipe.Footer; }
// The scroll offsets of a run: from start, one per step, clamped to the page; steps may be negative.
std::vector<int32_t> Offsets(int32_t start, const std::vector<int32_t>& steps, int32_t maxOffset);
// Sets recipe.Offsets from start by steps within the recipe's page.
void Scroll(TCaseRecipe& recipe, int32_t start, const std::vector<int32_t>& steps);
// A browser-like window over a long article, `frames` frames `step` rows apart (benchmarks and timing runs).
TCaseRecipe LongRun(int32_t width, int32_t height, int frames, int32_t step);

TImage RenderPage(TPageKind kind, int32_t width, int32_t height, uint32_t seed);
// Frame `index` of a run over a page rendered for the recipe (for long runs that should not hold every frame).
std::vector<uint8_t> RenderFrame(const TCaseRecipe& recipe, const TImage& page, size_t index);
// 1 for the first frame and every step down, 0 for a step up; a frame that did not move keeps the last one.
std::vector<int32_t> Directions(const std::vector<int32_t>& offsets);
TCase BuildCase(const TCaseRecipe& recipe);
// The cases every test run stitches.
std::vector<TCaseRecipe> StandardCases();

}  // namespace qor::stitch::corpus
