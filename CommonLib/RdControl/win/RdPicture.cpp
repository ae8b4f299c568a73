#include "CommonLib/RdControl/win/RdPicture.h"

#include <algorithm>

#include "CommonLib/RdControl/RdColorTable.h"

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
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  auto blit = [&](int32_t dx, int32_t dy, int32_t dw, int32_t dh, int32_t sx, int32_t sy, int32_t sw, int32_t sh) {
    if (dw > 0 && dh > 0 && sw > 0 && sh > 0) ::AlphaBlend(target.Dc, dx, dy, dw, dh, FDib.Dc(), sx, sy, sw, sh, blend);
  };
  const int32_t w = FDib.Width(), h = FDib.Height();
  if (option.IsEmpty()) {
    blit(dest.Left, dest.Top, dest.Width(), dest.Height(), 0, 0, w, h);
    return;
  }
  // Nine-grid: margins are clamped so the corners never overlap in the picture or in the destination.
  const int32_t l = std::clamp(option.Left, 0, std::min(w, dest.Width()));
  const int32_t r = std::clamp(option.Right, 0, std::min(w - l, dest.Width() - l));
  const int32_t t = std::clamp(option.Top, 0, std::min(h, dest.Height()));
  const int32_t b = std::clamp(option.Bottom, 0, std::min(h - t, dest.Height() - t));
  const int32_t xs[] = {0, l, w - r}, ws[] = {l, w - l - r, r};
  const int32_t ys[] = {0, t, h - b}, hs[] = {t, h - t - b, b};
  const int32_t xd[] = {dest.Left, dest.Left + l, dest.Right - r}, wd[] = {l, dest.Width() - l - r, r};
  const int32_t yd[] = {dest.Top, dest.Top + t, dest.Bottom - b}, hd[] = {t, dest.Height() - t - b, b};
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 3; ++col) blit(xd[col], yd[row], wd[col], hd[row], xs[col], ys[row], ws[col], hs[row]);
}

COLORREF ResolveColor(uint32_t color) {
  // A named skin colour also has the top byte set; its lower bits are a name's code, never a system index.
  if (IsRccColorCode(color)) return SkinColorTable().ColorToRGB(color) & 0x00FFFFFF;
  if (IsSystemColor(color)) return ::GetSysColor(int(color & 0xFF));
  return color & 0x00FFFFFF;
}

}  // namespace qor
