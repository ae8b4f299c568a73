#pragma once
// A skin picture read from a PNG file: its pixels (straight BGRA) and the draw options the file carries. Copies
// share the decoded pixels, so a picture drawn by many controls is decoded and held once. Saving gives back the
// file as loaded, chunk for chunk, with only the draw options chunk brought up to date.
// Usage:
//   qor::TPngImage picture;
//   if (picture.LoadFromBytes(bytes) != qor::EPngError::None) ...  // empty picture, drawn as nothing
//   picture.SetOptions({.AlphaBlendValue = 128});
//   std::vector<uint8_t> file = picture.SaveToBytes();
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "CommonLib/RdControl/PngChunks.h"
#include "CommonLib/RdControl/PngDrawOptions.h"
#include "CommonLib/RdControl/PngError.h"
#include "base/Image.h"

namespace qor {

class TPngImage {
 public:
  // On a fault the picture is left empty and the fault returned.
  EPngError LoadFromBytes(std::span<const uint8_t> file);
  // The PNG file of the picture; empty for an empty picture.
  std::vector<uint8_t> SaveToBytes() const;

  bool IsEmpty() const { return !FPixels; }
  int32_t Width() const { return FPixels ? FPixels->Width() : 0; }
  int32_t Height() const { return FPixels ? FPixels->Height() : 0; }
  // Empty view for an empty picture.
  TConstImageView Pixels() const { return FPixels ? FPixels->View() : TConstImageView{}; }
  // True when some pixel is not fully opaque.
  bool HasTransparency() const { return FTransparent; }

  // The pixels as the picture draws: grey in GrayMode, alpha scaled by AlphaBlendValue (straight BGRA).
  TImage DrawnPixels() const;

  const TPngDrawOptions& Options() const { return FOptions; }
  void SetOptions(const TPngDrawOptions& options) { FOptions = options; }

 private:
  std::vector<TPngChunk> FChunks;
  std::shared_ptr<const TImage> FPixels;
  TPngDrawOptions FOptions;
  bool FTransparent = false;
};

}  // namespace qor
