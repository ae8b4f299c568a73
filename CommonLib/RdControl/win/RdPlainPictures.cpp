#include "CommonLib/RdControl/win/RdPlainPictures.h"

#include <map>

#include "base/PixelOps.h"
#include "base/win/DibImage.h"

namespace qor {

namespace {

// Premultiplied source over the target's opaque pixels, inside the clip.
void BlendOnto(const TConstImageView& source, const TRdDrawTarget& target, const TRect& dest) {
  if (target.Pixels.IsEmpty()) {  // no pixels to reach: let GDI blend
    TDibImage dib;
    if (!dib.Create(source.Width, source.Height)) return;
    CopyPixels(source, dib.View());
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::AlphaBlend(target.Dc, dest.Left, dest.Top, dest.Width(), dest.Height(), dib.Dc(), 0, 0, source.Width,
                 source.Height, blend);
    return;
  }
  TRect area = dest.Intersect(TRect::FromSize(0, 0, target.Pixels.Width, target.Pixels.Height));
  if (!target.Clip.IsEmpty()) area = area.Intersect(target.Clip);
  for (int32_t y = area.Top; y < area.Bottom; ++y) {
    const TBgra* from = source.Row(y - dest.Top);
    TBgra* to = target.Pixels.Row(y);
    for (int32_t x = area.Left; x < area.Right; ++x) {
      const TBgra s = from[x - dest.Left];
      if (s.A == 0) continue;
      TBgra& d = to[x];
      const uint32_t keep = 255 - s.A;
      d = TBgra{uint8_t(s.B + (d.B * keep + 127) / 255), uint8_t(s.G + (d.G * keep + 127) / 255),
                uint8_t(s.R + (d.R * keep + 127) / 255), 255};
    }
  }
}

void Premultiply(const TImageView& image) {
  for (int32_t y = 0; y < image.Height; ++y)
    for (TBgra* p = image.Row(y); p != image.Row(y) + image.Width; ++p)
      *p = {uint8_t((p->B * p->A + 127) / 255), uint8_t((p->G * p->A + 127) / 255), uint8_t((p->R * p->A + 127) / 255),
            p->A};
}

class TArtPicture : public TRdPicture {
 public:
  TArtPicture(const TSkinArtPicture& art, TSize size, double scale) : FArt(art), FSize(size), FScale(scale) {}
  TSize Size() const override { return FSize; }
  void Draw(const TRdDrawTarget& target, const TRect& dest, const TRdDesignRect&) const override {
    if (dest.IsEmpty()) return;
    auto key = std::make_pair(dest.Width(), dest.Height());
    auto found = FCache.find(key);
    if (found == FCache.end()) {
      TImage image = DrawSkinArt(FArt, {dest.Width(), dest.Height()}, FScale);
      Premultiply(image.View());
      found = FCache.emplace(key, std::move(image)).first;
    }
    BlendOnto(found->second.View(), target, dest);
  }

 private:
  const TSkinArtPicture& FArt;  // lives as long as the process
  TSize FSize;
  double FScale;
  mutable std::map<std::pair<int32_t, int32_t>, TImage> FCache;  // drawn once per size (user-interface thread)
};

}  // namespace

std::unique_ptr<TRdPicture> MakeArtPicture(const TSkinArtPicture& art, TSize size, double scale) {
  return std::make_unique<TArtPicture>(art, size, scale);
}

TRdPlainPictureSource::TRdPlainPictureSource(TScale scale) {
  for (const TSkinArtPicture& art : SkinArtPictures())
    Add(art.Name, MakeArtPicture(art, scale(art.Size), scale.Factor));
}

}  // namespace qor
