#include "CommonLib/RdControl/RdPngImage.h"

#include "CommonLib/RdControl/PngDecoder.h"

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

std::vector<uint8_t> TPngImage::SaveToBytes() const {
  if (IsEmpty()) return {};
  std::vector<TPngChunk> chunks = FChunks;
  // A file whose options chunk says what the picture's options say is kept as it was.
  if (ReadPngDrawOptions(chunks) != FOptions) WritePngDrawOptions(chunks, FOptions);
  return WritePngChunks(chunks);
}

}  // namespace qor
