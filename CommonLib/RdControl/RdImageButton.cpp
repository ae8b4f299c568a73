#include "CommonLib/RdControl/RdImageButton.h"

#include <algorithm>

namespace qor {

namespace {

// A rectangle of the given size placed inside bounds, offset from the side the alignment names.
TRect PlaceInside(const TRect& b, TSize s, TAlignment alignX, int32_t offsetX, TVerticalAlignment alignY,
                  int32_t offsetY) {
  int32_t x = 0, y = 0;
  switch (alignX) {
    case TAlignment::taLeftJustify: x = b.Left + offsetX; break;
    case TAlignment::taRightJustify: x = b.Right - offsetX - s.Width; break;
    case TAlignment::taCenter: x = b.Left + (b.Width() - s.Width) / 2; break;
  }
  switch (alignY) {
    case TVerticalAlignment::vaTop: y = b.Top + offsetY; break;
    case TVerticalAlignment::vaBottom: y = b.Bottom - offsetY - s.Height; break;
    case TVerticalAlignment::vaCenter: y = b.Top + (b.Height() - s.Height) / 2 + offsetY; break;
  }
  return TRect::FromSize(x, y, s.Width, s.Height);
}

const std::u16string& FirstSet(const std::u16string& wanted, const std::u16string& fallback) {
  return wanted.empty() ? fallback : wanted;
}

}  // namespace

TRdImageButton::TRdImageButton() = default;

TRdImageButton::~TRdImageButton() {
  if (FPartner && FPartner->FPartner == this) FPartner->FPartner = nullptr;
}

void TRdImageButton::PressTogether(TRdImageButton& a, TRdImageButton& b) {
  if (&a == &b) return;
  for (TRdImageButton* old : {a.FPartner, b.FPartner})
    if (old && old != &a && old != &b) old->FPartner = nullptr;
  a.FPartner = &b;
  b.FPartner = &a;
}

bool TRdImageButton::Changed(bool changed) {
  if (changed) {
    Invalidate();
    if (FPartner) FPartner->Invalidate();
  }
  return changed;
}

TRdMouseResult TRdImageButton::WithPartner(TRdMouseResult result) {
  if (result.Repaint && FPartner) FPartner->Invalidate();  // the host repaints this button, not its partner
  return result;
}

// Only a button in its plain up state takes its partner's look; a selected or disabled one keeps its own.
TRdImageButton::TLook TRdImageButton::Look() const {
  TLook look{FState, FHover};
  if (!FPartner || FState != TRdButtonState::Up || !Enabled()) return look;
  if (FPartner->FState == TRdButtonState::Down && FPartner->FHover) return {TRdButtonState::Down, true};
  if (FPartner->FHover) look.Hover = true;
  return look;
}

bool TRdImageButton::PressedLook() const {
  const TLook look = Look();
  return look.State == TRdButtonState::Down && look.Hover;
}

bool TRdImageButton::SetPicture(std::u16string& slot, std::u16string name) {
  if (slot == name) return false;
  slot = std::move(name);
  return Changed(true);
}

bool TRdImageButton::SetHoverFlag(bool hover) {
  if (FHover == hover) return false;
  FHover = hover;
  return true;  // mouse handlers report the repaint; the host asks for it
}

bool TRdImageButton::SetState(TRdButtonState state) {
  if (FBusy) return false;  // only SetBusy(false) ends a busy state
  switch (state) {
    case TRdButtonState::Busy: return SetBusy(true);
    case TRdButtonState::Disabled: return ChangeEnabled(false);
    default: break;
  }
  bool changed = false;
  if (!Enabled()) {
    TRdControl::SetEnabled(true);
    changed = true;
  }
  if (FState != state) {
    FState = state;
    changed = true;
  }
  return Changed(changed);
}

bool TRdImageButton::SetSelected(bool selected) {
  if (!selected && FState != TRdButtonState::Selected) return false;
  return SetState(selected ? TRdButtonState::Selected : TRdButtonState::Up);
}

void TRdImageButton::SetEnabled(bool enabled) { ChangeEnabled(enabled); }

bool TRdImageButton::ChangeEnabled(bool enabled) {
  if (enabled == Enabled()) return false;
  TRdControl::SetEnabled(enabled);
  if (!FBusy) FState = enabled ? TRdButtonState::Up : TRdButtonState::Disabled;
  if (!enabled) FHover = false;
  return Changed(true);
}

bool TRdImageButton::SetChecked(bool checked) {
  return SetCheckState(checked ? TRdCheckState::Checked : TRdCheckState::Unchecked);
}

bool TRdImageButton::SetCheckState(TRdCheckState state) {
  if (FCheckState == state) return false;
  FCheckState = state;
  return Changed(true);
}

bool TRdImageButton::SetExpand(bool expand) {
  if (FExpand == expand) return false;
  FExpand = expand;
  return Changed(true);
}

bool TRdImageButton::SetCaption(std::u16string caption) {
  if (FBusy) {  // shown again when the busy state ends
    FKeptCaption = std::move(caption);
    return false;
  }
  if (FCaption == caption) return false;
  FCaption = std::move(caption);
  return Changed(true);
}

bool TRdImageButton::SetBusy(bool busy) {
  if (busy == FBusy) return false;  // a second Busy = true must not keep the cleared caption
  FBusy = busy;
  if (busy) {
    FKeptCaption = std::move(FCaption);
    FCaption.clear();
    TRdControl::SetEnabled(false);
    FState = TRdButtonState::Busy;
    FHover = false;
  } else {
    TRdControl::SetEnabled(true);
    FState = TRdButtonState::Up;
    FCaption = std::move(FKeptCaption);
    FKeptCaption.clear();
  }
  return Changed(true);
}

const std::u16string& TRdImageButton::ChoosePicture() const {
  const TRdButtonPictures& p = Pictures;
  const TLook look = Look();
  if (look.State == TRdButtonState::Down && look.Hover && !p.ImageDown.empty()) return p.ImageDown;
  if (look.Hover && Enabled() && look.State != TRdButtonState::Selected && !p.ImageOver.empty()) return p.ImageOver;
  if (look.State == TRdButtonState::Disabled && !p.ImageDisabled.empty()) return p.ImageDisabled;
  if (look.State == TRdButtonState::Selected && !p.ImageSelected.empty()) return p.ImageSelected;
  if (FExpand && !p.ExpandImage.empty()) return p.ExpandImage;
  if (look.State == TRdButtonState::Busy && !p.ImageBusy.empty()) return p.ImageBusy;
  return p.ImageNormal;
}

// Rows by check state, columns by disabled / hovered / normal; a missing picture falls back to its row's normal
// one, and a half-checked box without pictures of its own looks checked.
const std::u16string& TRdImageButton::ChooseCheckBoxPicture() const {
  const TRdCheckBoxPictures& p = CheckBoxPictures;
  const bool grayed = !Enabled(), hover = Look().Hover;
  auto pick = [&](const std::u16string& normal, const std::u16string& hovered,
                  const std::u16string& disabled) -> const std::u16string& {
    if (grayed) return FirstSet(disabled, normal);
    if (hover) return FirstSet(hovered, normal);
    return normal;
  };
  const std::u16string& checked =
      pick(p.CheckBoxCheckedImage, p.CheckBoxCheckedHoverImage, p.CheckBoxCheckedGrayedImage);
  switch (FCheckState) {
    case TRdCheckState::Checked: return checked;
    case TRdCheckState::Grayed:
      if (p.CheckBoxHalfCheckedImage.empty()) return checked;
      return pick(p.CheckBoxHalfCheckedImage, p.CheckBoxHalfCheckedHoverImage, p.CheckBoxHalfCheckedGrayedImage);
    case TRdCheckState::Unchecked: break;
  }
  return pick(p.CheckBoxNormalImage, p.CheckBoxUnCheckedHoverImage, p.CheckBoxGrayedImage);
}

uint32_t TRdImageButton::ChooseCaptionColor() const {
  const TRdButtonColors& c = Colors;
  const TLook look = Look();
  const bool checked = Checked();
  switch (look.State) {
    case TRdButtonState::Down: return ColorOr(c.FontDownColor, Font.Color);
    case TRdButtonState::Disabled: return ColorOr(c.FontDisabledColor, Font.Color);
    case TRdButtonState::Selected:
      if (c.FontSelectedColor != ColorNotSet) return c.FontSelectedColor;
      return checked ? ColorOr(c.FontCheckedColor, Font.Color) : Font.Color;
    default:
      if (look.Hover) return ColorOr(c.FontHoverColor, Font.Color);
      return checked ? ColorOr(c.FontCheckedColor, Font.Color) : Font.Color;
  }
}

TRdIconState TRdImageButton::IconState() const {
  const TLook look = Look();
  if (!Enabled() || look.State == TRdButtonState::Disabled) return TRdIconState::Disable;
  if (look.State == TRdButtonState::Down && look.Hover) return TRdIconState::Down;
  // Unlocked, a selected button's icon follows the pointer like any other.
  if (look.State == TRdButtonState::Selected && (IconLockBySelected || !look.Hover)) return TRdIconState::Selected;
  if (look.Hover) return TRdIconState::Hover;
  return TRdIconState::Normal;
}

const std::u16string& TRdImageButton::ChooseIcon() const {
  const TRdIconSet& set = FExpand ? UpIcons : DnIcons;
  const std::u16string* icon = &set.NormalIcon;
  switch (IconState()) {
    case TRdIconState::Hover: icon = &set.HoverIcon; break;
    case TRdIconState::Down: icon = &set.DownIcon; break;
    case TRdIconState::Selected: icon = &set.SelectedIcon; break;
    case TRdIconState::Disable: icon = &set.DisableIcon; break;
    case TRdIconState::Normal: break;
  }
  return icon->empty() ? set.NormalIcon : *icon;
}

TRect TRdImageButton::IconRect(TSize s) const {
  return PlaceInside(Bounds(), s, IconAlign, IconOffset, IconAlignY, IconOffsetY);
}

TRect TRdImageButton::CheckBoxRect(TSize s) const {
  return PlaceInside(Bounds(), s, CheckBoxAlignX, CheckBoxOffset, CheckBoxAlignY, CheckBoxOffsetY);
}

TRect TRdImageButton::CaptionRect(const TRect& icon, const TRect& checkBox) const {
  const TRect& b = Bounds();
  TRect area{b.Left + TextLeftMargin, b.Top + TextTopMargin, b.Right - TextRightMargin, b.Bottom - TextBottomMargin};
  if (!icon.IsEmpty()) {
    // The caption keeps TextOffset pixels clear of the icon on the icon's side.
    if (IconAlign == TAlignment::taLeftJustify) area.Left = std::max(area.Left, icon.Right + TextOffset);
    if (IconAlign == TAlignment::taRightJustify) area.Right = std::min(area.Right, icon.Left - TextOffset);
  }
  if (!checkBox.IsEmpty()) {  // the caption keeps as far from the box as the box from the edge
    if (CheckBoxAlignX == TAlignment::taLeftJustify) area.Left = std::max(area.Left, checkBox.Right + CheckBoxOffset);
    if (CheckBoxAlignX == TAlignment::taRightJustify) area.Right = std::min(area.Right, checkBox.Left - CheckBoxOffset);
  }
  return area;
}

void TRdImageButton::Paint(TRdCanvas& canvas) {
  const TRect& b = Bounds();
  if (!Pictures.ImageRange.empty() && !ImageOption.IsEmpty()) canvas.DrawPicture(Pictures.ImageRange, b, ImageOption);
  const std::u16string& picture = ChoosePicture();
  if (!picture.empty()) canvas.DrawPicture(picture, b, ImageOption);
  FCheckBoxArea = {};
  if (ShowCheckBox) {
    const std::u16string& name = ChooseCheckBoxPicture();
    const TSize size = name.empty() ? TSize{} : canvas.PictureSize(name);
    if (size.Width > 0 && size.Height > 0) {
      FCheckBoxArea = CheckBoxRect(size);
      canvas.DrawPicture(name, FCheckBoxArea, {});
    }
  }
  TRect icon;
  if (IconVisible) {
    const std::u16string& name = ChooseIcon();
    const TSize size = name.empty() ? TSize{} : canvas.PictureSize(name);
    if (size.Width > 0 && size.Height > 0) {
      icon = IconRect(size);
      canvas.DrawPicture(name, icon, {});
    }
  }
  FIconArea = icon;
  if (!FCaption.empty()) {
    TRdTextFormat format;
    format.Align = ButtonCaptionAlignment;
    format.VAlign = TextAlignY;
    format.WordWrap = WordWrap;
    format.EndEllipsis = true;
    canvas.PaintText(FCaption, Font, ChooseCaptionColor(), CaptionRect(icon, FCheckBoxArea), format);
  }
}

TRdMouseResult TRdImageButton::MouseEnter() {
  if (IconLockBySelected && FState == TRdButtonState::Selected) return {};
  return WithPartner({SetHoverFlag(true), false});
}

// Leaving always clears hover, even on a locked selected button: a hover kept past the pointer's exit would show
// the hover picture once the button is deselected elsewhere.
TRdMouseResult TRdImageButton::MouseLeave() { return WithPartner({SetHoverFlag(false), false}); }

TRdMouseResult TRdImageButton::MouseMove(TPoint p) {
  if (FHover || !Enabled() || !Bounds().Contains(p)) return {};
  if (IconLockBySelected && FState == TRdButtonState::Selected) return {};
  return WithPartner({SetHoverFlag(true), false});  // e.g. deselected while the pointer rested on it
}

TRdMouseResult TRdImageButton::MouseDown(TPoint) {
  if (!Enabled() || FState == TRdButtonState::Down) return {};
  FStateBeforeDown = FState;
  FState = TRdButtonState::Down;
  FHover = true;
  FIconClicked = false;
  return WithPartner({true, false});
}

TRdMouseResult TRdImageButton::MouseUp(TPoint p, bool inside) {
  if (FState != TRdButtonState::Down) return {};  // disabled or made busy while pressed: no click
  FState = FStateBeforeDown;
  if (!inside) FHover = false;
  if (inside && ShowCheckBox && (CheckBoxFullClick || FCheckBoxArea.Contains(p)))
    FCheckState = Checked() ? TRdCheckState::Unchecked : TRdCheckState::Checked;
  FIconClicked = inside && (IconFullClick || FIconArea.Contains(p));
  return WithPartner({true, inside});
}

TRdControl::TNotifyEvent TRdImageButton::ClickHandler() const {
  return FIconClicked && IconOnClick ? IconOnClick : OnClick;
}

TCursor TRdImageButton::CursorAt(TPoint p) const {
  if (ShowCheckBox && CheckBoxCursor != crDefault && FCheckBoxArea.Contains(p)) return CheckBoxCursor;
  if (IconCursor != crDefault && (IconFullClick ? Bounds() : FIconArea).Contains(p)) return IconCursor;
  return Cursor;
}

}  // namespace qor
