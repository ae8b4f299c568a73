#pragma once
// The long picture being stitched: it takes one frame (a BMP file image) per scroll step, finds where the frame
// lies against the previous one, and adds the rows that are new. The picture is kept all the time as a ready
// 24-bit bottom-up BMP file image inside a buffer with room at both ends: rows that join below go in front of the
// stored rows, rows that join above go after them, and the 54-byte header is rewritten just before the first
// stored row. A call therefore costs in proportion to the frame, never to the picture.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "base/BmpFile.h"
#include "base/Image.h"
#include "companions/stitch/FixedColumns.h"
#include "companions/stitch/FrameMatcher.h"
#include "companions/stitch/FrameSignature.h"
#include "companions/stitch/PictureRows.h"

namespace qor::stitch {

// The picture never grows beyond this many rows ...
constexpr int32_t MaxPictureRows = 100000;
// ... nor beyond this many bytes of pixels (it must stay far below what a 32-bit size can hold).
constexpr uint64_t MaxPictureBytes = uint64_t(1) << 30;

enum class TStitchStatus {
  Started,      // first frame: the picture is that frame
  Joined,       // new rows were added
  NothingNew,   // the frame lies inside the picture already (the same frame again, or a step back)
  BadFrame,     // not a BMP this library reads (truncated, lying header, 16-bit, compressed ...)
  SizeChanged,  // the frame's size differs from the first frame's
  NoMatch,      // no trustworthy join: the picture is unchanged
  TooLarge,     // the join would pass the height or byte limit: the picture is unchanged
};

// True for the statuses reported to the caller as success.
constexpr bool IsSuccess(TStitchStatus s) {
  return s == TStitchStatus::Started || s == TStitchStatus::Joined || s == TStitchStatus::NothingNew;
}

class TLongPicture {
 public:
  TLongPicture() = default;
  TLongPicture(const TLongPicture&) = delete;
  TLongPicture& operator=(const TLongPicture&) = delete;

  // downward: the frame's content joins below (also used for the first frame); otherwise above.
  TStitchStatus AddFrame(bool downward, const uint8_t* data, size_t size);
  // Forgets everything; the next frame starts a new picture.
  void Reset();

  // The whole picture as a BMP file image (null and 0 before the first frame). Valid until the next AddFrame.
  const uint8_t* Data() const { return FRows == 0 ? nullptr : FStore.get() + FBegin; }
  size_t Size() const { return FRows == 0 ? 0 : qor::BmpHeadersSize + size_t(FRows) * FStride; }
  int32_t Width() const { return FWidth; }
  int32_t Height() const { return FRows; }
  // What the last frame was matched as (for tools and tests).
  const TFrameMatch& LastMatch() const { return FLastMatch; }

 private:
  void Start(const TConstImageView& frame);
  // Matches the frame against the last accepted frame, and when that fails, against the picture's end in the
  // hinted direction (then the other end). Sets position to the picture row of the frame's top row.
  TFrameMatch MatchFrame(const TFrameSignature& frame, bool downward, int64_t& position);
  TStitchStatus Join(const TConstImageView& frame, const TFrameSignature& signature, const TFrameMatch& match,
                     int64_t position);
  // Makes room for frontRows rows before the first stored row (plus the header) and backRows after the last.
  void Reserve(int32_t frontRows, int32_t backRows);
  void WriteRow(uint8_t* out, const TBgra* in) const;
  // Replaces the bottom `drop` rows with rows [from, to) of the frame (which join below).
  void JoinBelow(const TConstImageView& frame, int32_t drop, int32_t from, int32_t to);
  // 24-bit rows of the picture from its top row on.
  TBgrRows PictureRowsView() const;
  // Replaces the top `drop` rows with rows [from, to) of the frame (which join above).
  void JoinAbove(const TConstImageView& frame, int32_t drop, int32_t from, int32_t to);
  void WriteHeader();

  // A 24-bit frame converted to 32 bits (32-bit frames are read in place).
  std::vector<TBgra> FPixels;
  // The signatures of the last accepted frame (FCurrent) and of the one being read.
  int FCurrent = 0;
  TFrameSignature FSignatures[2];
  TFrameMatcher FMatcher;
  TFrameMatch FLastMatch;
  int32_t FFrameWidth = 0;
  int32_t FFrameHeight = 0;
  int32_t FLastStep = 0;
  // Picture row (0 = top) where the last accepted frame's top row lies.
  int64_t FPosition = 0;
  // The last accepted frame's bands, and the bands at the picture's top and bottom (-1: not known yet).
  TBands FLastBands;
  TBands FPictureBands;
  // The signatures of the picture's rows, and a frame-sized window of them to match against.
  TPictureRows FRowSignatures;
  TFrameSignature FWindow;
  bool FJoined = false;  // a frame has joined since the first: the fixed columns are known
  TFixedColumns FFixed;
  int64_t FFirstTop = 0;  // picture row of the first frame's top row

  // The BMP file image: FStore[FBegin] is the header, followed by FRows rows of FStride bytes, bottom row first.
  std::unique_ptr<uint8_t[]> FStore;
  size_t FCapacity = 0;
  size_t FBegin = 0;
  int32_t FWidth = 0;
  int32_t FRows = 0;
  size_t FStride = 0;
};

}  // namespace qor::stitch
