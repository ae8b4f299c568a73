#include "engine/Pixelation.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace qor {

namespace {

struct TVec {
  double X, Y;
};

TVec Centre(TPoint p) { return {p.X + 0.5, p.Y + 0.5}; }

constexpr double Infinity = 1e300;

struct TSpan {
  double Lo = Infinity, Hi = -Infinity;  // empty until widened
  void Widen(double lo, double hi) { Lo = std::min(Lo, lo), Hi = std::max(Hi, hi); }
};

// The brush swept from a to b: every point within the radius of the segment a-b.
class TCapsule {
 public:
  TCapsule(TVec a, TVec b, double r)
      : A(a), B(b), R(r), Length(std::sqrt((b.X - a.X) * (b.X - a.X) + (b.Y - a.Y) * (b.Y - a.Y))) {
    if (Length > 0) Ux = (b.X - a.X) / Length, Uy = (b.Y - a.Y) / Length;
  }

  // The part of the horizontal line at height y inside the capsule: the chords of the discs at both ends and of the
  // band between them, which join into one since the capsule is convex.
  TSpan Chord(double y) const {
    TSpan span;
    for (const TVec end : {A, B})
      if (const double dy = y - end.Y; dy * dy <= R * R) {
        const double w = std::sqrt(R * R - dy * dy);
        span.Widen(end.X - w, end.X + w);
      }
    if (Length == 0) return span;
    // In the band, a point's distance along the segment lies in [0, Length] and across it in [-R, R]; each is
    // linear in x along the line.
    const double along = (y - A.Y) * Uy, across = (y - A.Y) * Ux;
    double from = -Infinity, to = Infinity;
    const auto limit = [&](double slope, double offset, double low, double high) {
      if (slope == 0) {
        if (offset < low || offset > high) from = Infinity;
        return;
      }
      const double t1 = (low - offset) / slope, t2 = (high - offset) / slope;
      from = std::max(from, std::min(t1, t2));
      to = std::min(to, std::max(t1, t2));
    };
    limit(Ux, along, 0, Length);
    limit(-Uy, across, -R, R);
    if (from <= to) span.Widen(A.X + from, A.X + to);
    return span;
  }

  // The x-extent of the capsule between heights top and bottom. Its right edge over height is concave, so its
  // largest value in the strip is where the capsule reaches furthest right, held into the strip; the left likewise.
  TSpan Extent(double top, double bottom) const {
    top = std::max(top, std::min(A.Y, B.Y) - R);
    bottom = std::min(bottom, std::max(A.Y, B.Y) + R);
    if (top > bottom) return {};
    const double level = std::clamp((top + bottom) / 2, std::min(A.Y, B.Y), std::max(A.Y, B.Y));  // a vertical sweep
    const double rightmost = A.X < B.X ? B.Y : A.X > B.X ? A.Y : level;
    const double leftmost = A.X < B.X ? A.Y : A.X > B.X ? B.Y : level;
    return {Chord(std::clamp(leftmost, top, bottom)).Lo, Chord(std::clamp(rightmost, top, bottom)).Hi};
  }

 private:
  TVec A, B;
  double R;
  double Length;
  double Ux = 0, Uy = 0;  // the unit vector from A to B
};

// The cell index of coordinate v, kept within -1 ... count so that far-away points stay in range.
int32_t CellOf(double v, int32_t block, int32_t count) {
  return int32_t(std::clamp(std::floor(v / block), -1.0, double(count)));
}

// The rounded mean of n values of 0 to 255 (n up to 2^20) from their sum, by multiplying with a reciprocal: a
// division for each channel of each cell would take longer than summing the cell. The error of the reciprocal times
// a sum below 256 n stays under 1 / n, so the quotient is exact.
class TRoundedMean {
 public:
  explicit TRoundedMean(uint32_t n) : FHalf(n / 2), FReciprocal((uint64_t(1) << Shift) / n + 1) {}
  uint8_t operator()(uint32_t sum) const { return uint8_t((uint64_t(sum + FHalf) * FReciprocal) >> Shift); }

