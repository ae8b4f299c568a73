#pragma once
// A compact fingerprint of one frame for matching: the frame is cut into vertical strips, and every row of every
// strip (a "cell") gets a 64-bit hash and a flag telling whether all its pixels are equal. Comparing cells is a
// word compare, so a whole candidate displacement is checked in a few hundred thousand compares at 1080 rows.
#include <cstdint>
#include <vector>

#include "base/Image.h"

namespace qor::stitch {

// At most this many strips, so that one row's cell differences fit one 32-bit mask.
constexpr int MaxStrips = 32;

class TFrameSignature {
 public:
  // ignoreAlpha: the fourth byte of each pixel is not colour (a plain 32-bit BMP) and must not count. The view
  // may point straight into a BMP file image (unaligned rows, negative stride).
  void Compute(const TConstImageView& frame, bool ignoreAlpha = false);

  int32_t Width() const { return FWidth; }
  int32_t Height() const { return FHeight; }
  int Strips() const { return FStrips; }
  uint32_t AllStrips() const { return FStrips == 32 ? 0xFFFFFFFFu : ((1u << FStrips) - 1); }
  uint64_t Cell(int32_t y, int strip) const { return FCells[size_t(y) * size_t(FStrips) + size_t(strip)]; }
  const uint64_t* Row(int32_t y) const { return FCells.data() + size_t(y) * size_t(FStrips); }
  // Bit s set when all pixels of strip s in row y are the same colour (such a cell tells nothing about position).
  uint32_t FlatMask(int32_t y) const { return FFlat[size_t(y)]; }
  // Bit s set when strip s of row y differs between the two signatures (same width and strips assumed).
  uint32_t DiffMask(int32_t y, const TFrameSignature& other, int32_t otherY) const;
  // One hash of the whole row (for finding steps over rows whose cells repeat too often to vote).
  uint64_t RowKey(int32_t y) const { return FRowKeys[size_t(y)]; }

  // Builds a signature row by row from rows of other signatures (the end of the stitched picture).
  void Resize(int32_t width, int32_t height, int strips);
  void SetRow(int32_t y, const uint64_t* cells, uint32_t flat);

 private:
  int32_t FWidth = 0;
  int32_t FHeight = 0;
  int FStrips = 0;
  std::vector<uint64_t> FCells;
  std::vector<uint32_t> FFlat;
  std::vector<uint64_t> FRowKeys;
};

}  // namespace qor::stitch
