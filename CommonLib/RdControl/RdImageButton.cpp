#include "CommonLib/RdControl/RdImageButton.h"

#include <algorithm>

namespace qor {

TRdImageButton::TRdImageButton() = default;

bool TRdImageButton::Changed(bool changed) {
  if (changed) Invalidate();
  return changed;
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
  if (FChecked == checked) return false;
  FChecked = checked;
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
  if (FState == TRdButtonState::Down && FHover && !p.ImageDown.empty()) return p.ImageDown;
  if (FHover && Enabled() && FState != TRdButtonState::Selected && !p.ImageOver.empty()) return p.ImageOver;
  if (FState == TRdButtonState::Disabled && !p.ImageDisabled.empty()) return p.ImageDisabled;
  if (FState == TRdButtonState::Selected && !p.ImageSelected.empty()) return p.ImageSelected;
  if (FExpand && !p.ExpandImage.empty()) return p.ExpandImage;
  if (FState == TRdButtonState::Busy && !p.ImageBusy.empty()) return p.ImageBusy;
  return p.ImageNormal;
}

uint32_t TRdImageButton::ChooseCaptionColor() const {
  const TRdButtonColors& c = Colors;
  switch (FState) {
    case TRdButtonState::Down: return ColorOr(c.FontDownColor, Font.Color);
    case TRdButtonState::Disabled: return ColorOr(c.FontDisabledColor, Font.Color);
    case TRdButtonState::Selected:
      if (c.FontSelectedColor != ColorNotSet) return c.FontSelectedColor;
      return FChecked ? ColorOr(c.FontCheckedColor, Font.Color) : Font.Color;
    default:
      if (FHover) return ColorOr(c.FontHoverColor, Font.Color);
      return FChecked ? ColorOr(c.FontCheckedColor, Font.Color) : Font.Color;
  }
}

TRdIconState TRdImageButton::IconState() const {
  if (!Enabled() || FState == TRdButtonState::Disabled) return TRdIconState::Disable;
  if (FState == TRdButtonState::Selected) return TRdIconState::Selected;
  if (FState == TRdButtonState::Down && FHover) return TRdIconState::Down;
  if (FHover) return TRdIconState::Hover;
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
  const TRect& b = Bounds();
  int32_t x = 0, y = 0;
  switch (IconAlign) {
    case TAlignment::taLeftJustify: x = b.Left + IconOffset; break;
    case TAlignment::taRightJustify: x = b.Right - IconOffset - s.Width; break;
    case TAlignment::taCenter: x = b.Left + (b.Width() - s.Width) / 2; break;
  }
  switch (IconAlignY) {
    case TVerticalAlignment::vaTop: y = b.Top + IconOffsetY; break;
    case TVerticalAlignment::vaBottom: y = b.Bottom - IconOffsetY - s.Height; break;
    case TVerticalAlignment::vaCenter: y = b.Top + (b.Height() - s.Height) / 2 + IconOffsetY; break;
  }
  return TRect::FromSize(x, y, s.Width, s.Height);
}

TRect TRdImageButton::CaptionRect(const TRect& icon) const {
  const TRect& b = Bounds();
  TRect area{b.Left + TextLeftMargin, b.Top + TextTopMargin, b.Right - TextRightMargin, b.Bottom - TextBottomMargin};
  if (!icon.IsEmpty()) {
    // The caption keeps TextOffset pixels clear of the icon on the icon's side.
    if (IconAlign == TAlignment::taLeftJustify) area.Left = std::max(area.Left, icon.Right + TextOffset);
    if (IconAlign == TAlignment::taRightJustify) area.Right = std::min(area.Right, icon.Left - TextOffset);
  }
  return area;
}

void TRdImageButton::Paint(TRdCanvas& canvas) {
  const TRect& b = Bounds();
  if (!Pictures.ImageRange.empty() && !ImageOption.IsEmpty()) canvas.DrawPicture(Pictures.ImageRange, b, ImageOption);
  const std::u16string& picture = ChoosePicture();
  if (!picture.empty()) canvas.DrawPicture(picture, b, ImageOption);
  TRect icon;
  if (IconVisible) {
    const std::u16string& name = ChooseIcon();
    const TSize size = name.empty() ? TSize{} : canvas.PictureSize(name);
    if (size.Width > 0 && size.Height > 0) {
      icon = IconRect(size);
      canvas.DrawPicture(name, icon, {});
    }
  }
  if (!FCaption.empty()) {
    TRdTextFormat format;
    format.Align = ButtonCaptionAlignment;
    format.VAlign = TextAlignY;
    format.WordWrap = WordWrap;
    format.EndEllipsis = true;
    canvas.PaintText(FCaption, Font, ChooseCaptionColor(), CaptionRect(icon), format);
  }
}

TRdMouseResult TRdImageButton::MouseEnter() {
  if (IconLockBySelected && FState == TRdButtonState::Selected) return {};
  return {SetHoverFlag(true), false};
}

// Leaving always clears hover, even on a locked selected button: a hover kept past the pointer's exit would show
// the hover picture once the button is deselected elsewhere.
TRdMouseResult TRdImageButton::MouseLeave() { return {SetHoverFlag(false), false}; }

TRdMouseResult TRdImageButton::MouseMove(TPoint p) {
  if (FHover || !Enabled() || !Bounds().Contains(p)) return {};
  if (IconLockBySelected && FState == TRdButtonState::Selected) return {};
  return {SetHoverFlag(true), false};  // e.g. deselected while the pointer rested on it
}

TRdMouseResult TRdImageButton::MouseDown(TPoint) {
  if (!Enabled() || FState == TRdButtonState::Down) return {};
  FStateBeforeDown = FState;
  FState = TRdButtonState::Down;
  FHover = true;
  return {true, false};
}

TRdMouseResult TRdImageButton::MouseUp(TPoint, bool inside) {
  if (FState != TRdButtonState::Down) return {};  // disabled or made busy while pressed: no click
  FState = FStateBeforeDown;
  if (!inside) FHover = false;
  if (inside && ShowCheckBox) FChecked = !FChecked;
  return {true, inside};
}

}  // namespace qor