 private:
  static constexpr int Shift = 50;
  uint32_t FHalf;
  uint64_t FReciprocal;
};

// Fills each cell of a run with its colour: one row is laid out in pattern, then copied to every row of the run.
void FillRun(const TImageView& picture, const TRect& run, int32_t block, const TBgra* colours,
             std::vector<TBgra>& pattern) {
  const int32_t width = run.Width();
  pattern.resize(size_t(width));
  for (int32_t x = 0, k = 0; x < width; x += block, ++k)
    std::fill(pattern.begin() + x, pattern.begin() + std::min(x + block, width), colours[k]);
  for (int32_t y = run.Top; y < run.Bottom; ++y) std::copy(pattern.begin(), pattern.end(), picture.Row(y) + run.Left);
}

// The colours of a run's cells from its pixels (rows one after the other): the sums of its columns, channel by
// channel (a loop over plain bytes, which vectorises), and then of each cell's columns.
template <class TSum>
void CellColours(const uint32_t* pixels, int32_t width, int32_t height, int32_t block, TBgra* colours,
                 std::vector<TSum>& columnSums) {
  const size_t channels = size_t(width) * 4;
  const uint8_t* bytes = reinterpret_cast<const uint8_t*>(pixels);
  columnSums.assign(bytes, bytes + channels);  // the first row, rather than zeros to add it to
  TSum* sums = columnSums.data();
  for (int32_t y = 1; y < height; ++y) {
    bytes += channels;
    for (size_t i = 0; i < channels; ++i) sums[i] += bytes[i];
  }
  const TRoundedMean whole(uint32_t(block * height));
  for (int32_t left = 0, k = 0; left < width; left += block, ++k) {
    const int32_t right = std::min(left + block, width);
    uint32_t cell[4] = {};
    for (int32_t x = left; x < right; ++x)
      for (int32_t c = 0; c < 4; ++c) cell[c] += sums[size_t(x) * 4 + c];
    // Only a cell cut by the picture's right edge holds fewer pixels.
    const TRoundedMean mean = right - left == block ? whole : TRoundedMean(uint32_t((right - left) * height));
    colours[k] = {mean(cell[0]), mean(cell[1]), mean(cell[2]), mean(cell[3])};
  }
}

// The first cell from from on (up to to) whose bit is set (or clear, for set false), or to if none is.
int32_t NextCell(const uint64_t* bits, int32_t from, int32_t to, bool set) {
  while (from < to) {
    const uint64_t word = (set ? bits[from / 64] : ~bits[from / 64]) & (~uint64_t(0) << (from % 64));
    if (word) return std::min(to, from / 64 * 64 + std::countr_zero(word));
    from = from / 64 * 64 + 64;
  }
  return to;
}

void SetCells(uint64_t* bits, int32_t from, int32_t to) {
  for (; from < to; from = from / 64 * 64 + 64) {
    const int32_t end = std::min(to, from / 64 * 64 + 64);
    const uint64_t upper = end % 64 ? ~uint64_t(0) << (end % 64) : 0;  // the bits from end on in the word
    bits[from / 64] |= (~uint64_t(0) << (from % 64)) & ~upper;
  }
}

// Cells of 2 x 2 pixels, the finest grid in common use, where per-cell work outweighs that per pixel: a cell's two
// pixels of a row are loaded as one 64-bit word, and its channels summed two at a time in 16-bit lanes (blue and red
// in one word, green and alpha in the other), where four values of 255 add up without a carry into the next lane.
// top and bottom are the cells' two rows as they were, pictureTop and pictureBottom the picture's rows to fill.
static_assert(std::endian::native == std::endian::little);
void PixelatePairs(const uint32_t* top, const uint32_t* bottom, int32_t cells, TBgra* colours, TBgra* pictureTop,
                   TBgra* pictureBottom) {
  constexpr uint64_t Lanes = 0x00FF00FF00FF00FF;
  for (int32_t k = 0; k < cells; ++k) {
    uint64_t a, b;
    std::memcpy(&a, top + 2 * k, sizeof a);
    std::memcpy(&b, bottom + 2 * k, sizeof b);
    uint64_t blueRed = (a & Lanes) + (b & Lanes), greenAlpha = (a >> 8 & Lanes) + (b >> 8 & Lanes);
    blueRed += blueRed >> 32, greenAlpha += greenAlpha >> 32;  // the low two lanes: the sums of the cell's pixels
    // The rounded mean (sum + 2) / 4 in both lanes at once; the mask drops the bits shifted in from the lane above.
    const uint32_t colour =
        uint32_t((blueRed + 0x00020002) >> 2 & 0x00FF00FF) | uint32_t((greenAlpha + 0x00020002) >> 2 & 0x00FF00FF) << 8;
    const uint64_t pair = uint64_t(colour) << 32 | colour;
    std::memcpy(static_cast<void*>(colours + k), &colour, sizeof colour);
    std::memcpy(static_cast<void*>(pictureTop + 2 * k), &pair, sizeof pair);
    std::memcpy(static_cast<void*>(pictureBottom + 2 * k), &pair, sizeof pair);
  }
}

}  // namespace

std::vector<TRect> TPixelatedArea::Rects() const {
  std::vector<TRect> rects;
  for (const TPatch& patch : FPatches)
    for (const TRun& run : patch.Runs) rects.push_back(run.Rect);
  return rects;
}

void TPixelatedArea::Restore(const TImageView& picture) const {
  for (const TPatch& patch : FPatches)
    for (const TRun& run : patch.Runs) {
      const uint32_t* from = patch.Before.get() + run.FirstPixel;
      for (int32_t y = run.Rect.Top; y < run.Rect.Bottom; ++y, from += run.Rect.Width())
        std::memcpy(static_cast<void*>(picture.Row(y) + run.Rect.Left), from, size_t(run.Rect.Width()) * sizeof(TBgra));
    }
}

