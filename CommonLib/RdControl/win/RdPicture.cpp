#include "CommonLib/RdControl/win/RdPicture.h"

#include <algorithm>

#include "CommonLib/RdControl/RdColorTable.h"
#include "CommonLib/RdControl/win/RdDesignDraw.h"

namespace qor {

void TRdPictureMap::Add(std::u16string name, std::unique_ptr<TRdPicture> picture) {
  FPictures[std::move(name)] = std::move(picture);
}

const TRdPicture* TRdPictureMap::Find(std::u16string_view name) const {
  auto found = FPictures.find(name);
  return found == FPictures.end() ? nullptr : found->second.get();
}

TRdBitmapPicture::TRdBitmapPicture(const TConstImageView& pixels) {
  if (pixels.IsEmpty() || !FDib.Create(pixels.Width, pixels.Height)) return;
  for (int32_t y = 0; y < pixels.Height; ++y) {
    const TBgra* from = pixels.Row(y);
    TBgra* to = FDib.View().Row(y);
    for (int32_t x = 0; x < pixels.Width; ++x) {
      const TBgra p = from[x];
      to[x] = {uint8_t((p.B * p.A + 127) / 255), uint8_t((p.G * p.A + 127) / 255), uint8_t((p.R * p.A + 127) / 255),
               p.A};
    }
  }
}

void TRdBitmapPicture::Draw(const TRdDrawTarget& target, const TRect& dest, const TRdDesignRect& option) const {
  if (FDib.IsEmpty() || dest.IsEmpty()) return;
  // Whole and stretched without margins; with margins a nine-grid, so the border keeps its exact pixels.
  DrawDesignRect(target.Dc, dest, FDib.Dc(), {FDib.Width(), FDib.Height()}, TDesignRect(option));
}

COLORREF ResolveColor(uint32_t color) {
  // A named skin colour also has the top byte set; its lower bits are a name's code, never a system index.
  if (IsRccColorCode(color)) return SkinColorTable().ColorToRGB(color) & 0x00FFFFFF;
  if (IsSystemColor(color)) return ::GetSysColor(int(color & 0xFF));
  return color & 0x00FFFFFF;
}

}  // namespace qor
