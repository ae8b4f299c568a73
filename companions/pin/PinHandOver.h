#pragma once
// What the pin program is given: the picture the overlay wrote as a BMP file and its screen rectangle from the
// "StartPin" keys of Config.ini. Both are outside data: a missing key, a value that is not a number, an empty or
// absurd rectangle or a broken file gives no pin, with the reason for the log.
// Usage:
//   std::u16string why;
//   auto rect = qor::PinRectFromTexts(left, top, right, bottom, why);   // the four key values as read
//   auto pin = qor::PinFromHandOver(bmpBytes, left, top, right, bottom, why);
#include <optional>
#include <string>
#include <string_view>

#include "base/Geometry.h"
#include "base/Image.h"

namespace qor {

// One pin: the picture (its own copy of the pixels) and where it was on the screen.
struct TPinRequest {
  TRect Rect;
  TImage Picture;
};

// The largest coordinate the program takes from the keys: far beyond any desktop, far from integer overflow.
inline constexpr int64_t PinMaxCoordinate = 1 << 24;

// The rectangle of the four key values (decimal, right and bottom exclusive); nothing when a value is missing
// (empty), not a number, out of range, or the rectangle is empty or larger than any picture can be.
std::optional<TRect> PinRectFromTexts(std::u16string_view left, std::u16string_view top, std::u16string_view right,
                                      std::u16string_view bottom, std::u16string& why);

// A checked rectangle and a readable BMP file image as one pin; nothing (and why) otherwise.
std::optional<TPinRequest> PinFromHandOver(std::string_view bmpBytes, std::u16string_view left, std::u16string_view top,
                                           std::u16string_view right, std::u16string_view bottom, std::u16string& why);

}  // namespace qor
