#pragma once
// Where a control goes when the control it is aligned to (its source) moves or resizes. The control keeps the
// distance it had, when the link was made, between its own edge and the source's edge that Align names: placed
// below the source (alBottom) it stays below the source's bottom edge; with alNone it moves with the source's
// top-left corner (the palette's colour buttons follow the first one so); alClient covers the source.
#include <cstdint>

#include "base/Geometry.h"

namespace qor {

enum class TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };

// The distance to keep, taken from the two rectangles as they are now.
TPoint AutoAlignOffset(TAlign align, const TRect& owner, const TRect& source);
// The owner's new rectangle (its size kept, except with alClient) for the source's new rectangle.
TRect AutoAlignPlace(TAlign align, TPoint offset, TSize ownerSize, const TRect& source);

}  // namespace qor
