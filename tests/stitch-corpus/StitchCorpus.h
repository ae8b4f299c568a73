#pragma once
// Deterministic test material for the stitching engine: long pages (text in a real TrueType font, tables, chat bubbles,
// pictures, flat gaps, identical rows) seen through a screen rectangle with a toolbar above and a footer below that do
// not scroll, a scroll bar whose thumb moves, and optionally what real windows add: a blinking caret, a spinner, a
// clock, fixed side columns, sticky bars that come, go or change height (opaque or translucent), floating buttons, an
// animated banner, a highlighted line under the pointer, and frames that a dialog covers. Each case gives the frames as
// BMP file images, their directions, and the ideal long picture.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "base/Image.h"

namespace qor::stitch::corpus {

// IdenticalRows: a title block, then one table row repeated exactly, then a closing block.
enum class TPageKind { Article, Table, Chat, FlatGaps, IdenticalRows };

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
  int32_t ScrollBarWidth = 12;
  bool ScrollBarArrows = false;  // a classic bar: arrow buttons at both ends of the track
  bool Caret = false;            // blinks in the toolbar
  bool Spinner = false;          // turns in the footer
  bool Clock = false;            // a clock in the toolbar that shows another time in every frame
  // Columns at the left and right of the scrolling area that do not scroll (a navigation sidebar, a minimap).
  int32_t LeftColumn = 0;
  int32_t RightColumn = 0;
  // Per frame (missing entries: 0): rows of a sticky bar at the top and the bottom of the scrolling area.
  std::vector<int32_t> TopBar = {};
  std::vector<int32_t> BottomBar = {};
  bool SlidingBars = false;      // a bar of fewer rows shows the edge of the full bar (it slides in or out)
  bool TranslucentBars = false;  // the bars show the page blurred under them
  // Floating elements over the scrolling area: a back-to-top button at the bottom right, a chat bubble at the
  // bottom left.
  bool Floating = false;
  // A banner in the page (it scrolls with it) that is drawn differently in every frame.
  bool AnimatedBanner = false;
  // The pointer rests on this row of the scrolling area: the page's text line under it is highlighted.
  int32_t HoverRow = -1;
  // Frames that a dialog covers almost entirely (they cannot join).
  std::vector<size_t> Covered = {};
  int BitsPerPixel = 32;
  bool TopDown = false;
  uint32_t Seed = 1;
};

struct TCase {
  TCaseRecipe Recipe;
  std::vector<std::vector<uint8_t>> Frames;  // BMP file images
  std::vector<int32_t> Directions;           // 1 down (and the first frame), 0 up
  TImage Ideal;
  // Where the ideal cannot be exact, each pixel may instead equal this picture (empty when there is none).
  TImage Alternative;
  std::vector<std::pair<int32_t, int32_t>> ChangingColumns;  // [left, right) left out of comparisons
  std::vector<TRect> ChangingAreas;                          // rectangles of the ideal left out of comparisons
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
TImage RenderFrameImage(const TCaseRecipe& recipe, const TImage& page, size_t index);
// 1 for the first frame and every step down, 0 for a step up; a frame that did not move keeps the last one.
std::vector<int32_t> Directions(const std::vector<int32_t>& offsets);
TCase BuildCase(const TCaseRecipe& recipe);
// The cases every test run stitches: clean pages ...
std::vector<TCaseRecipe> StandardCases();
// ... and pages with what real windows add: fixed columns, bars that come and go, floating and changing parts,
// classic scroll bars, identical rows, frames that cannot join.
std::vector<TCaseRecipe> RealPageCases();

}  // namespace qor::stitch::corpus
