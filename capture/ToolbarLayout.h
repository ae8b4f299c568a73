#pragma once
// The toolbar (Panel_Tools) beside the selection: its children laid out left to right by the table of gaps, its
// place relative to the selection and the monitor, and the places of the panels that hang off it (tool options,
// save path) and of the exit tip. All rectangles are overlay coordinates; monitor bounds are converted from screen
// coordinates by subtracting the desktop origin, so every comparison is made in one coordinate system (on a
// desktop whose origin is not 0, 0 the selection and the monitor would otherwise be off by that origin).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/Geometry.h"
#include "base/Scale.h"
#include "app/CommandLine.h"
#include "capture/Desktop.h"

namespace qor {

// Children of the toolbar, left to right.
enum class TToolbarChild {
  lbl_WinSize,
  Image_BarDiv1,
  Btn_Rd_Rect,
  Btn_Rd_Ellip,
  Btn_Rd_Line,
  Btn_Rd_Arrow,
  Btn_Rd_Brush,
  Btn_Rd_Masaic,
  Btn_Rd_Font,
  Image_BarDiv2,
  Btn_Rd_Return,
  Btn_Rd_Del,
  Image_BarDiv3,
  Btn_Rd_ScrollWins,
  Btn_Rd_Pinned,
  Rd_Copy,
  Rd_WordCopy,
  Rd_Save,
  Rd_WordSave,
  btn_save_drop,
};
inline constexpr int ToolbarChildCount = 20;

// Unscaled sizes of the children whose size comes from their pictures or texts (the skin and the language may
// change them); the scaled flag doubles them like every other number of the layout. A caption (WordCopy, WordSave)
// wider than the room its blue button leaves it widens that button by the difference, and the toolbar with it.
struct TToolbarSizes {
  TSize ToolButton{30, 30};
  TSize Divider{1, 20};
  TSize TextButton{89, 40};  // Rd_Copy and Rd_Save
  TSize WordCopy{33, 18};
  TSize WordSave{33, 18};
  TSize SaveDrop{18, 18};
};

inline constexpr int32_t ToolbarHeight = 40;
inline constexpr int32_t SizeLabelWidth = 110;

struct TToolbarLayout {
  TRect Children[ToolbarChildCount];  // in toolbar coordinates; children are centred vertically
  bool SaveDropVisible = false;
  int32_t SaveIconOffset = 18;  // 10 with the drop-down, 18 without
  int32_t Width = 0;            // the save button's right edge
  int32_t Height = ToolbarHeight;
  const TRect& Child(TToolbarChild c) const { return Children[int(c)]; }
};

TToolbarLayout LayoutToolbar(const TToolbarSizes& sizes, bool saveDropVisible, TScale scale);

// The size readout: width " x " height.
std::u16string ToolbarSizeText(int32_t width, int32_t height);

// Where the toolbar goes once a selection is completed: right-aligned with the selection (left 0 when it is
// narrower than the toolbar), below it when it fits on the monitor under the cursor, else above it, else inside
// it below its top. monitor is that monitor's bounds in overlay coordinates (TDesktop::ToOverlay of its corners).
TPoint PlaceToolbar(const TRect& selection, TSize toolbar, const TRect& monitor);

// Where the toolbar goes after a handle drag: below when it fits above the primary screen's bottom (overlay
// coordinates), else above when that is not negative, else inside below the selection's top.
TPoint PlaceToolbarAfterHandleDrag(const TRect& selection, TSize toolbar, int32_t primaryBottom);

// A panel that hangs off the toolbar (the tool options Panel_Tool_Small, the save path pnl_defSavePath), aligned
// with the toolbar's left: on the far side of the toolbar from the selection when there is room, else on the near
// side.
TPoint PlaceBesideToolbar(const TRect& selection, const TRect& toolbar, int32_t panelHeight, int32_t primaryBottom);

// After a handle drag while the save-path panel was open, the toolbar and the panel are placed together: both below
// the selection when they fit above the primary screen's bottom with 4 pixels to spare; else the toolbar above the
// selection and the panel above the toolbar; else (no room above either) the toolbar just inside the selection's
// top edge and the panel below it.
struct TToolbarWithPanel {
  TPoint Toolbar;
  TPoint Panel;
};
TToolbarWithPanel PlaceToolbarWithSavePath(const TRect& selection, TSize toolbar, int32_t panelHeight,
                                           int32_t primaryBottom);

// The exit tip panel (Panel_ExitTip) and its label.
struct TExitTipLayout {
  TRect Panel;             // overlay coordinates, centred on the selection
  int32_t LabelLeft = 15;  // in the panel
  int32_t LabelTop = 15;
  int32_t LabelMaxWidth = 0;  // panel width - 30
};
// The caller measures the label's height with LabelMaxWidth (ExitTipLabelMaxWidth) and passes it in.
int32_t ExitTipLabelMaxWidth(int32_t panelWidth, TScale scale);
TExitTipLayout PlaceExitTip(const TRect& selection, int32_t panelWidth, int32_t labelHeight, TScale scale);

}  // namespace qor
