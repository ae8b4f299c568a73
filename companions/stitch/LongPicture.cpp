#include "companions/stitch/LongPicture.h"

#include <algorithm>
#include <cstring>

#include "base/BmpFile.h"

namespace qor::stitch {

namespace {

bool FitsLimits(int64_t rows, size_t stride) {
  return rows <= MaxPictureRows && uint64_t(rows) * stride <= MaxPictureBytes;
}

}  // namespace

void TLongPicture::Reset() {
  std::vector<TBgra>().swap(FPixels);
  FSignatures[0] = TFrameSignature();
  FSignatures[1] = TFrameSignature();
  FMatcher = TFrameMatcher();
  FLastMatch = TFrameMatch();
  FCurrent = 0;
  FFrameWidth = FFrameHeight = 0;
  FLastStep = 0;
  FPosition = 0;
  FLastBands = FPictureBands = TBands();
  FRowSignatures.Clear();
  FWindow = TFrameSignature();
  FJoined = false;
  FFixed = TFixedColumns();
  FFirstTop = 0;
  FStore.reset();
  FCapacity = FBegin = 0;
  FWidth = FRows = 0;
  FStride = 0;
}

TStitchStatus TLongPicture::AddFrame(bool downward, const uint8_t* data, size_t size) {
  TBmpLayout layout;
  if (ParseBmp(data, size, layout) != TBmpError::None) return TStitchStatus::BadFrame;
  const bool started = FRows > 0;
  if (started && (layout.Width != FFrameWidth || layout.Height != FFrameHeight)) return TStitchStatus::SizeChanged;
  if (!started && !FitsLimits(layout.Height, BmpRowStride(layout.Width, 24))) return TStitchStatus::TooLarge;

  const int next = started ? 1 - FCurrent : FCurrent;
  TImageView frame;
  if (layout.BitsPerPixel == 32) {
    // 32-bit rows are read where they lie in the caller's buffer: no copy of the frame at all.
    const uint8_t* first =
        data + layout.PixelOffset + (layout.TopDown ? 0 : size_t(layout.Height - 1) * layout.RowStride);
    frame = TImageView{const_cast<uint8_t*>(first), layout.Width, layout.Height,
                       layout.TopDown ? ptrdiff_t(layout.RowStride) : -ptrdiff_t(layout.RowStride)};
  } else {
    FPixels.resize(size_t(layout.Width) * size_t(layout.Height));
    frame = TImageView{reinterpret_cast<uint8_t*>(FPixels.data()), layout.Width, layout.Height,
                       ptrdiff_t(layout.Width) * 4};
    DecodeBmpPixels(data, layout, frame);
  }
  // Without an alpha channel the fourth byte is no colour (24-bit frames decode it as 255): masked, so that 24-
  // and 32-bit frames of one run hash alike.
  FSignatures[next].Compute(frame, !layout.HasAlpha);

  if (!started) {
    FFrameWidth = layout.Width;
    FFrameHeight = layout.Height;
    Start(frame);
    return TStitchStatus::Started;
  }

  int64_t position = 0;
  FLastMatch = MatchFrame(FSignatures[next], downward, position);
  if (FLastMatch.Kind == TMatchKind::NoMatch) return TStitchStatus::NoMatch;
  const TStitchStatus status = Join(frame, FSignatures[next], FLastMatch, position);
  if (IsSuccess(status)) FCurrent = next;
  return status;
}

TFrameMatch TLongPicture::MatchFrame(const TFrameSignature& frame, bool downward, int64_t& position) {
  const TFrameSignature& last = FSignatures[FCurrent];
  TFrameMatch match = FMatcher.Match(last, frame, downward, FLastStep, FLastBands);
  position = FPosition + match.Displacement;
  if (match.Kind != TMatchKind::NoMatch) return match;
  // The picture's ends: the rows there are page rows up to the band that the newest frame at that end left.
  const int32_t h = FFrameHeight;
  for (const bool below : {downward, !downward}) {
    const int64_t top = below ? FRows - h : 0;
    if (top == FPosition) continue;  // that end is the last accepted frame
    FRowSignatures.Window(int32_t(top), h, last.Width(), last.Strips(), FWindow);
    const TBands bands = below ? TBands{0, FPictureBands.Bottom} : TBands{FPictureBands.Top, 0};
    match = FMatcher.Match(FWindow, frame, downward, FLastStep, bands);
    if (match.Kind == TMatchKind::Shifted) {
      position = top + match.Displacement;
      return match;
    }
  }
  return TFrameMatch();
}

TStitchStatus TLongPicture::Join(const TConstImageView& frame, const TFrameSignature& signature,
                                 const TFrameMatch& match, int64_t position) {
  if (match.Kind != TMatchKind::Shifted) return TStitchStatus::NothingNew;  // nothing moved: the bands stay
  const int32_t h = FFrameHeight;
  if (!FJoined) {
    // The picture is still the first frame: compare with it to the pixel where columns stay in place.
    FFixed = FindFixedColumns(PictureRowsView(), frame, match, signature.Strips());
    FJoined = true;
  }
  TStitchStatus status = TStitchStatus::NothingNew;
  if (position < 0) {
    // The frame reaches above the picture: its top band and the rows under it replace the picture's top band
    // (or the rows that its own band covers, if that is taller).
    const int32_t extra = int32_t(-position);
    const int32_t drop = std::min(std::max(FPictureBands.Top, match.TopBand), h - extra - match.BottomBand);
    if (!FitsLimits(int64_t(FRows) + extra, FStride)) return TStitchStatus::TooLarge;
    JoinAbove(frame, drop, 0, drop + extra);
    FRowSignatures.JoinAbove(signature, drop, 0, drop + extra);
    FPictureBands.Top = match.TopBand;
    FPosition = 0;
    status = TStitchStatus::Joined;
  } else if (position + h > FRows) {
    // The frame reaches below the picture: the rows above its bottom band and the band replace the picture's
    // bottom band (or the rows that the frame's own band covers, if that is taller).
    const int32_t extra = int32_t(position + h - FRows);
    const int32_t drop = std::min(std::max(FPictureBands.Bottom, match.BottomBand), h - extra - match.TopBand);
    if (!FitsLimits(int64_t(FRows) + extra, FStride)) return TStitchStatus::TooLarge;
    JoinBelow(frame, drop, h - extra - drop, h);
    FRowSignatures.JoinBelow(signature, drop, h - extra - drop, h);
    FPictureBands.Bottom = match.BottomBand;
    FPosition = position;
    status = TStitchStatus::Joined;
  } else {
    FPosition = position;  // a step back inside what the picture holds already
  }
  FLastStep = match.Displacement;
  FLastBands = TBands{match.TopBand, match.BottomBand};
  return status;
}

void TLongPicture::Start(const TConstImageView& frame) {
  FWidth = frame.Width;
  FStride = BmpRowStride(frame.Width, 24);
  FRows = 0;
  FCapacity = 0;
  FBegin = 0;
  FStore.reset();
  // Room for a few frames below (the usual direction) and one above before the first reallocation.
  Reserve(frame.Height * 4, frame.Height * 2);  // the frame itself takes half of the room after it
  FRows = frame.Height;
  uint8_t* first = FStore.get() + FBegin + BmpHeadersSize;
  for (int32_t y = 0; y < frame.Height; ++y) WriteRow(first + size_t(frame.Height - 1 - y) * FStride, frame.Row(y));
  WriteHeader();
  FPosition = 0;
  FLastStep = 0;
  FRowSignatures.Clear();
  FRowSignatures.JoinBelow(FSignatures[FCurrent], 0, 0, frame.Height);
  FFirstTop = 0;
}

void TLongPicture::Reserve(int32_t frontRows, int32_t backRows) {
  const size_t used = BmpHeadersSize + size_t(FRows) * FStride;
  const size_t needFront = size_t(std::max(0, frontRows)) * FStride;
  const size_t needBack = size_t(std::max(0, backRows)) * FStride;
  const size_t haveBack = FStore ? FCapacity - FBegin - used : 0;
  if (FStore && FBegin >= needFront && haveBack >= needBack) return;
  // Grow geometrically on the side that needs it, so that the copies add up to a constant cost per row.
  const size_t front = needFront > FBegin ? needFront + used : FBegin;
  const size_t back = needBack > haveBack ? needBack + used : haveBack;
  const size_t capacity = front + used + back;
  std::unique_ptr<uint8_t[]> store(new uint8_t[capacity]);
  if (FStore) std::memcpy(store.get() + front, FStore.get() + FBegin, used);
  FStore = std::move(store);
  FCapacity = capacity;
  FBegin = front;
}

void TLongPicture::WriteRow(uint8_t* out, const TBgra* in) const {
  // Four bytes per pixel, three apart: each store's fourth byte is overwritten by the next pixel.
  const int32_t last = FWidth - 1;
  for (int32_t x = 0; x < last; ++x) std::memcpy(out + size_t(x) * 3, &in[x], 4);
  uint8_t* tail = out + size_t(last) * 3;
  tail[0] = in[last].B;
  tail[1] = in[last].G;
  tail[2] = in[last].R;
  for (size_t pad = size_t(FWidth) * 3; pad < FStride; ++pad) out[pad] = 0;
}

void TLongPicture::JoinBelow(const TConstImageView& frame, int32_t drop, int32_t from, int32_t to) {
  const int32_t count = to - from;
  Reserve(count - drop, 0);
  // The bottom rows are stored first: dropping them moves the start up, the new rows go in front of it.
  const size_t pixels = FBegin + BmpHeadersSize + size_t(drop) * FStride - size_t(count) * FStride;
  for (int32_t i = 0; i < count; ++i) {
    uint8_t* row = FStore.get() + pixels + size_t(i) * FStride;
    WriteRow(row, frame.Row(to - 1 - i));
    // Picture row of frame row to - 1 - i: the rows [from, to) follow what is left after the drop.
    FFixed.Fill(row, frame, to - 1 - i, int64_t(FRows) - drop + (to - 1 - i - from) - FFirstTop);
  }
  FBegin = pixels - BmpHeadersSize;
  FRows += count - drop;
  WriteHeader();
}

void TLongPicture::JoinAbove(const TConstImageView& frame, int32_t drop, int32_t from, int32_t to) {
  const int32_t count = to - from;
  Reserve(0, count - drop);
  // The top rows are stored last: dropping them shortens the image, the new rows go after it.
  const size_t end = FBegin + BmpHeadersSize + size_t(FRows - drop) * FStride;
  FFirstTop += count - drop;
  for (int32_t i = 0; i < count; ++i) {
    uint8_t* row = FStore.get() + end + size_t(i) * FStride;
    WriteRow(row, frame.Row(to - 1 - i));
    FFixed.Fill(row, frame, to - 1 - i, int64_t(to - 1 - i - from) - FFirstTop);  // the rows [from, to) lead
  }
  FRows += count - drop;
  WriteHeader();
}

TBgrRows TLongPicture::PictureRowsView() const {
  // Stored bottom-up: the top row is the last one.
  return TBgrRows{FStore.get() + FBegin + BmpHeadersSize + size_t(FRows - 1) * FStride, -ptrdiff_t(FStride)};
}

void TLongPicture::WriteHeader() { WriteBmpHeaders(FStore.get() + FBegin, FWidth, FRows, 24, false); }

}  // namespace qor::stitch
