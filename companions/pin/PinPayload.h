#pragma once
// A pin passed from a second start of the pin program to the running one (as WM_COPYDATA bytes): a small header
// with the rectangle and the picture's size, then the pixels row by row. The receiver checks every size against
// the bytes it got, because any program can send such a message.
// Usage:
//   std::vector<uint8_t> bytes = qor::PackPinRequest(pin.Rect, pin.Picture.View());
//   auto pin = qor::UnpackPinRequest(data, size);   // nothing when anything does not add up
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "companions/pin/PinHandOver.h"

namespace qor {

// COPYDATASTRUCT::dwData of a pin ("QPN1").
inline constexpr uint32_t PinCopyDataId = 0x51504E31;
// Magic, rectangle (4 values), width, height: 7 x 4 bytes.
inline constexpr size_t PinPayloadHeaderSize = 28;

std::vector<uint8_t> PackPinRequest(const TRect& rect, const TConstImageView& picture);
std::optional<TPinRequest> UnpackPinRequest(const uint8_t* data, size_t size);

}  // namespace qor
