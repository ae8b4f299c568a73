#include "output/PinHandover.h"

#include "base/Utf16Text.h"
#include "output/PinContract.h"

namespace qor {

std::array<TPinKey, 4> PinPlacementKeys(TPoint desktopOrigin, const TRect& image) {
  const int32_t left = desktopOrigin.X + image.Left, top = desktopOrigin.Y + image.Top;
  return {{{PinLeftKey, IntToText(left)},
           {PinRightKey, IntToText(left + image.Width())},
           {PinTopKey, IntToText(top)},
           {PinBottomKey, IntToText(top + image.Height())}}};
}

}  // namespace qor
