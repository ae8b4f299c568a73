// The stitching entry point under arbitrary call sequences. An input is a list of records; each record is either
// raw bytes handed over as a frame (truncated, lying or foreign headers) or a well-formed frame built from a few
// parameters (size, bit count, row order, scroll position, flat rows), so that matching and joining in both
// directions are reached as well as the BMP checks. After every call: a returned picture must be a readable BMP,
// and a failed call must leave the returned picture exactly as it was.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "base/BmpFile.h"
#include "companions/stitch/LongPictureApi.h"

namespace {

struct TReader {
  const uint8_t* Data;
  size_t Size;
  size_t Pos = 0;
  bool Empty() const { return Pos >= Size; }
  uint8_t Byte() { return Pos < Size ? Data[Pos++] : 0; }
};

std::vector<uint8_t> BuiltFrame(TReader& in, int32_t& width, int32_t& height) {
  const uint8_t shape = in.Byte();
  if (width == 0 || (shape & 0x80)) {  // keep the size of the run most of the time
    width = 8 + in.Byte() % 120;
    height = 8 + in.Byte() % 90;
  }
  const int64_t top = int64_t(in.Byte()) * 3 + in.Byte();
  const uint8_t flatEvery = in.Byte();
  const uint8_t header = in.Byte() % 16;
  qor::TImage image(width, height);
  for (int32_t y = 0; y < height; ++y) {
    const int64_t row = y < header ? -1 - y : top + y;
    const bool flat = flatEvery > 1 && row % flatEvery == 0;
    for (int32_t x = 0; x < width; ++x) {
      uint64_t v = uint64_t(row) * 0x9E3779B97F4A7C15ull + (flat ? 0 : uint64_t(x) * 0xC2B2AE3D27D4EB4Full);
      v ^= v >> 31;
      image.View().At(x, y) = qor::TBgra{uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), 0};
    }
  }
  std::vector<uint8_t> file = qor::WriteBmp(image.View(), (shape & 1) ? 24 : 32);
  if (shape & 2) {  // top-down: the rows in reverse and the height negated
    const size_t stride = qor::BmpRowStride(width, (shape & 1) ? 24 : 32);
    for (int32_t y = 0; y < height / 2; ++y)
      std::swap_ranges(file.begin() + long(qor::BmpHeadersSize + size_t(y) * stride),
                       file.begin() + long(qor::BmpHeadersSize + size_t(y + 1) * stride),
                       file.begin() + long(qor::BmpHeadersSize + size_t(height - 1 - y) * stride));
    qor::WriteBmpHeaders(file.data(), width, height, (shape & 1) ? 24 : 32, true);
  }
  if (shape & 4) file[in.Byte() % 54] = in.Byte();  // one spoiled header byte
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qor::stitch::ResetEntryPoint();
  TReader in{data, size};
  std::vector<uint8_t> previous;
  int32_t width = 0, height = 0;
  for (int call = 0; call < 24 && !in.Empty(); ++call) {
    const uint8_t kind = in.Byte();
    std::vector<uint8_t> frame;
    if (kind & 0x80) {
      const size_t length = std::min<size_t>(size_t(in.Byte()) * 16 + in.Byte(), in.Size - in.Pos);
      frame.assign(in.Data + in.Pos, in.Data + in.Pos + length);
      in.Pos += length;
    } else {
      frame = BuiltFrame(in, width, height);
    }
    uint8_t* result = nullptr;
    int32_t resultSize = 0;
    const int32_t ok = OpencvLongScreenShot(kind & 1, frame.empty() ? nullptr : frame.data(), int32_t(frame.size()),
                                            &result, &resultSize);
    if (ok != 0 && ok != 1) std::abort();
    if (result != nullptr) {
      qor::TBmpLayout layout;
      if (qor::ParseBmp(result, size_t(resultSize), layout) != qor::TBmpError::None) std::abort();
    }
    std::vector<uint8_t> now = result ? std::vector<uint8_t>(result, result + resultSize) : std::vector<uint8_t>{};
    if (!ok && now != previous) std::abort();
    previous = std::move(now);
  }
  return 0;
}
