#pragma once
// Text stamps for the engine's tests, as a text editor would render them.
#include "engine/TextStamp.h"

namespace qor {

// A w x h stamp: nothing drawn except `bars` solid red columns from the left, each with a half-covered pixel below
// it, as a glyph's anti-aliased edge.
inline TTextStamp RedBars(int32_t w, int32_t h, int32_t bars) {
  TTextStamp stamp{TImage(w, h, {0, 0, 0, 255}), TImage(w, h, {255, 255, 255, 255})};
  for (int32_t x = 0; x < bars && x * 2 < w; ++x) {
    for (int32_t y = 0; y + 1 < h; ++y)
      stamp.OnBlack.View().At(x * 2, y) = stamp.OnWhite.View().At(x * 2, y) = {0, 0, 255, 255};
    stamp.OnBlack.View().At(x * 2, h - 1) = {0, 0, 128, 255};
    stamp.OnWhite.View().At(x * 2, h - 1) = {127, 127, 255, 255};
  }
  return stamp;
}

}  // namespace qor
