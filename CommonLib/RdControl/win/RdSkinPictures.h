#pragma once
// The pictures of the mounted skin packages, by the names the controls give (SkinResources()); a name the skin
// does not have (or every name, without webres.dll or the packages) is drawn by the plain pictures made in code,
// so the windows stay whole and usable. When the packages change (a new stamp), the pictures are taken again.
// Usage:
//   TRdSkinPictureSource pictures(scale);          // in place of TRdPlainPictureSource
//   panel.SetPictureSource(&pictures);
#include <map>
#include <memory>
#include <string>

#include "CommonLib/RdControl/win/RdPicture.h"
#include "CommonLib/RdControl/win/RdPlainPictures.h"
#include "base/Scale.h"

namespace qor {

class TRdSkinPictureSource : public TRdPictureSource {
 public:
  explicit TRdSkinPictureSource(TScale scale);
  ~TRdSkinPictureSource() override;
  const TRdPicture* Find(std::u16string_view name) const override;
  // The skin's picture only; null when the skin lacks it.
  const TRdPicture* FindInSkin(std::u16string_view name) const;

 private:
  TScale FScale;
  mutable uint32_t FStamp = 0;
  // Null entries remember a name the skin lacks.
  mutable std::map<std::u16string, std::unique_ptr<TRdBitmapPicture>, std::less<>> FSkinPictures;
  mutable std::unique_ptr<TRdPlainPictureSource> FPlain;  // made on the first name the skin lacks
};

}  // namespace qor
