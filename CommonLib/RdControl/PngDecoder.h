#pragma once
// Reading PNG files into pictures: every colour type (grey, RGB, palette, grey with alpha, RGBA) at every bit
// depth the format allows (1, 2, 4, 8, 16), tRNS transparency for grey, RGB and palette pictures, the five row
// filters, Adam7 interlacing and image data split over several IDAT chunks. Ancillary chunks (gAMA, tEXt, ...) do
// not change the pixels; gamma is not applied, as the skins are drawn as their pixels say.
// The result is straight (not premultiplied) BGRA, the form the controls' bitmap pictures take; 16-bit samples keep
// their high byte. A palette index past the palette's end gives opaque black.
// Usage:
//   qor::TImage picture;
//   if (qor::DecodePng(bytes, picture) != qor::EPngError::None) ...  // picture is left empty
#include <cstdint>
#include <span>
#include <vector>

#include "CommonLib/RdControl/PngChunks.h"
#include "CommonLib/RdControl/PngError.h"
#include "base/Image.h"

namespace qor {

// The largest width and height read; larger pictures are refused before any pixel memory is taken.
inline constexpr uint32_t PngMaxSide = 16384;

struct TPngHeader {
  uint32_t Width = 0, Height = 0;
  uint8_t BitDepth = 0, ColorType = 0;
  bool Interlaced = false;
};

// The header of an IHDR chunk, checked: sizes, colour type and bit depth, methods.
EPngError ReadPngHeader(const TPngChunk& ihdr, TPngHeader& header);

// The pixels of chunks as read by ReadPngChunks (IHDR first, IEND last).
EPngError DecodePngChunks(const std::vector<TPngChunk>& chunks, TImage& image);

// The pixels of a whole PNG file image.
EPngError DecodePng(std::span<const uint8_t> file, TImage& image);

}  // namespace qor
