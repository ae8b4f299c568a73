#pragma once
// Pictures of the small dialog-like windows (the copy tip, the save-path panel): the check box in its four looks
// and the gray push button in its three (SkinArt.h), the button drawn at the size the dialog gives it. The mounted
// skin's pictures come first; every other name falls through to the plain pictures.
//   TRdDialogPictureSource pictures(scale, {85, 34});   // the gray button's size at that scale
//   check->ShowCheckBox = true;
//   SetCheckBoxIcons(*check);                           // again after every click
#include <memory>
#include <string_view>

#include "CommonLib/RdControl/RdImageButton.h"
#include "CommonLib/RdControl/RdPictureNames.h"  // the check box and gray button names
#include "CommonLib/RdControl/win/RdPicture.h"
#include "CommonLib/RdControl/win/RdSkinPictures.h"

namespace qor {

class TRdDialogPictureSource : public TRdPictureSource {
 public:
  // scale: 1, or the display scale factor; grayButton: the gray button's size at that scale.
  TRdDialogPictureSource(TScale scale, TSize grayButton);
  const TRdPicture* Find(std::u16string_view name) const override;

 private:
  TRdSkinPictureSource FSkin;
  TRdPictureMap FOwn;
};

// A font of the dialog windows (Segoe UI) at a pixel height and colour.
TRdFont DialogFont(int32_t height, uint32_t color);

// Makes a button a check box: the box at its left edge, the caption left-aligned after it in font, white while
// hovered or pressed; ticked or not, with the icons of that state.
void SetupCheckBox(TRdImageButton& check, const TRdFont& font, bool checked);

// Gives a check box button the icons of its current Checked state.
void SetCheckBoxIcons(TRdImageButton& check);

// Gives a button the three gray push-button pictures.
void SetGrayButtonPictures(TRdImageButton& button);

}  // namespace qor
