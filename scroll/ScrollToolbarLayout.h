#pragma once
// The scroll toolbar that ends a scrolling capture (exit, pin, copy, save): its children as data, laid out for the
// save drop-down flag and the scale, and where the toolbar goes beside the region.
// Usage (the toolbar window builds its buttons from the table and places itself):
//   for (int i = 0; i < qor::ScrollToolbarChildCount; ++i) {
//     const qor::TScrollToolbarItem& item = qor::ScrollToolbarItem(qor::TScrollToolbarChild(i));
//     button->SetPictures(item.Normal, item.Over, item.Down, item.Selected); ...
//   }
//   const qor::TScrollToolbarLayout layout = qor::LayoutScrollToolbar(saveDropVisible, scale);
//   const qor::TScrollToolbarPlace place = qor::PlaceScrollToolbar(captureRect, layout.Client, desktop);
#include <cstdint>
#include <string_view>

#include "base/Geometry.h"
#include "base/Scale.h"

namespace qor {

// Left to right.
enum class TScrollToolbarChild { Btn_Rd_Del, Btn_Rd_Pinned, Rd_Copy, Rd_WordCopy, Rd_Save, Rd_WordSave, btn_save_drop };
inline constexpr int ScrollToolbarChildCount = 7;

enum class TScrollAction { None, Exit, Pin, Copy, Save };

// Picture names are skin resource paths; an empty name means the control has no such picture. The hint is the
// language text named HintKey followed by HintSuffix.
struct TScrollToolbarItem {
  TScrollToolbarChild Child;
  std::u16string_view Name;
  std::u16string_view Normal, Over, Down, Selected;
  std::u16string_view Icon, IconDown;  // the blue buttons' icons
  std::u16string_view HintKey;
  std::u16string_view HintSuffix;
  TScrollAction Action;
};

const TScrollToolbarItem& ScrollToolbarItem(TScrollToolbarChild c);

// A copy or save button and its word image look pressed together.
TScrollToolbarChild PressPartner(TScrollToolbarChild c);

struct TScrollToolbarLayout {
  TRect Children[ScrollToolbarChildCount];  // toolbar coordinates
  TSize Client;
  int32_t SaveIconOffset = 18;  // from Rd_Save's left edge to its icon
  int32_t CopyIconOffset = 14;
  bool SaveDropVisible = false;
  const TRect& Child(TScrollToolbarChild c) const { return Children[int(c)]; }
};

// Every number is multiplied by the scale factor and truncated. With the drop-down the save word and the drop
// button share the save button; without it the word moves right and the icon sits further in.
// copyWordWidth, saveWordWidth: the captions' unscaled widths (0: the design captions). A caption wider than the
// room its blue button leaves it widens that button by the difference, and the toolbar with it.
TScrollToolbarLayout LayoutScrollToolbar(bool saveDropVisible, TScale scale, int32_t copyWordWidth = 0,
                                         int32_t saveWordWidth = 0);

struct TScrollToolbarPlace {
  TPoint TopLeft;
  bool Inside = false;  // placed inside the region below its top
  friend bool operator==(const TScrollToolbarPlace&, const TScrollToolbarPlace&) = default;
};

// Screen coordinates: right-aligned with the region, 2 pixels below it when it fits on the desktop, else 2 above,
// else inside the region 2 below its top, else 2 below the desktop's top.
TScrollToolbarPlace PlaceScrollToolbar(const TRect& region, TSize toolbar, const TRect& desktop);

}  // namespace qor
