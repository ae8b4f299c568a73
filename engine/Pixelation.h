#pragma once
// The pixelation brush: a stroke turns the picture under a round brush into square cells of one colour each, the
// rounded mean of the cell's pixels. Cells lie on a grid of the block size that starts at the picture's top-left
// corner, and a touched cell is always filled whole, so that strokes join without seams and a later stroke finds an
// earlier one's cells uniform and keeps their colour. A stroke keeps the pixels it replaced (only those), so that
// undo and redo restore either state exactly.
#include <cstdint>
#include <memory>
#include <vector>

#include "base/Geometry.h"
#include "base/Image.h"

namespace qor {

// What one stroke changed: runs of neighbouring cells of one cell row, with their pixels before and one colour per
// cell after.
class TPixelatedArea {
 public:
  bool IsEmpty() const { return FPatches.empty(); }
  // The rectangles of the changed cells, in runs.
  std::vector<TRect> Rects() const;
  // Puts the pixels back as they were before the stroke, or the cells' colours again.
  void Restore(const TImageView& picture) const;
  void Repeat(const TImageView& picture) const;

 private:
  friend class TPixelationStroke;
  struct TRun {
    TRect Rect;
    size_t FirstColour = 0;  // in the patch's Colours, one per cell from the left
    size_t FirstPixel = 0;   // in the patch's Before, the run's rows one after the other
  };
  // One brush move's cells: a stroke adds a patch per move rather than growing one buffer it would copy.
  struct TPatch {
    std::vector<TRun> Runs;
    std::vector<TBgra> Colours;
    // The pixels as raw words, copied in and out with memcpy: the memory is written once, never zeroed first.
    std::unique_ptr<uint32_t[]> Before;
  };
  int32_t FBlock = 1;
  std::vector<TPatch> FPatches;
};

class TPixelationStroke {
 public:
  // The largest block size taken: a cell's channel sums stay within 32 bits up to it.
  static constexpr int32_t MaxBlock = 1024;

  // picture is the picture painted, and must outlive the stroke; brushSize is the brush's diameter and blockSize the
  // side of a cell, both in pixels (clamped to 1 and up, the block size to MaxBlock).
  TPixelationStroke(const TImageView& picture, int32_t brushSize, int32_t blockSize);
  // Pixelates the cells the brush touches on its way from the last point to p (the first call: the cells under it at
  // p) and adds the rectangles of the cells it changed to changed.
  void MoveTo(TPoint p, std::vector<TRect>& changed);
  // What the stroke changed; the stroke is over.
  TPixelatedArea TakeArea() { return std::move(FArea); }

 private:
  TImageView FPicture;
  double FRadius;
  int32_t FBlock;
  int32_t FColumns, FRows;  // of the cell grid
  // Per cell row, a bit per cell: pixelated by this stroke. Bits let a row's new runs be found a word at a time.
  int32_t FWordsPerRow;
  std::vector<uint64_t> FDone;
  bool FStarted = false;
  TPoint FLast;
  TPixelatedArea FArea;
  std::vector<uint16_t> FSums16;  // scratch: the channel sums of a run's columns
  std::vector<uint32_t> FSums32;  // the same for runs of more than 257 rows
  std::vector<TBgra> FPattern;    // scratch: one row of a run's cells
  std::vector<TRect> FRuns;       // scratch: the runs of new cells of a move

  int32_t CellsOf(const TRect& run) const { return (run.Width() + FBlock - 1) / FBlock; }
  // Marks the cells first to last of cell row j done and adds the runs of those that were not yet to FRuns.
  void TakeNewCells(int32_t j, int32_t first, int32_t last);
  void PixelateRun(const TRect& run, size_t firstPixel, TPixelatedArea::TPatch& patch);
};

}  // namespace qor
