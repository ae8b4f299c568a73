#pragma once
// The picture names the controls of the capture windows use, as a skin package names its pictures. The plain
// picture source (win/RdPlainPictures.h) draws every one of them in code until skin packages supply them.
//
//   Tool buttons, one whole-button picture per state:
//     "images/icon_<tool>_<state>.png"
//       <tool>:  rectangle, ellipse, line, arrow, brush, mosaic, text, undo, delete (exit), scroll, pin,
//                plus, minus (the font size buttons)
//       <state>: normal, over, press, selected, disable
//   Blue text buttons (Copy, Save):  "images/btn_blue_small_normal.png", "..._over.png", "..._press.png"
//   Their icons:  "images/icon_saveas_normal.png", "images/icon_saveas_press.png" (copy),
//                 "images/icon_save_normal.png", "images/icon_save_press.png" (save)
//   Caption pictures:  "images/word_copy_normal.png", "images/word_copy_press.png",
//                      "images/word_save_normal.png", "images/word_save_press.png"
//   Save drop-down:  "images/icon_dropdown_normal.png", "images/icon_dropdown_press.png"
//   Pen width icons:  "images/wireframe_light.png", "images/wireframe_semibold.png", "images/wireframe_bold.png"
//   Flat button backgrounds (an icon on the panel's colour):  "images/btn_flat_over.png", "..._press.png",
//                                                             "..._selected.png"
//   Slider:  "images/quality_bg.png" (ruler), "images/quality_select.png" (its selected part),
//            "images/quality_bar.png" (thumb)
//   Combo box, the closed box with its drop-down arrow by state:
//     "images/combobox_<state>.png"   <state>: normal, hot, press, focus, disable
//   Divider:  "images/cutline_a.png";  window background (4-pixel nine-grid):  "images/bg_window.png"
//   Dialogs:  check boxes "images/checkbox_<checked|unchecked>_<normal|over>.png", gray push button
//             "images/btn_gray_<normal|over|press>.png"
//   Edit frame (4-pixel nine-grid):  "images/edit_normal.png", "images/edit_focus.png"
//   Scroll bar thumb (4-pixel nine-grid):  "images/scrollbar_normal.png", "images/scrollbar_hot.png"
//   Launcher:  the Capture button's icon "images/icon_capture_normal.png", the red-dot badge "images/redpoint_big.png"
#include <array>
#include <string>
#include <string_view>

#include "CommonLib/RdControl/RdComboBox.h"
#include "CommonLib/RdControl/RdImageButton.h"
#include "CommonLib/RdControl/RdSlider.h"

namespace qor {

inline constexpr std::array<std::u16string_view, 13> ToolPictureTools = {
    u"rectangle", u"ellipse", u"line",   u"arrow", u"brush", u"mosaic", u"text",
    u"undo",      u"delete",  u"scroll", u"pin",   u"plus",  u"minus"};
inline constexpr std::array<std::u16string_view, 5> ToolPictureStates = {u"normal", u"over", u"press", u"selected",
                                                                         u"disable"};

inline constexpr std::u16string_view SliderRuler = u"images/quality_bg.png";
inline constexpr std::u16string_view SliderRulerSelect = u"images/quality_select.png";
inline constexpr std::u16string_view SliderThumb = u"images/quality_bar.png";

inline constexpr std::array<std::u16string_view, 5> ComboBoxPictureStates = {u"normal", u"hot", u"press", u"focus",
                                                                             u"disable"};

inline constexpr std::u16string_view FlatButtonOver = u"images/btn_flat_over.png";
inline constexpr std::u16string_view FlatButtonPress = u"images/btn_flat_press.png";
inline constexpr std::u16string_view FlatButtonSelected = u"images/btn_flat_selected.png";

inline constexpr std::u16string_view DividerPicture = u"images/cutline_a.png";
inline constexpr std::u16string_view WindowBackgroundPicture = u"images/bg_window.png";
inline constexpr std::u16string_view EditNormalPicture = u"images/edit_normal.png";
inline constexpr std::u16string_view EditFocusPicture = u"images/edit_focus.png";
inline constexpr std::u16string_view ScrollBarNormalPicture = u"images/scrollbar_normal.png";
inline constexpr std::u16string_view ScrollBarHotPicture = u"images/scrollbar_hot.png";
inline constexpr std::u16string_view RedPointBigPicture = u"images/redpoint_big.png";

inline constexpr std::u16string_view CheckedNormalPicture = u"images/checkbox_checked_normal.png";
inline constexpr std::u16string_view CheckedOverPicture = u"images/checkbox_checked_over.png";
inline constexpr std::u16string_view UncheckedNormalPicture = u"images/checkbox_unchecked_normal.png";
inline constexpr std::u16string_view UncheckedOverPicture = u"images/checkbox_unchecked_over.png";
inline constexpr std::u16string_view GrayNormalPicture = u"images/btn_gray_normal.png";
inline constexpr std::u16string_view GrayOverPicture = u"images/btn_gray_over.png";
inline constexpr std::u16string_view GrayPressPicture = u"images/btn_gray_press.png";

// "images/icon_" + tool + "_" + state + ".png". The name makers are inline: the skin package tool builds the
// names without the controls.
inline std::u16string ToolPictureName(std::u16string_view tool, std::u16string_view state) {
  std::u16string name = u"images/icon_";
  name.append(tool).append(u"_").append(state).append(u".png");
  return name;
}

// Gives a tool button its five state pictures (normal, over, down = press, selected, disabled).
void SetToolPictures(TRdImageButton& button, std::u16string_view tool);

// Gives a blue text button its pictures and its left-aligned icon ("saveas" for Copy, "save" for Save).
void SetBlueButtonPictures(TRdImageButton& button, std::u16string_view icon, int32_t iconOffset);

// Gives an icon button (the options panel's pens) the flat backgrounds of hover, press and selected and its centred
// icon.
void SetFlatIconPictures(TRdImageButton& button, std::u16string_view icon);

// Gives a slider the ruler, selected-ruler and thumb pictures with the ruler's insets (3 and 5 pixels at 1x).
void SetQualitySliderPictures(TRdSlider& slider, int32_t rulerIndent = 3, int32_t rulerSelectAdd = 5);

// "images/combobox_" + state + ".png"
inline std::u16string ComboBoxPictureName(std::u16string_view state) {
  std::u16string name = u"images/combobox_";
  name.append(state).append(u".png");
  return name;
}
// Gives a combo box its five state pictures.
void SetComboBoxPictures(TRdComboBox& box);

// "images/word_" + word + "_normal.png" / "_press.png" (word: copy, save).
inline std::u16string WordPictureName(std::u16string_view word, bool pressed) {
  std::u16string name = u"images/word_";
  name.append(word).append(pressed ? u"_press.png" : u"_normal.png");
  return name;
}
// Makes caption the word picture lying on button: its normal and pressed pictures, the mouse left to the button,
// and pressed together with it.
void SetWordPictures(TRdImageButton& caption, std::u16string_view word, TRdImageButton& button);

}  // namespace qor
