#include "CommonLib/RdControl/RdPngImage.h"

#include <algorithm>

#include "CommonLib/RdControl/PngDecoder.h"
#include "CommonLib/RdControl/RdGrayMode.h"

namespace qor {

EPngError TPngImage::LoadFromBytes(std::span<const uint8_t> file) {
  *this = TPngImage();
  std::vector<TPngChunk> chunks;
  if (const EPngError e = ReadPngChunks(file, chunks); e != EPngError::None) return e;
  TImage pixels;
  if (const EPngError e = DecodePngChunks(chunks, pixels); e != EPngError::None) return e;
  const TConstImageView view = pixels.View();
  for (int32_t y = 0; y < view.Height && !FTransparent; ++y)
    for (int32_t x = 0; x < view.Width && !FTransparent; ++x) FTransparent = view.At(x, y).A != 255;
  FOptions = ReadPngDrawOptions(chunks);
  FChunks = std::move(chunks);
  FPixels = std::make_shared<const TImage>(std::move(pixels));
  return EPngError::None;
}

TImage TPngImage::DrawnPixels() const {
  if (IsEmpty()) return {};
  const TConstImageView source = Pixels();
  TImage drawn(source.Width, source.Height);
  const TImageView target = drawn.View();
  for (int32_t y = 0; y < source.Height; ++y) std::copy_n(source.Row(y), source.Width, target.Row(y));
  if (FOptions.GrayMode) GrayPixels(target);
  if (FOptions.AlphaBlendValue != 255) {
    for (int32_t y = 0; y < target.Height; ++y)
      for (TBgra* p = target.Row(y); p != target.Row(y) + target.Width; ++p)
        p->A = uint8_t((p->A * FOptions.AlphaBlendValue + 127) / 255);
  }
  return drawn;
}

std::vector<uint8_t> TPngImage::SaveToBytes() const {
  if (IsEmpty()) return {};
  std::vector<TPngChunk> chunks = FChunks;
  // A file whose options chunk says what the picture's options say is kept as it was.
  if (ReadPngDrawOptions(chunks) != FOptions) WritePngDrawOptions(chunks, FOptions);
  return WritePngChunks(chunks);
}

}  // namespace qor
