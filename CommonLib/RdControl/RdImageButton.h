#pragma once
// TRdImageButton: the library's picture button (tool buttons, text buttons with an icon, check boxes, stretched
// backgrounds). It keeps one state (up, down, disabled, selected, busy) beside hover, the check state and Expand,
// and from them chooses the picture, the icon, the check box picture and the caption colour of each paint. Two
// buttons pressed together (a caption picture lying on its button) share their hover and pressed look. Pictures are
// names that the canvas resolves (skin package or pictures drawn in code). Every change reports whether the button
// needs a repaint and, when the button is hosted, asks its host for that repaint.
#include <cstdint>
#include <string>

#include "CommonLib/RdControl/RdControl.h"

namespace qor {

enum class TRdButtonState : uint8_t { Up = 0, Down = 1, Disabled = 2, Selected = 3, Busy = 4 };

// Which icon of a set a paint uses.
enum class TRdIconState : uint8_t { Normal, Hover, Down, Selected, Disable };

struct TRdButtonPictures {
  std::u16string ImageNormal, ImageOver, ImageDown, ImageDisabled, ImageSelected, ImageBusy, ImageRange, ExpandImage;
};

// One icon set: the Up set is used while Expand is set, the Dn set otherwise.
struct TRdIconSet {
  std::u16string NormalIcon, HoverIcon, DownIcon, SelectedIcon, DisableIcon;
};

// Check state of a check-box button; Grayed is half checked.
enum class TRdCheckState : uint8_t { Unchecked, Checked, Grayed };

struct TRdCheckBoxPictures {
  std::u16string CheckBoxNormalImage, CheckBoxUnCheckedHoverImage, CheckBoxGrayedImage;
  std::u16string CheckBoxCheckedImage, CheckBoxCheckedHoverImage, CheckBoxCheckedGrayedImage;
  std::u16string CheckBoxHalfCheckedImage, CheckBoxHalfCheckedHoverImage, CheckBoxHalfCheckedGrayedImage;
};

struct TRdButtonColors {
  uint32_t FontHoverColor = ColorNotSet;
  uint32_t FontDownColor = ColorNotSet;
  uint32_t FontSelectedColor = ColorNotSet;
  uint32_t FontCheckedColor = ColorNotSet;
  uint32_t FontDisabledColor = cl3DDkShadow;
};

class TRdImageButton : public TRdControl {
 public:
  TRdImageButton();
  ~TRdImageButton() override;

  // Pictures, icons and colours: set them, then call Invalidate (or use the setters below for one value).
  TRdButtonPictures Pictures;
  TRdDesignRect ImageOption;
  TRdIconSet UpIcons, DnIcons;
  TRdButtonColors Colors;
  TRdFont Font;
  bool IconVisible = true;
  TAlignment IconAlign = TAlignment::taRightJustify;
  TVerticalAlignment IconAlignY = TVerticalAlignment::vaCenter;
  int32_t IconOffset = 10;
  int32_t IconOffsetY = 0;
  // A selected button takes no hover from the mouse and keeps its selected icon.
  bool IconLockBySelected = true;
  // The whole button is the icon's click area (else only the icon as last painted).
  bool IconFullClick = false;
  // Raised instead of OnClick by a click on the icon's area.
  TNotifyEvent IconOnClick;
  // Cursors over the icon's area and over the check box (crDefault: the button's own Cursor).
  TCursor IconCursor = crDefault, CheckBoxCursor = crDefault;
  TAlignment ButtonCaptionAlignment = TAlignment::taCenter;
  TVerticalAlignment TextAlignY = TVerticalAlignment::vaCenter;
  int32_t TextOffset = 20;
  int32_t TextLeftMargin = 0, TextRightMargin = 0, TextTopMargin = 0, TextBottomMargin = 0;
  bool WordWrap = false;
  bool ShowCheckBox = false;
  TRdCheckBoxPictures CheckBoxPictures;
  bool CheckBoxFullClick = true;  // a click anywhere on the button toggles, else only on the box
  TAlignment CheckBoxAlignX = TAlignment::taLeftJustify;
  TVerticalAlignment CheckBoxAlignY = TVerticalAlignment::vaCenter;
  int32_t CheckBoxOffset = 10;
  int32_t CheckBoxOffsetY = 0;

