#include "CommonLib/RdControl/win/RdDialogPictures.h"

#include <algorithm>

namespace qor {

TRdDialogPictureSource::TRdDialogPictureSource(TScale scale, TSize grayButton) : FSkin(scale) {
  // The check boxes grow by whole pixels, so the tick stays sharp at any display scale.
  const int32_t k = std::max<int32_t>(1, scale(1));
  for (std::u16string_view name :
       {CheckedNormalPicture, CheckedOverPicture, UncheckedNormalPicture, UncheckedOverPicture})
    if (const TSkinArtPicture* art = FindSkinArt(name))
      FOwn.Add(std::u16string(name), MakeArtPicture(*art, {art->Size.Width * k, art->Size.Height * k}, k));
  for (std::u16string_view name : {GrayNormalPicture, GrayOverPicture, GrayPressPicture})
    if (const TSkinArtPicture* art = FindSkinArt(name))
      FOwn.Add(std::u16string(name), MakeArtPicture(*art, grayButton, k));
}

const TRdPicture* TRdDialogPictureSource::Find(std::u16string_view name) const {
  if (const TRdPicture* skin = FSkin.FindInSkin(name)) return skin;
  if (const TRdPicture* own = FOwn.Find(name)) return own;
  return FSkin.Find(name);
}

TRdFont DialogFont(int32_t height, uint32_t color) {
  TRdFont font;
  font.Name = u"Segoe UI";
  font.Height = height;
  font.Color = color;
  return font;
}

void SetupCheckBox(TRdImageButton& check, const TRdFont& font, bool checked) {
  check.ShowCheckBox = true;
  check.Font = font;
  check.Colors.FontHoverColor = 0xFFFFFF;
  check.Colors.FontDownColor = 0xFFFFFF;
  check.ButtonCaptionAlignment = TAlignment::taLeftJustify;
  check.IconAlign = TAlignment::taLeftJustify;
  check.IconOffset = 0;
  check.TextOffset = 0;
  check.SetChecked(checked);
  SetCheckBoxIcons(check);
}

void SetCheckBoxIcons(TRdImageButton& check) {
  const bool checked = check.Checked();
  check.DnIcons.NormalIcon = std::u16string(checked ? CheckedNormalPicture : UncheckedNormalPicture);
  check.DnIcons.HoverIcon = std::u16string(checked ? CheckedOverPicture : UncheckedOverPicture);
  check.DnIcons.DownIcon = check.DnIcons.HoverIcon;
  check.Invalidate();
}

void SetGrayButtonPictures(TRdImageButton& button) {
  button.SetImageNormal(std::u16string(GrayNormalPicture));
  button.SetImageOver(std::u16string(GrayOverPicture));
  button.SetImageDown(std::u16string(GrayPressPicture));
}

}  // namespace qor
