#pragma once
// The canonical picture: 32-bit BGRA pixels, rows top-down. TImage owns its pixels (or wraps memory that a
// platform object such as a DIB section owns); TImageView is a non-owning window onto pixels that may be
// written, TConstImageView one that may only be read (a const image hands out only those). Every pixel routine
// takes views, read-only ones where it only reads.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "base/Geometry.h"

namespace qor {

// One pixel as it lies in memory: blue, green, red, alpha.
struct TBgra {
  uint8_t B = 0, G = 0, R = 0, A = 0;
  friend bool operator==(const TBgra&, const TBgra&) = default;
};
static_assert(sizeof(TBgra) == 4);

// Colour as a COLORREF-style value 0x00BBGGRR.
constexpr TBgra BgraFromColorRef(uint32_t c, uint8_t alpha = 255) {
  return TBgra{uint8_t((c >> 16) & 0xFF), uint8_t((c >> 8) & 0xFF), uint8_t(c & 0xFF), alpha};
}

struct TConstImageView {
  const uint8_t* Pixels = nullptr;  // first byte of the top row
  int32_t Width = 0;
  int32_t Height = 0;
  ptrdiff_t Stride = 0;  // bytes from one row to the next (may be negative for bottom-up memory)

  bool IsEmpty() const { return Width <= 0 || Height <= 0 || Pixels == nullptr; }
  const TBgra* Row(int32_t y) const { return reinterpret_cast<const TBgra*>(Pixels + Stride * y); }
  const TBgra& At(int32_t x, int32_t y) const { return Row(y)[x]; }
  // The part of this view inside r (clipped to the view).
  TConstImageView Sub(const TRect& r) const;
};

struct TImageView {
  uint8_t* Pixels = nullptr;  // first byte of the top row
  int32_t Width = 0;
  int32_t Height = 0;
  ptrdiff_t Stride = 0;  // bytes from one row to the next (may be negative for bottom-up memory)

  bool IsEmpty() const { return Width <= 0 || Height <= 0 || Pixels == nullptr; }
  TBgra* Row(int32_t y) const { return reinterpret_cast<TBgra*>(Pixels + Stride * y); }
  TBgra& At(int32_t x, int32_t y) const { return Row(y)[x]; }
  // The part of this view inside r (clipped to the view).
  TImageView Sub(const TRect& r) const;
  operator TConstImageView() const { return {Pixels, Width, Height, Stride}; }
};

class TImage {
 public:
  TImage() = default;
  TImage(int32_t width, int32_t height, TBgra fill = {});
  // Wraps memory owned elsewhere; the keeper is held for as long as the image lives.
  TImage(TImageView memory, std::shared_ptr<void> keeper);

  TImage(TImage&&) noexcept = default;
  TImage& operator=(TImage&&) noexcept = default;
  TImage(const TImage&) = delete;
  TImage& operator=(const TImage&) = delete;

  int32_t Width() const { return FView.Width; }
  int32_t Height() const { return FView.Height; }
  bool IsEmpty() const { return FView.IsEmpty(); }
  TConstImageView View() const { return FView; }
  const TImageView& View() { return FView; }
  TImage Clone() const;

 private:
  std::vector<TBgra> FOwned;
  std::shared_ptr<void> FKeeper;
  TImageView FView;
};

}  // namespace qor
