#include "engine/TextStamp.h"

#include <algorithm>

namespace qor {

namespace {

bool Untouched(TBgra black, TBgra white) {
  return black.R == 0 && black.G == 0 && black.B == 0 && white.R == 255 && white.G == 255 && white.B == 255;
}

// The text's share plus what shows of the picture; a white below the black (a damaged stamp) counts as opaque.
uint8_t Mix(uint8_t black, uint8_t white, uint8_t under) {
  return uint8_t(black + (std::max(white, black) - black) * under / 255);
}

}  // namespace

bool TTextStamp::IsBlank() const {
  for (int32_t y = 0; y < OnBlack.Height(); ++y)
    for (int32_t x = 0; x < OnBlack.Width(); ++x)
      if (!Untouched(OnBlack.View().At(x, y), OnWhite.View().At(x, y))) return false;
  return true;
}

bool SamePixels(const TTextStamp& a, const TTextStamp& b) {
  if (a.Size() != b.Size()) return false;
  for (int32_t y = 0; y < a.OnBlack.Height(); ++y) {
    const int32_t w = a.OnBlack.Width();
    if (!std::equal(a.OnBlack.View().Row(y), a.OnBlack.View().Row(y) + w, b.OnBlack.View().Row(y)) ||
        !std::equal(a.OnWhite.View().Row(y), a.OnWhite.View().Row(y) + w, b.OnWhite.View().Row(y)))
      return false;
  }
  return true;
}

uint32_t GroundFor(uint32_t textColor) {
  uint32_t ground = 0;
  for (int shift : {0, 8, 16})
    if ((textColor >> shift & 0xFF) < 128) ground |= 0xFFu << shift;
  return ground;
}

TTextStamp StampOfOneColour(const TConstImageView& rendered, uint32_t textColor) {
  const TBgra text = BgraFromColorRef(textColor), ground = BgraFromColorRef(GroundFor(textColor));
  TTextStamp stamp{TImage(rendered.Width, rendered.Height), TImage(rendered.Width, rendered.Height)};
  // Per channel: the coverage (0..255) the rendered value shows between ground and text, then the text's share of
  // the pixel (over black) and that plus what still shows of white.
  const auto channel = [](uint8_t out, uint8_t t, uint8_t g, uint8_t& black, uint8_t& white) {
    const int span = int(t) - int(g);  // at least 128 either way
    const int coverage = std::clamp(((int(out) - int(g)) * 255 + span / 2) / span, 0, 255);
    black = uint8_t((t * coverage + 127) / 255);
    white = uint8_t(black + 255 - coverage);
  };
  for (int32_t y = 0; y < rendered.Height; ++y)
    for (int32_t x = 0; x < rendered.Width; ++x) {
      const TBgra out = rendered.At(x, y);
      TBgra& black = stamp.OnBlack.View().At(x, y);
      TBgra& white = stamp.OnWhite.View().At(x, y);
      channel(out.B, text.B, ground.B, black.B, white.B);
      channel(out.G, text.G, ground.G, black.G, white.G);
      channel(out.R, text.R, ground.R, black.R, white.R);
      black.A = white.A = 255;
    }
  return stamp;
}

void BlendStamp(const TTextStamp& stamp, TPoint at, const TRect& area, const TImageView& target, TPoint targetOrigin) {
  if (stamp.IsEmpty() || stamp.OnWhite.Width() != stamp.OnBlack.Width() ||
      stamp.OnWhite.Height() != stamp.OnBlack.Height())
    return;
  const TRect visible = TRect::FromSize(at.X, at.Y, stamp.OnBlack.Width(), stamp.OnBlack.Height())
                            .Intersect(area)
                            .Intersect(TRect::FromSize(targetOrigin.X, targetOrigin.Y, target.Width, target.Height));
  for (int32_t y = visible.Top; y < visible.Bottom; ++y) {
    const TBgra* black = stamp.OnBlack.View().Row(y - at.Y) + (visible.Left - at.X);
    const TBgra* white = stamp.OnWhite.View().Row(y - at.Y) + (visible.Left - at.X);
    TBgra* out = target.Row(y - targetOrigin.Y) + (visible.Left - targetOrigin.X);
    for (int32_t i = 0; i < visible.Width(); ++i) {
      if (Untouched(black[i], white[i])) continue;
      TBgra& pixel = out[i];
      pixel = {Mix(black[i].B, white[i].B, pixel.B), Mix(black[i].G, white[i].G, pixel.G),
               Mix(black[i].R, white[i].R, pixel.R), pixel.A};
    }
  }
}

}  // namespace qor
