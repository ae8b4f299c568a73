#include "CommonLib/RdControl/win/RdSkinPictures.h"

#include "CommonLib/RdControl/PWebRes.h"

namespace qor {

TRdSkinPictureSource::TRdSkinPictureSource(TScale scale) : FScale(scale), FStamp(SkinResources().Stamp()) {}

TRdSkinPictureSource::~TRdSkinPictureSource() = default;

const TRdPicture* TRdSkinPictureSource::Find(std::u16string_view name) const {
  if (const TRdPicture* skin = FindInSkin(name)) return skin;
  if (!FPlain) FPlain = std::make_unique<TRdPlainPictureSource>(FScale);
  return FPlain->Find(name);
}

const TRdPicture* TRdSkinPictureSource::FindInSkin(std::u16string_view name) const {
  TRdResources& resources = SkinResources();
  if (resources.Stamp() != FStamp) {
    FStamp = resources.Stamp();
    FSkinPictures.clear();
  }
  auto found = FSkinPictures.find(name);
  if (found == FSkinPictures.end()) {
    const std::shared_ptr<const TPngImage> image = resources.GetImage(name);
    std::unique_ptr<TRdBitmapPicture> picture;
    if (!image->IsEmpty()) picture = std::make_unique<TRdBitmapPicture>(image->DrawnPixels().View());
    found = FSkinPictures.emplace(std::u16string(name), std::move(picture)).first;
  }
  return found->second.get();
}

}  // namespace qor
