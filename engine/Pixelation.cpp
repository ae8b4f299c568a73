#include "engine/Pixelation.h"

#include <algorithm>
#include <cmath>

namespace qor {

namespace {

struct TVec {
  double X, Y;
};

TVec Centre(TPoint p) { return {p.X + 0.5, p.Y + 0.5}; }

double PointBoxDistSq(TVec p, const TRect& r) {
  const double dx = std::max({r.Left - p.X, 0.0, p.X - r.Right});
  const double dy = std::max({r.Top - p.Y, 0.0, p.Y - r.Bottom});
  return dx * dx + dy * dy;
}

double PointSegmentDistSq(TVec p, TVec a, TVec b) {
  const double dx = b.X - a.X, dy = b.Y - a.Y, lengthSq = dx * dx + dy * dy;
  const double t = lengthSq > 0 ? std::clamp(((p.X - a.X) * dx + (p.Y - a.Y) * dy) / lengthSq, 0.0, 1.0) : 0.0;
  const double ex = a.X + t * dx - p.X, ey = a.Y + t * dy - p.Y;
  return ex * ex + ey * ey;
}

// Whether the segment a-b passes through the box (clipped against its four sides in turn).
bool SegmentCrossesBox(TVec a, TVec b, const TRect& r) {
  const double dx = b.X - a.X, dy = b.Y - a.Y;
  const double sides[4][2] = {{-dx, a.X - r.Left}, {dx, r.Right - a.X}, {-dy, a.Y - r.Top}, {dy, r.Bottom - a.Y}};
  double t0 = 0, t1 = 1;
  for (const auto& [p, q] : sides) {
    if (p == 0) {
      if (q < 0) return false;
    } else if (p < 0) {
      t0 = std::max(t0, q / p);
    } else {
      t1 = std::min(t1, q / p);
    }
    if (t0 > t1) return false;
  }
  return true;
}

// Apart from crossing, a segment and a box come closest at an end of the segment or a corner of the box.
double SegmentBoxDistSq(TVec a, TVec b, const TRect& r) {
  if (SegmentCrossesBox(a, b, r)) return 0;
  double d = std::min(PointBoxDistSq(a, r), PointBoxDistSq(b, r));
  for (const TVec corner : {TVec{double(r.Left), double(r.Top)}, TVec{double(r.Right), double(r.Top)},
                            TVec{double(r.Left), double(r.Bottom)}, TVec{double(r.Right), double(r.Bottom)}})
    d = std::min(d, PointSegmentDistSq(corner, a, b));
  return d;
}

// The cell index of coordinate v, kept within -1 ... count so that far-away points stay in range.
int32_t CellOf(double v, int32_t block, int32_t count) {
  return int32_t(std::clamp(std::floor(v / block), -1.0, double(count)));
}

// Fills each cell of a run with its colour.
void FillRun(const TImageView& picture, const TRect& run, int32_t block, const TBgra* colours) {
  for (int32_t y = run.Top; y < run.Bottom; ++y) {
    TBgra* row = picture.Row(y);
    for (int32_t x = run.Left, k = 0; x < run.Right; x += block, ++k)
      std::fill(row + x, row + std::min(x + block, run.Right), colours[k]);
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
      const TBgra* from = patch.Before.data() + run.FirstPixel;
      for (int32_t y = run.Rect.Top; y < run.Rect.Bottom; ++y, from += run.Rect.Width())
        std::copy(from, from + run.Rect.Width(), picture.Row(y) + run.Rect.Left);
    }
}

void TPixelatedArea::Repeat(const TImageView& picture) const {
  for (const TPatch& patch : FPatches)
    for (const TRun& run : patch.Runs) FillRun(picture, run.Rect, FBlock, patch.Colours.data() + run.FirstColour);
}

TPixelationStroke::TPixelationStroke(const TImageView& picture, int32_t brushSize, int32_t blockSize)
    : FPicture(picture),
      FRadius(std::max(brushSize, 1) / 2.0),
      FBlock(std::clamp(blockSize, 1, MaxBlock)),
      FColumns((picture.Width + FBlock - 1) / FBlock),
      FRows((picture.Height + FBlock - 1) / FBlock),
      FDone(size_t(FColumns) * FRows) {
  FArea.FBlock = FBlock;
}

void TPixelationStroke::MoveTo(TPoint p, std::vector<TRect>& changed) {
  if (FStarted && p == FLast) return;
  const TVec a = Centre(FStarted ? FLast : p), b = Centre(p);
  FStarted = true;
  FLast = p;

  // The brush sweeps a capsule: every point within the radius of the segment a-b. Row by row, only the cells near
  // the part of the segment that comes within the radius of the row are tested.
  const double r = FRadius;
  std::vector<TRect> runs;
  const int32_t firstRow = std::max(0, CellOf(std::min(a.Y, b.Y) - r, FBlock, FRows));
  const int32_t lastRow = std::min(FRows - 1, CellOf(std::max(a.Y, b.Y) + r, FBlock, FRows));
  for (int32_t j = firstRow; j <= lastRow; ++j) {
    const int32_t top = j * FBlock, bottom = std::min(top + FBlock, FPicture.Height);
    double t0 = 0, t1 = 1;
    if (a.Y != b.Y) {
      const double ta = (top - r - a.Y) / (b.Y - a.Y), tb = (bottom + r - a.Y) / (b.Y - a.Y);
      t0 = std::max(t0, std::min(ta, tb));
      t1 = std::min(t1, std::max(ta, tb));
      if (t0 > t1) continue;
    }
    const double x0 = a.X + (b.X - a.X) * t0, x1 = a.X + (b.X - a.X) * t1;
    const int32_t first = std::max(0, CellOf(std::min(x0, x1) - r, FBlock, FColumns));
    const int32_t last = std::min(FColumns - 1, CellOf(std::max(x0, x1) + r, FBlock, FColumns));
    uint8_t* done = FDone.data() + size_t(j) * FColumns;
    int32_t runStart = -1;
    for (int32_t i = first; i <= last + 1; ++i) {
      const TRect cell{i * FBlock, top, std::min(i * FBlock + FBlock, FPicture.Width), bottom};
      const bool fresh = i <= last && !done[i] && SegmentBoxDistSq(a, b, cell) < r * r;
      if (fresh) {
        done[i] = 1;
        if (runStart < 0) runStart = i;
      } else if (runStart >= 0) {
        runs.push_back({runStart * FBlock, top, std::min(cell.Left, FPicture.Width), bottom});
        runStart = -1;
      }
    }
  }
  if (runs.empty()) return;

  TPixelatedArea::TPatch patch;
  size_t pixels = 0, cells = 0;
  for (const TRect& run : runs) {
    pixels += size_t(run.Width()) * run.Height();
    cells += size_t(run.Width() + FBlock - 1) / FBlock;
  }
  patch.Before.reserve(pixels);
  patch.Colours.reserve(cells);
  for (const TRect& run : runs) PixelateRun(run, patch);
  FArea.FPatches.push_back(std::move(patch));
  changed.insert(changed.end(), runs.begin(), runs.end());
}

void TPixelationStroke::PixelateRun(const TRect& run, TPixelatedArea::TPatch& patch) {
  const int32_t width = run.Width(), cells = (width + FBlock - 1) / FBlock;
  patch.Runs.push_back({run, patch.Colours.size(), patch.Before.size()});
  FSums.assign(size_t(cells) * 4, 0);
  for (int32_t y = run.Top; y < run.Bottom; ++y) {
    const TBgra* row = FPicture.Row(y) + run.Left;
    patch.Before.insert(patch.Before.end(), row, row + width);
    for (int32_t k = 0, x = 0; k < cells; ++k) {
      uint32_t b = 0, g = 0, r = 0, a = 0;
      for (const int32_t end = std::min(x + FBlock, width); x < end; ++x) {
        b += row[x].B;
        g += row[x].G;
        r += row[x].R;
        a += row[x].A;
      }
      uint32_t* sums = FSums.data() + size_t(k) * 4;
      sums[0] += b, sums[1] += g, sums[2] += r, sums[3] += a;
    }
  }
  for (int32_t k = 0; k < cells; ++k) {
    const uint32_t n = uint32_t(std::min(FBlock, width - k * FBlock) * run.Height());
    const uint32_t* sums = FSums.data() + size_t(k) * 4;
    const auto mean = [n](uint32_t sum) { return uint8_t((sum + n / 2) / n); };
    patch.Colours.push_back({mean(sums[0]), mean(sums[1]), mean(sums[2]), mean(sums[3])});
  }
  FillRun(FPicture, run, FBlock, patch.Colours.data() + patch.Runs.back().FirstColour);
}

}  // namespace qor
