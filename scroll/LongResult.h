#pragma once
// The program's copy of the whole stitched picture. The stitching library hands back the entire picture after every
// step, but a step only changes one end of it: rows appended below (after replacing the old footer band) or rows
// prepended above (after replacing the old top band). This copy compares only a window of rows near the end that can
// change and decodes only the rows that differ, so a step costs the same at 2,000 rows as at 30,000.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/BmpFile.h"
#include "base/Image.h"

namespace qor {

// Rows, top-down, of the picture after an update.
struct TRowSpan {
  int32_t First = 0;
  int32_t Count = 0;
  friend bool operator==(const TRowSpan&, const TRowSpan&) = default;
};

class TLongResult {
 public:
  // A step changes at most this many rows at one end (a frame's height), unless the first picture was taller.
  static constexpr int32_t MinBandLimit = 1024;

  // bmp/size: the library's result after a step; downward: the step's direction. False (picture kept) when the
  // bytes are not a readable BMP. changed: the rows that are new or differ (the whole picture on the first call and
  // after a width change).
  bool Update(const uint8_t* bmp, size_t size, bool downward, TRowSpan& changed);
  TConstImageView View() const;  // the whole picture (empty before the first update)
  int32_t Width() const { return FWidth; }
  int32_t Height() const { return FHeight; }
  // Rows the last update added at the top (negative when the top lost rows; 0 for a change at the end).
  int32_t Prepended() const { return FPrepended; }
  void Clear();

 private:
  TBgra* BufferRow(int32_t pictureRow) { return FRows.data() + (size_t(FFirst) + pictureRow) * size_t(FWidth); }
  // Moves picture row 0 up by shift rows (down when negative) and sets the height, growing the buffer when an end
  // has no room left; kept rows stay where they are in the picture.
  void Reshape(int32_t shift, int32_t height);
  void TakeWhole(const uint8_t* bmp, const TBmpLayout& layout);

  std::vector<TBgra> FRows;  // FCapacity rows of FWidth, the picture at rows [FFirst, FFirst + FHeight)
  int32_t FCapacity = 0;
  int32_t FFirst = 0;
  int32_t FWidth = 0;
  int32_t FHeight = 0;
  int32_t FPrepended = 0;
  int32_t FBandLimit = MinBandLimit;
  std::vector<TBgra> FScratch;  // one decoded row for comparisons
};

}  // namespace qor
