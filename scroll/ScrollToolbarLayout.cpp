#include "scroll/ScrollToolbarLayout.h"

#include <algorithm>

namespace qor {

namespace {

using C = TScrollToolbarChild;
using A = TScrollAction;

constexpr std::u16string_view BlueNormal = u"images/btn_blue_small_normal.png";
constexpr std::u16string_view BlueOver = u"images/btn_blue_small_over.png";
constexpr std::u16string_view BluePress = u"images/btn_blue_small_press.png";

const TScrollToolbarItem Items[ScrollToolbarChildCount] = {
    {C::Btn_Rd_Del,
     u"Btn_Rd_Del",
     u"images/icon_delete_normal.png",
     u"images/icon_delete_over.png",
     u"images/icon_delete_over.png",
     u"images/icon_delete_over.png",
     {},
     {},
     u"M_Screen_Exit",
     {},
     A::Exit},
    {C::Btn_Rd_Pinned,
     u"Btn_Rd_Pinned",
     u"images/icon_pin_normal.png",
     u"images/icon_pin_over.png",
     {},
     {},
     {},
     {},
     u"M_Screen_Pin",
     {},
     A::Pin},
    {C::Rd_Copy,
     u"Rd_Copy",
     BlueNormal,
     BlueOver,
     BluePress,
     {},
     u"images/icon_saveas_normal.png",
     u"images/icon_saveas_press.png",
     u"M_Screen_Copy",
     u" (Ctrl+C)",
     A::Copy},
    {C::Rd_WordCopy,
     u"Rd_WordCopy",
     u"images/word_copy_normal.png",
     {},
     u"images/word_copy_press.png",
     {},
     {},
     {},
     u"M_Screen_Copy",
     u" (Ctrl+C)",
     A::Copy},
    {C::Rd_Save,
     u"Rd_Save",
     BlueNormal,
     BlueOver,
     BluePress,
     {},
     u"images/icon_save_normal.png",
     u"images/icon_save_press.png",
     u"M_Screen_Save",
     u" (Ctrl+S)",
     A::Save},
    {C::Rd_WordSave,
     u"Rd_WordSave",
     u"images/word_save_normal.png",
     {},
     u"images/word_save_press.png",
     {},
     {},
     {},
     u"M_Screen_Save",
     u" (Ctrl+S)",
     A::Save},
    {C::btn_save_drop,
     u"btn_save_drop",
     u"images/icon_dropdown_normal.png",
     {},
     u"images/icon_dropdown_press.png",
     {},
     {},
     {},
     u"M_Screen_Save",
     u" (Ctrl+S)",
     A::None},
};

// Design values (scale 1).
constexpr TSize Client{251, 40};
constexpr TRect DesignRects[ScrollToolbarChildCount] = {
    TRect::FromSize(21, 11, 18, 18),  TRect::FromSize(51, 11, 18, 18), TRect::FromSize(77, 0, 89, 40),
    TRect::FromSize(113, 11, 33, 18), TRect::FromSize(162, 0, 89, 40), TRect::FromSize(194, 11, 30, 18),
    TRect::FromSize(224, 11, 18, 18),
};
constexpr int32_t WordSaveWithDrop = 32, WordSaveAlone = 40, SaveDropOffset = 62;
constexpr int32_t SaveIconWithDrop = 10, SaveIconAlone = 18, CopyIconOffset = 14;
// What a caption keeps free before its button's right edge, or before the drop-down.
constexpr int32_t WordEndMargin = 6, WordDropMargin = 2;

// How much wider a blue button must be for its caption (never narrower than the design caption, which fits).
int32_t ButtonExtra(int32_t wordWidth, int32_t designWordWidth, int32_t room) {
  return std::max(0, wordWidth - std::max(room, designWordWidth));
}

// Hand-made layouts truncate the scaled numbers.
int32_t Scaled(TScale scale, int32_t pixels) { return int32_t(pixels * scale.Factor); }
TRect Scaled(TScale scale, const TRect& r) {
  return TRect::FromSize(Scaled(scale, r.Left), Scaled(scale, r.Top), Scaled(scale, r.Width()),
                         Scaled(scale, r.Height()));
}

}  // namespace

const TScrollToolbarItem& ScrollToolbarItem(TScrollToolbarChild c) { return Items[int(c)]; }

TScrollToolbarChild PressPartner(TScrollToolbarChild c) {
  switch (c) {
    case C::Rd_Copy: return C::Rd_WordCopy;
    case C::Rd_WordCopy: return C::Rd_Copy;
    case C::Rd_Save: return C::Rd_WordSave;
    case C::Rd_WordSave: return C::Rd_Save;
    default: return c;
  }
}

TScrollToolbarLayout LayoutScrollToolbar(bool saveDropVisible, TScale scale, int32_t copyWordWidth,
                                         int32_t saveWordWidth) {
  const TRect& copyButton = DesignRects[int(C::Rd_Copy)];
  const TRect& saveButton = DesignRects[int(C::Rd_Save)];
  const int32_t copyWordLeft = DesignRects[int(C::Rd_WordCopy)].Left - copyButton.Left;
  const int32_t saveWordLeft = saveDropVisible ? WordSaveWithDrop : WordSaveAlone;
  const int32_t copyExtra = ButtonExtra(copyWordWidth, DesignRects[int(C::Rd_WordCopy)].Width(),
                                        copyButton.Width() - copyWordLeft - WordEndMargin);
  const int32_t saveExtra = ButtonExtra(saveWordWidth, DesignRects[int(C::Rd_WordSave)].Width(),
                                        saveDropVisible ? SaveDropOffset - WordDropMargin - saveWordLeft
                                                        : saveButton.Width() - saveWordLeft - WordEndMargin);
  TRect rects[ScrollToolbarChildCount];
  for (int i = 0; i < ScrollToolbarChildCount; ++i) rects[i] = DesignRects[i];
  // The captions take their widths; everything right of the copy button moves by its extra width.
  rects[int(C::Rd_WordCopy)].Right =
      rects[int(C::Rd_WordCopy)].Left + std::max(copyWordWidth, rects[int(C::Rd_WordCopy)].Width());
  rects[int(C::Rd_WordSave)].Right =
      rects[int(C::Rd_WordSave)].Left + std::max(saveWordWidth, rects[int(C::Rd_WordSave)].Width());
  rects[int(C::Rd_Copy)].Right += copyExtra;
  for (C c : {C::Rd_Save, C::Rd_WordSave, C::btn_save_drop}) rects[int(c)] = rects[int(c)].Offset(copyExtra, 0);
  rects[int(C::Rd_Save)].Right += saveExtra;
  rects[int(C::btn_save_drop)] = rects[int(C::btn_save_drop)].Offset(saveExtra, 0);

  TScrollToolbarLayout layout;
  layout.Client = {Scaled(scale, Client.Width + copyExtra + saveExtra), Scaled(scale, Client.Height)};
  for (int i = 0; i < ScrollToolbarChildCount; ++i) layout.Children[i] = Scaled(scale, rects[i]);
  layout.SaveDropVisible = saveDropVisible;
  auto moveTo = [&](C c, int32_t left) {
    TRect& r = layout.Children[int(c)];
    r = r.Offset(left - r.Left, 0);
  };
  const int32_t saveLeft = layout.Child(C::Rd_Save).Left;
  moveTo(C::Rd_WordSave, saveLeft + Scaled(scale, saveDropVisible ? WordSaveWithDrop : WordSaveAlone));
  moveTo(C::btn_save_drop, saveLeft + Scaled(scale, SaveDropOffset + saveExtra));
  layout.SaveIconOffset = Scaled(scale, saveDropVisible ? SaveIconWithDrop : SaveIconAlone);
  layout.CopyIconOffset = Scaled(scale, CopyIconOffset);
  return layout;
}

TScrollToolbarPlace PlaceScrollToolbar(const TRect& region, TSize toolbar, const TRect& desktop) {
  constexpr int32_t gap = 2;
  TScrollToolbarPlace place;
  // A narrow region at the desktop's left edge would push a right-aligned toolbar off the desktop.
  place.TopLeft.X = std::max(region.Right - toolbar.Width, desktop.Left);
  if (region.Bottom + gap + toolbar.Height <= desktop.Bottom) {
    place.TopLeft.Y = region.Bottom + gap;
  } else if (desktop.Top <= region.Top - toolbar.Height - gap) {
    place.TopLeft.Y = region.Top - toolbar.Height - gap;
  } else if (region.Top >= desktop.Top) {
    place.TopLeft.Y = region.Top + gap;
    place.Inside = true;
  } else {
    place.TopLeft.Y = desktop.Top + gap;
  }
  return place;
}

}  // namespace qor