  bool SetImageNormal(std::u16string name) { return SetPicture(Pictures.ImageNormal, std::move(name)); }
  bool SetImageOver(std::u16string name) { return SetPicture(Pictures.ImageOver, std::move(name)); }
  bool SetImageDown(std::u16string name) { return SetPicture(Pictures.ImageDown, std::move(name)); }
  bool SetImageDisabled(std::u16string name) { return SetPicture(Pictures.ImageDisabled, std::move(name)); }
  bool SetImageSelected(std::u16string name) { return SetPicture(Pictures.ImageSelected, std::move(name)); }

  TRdButtonState State() const { return FState; }
  // The application's state changes: selected marks the active tool. Setting Up or Selected on a disabled or busy
  // button enables it (as Enabled = true would).
  bool SetState(TRdButtonState state);
  bool Selected() const { return FState == TRdButtonState::Selected; }
  bool SetSelected(bool selected);
  void SetEnabled(bool enabled) override;
  bool ChangeEnabled(bool enabled);  // SetEnabled that reports the repaint
  bool Hover() const { return FHover; }
  bool Checked() const { return FCheckState == TRdCheckState::Checked; }
  bool SetChecked(bool checked);
  TRdCheckState CheckState() const { return FCheckState; }
  bool SetCheckState(TRdCheckState state);
  bool Expand() const { return FExpand; }
  bool SetExpand(bool expand);

  const std::u16string& Caption() const { return FCaption; }
  bool SetCaption(std::u16string caption);
  // Busy: disables the button, keeps the caption aside and clears it; not busy gives both back.
  bool Busy() const { return FBusy; }
  bool SetBusy(bool busy);

  // Pressed together: each of the two shows the other's press and hover as its own (a caption picture and the
  // button it lies on). Either may be destroyed first.
  static void PressTogether(TRdImageButton& a, TRdImageButton& b);
  // Down and hovered, by itself or through its partner.
  bool PressedLook() const;

  // The choices a paint makes.
  const std::u16string& ChoosePicture() const;
  const std::u16string& ChooseCheckBoxPicture() const;
  uint32_t ChooseCaptionColor() const;
  TRdIconState IconState() const;
  const std::u16string& ChooseIcon() const;

  // Where the icon (of the given size) and the caption go inside the button, in host coordinates.
  TRect IconRect(TSize iconSize) const;
  TRect CaptionRect(const TRect& icon, const TRect& checkBox = {}) const;
  TRect CheckBoxRect(TSize boxSize) const;

  void Paint(TRdCanvas& canvas) override;

  TRdMouseResult MouseEnter() override;
  TRdMouseResult MouseLeave() override;
  TRdMouseResult MouseMove(TPoint p) override;
  TRdMouseResult MouseDown(TPoint p) override;
  TRdMouseResult MouseUp(TPoint p, bool inside) override;
  TNotifyEvent ClickHandler() const override;
  TCursor CursorAt(TPoint p) const override;

 private:
  struct TLook {
    TRdButtonState State;
    bool Hover;
  };

  TRdButtonState FState = TRdButtonState::Up;
  TRdButtonState FStateBeforeDown = TRdButtonState::Up;
  bool FHover = false;
  TRdCheckState FCheckState = TRdCheckState::Unchecked;
  bool FExpand = false;
  bool FBusy = false;
  std::u16string FCaption;
  std::u16string FKeptCaption;
  TRdImageButton* FPartner = nullptr;
  // Where the last paint put the icon and the check box (their click areas).
  TRect FIconArea, FCheckBoxArea;
  bool FIconClicked = false;

  bool SetPicture(std::u16string& slot, std::u16string name);
  bool Changed(bool changed);
  bool SetHoverFlag(bool hover);
  TLook Look() const;
  TRdMouseResult WithPartner(TRdMouseResult result);
};

}  // namespace qor
