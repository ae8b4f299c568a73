#include "companions/pin/PinPayload.h"

#include <cstring>

#include "base/BmpFile.h"

namespace qor {

namespace {

void PutInt(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(uint8_t(v >> shift));
}

int32_t GetInt(const uint8_t* p) {
  return int32_t(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
}

}  // namespace

std::vector<uint8_t> PackPinRequest(const TRect& rect, const TConstImageView& picture) {
  std::vector<uint8_t> out;
  out.reserve(PinPayloadHeaderSize + size_t(picture.Width) * size_t(picture.Height) * 4);
  for (uint32_t v : {PinCopyDataId, uint32_t(rect.Left), uint32_t(rect.Top), uint32_t(rect.Right),
                     uint32_t(rect.Bottom), uint32_t(picture.Width), uint32_t(picture.Height)})
    PutInt(out, v);
  for (int32_t y = 0; y < picture.Height; ++y) {
    const uint8_t* row = reinterpret_cast<const uint8_t*>(picture.Row(y));
    out.insert(out.end(), row, row + size_t(picture.Width) * 4);
  }
  return out;
}

std::optional<TPinRequest> UnpackPinRequest(const uint8_t* data, size_t size) {
  if (!data || size < PinPayloadHeaderSize || uint32_t(GetInt(data)) != PinCopyDataId) return std::nullopt;
  const TRect rect{GetInt(data + 4), GetInt(data + 8), GetInt(data + 12), GetInt(data + 16)};
  const int32_t width = GetInt(data + 20), height = GetInt(data + 24);
  if (width <= 0 || height <= 0 || width > BmpMaxDimension || height > BmpMaxDimension) return std::nullopt;
  if (uint64_t(size - PinPayloadHeaderSize) != uint64_t(width) * uint64_t(height) * 4) return std::nullopt;
  for (int32_t v : {rect.Left, rect.Top, rect.Right, rect.Bottom}) {
    if (v < -PinMaxCoordinate || v > PinMaxCoordinate) return std::nullopt;
  }
  if (rect.IsEmpty()) return std::nullopt;
  TPinRequest pin{rect, TImage(width, height)};
  const TImageView& view = pin.Picture.View();
  for (int32_t y = 0; y < height; ++y)
    std::memcpy(view.Row(y), data + PinPayloadHeaderSize + size_t(y) * size_t(width) * 4, size_t(width) * 4);
  return pin;
}

}  // namespace qor
