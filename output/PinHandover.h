#pragma once
// What Pin writes for the pin program besides the picture: the capture's screen rectangle in virtual-desktop pixels
// (right and bottom exclusive), as the four keys in the order they are written.
#include <array>
#include <string>
#include <string_view>

#include "base/Geometry.h"

namespace qor {

struct TPinKey {
  std::u16string_view Key;
  std::u16string Value;
};

// image: the capture's rectangle in the overlay's client coordinates, whose origin is the virtual desktop's top-left
// corner desktopOrigin.
std::array<TPinKey, 4> PinPlacementKeys(TPoint desktopOrigin, const TRect& image);

}  // namespace qor
