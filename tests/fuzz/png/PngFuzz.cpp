// The PNG reader and the draw options on arbitrary bytes. Most random bytes die at the signature or a CRC, so the
// input is taken as chunk records (type picked from the known ones, data as given) and given fresh CRCs as well as
// read raw. After every read: a picture comes back exactly when no fault is named, and a file whose chunks were read
// is written back byte for byte and keeps the draw options written into it, and a picture saved with other
// options loads again with them.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "CommonLib/RdControl/PngDecoder.h"
#include "CommonLib/RdControl/PngDrawOptions.h"
#include "CommonLib/RdControl/RdPngImage.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void DecodeAndCheck(std::span<const uint8_t> file) {
  qor::TImage image;
  const qor::EPngError e = qor::DecodePng(file, image);
  Check((e == qor::EPngError::None) == !image.IsEmpty());
  if (e == qor::EPngError::None) Check(image.Width() > 0 && uint32_t(image.Width()) <= qor::PngMaxSide);

  qor::TPngImage picture;
  Check((picture.LoadFromBytes(file) == e) && picture.IsEmpty() == image.IsEmpty());
  if (!picture.IsEmpty()) {  // a loaded picture saved with other options loads again with the same pixels
    picture.SetOptions({1, true, qor::TPngSmoothFilter::FastSmooth});
    qor::TPngImage again;
    Check(again.LoadFromBytes(picture.SaveToBytes()) == qor::EPngError::None);
    Check(again.Options() == picture.Options() && again.Width() == image.Width());
  }

  std::vector<qor::TPngChunk> chunks;
  if (qor::ReadPngChunks(file, chunks) != qor::EPngError::None) return;
  const std::vector<uint8_t> same = qor::WritePngChunks(chunks);
  std::vector<qor::TPngChunk> reread;
  Check(qor::ReadPngChunks(same, reread) == qor::EPngError::None && qor::WritePngChunks(reread) == same);
  const qor::TPngDrawOptions options = qor::ReadPngDrawOptions(chunks);
  qor::WritePngDrawOptions(chunks, {77, true, qor::TPngSmoothFilter::Smooth});
  Check(qor::ReadPngDrawOptions(chunks) == qor::TPngDrawOptions{77, true, qor::TPngSmoothFilter::Smooth});
  qor::WritePngDrawOptions(chunks, options);
  Check(qor::ReadPngDrawOptions(chunks) == options);
}

// Chunk records: one byte picks the type, two bytes the length, then the data.
std::vector<uint8_t> FromRecords(const uint8_t* data, size_t size) {
  static const char* const types[] = {"IHDR", "PLTE", "IDAT", "IEND", "tRNS", "gAMA", "tEXt", "zzZz", "ZZZZ"};
  std::vector<qor::TPngChunk> chunks;
  size_t pos = 0;
  while (pos + 3 <= size) {
    qor::TPngChunk c;
    std::memcpy(c.Type.data(), types[data[pos] % 9], 4);
    const size_t length = std::min<size_t>((size_t(data[pos + 1]) << 8) | data[pos + 2], size - pos - 3);
    c.Data.assign(data + pos + 3, data + pos + 3 + length);
    pos += 3 + length;
    chunks.push_back(std::move(c));
  }
  return qor::WritePngChunks(chunks);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  DecodeAndCheck({data, size});
  if (size > 0 && data[0] != 0x89) {
    const std::vector<uint8_t> built = FromRecords(data, size);
    DecodeAndCheck(built);
  }
  return 0;
}
