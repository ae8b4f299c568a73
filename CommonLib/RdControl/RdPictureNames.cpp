#include "CommonLib/RdControl/RdPictureNames.h"

namespace qor {

void SetToolPictures(TRdImageButton& button, std::u16string_view tool) {
  button.Pictures.ImageNormal = ToolPictureName(tool, u"normal");
  button.Pictures.ImageOver = ToolPictureName(tool, u"over");
  button.Pictures.ImageDown = ToolPictureName(tool, u"press");
  button.Pictures.ImageSelected = ToolPictureName(tool, u"selected");
  button.Pictures.ImageDisabled = ToolPictureName(tool, u"disable");
  button.Invalidate();
}

void SetBlueButtonPictures(TRdImageButton& button, std::u16string_view icon, int32_t iconOffset) {
  button.Pictures.ImageNormal = u"images/btn_blue_small_normal.png";
  button.Pictures.ImageOver = u"images/btn_blue_small_over.png";
  button.Pictures.ImageDown = u"images/btn_blue_small_press.png";
  button.DnIcons.NormalIcon = ToolPictureName(icon, u"normal");
  button.DnIcons.DownIcon = ToolPictureName(icon, u"press");
  button.IconAlign = TAlignment::taLeftJustify;
  button.IconOffset = iconOffset;
  button.Invalidate();
}

void SetFlatIconPictures(TRdImageButton& button, std::u16string_view icon) {
  button.Pictures.ImageOver = FlatButtonOver;
  button.Pictures.ImageDown = FlatButtonPress;
  button.Pictures.ImageSelected = FlatButtonSelected;
  button.DnIcons.NormalIcon = icon;
  button.IconAlign = TAlignment::taCenter;
  button.Invalidate();
}

void SetQualitySliderPictures(TRdSlider& slider, int32_t rulerIndent, int32_t rulerSelectAdd) {
  slider.ImageHRuler = SliderRuler;
  slider.ImageRulerSelect = SliderRulerSelect;
  slider.ImageHThumb = SliderThumb;
  slider.RulerIndent = rulerIndent;
  slider.RulerSelectAdd = rulerSelectAdd;
  slider.Invalidate();
}

void SetComboBoxPictures(TRdComboBox& box) {
  box.Pictures.Background = ComboBoxPictureName(u"normal");
  box.Pictures.BackgroundHot = ComboBoxPictureName(u"hot");
  box.Pictures.BackgroundClick = ComboBoxPictureName(u"press");
  box.Pictures.BackgroundFocus = ComboBoxPictureName(u"focus");
  box.Pictures.BackgroundDisable = ComboBoxPictureName(u"disable");
  box.Invalidate();
}

void SetWordPictures(TRdImageButton& caption, std::u16string_view word, TRdImageButton& button) {
  caption.SetImageNormal(WordPictureName(word, false));
  caption.SetImageDown(WordPictureName(word, true));
  caption.SetHitTest(false);  // the button below takes the mouse
  TRdImageButton::PressTogether(caption, button);
}

}  // namespace qor
