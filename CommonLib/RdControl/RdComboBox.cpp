#include "CommonLib/RdControl/RdComboBox.h"

#include <algorithm>

namespace qor {

TRdComboBox::TRdComboBox() = default;

TRdComboBox::~TRdComboBox() {
  // The list window goes first and quietly: losing its capture must not call back into a box being destroyed.
  FDropped = false;
  if (FListWindow) FListWindow->Hide();
}

void TRdComboBox::SetItems(std::vector<std::u16string> items) {
  CloseUp();
  FItems = std::move(items);
  if (FItemIndex >= int32_t(FItems.size())) FItemIndex = -1;
  Invalidate();
}

bool TRdComboBox::SetItemIndex(int32_t index) {
  if (index < 0 || index >= int32_t(FItems.size())) index = -1;
  if (index == FItemIndex) return false;
  FItemIndex = index;
  Invalidate();
  return true;
}

std::u16string TRdComboBox::Text() const { return FItemIndex >= 0 ? FItems[size_t(FItemIndex)] : std::u16string(); }

bool TRdComboBox::SetText(std::u16string_view text) {
  auto found = std::find(FItems.begin(), FItems.end(), text);
  SetItemIndex(found == FItems.end() ? -1 : int32_t(found - FItems.begin()));
  return found != FItems.end();
}

void TRdComboBox::DropDown() {
  if (FDropped || FItems.empty() || !Host()) return;
  if (!FListWindow) FListWindow = Host()->CreateDropDownList(*this);
  if (!FListWindow) return;
  FList.ItemHeight = ItemHeight;
  FList.ScrollBarWidth = ScrollBarWidth;
  FList.Open(int32_t(FItems.size()), DropDownCount, Bounds().Width(), FItemIndex);
  FItemPressed = false;
  FDropped = true;
  Invalidate();
  FListWindow->Show(Bounds(), FList.Size());
  if (OnDropDownShow) OnDropDownShow(*this);
}

void TRdComboBox::CloseUp() {
  if (!FDropped) return;
  FDropped = false;
  FList.EndThumbDrag();
  FListWindow->Hide();
  Invalidate();
}

void TRdComboBox::Choose(int32_t index) {
  CloseUp();
  SetItemIndex(index);
  if (OnSelect) OnSelect(*this);
}

void TRdComboBox::RefreshList() {
  if (FDropped) FListWindow->Refresh();
}

bool TRdComboBox::UserPick(int32_t index) {
  if (FItems.empty()) return false;
  if (!SetItemIndex(std::clamp(index, 0, int32_t(FItems.size()) - 1))) return false;
  if (OnSelect) OnSelect(*this);
  return true;
}

void TRdComboBox::SetEnabled(bool enabled) {
  if (!enabled) CloseUp();
  TRdControl::SetEnabled(enabled);
}

const std::u16string& TRdComboBox::ChoosePicture() const {
  const TRdComboPictures& p = Pictures;
  const std::u16string* chosen = &p.Background;
  if (!Enabled())
    chosen = &p.BackgroundDisable;
  else if (FDropped || FPressed)
    chosen = &p.BackgroundClick;
  else if (FHover)
    chosen = &p.BackgroundHot;
  else if (Focused())
    chosen = &p.BackgroundFocus;
  return chosen->empty() ? p.Background : *chosen;
}

TRect TRdComboBox::BoxRect() const {
  const TRect& b = Bounds();
  if (ComboboxHeight <= 0 || ComboboxHeight >= b.Height()) return b;
  const int32_t top = b.Top + (b.Height() - ComboboxHeight) / 2;
  return {b.Left, top, b.Right, top + ComboboxHeight};
}

TRect TRdComboBox::TextRect() const {
  const TRect b = BoxRect();
  const int32_t arrow = ArrowWidth > 0 ? ArrowWidth : b.Height() * 2 / 3;
  return {b.Left + TextOffX, b.Top, std::max(b.Left + TextOffX, b.Right - arrow - TextRightMargin), b.Bottom};
}

void TRdComboBox::Paint(TRdCanvas& canvas) {
  const std::u16string& picture = ChoosePicture();
  if (!picture.empty()) canvas.DrawPicture(picture, BoxRect(), BackgroundOption);
  const std::u16string text = Text();
  const bool hint = FItemIndex < 0;
  if ((hint ? TextHint : text).empty()) return;
  TRdTextFormat format;
  format.VAlign = TVerticalAlignment::vaCenter;
  format.EndEllipsis = EllipsisPosition != TRdEllipsisPosition::None;
  const uint32_t color = !Enabled() ? FontDisableColor : hint ? FontHintColor : Font.Color;
  canvas.PaintText(hint ? TextHint : text, Font, color, TextRect(), format);
}

void TRdComboBox::PaintList(TRdCanvas& canvas) const {
  const TSize size = FList.Size();
  const TRect all = TRect::FromSize(0, 0, size.Width, size.Height);
  canvas.FillRect(all, ListColor);
  canvas.FrameRect(all, BorderColor);
  TRdTextFormat format;
  format.VAlign = TVerticalAlignment::vaCenter;
  format.EndEllipsis = EllipsisPosition != TRdEllipsisPosition::None;
  for (int32_t i = FList.Top(); i < FList.Top() + FList.Rows() && i < int32_t(FItems.size()); ++i) {
    const TRect row = FList.ItemRect(i);
    const bool hot = i == FList.Hot();
    if (hot) canvas.FillRect(row, ItemHotBgColor);
    const TRect text{row.Left + TextOffX, row.Top, std::max(row.Left + TextOffX, row.Right - TextRightMargin),
                     row.Bottom};
    canvas.PaintText(FItems[size_t(i)], Font, hot ? ItemHotColor : ColorOr(ItemColor, Font.Color), text, format);
  }
  if (FList.HasScrollBar()) {
    canvas.FillRect(FList.TrackRect(), ScrollTrackColor);
    canvas.FillRect(FList.ThumbRect(), FList.DraggingThumb() ? ScrollThumbDragColor : ScrollThumbColor);
  }
}

void TRdComboBox::ListMouseMove(TPoint p) {
  if (!FDropped) return;
  bool changed = FList.DragThumb(p);
  if (!FList.DraggingThumb()) {
    const int32_t item = FList.ItemAt(p);
    if (item >= 0) changed = FList.SetHot(item) || changed;
  }
  if (changed) RefreshList();
}

void TRdComboBox::ListMouseDown(TPoint p) {
  if (!FDropped) return;
  const TSize size = FList.Size();
  if (!TRect::FromSize(0, 0, size.Width, size.Height).Contains(p)) {
    CloseUp();
    return;
  }
  FItemPressed = false;
  if (FList.PressScrollBar(p)) {
    RefreshList();
    return;
  }
  const int32_t item = FList.ItemAt(p);
  if (item < 0) return;
  FItemPressed = true;
  if (FList.SetHot(item)) RefreshList();
}

void TRdComboBox::ListMouseUp(TPoint p) {
  if (!FDropped) return;
  if (FList.DraggingThumb()) {
    FList.EndThumbDrag();
    RefreshList();
    return;
  }
  const int32_t item = FList.ItemAt(p);
  if (!FItemPressed || item < 0) return;
  Choose(item);  // last: OnSelect may destroy the box
}

TRdMouseResult TRdComboBox::MouseEnter() {
  FHover = true;
  return {true, false};
}

TRdMouseResult TRdComboBox::MouseLeave() {
  FHover = false;
  return {true, false};
}

TRdMouseResult TRdComboBox::MouseDown(TPoint) {
  if (FDropped) {
    CloseUp();
    return {};
  }
  FPressed = true;
  DropDown();
  // The open list takes the mouse from here on: the host lets go of the press.
  if (FDropped) Host()->HostCancelPress();
  return {};
}

TRdMouseResult TRdComboBox::MouseUp(TPoint, bool inside) {
  FPressed = false;
  return {true, inside};
}

bool TRdComboBox::KeyDown(TRdKey key) {
  if (FDropped) {
    switch (key) {
      case TRdKey::Enter:
        if (FList.Hot() >= 0)
          Choose(FList.Hot());
        else
          CloseUp();
        return true;
      case TRdKey::Escape:
      case TRdKey::F4: CloseUp(); return true;
      default:
        if (FList.MoveHot(key)) RefreshList();
        return true;  // the open list keeps every key from the window around it
    }
  }
  const int32_t last = int32_t(FItems.size()) - 1;
  const int32_t page = std::max(1, DropDownCount - 1);
  switch (key) {
    case TRdKey::Up: UserPick(FItemIndex < 0 ? 0 : FItemIndex - 1); return true;
    case TRdKey::Down: UserPick(FItemIndex + 1); return true;
    case TRdKey::Home: UserPick(0); return true;
    case TRdKey::End: UserPick(last); return true;
    case TRdKey::PageUp: UserPick(FItemIndex < 0 ? 0 : FItemIndex - page); return true;
    case TRdKey::PageDown: UserPick(FItemIndex < 0 ? page : FItemIndex + page); return true;
    case TRdKey::F4: DropDown(); return true;
    default: return false;
  }
}

bool TRdComboBox::MouseWheel(TPoint, int32_t notches) {
  if (FDropped) {
    if (FList.Scroll(-notches * 3)) RefreshList();
    return true;
  }
  // Closed, the wheel picks the item only for the focused box, so that passing over it changes nothing.
  if (!Focused() || FItems.empty()) return false;
  UserPick(FItemIndex - notches);
  return true;
}

}  // namespace qor