void TPixelatedArea::Repeat(const TImageView& picture) const {
  std::vector<TBgra> pattern;
  for (const TPatch& patch : FPatches)
    for (const TRun& run : patch.Runs)
      FillRun(picture, run.Rect, FBlock, patch.Colours.data() + run.FirstColour, pattern);
}

TPixelationStroke::TPixelationStroke(const TImageView& picture, int32_t brushSize, int32_t blockSize)
    : FPicture(picture),
      FRadius(std::max(brushSize, 1) / 2.0),
      FBlock(std::clamp(blockSize, 1, MaxBlock)),
      FColumns((picture.Width + FBlock - 1) / FBlock),
      FRows((picture.Height + FBlock - 1) / FBlock),
      FWordsPerRow((FColumns + 63) / 64),
      FDone(size_t(FWordsPerRow) * FRows) {
  FArea.FBlock = FBlock;
}

void TPixelationStroke::MoveTo(TPoint p, std::vector<TRect>& changed) {
  if (FStarted && p == FLast) return;
  const TVec a = Centre(FStarted ? FLast : p), b = Centre(p);
  FStarted = true;
  FLast = p;

  // Row by row of cells, the new cells are those the capsule's extent in the row reaches.
  const TCapsule capsule{a, b, FRadius};
  std::vector<TRect>& runs = FRuns;
  runs.clear();
  const int32_t firstRow = std::max(0, CellOf(std::min(a.Y, b.Y) - FRadius, FBlock, FRows));
  const int32_t lastRow = std::min(FRows - 1, CellOf(std::max(a.Y, b.Y) + FRadius, FBlock, FRows));
  for (int32_t j = firstRow; j <= lastRow; ++j) {
    const int32_t top = j * FBlock, bottom = std::min(top + FBlock, FPicture.Height);
    const TSpan extent = capsule.Extent(top, bottom);
    if (!(extent.Lo < extent.Hi)) continue;
    const int32_t first = std::max(0, CellOf(extent.Lo, FBlock, FColumns));
    const int32_t last = std::min(FColumns - 1, CellOf(std::ceil(extent.Hi) - 1, FBlock, FColumns));
    TakeNewCells(j, first, last);
  }
  if (runs.empty()) return;

  TPixelatedArea::TPatch patch;
  size_t pixels = 0, cells = 0;
  for (const TRect& run : runs) {
    pixels += size_t(run.Width()) * run.Height();
    cells += CellsOf(run);
  }
  patch.Before = std::make_unique_for_overwrite<uint32_t[]>(pixels);
  patch.Colours.resize(cells);
  patch.Runs.reserve(runs.size());
  size_t firstPixel = 0;
  for (const TRect& run : runs) {
    PixelateRun(run, firstPixel, patch);
    firstPixel += size_t(run.Width()) * run.Height();
  }
  FArea.FPatches.push_back(std::move(patch));
  changed.insert(changed.end(), runs.begin(), runs.end());
}

void TPixelationStroke::TakeNewCells(int32_t j, int32_t first, int32_t last) {
  uint64_t* done = FDone.data() + size_t(j) * FWordsPerRow;
  const int32_t top = j * FBlock, bottom = std::min(top + FBlock, FPicture.Height);
  for (int32_t start = NextCell(done, first, last + 1, false); start <= last;) {
    const int32_t end = NextCell(done, start, last + 1, true);
    SetCells(done, start, end);
    FRuns.push_back({start * FBlock, top, std::min(end * FBlock, FPicture.Width), bottom});
    start = NextCell(done, end, last + 1, false);
  }
}

void TPixelationStroke::PixelateRun(const TRect& run, size_t firstPixel, TPixelatedArea::TPatch& patch) {
  const int32_t width = run.Width(), cells = CellsOf(run);
  const size_t firstColour = patch.Runs.empty() ? 0 : patch.Runs.back().FirstColour + CellsOf(patch.Runs.back().Rect);
  patch.Runs.push_back({run, firstColour, firstPixel});
  // The pixels before, row by row; the cells' sums are then taken from this copy, which is in the cache.
  uint32_t* before = patch.Before.get() + firstPixel;
  for (int32_t y = run.Top; y < run.Bottom; ++y)
    std::memcpy(before + size_t(y - run.Top) * width, FPicture.Row(y) + run.Left, size_t(width) * sizeof(TBgra));
  TBgra* colours = patch.Colours.data() + firstColour;
  if (FBlock == 2 && run.Height() == 2 && width % 2 == 0) {  // no cell cut by the picture's edges
    PixelatePairs(before, before + width, cells, colours, FPicture.Row(run.Top) + run.Left,
                  FPicture.Row(run.Top + 1) + run.Left);
    return;
  }
  // Columns of up to 257 rows sum up within 16 bits, which take half the work of 32-bit sums.
  if (run.Height() <= 257)
    CellColours(before, width, run.Height(), FBlock, colours, FSums16);
  else
    CellColours(before, width, run.Height(), FBlock, colours, FSums32);
  FillRun(FPicture, run, FBlock, colours, FPattern);
}

}  // namespace qor
