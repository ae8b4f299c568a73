#pragma once
// TRdComboBox: a drop-down list box. Closed, it shows the chosen item's text over a background picture chosen by
// state (normal, hot, pressed or open, focused, disabled) that carries the drop-down arrow on its right. A press
// opens the list in a window the host makes (TRdDropDownList); the list's layout, scrolling and hot item are
// TRdComboList. The list closes when an item is chosen (mouse or Enter, raising OnSelect), on Escape, and when the
// user presses elsewhere (the list window reports it). While closed, Up/Down/Home/End/PageUp/PageDown pick the
// item directly (raising OnSelect) and F4 opens the list.
//
//   auto* size = panel.Add(std::make_unique<TRdComboBox>());
//   SetComboBoxPictures(*size);
//   size->SetItems({u"8", u"9", u"10", u"11", u"12", u"14"});
//   size->SetItemIndex(4);                                 // shows "12"
//   size->OnSelect = [](TRdControl& c) { ... static_cast<TRdComboBox&>(c).Text() ... };
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "CommonLib/RdControl/RdComboList.h"
#include "CommonLib/RdControl/RdControl.h"

namespace qor {

struct TRdComboPictures {
  std::u16string Background, BackgroundHot, BackgroundClick, BackgroundFocus, BackgroundDisable;
};

class TRdComboBox : public TRdControl {
 public:
  TRdComboBox();
  ~TRdComboBox() override;

  const std::vector<std::u16string>& Items() const { return FItems; }
  // The chosen item stays chosen when it is still there.
  void SetItems(std::vector<std::u16string> items);
  int32_t ItemIndex() const { return FItemIndex; }
  // An index outside the items chooses none (-1). Raises no event.
  bool SetItemIndex(int32_t index);
  std::u16string Text() const;
  // Chooses the item with this text; false (and nothing chosen) when there is none.
  bool SetText(std::u16string_view text);

  TRdComboPictures Pictures;
  TRdDesignRect BackgroundOption;
  TRdFont Font;
  uint32_t ItemColor = ColorNotSet;  // not set: the font's colour
  uint32_t ItemHotColor = 0xFFFFFF;
  uint32_t ItemHotBgColor = 0x00782B;
  uint32_t BorderColor = 0x333333;
  uint32_t ListColor = DarkPanelColor;
  uint32_t FontDisableColor = clGrayText;
  uint32_t FontHintColor = 0x808080;
  std::u16string TextHint;  // shown in FontHintColor while no item is chosen
  TRdEllipsisPosition EllipsisPosition = TRdEllipsisPosition::End;
  int32_t ComboboxHeight = 0;  // the closed box's height, centred in the bounds; 0: the bounds' height
  uint32_t ScrollTrackColor = 0x303030, ScrollThumbColor = 0x5A5A5A, ScrollThumbDragColor = 0x7A7A7A;
  int32_t TextOffX = 5;
  int32_t TextRightMargin = 0;
  int32_t ArrowWidth = 0;  // the arrow's part of the box, kept clear of text; 0: two thirds of the height
  int32_t ItemHeight = 24;
  int32_t DropDownCount = 8;  // rows the open list shows at most
  int32_t ScrollBarWidth = 10;

  TNotifyEvent OnSelect, OnDropDownShow;

  bool DroppedDown() const { return FDropped; }
  void DropDown();  // nothing when there are no items or the host makes no list window
  void CloseUp();
  const TRdComboList& List() const { return FList; }

  const std::u16string& ChoosePicture() const;
  TRect BoxRect() const;
  TRect TextRect() const;
  void Paint(TRdCanvas& canvas) override;
  // Paints the open list in its own coordinates (0, 0 to List().Size()).
  void PaintList(TRdCanvas& canvas) const;

  // Input of the open list window, in the list's coordinates. A press outside the list closes it; a release on an
  // item chooses it. The choice is the last thing a release does (OnSelect may destroy the box).
  void ListMouseMove(TPoint p);
  void ListMouseDown(TPoint p);
  void ListMouseUp(TPoint p);

  TRdMouseResult MouseEnter() override;
  TRdMouseResult MouseLeave() override;
  TRdMouseResult MouseDown(TPoint p) override;
  TRdMouseResult MouseUp(TPoint p, bool inside) override;
  bool TakesFocus() const override { return true; }
  bool KeyDown(TRdKey key) override;
  bool MouseWheel(TPoint p, int32_t notches) override;
  void SetEnabled(bool enabled) override;

 private:
  std::vector<std::u16string> FItems;
  int32_t FItemIndex = -1;
  bool FDropped = false;
  bool FHover = false;
  bool FPressed = false;
  bool FItemPressed = false;  // the press in the list began on an item
  TRdComboList FList;
  std::unique_ptr<TRdDropDownList> FListWindow;

  void Choose(int32_t index);
  void RefreshList();
  // Picks an item while closed, as the user did: OnSelect when it changed.
  bool UserPick(int32_t index);
};

}  // namespace qor
