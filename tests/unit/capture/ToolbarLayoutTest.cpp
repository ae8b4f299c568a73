#include <gtest/gtest.h>

#include "capture/ToolbarLayout.h"

using namespace qor;

using C = TToolbarChild;

TEST(ToolbarLayout, ChildrenRunLeftToRightWithoutOverlapCentredInTheBar) {
  const TToolbarLayout layout = LayoutToolbar(TToolbarSizes{}, false, TScale::Of(false));
  const C order[] = {C::lbl_WinSize,   C::Image_BarDiv1,     C::Btn_Rd_Rect,   C::Btn_Rd_Ellip,
                     C::Btn_Rd_Line,   C::Btn_Rd_Arrow,      C::Btn_Rd_Brush,  C::Btn_Rd_Masaic,
                     C::Btn_Rd_Font,   C::Image_BarDiv2,     C::Btn_Rd_Return, C::Btn_Rd_Del,
                     C::Image_BarDiv3, C::Btn_Rd_ScrollWins, C::Btn_Rd_Pinned, C::Rd_Copy};
  for (size_t i = 1; i < std::size(order); ++i)
    EXPECT_GE(layout.Child(order[i]).Left, layout.Child(order[i - 1]).Right) << int(order[i]);
  EXPECT_EQ(layout.Child(C::Rd_Save).Left, layout.Child(C::Rd_Copy).Right - 4);  // the two buttons overlap
  EXPECT_TRUE(layout.Child(C::btn_save_drop).IsEmpty());
  EXPECT_EQ(layout.Width, layout.Child(C::Rd_Save).Right);
  EXPECT_EQ(layout.Width, 816);
  EXPECT_EQ(layout.Child(C::Btn_Rd_Rect).Top, 5);  // centred in the 40-pixel bar
  EXPECT_EQ(ToolbarSizeText(1920, 0), u"1920 x 0");
}

TEST(ToolbarLayout, TheSaveDropDownMovesTheSaveWordAndIconAndScaledModeDoublesEveryNumber) {
  const TToolbarLayout drop = LayoutToolbar(TToolbarSizes{}, true, TScale::Of(false));
  const int32_t save = drop.Child(C::Rd_Save).Left;
  EXPECT_EQ(drop.Child(C::Rd_WordSave).Left, save + 32);
  EXPECT_EQ(drop.Child(C::btn_save_drop).Left, save + 62);
  EXPECT_EQ(drop.SaveIconOffset, 10);
  EXPECT_EQ(drop.Width, drop.Child(C::Rd_Save).Right);
  for (bool withDrop : {false, true}) {
    SCOPED_TRACE(withDrop);
    const TToolbarLayout plain = LayoutToolbar(TToolbarSizes{}, withDrop, TScale::Of(false));
    const TToolbarLayout scaled = LayoutToolbar(TToolbarSizes{}, withDrop, TScale::Of(true));
    EXPECT_EQ(scaled.Width, 2 * plain.Width);
    EXPECT_EQ(scaled.Height, 80);
    EXPECT_EQ(scaled.SaveIconOffset, 2 * plain.SaveIconOffset);
    for (int i = 0; i < ToolbarChildCount; ++i) {
      EXPECT_EQ(scaled.Children[i].Left, 2 * plain.Children[i].Left) << i;
      EXPECT_EQ(scaled.Children[i].Width(), 2 * plain.Children[i].Width()) << i;
    }
  }
}

TEST(ToolbarLayout, ALongCaptionWidensItsButtonAndTheToolbarByWhatItLacks) {
  const TToolbarLayout design = LayoutToolbar(TToolbarSizes{}, false, TScale::Of(false));
  TToolbarSizes sizes;
  sizes.WordCopy.Width = 47;  // just fills the copy button's room (89 - 36 - 6)
  sizes.WordSave.Width = 43;  // just fills the save button's room (89 - 40 - 6)
  const TToolbarLayout filled = LayoutToolbar(sizes, false, TScale::Of(false));
  EXPECT_EQ(filled.Width, design.Width);
  EXPECT_EQ(filled.Child(C::Rd_WordCopy).Right, filled.Child(C::Rd_Copy).Right - 6);

  sizes.WordCopy.Width = 57;  // 10 too wide
  sizes.WordSave.Width = 63;  // 20 too wide
  for (TScale scale : {TScale::Of(false), TScale::Of(true)}) {
    SCOPED_TRACE(scale.Factor);
    const TToolbarLayout plain = LayoutToolbar(TToolbarSizes{}, false, scale);
    const TToolbarLayout wide = LayoutToolbar(sizes, false, scale);
    EXPECT_EQ(wide.Width, plain.Width + scale(30));
    EXPECT_EQ(wide.Child(C::Rd_Copy).Width(), scale(99));
    EXPECT_EQ(wide.Child(C::Rd_Save).Width(), scale(109));
    EXPECT_EQ(wide.Child(C::Rd_Save).Left, wide.Child(C::Rd_Copy).Right - scale(4));
    for (auto [word, button] : {std::pair{C::Rd_WordCopy, C::Rd_Copy}, std::pair{C::Rd_WordSave, C::Rd_Save}}) {
      EXPECT_EQ(wide.Child(word).Right, wide.Child(button).Right - scale(6)) << int(word);
    }
    // The tools left of the captions stay where they were.
    EXPECT_EQ(wide.Child(C::Btn_Rd_Pinned), plain.Child(C::Btn_Rd_Pinned));
  }
  // With the drop-down, whose room (62 - 2 - 32) is less than the design caption's 33, the button grows by what
  // the caption needs beyond 33, and the drop-down moves with it.
  sizes.WordSave.Width = 40;
  const TToolbarLayout drop = LayoutToolbar(sizes, true, TScale::Of(false));
  EXPECT_EQ(drop.Child(C::Rd_Save).Width(), 89 + 7);
  EXPECT_EQ(drop.Child(C::btn_save_drop).Left, drop.Child(C::Rd_Save).Left + 62 + 7);
}

TEST(ToolbarPlacement, BelowAboveOrInsideTheSelection) {
  const TSize bar{816, 40};
  const TRect monitor{0, 0, 1920, 1080};
  struct TCase {
    const char* Name;
    TRect Selection;
    TPoint Expected;
  } cases[] = {
      {"room below", {100, 100, 1000, 500}, {185, 502}},
      {"exactly fits below", {100, 100, 1000, 1040}, {185, 1042}},
      {"30 pixels at the bottom: above", {500, 1050, 900, 1080}, {85, 1008}},
      {"touching top and bottom: inside", {500, 0, 900, 1080}, {85, 2}},
      {"top exactly a toolbar high: inside", {500, 40, 900, 1080}, {85, 42}},
      {"narrower than the toolbar near the left edge", {10, 300, 200, 400}, {0, 402}},
      {"right edge equal to the width", {0, 300, 816, 400}, {1, 402}},
      {"zero-size selection", {400, 400, 400, 400}, {0, 402}},
  };
  for (const TCase& c : cases) EXPECT_EQ(PlaceToolbar(c.Selection, bar, monitor), c.Expected) << c.Name;
  // The monitor under the cursor decides: a 1920 x 900 one left of the primary, in overlay coordinates.
  const TRect leftMonitor{0, 0, 1920, 900};
  EXPECT_EQ(PlaceToolbar({100, 500, 1000, 880}, bar, leftMonitor), (TPoint{185, 458}));
  EXPECT_EQ(PlaceToolbar({100, 500, 1000, 850}, bar, leftMonitor), (TPoint{185, 852}));
}

TEST(ToolbarPlacement, AfterAHandleDragThePrimaryScreenDecides) {
  const std::pair<TRect, TPoint> cases[] = {
      {{100, 100, 1000, 500}, {185, 502}}, {{100, 100, 1000, 1038}, {185, 1040}}, {{100, 100, 1000, 1039}, {185, 58}},
      {{100, 42, 1000, 1080}, {185, 0}},   {{100, 41, 1000, 1080}, {185, 43}},
  };
  for (const auto& [selection, expected] : cases)
    EXPECT_EQ(PlaceToolbarAfterHandleDrag(selection, {816, 40}, 1080), expected)
        << selection.Top << " " << selection.Bottom;
}

TEST(ToolbarPlacement, SidePanelsGoOnTheFarSideOfTheToolbarWhenThereIsRoom) {
  const TRect selection{100, 300, 900, 600};
  const TRect below = TRect::FromSize(85, 602, 816, 40);
  EXPECT_EQ(PlaceBesideToolbar(selection, below, 50, 1080), (TPoint{85, 644}));
  EXPECT_EQ(PlaceBesideToolbar(selection, below, 50, 690), (TPoint{85, 550}));  // no room below: above the bar
  const TRect above = TRect::FromSize(85, 258, 816, 40);
  EXPECT_EQ(PlaceBesideToolbar(selection, above, 50, 1080), (TPoint{85, 206}));
  const TRect aboveNearTop = TRect::FromSize(85, 30, 816, 40);
  EXPECT_EQ(PlaceBesideToolbar({100, 72, 900, 600}, aboveNearTop, 50, 1080), (TPoint{85, 72}));
  const TRect inside = TRect::FromSize(85, 302, 816, 40);  // at the selection's top or below counts as "below"
  EXPECT_EQ(PlaceBesideToolbar(selection, inside, 50, 1080), (TPoint{85, 344}));
}

TEST(ToolbarPlacement, ToolbarAndOpenSavePathPanelAreReplacedTogetherAfterAHandleDrag) {
  const TSize bar{816, 40};
  const int32_t panel = 72;
  struct TCase {
    TRect Selection;
    int32_t PrimaryBottom;
    TToolbarWithPanel Want;
  };
  const TCase cases[] = {
      // Room below for both with 4 pixels to spare: 600 + 2 + 40 + 2 + 72 + 4 = 720.
      {{100, 300, 900, 600}, 720, {{85, 602}, {85, 644}}},
      // One pixel short below: the toolbar goes above the selection, the panel above the toolbar.
      {{100, 300, 900, 600}, 719, {{85, 258}, {85, 184}}},
      // No room above either (300 - 40 - 2 - 72 - 2 = 184 >= 0 fails at top 115): inside, panel below the toolbar.
      {{100, 115, 900, 1000}, 1080, {{85, 117}, {85, 159}}},
      // A selection narrower than the toolbar at the left edge: both start at 0.
      {{0, 0, 300, 200}, 1080, {{0, 202}, {0, 244}}},
  };
  for (const TCase& c : cases) {
    const TToolbarWithPanel got = PlaceToolbarWithSavePath(c.Selection, bar, panel, c.PrimaryBottom);
    EXPECT_EQ(got.Toolbar, c.Want.Toolbar) << c.Selection.Top << " " << c.PrimaryBottom;
    EXPECT_EQ(got.Panel, c.Want.Panel) << c.Selection.Top << " " << c.PrimaryBottom;
  }
}

TEST(ExitTip, IsCentredOnTheSelectionWithHalvesTruncatedTowardZero) {
  const TExitTipLayout tip = PlaceExitTip({100, 100, 401, 301}, 300, 20, TScale::Of(false));
  EXPECT_EQ(tip.Panel, (TRect{100, 175, 400, 225}));
  EXPECT_EQ(tip.LabelLeft, 15);
  EXPECT_EQ(tip.LabelMaxWidth, 270);
  // Narrower than the tip: (51 - 300) / 2 is -124, not -125.
  EXPECT_EQ(PlaceExitTip({100, 100, 151, 101}, 300, 20, TScale::Of(false)).Panel.Left, -24);
  EXPECT_EQ(PlaceExitTip({100, 100, 151, 101}, 300, 20, TScale::Of(false)).Panel.Top, 100 + (1 - 50) / 2);
  const TExitTipLayout scaled = PlaceExitTip({0, 0, 1000, 1000}, 600, 40, TScale::Of(true));
  EXPECT_EQ(scaled.LabelLeft, 30);
  EXPECT_EQ(scaled.LabelMaxWidth, 540);
  EXPECT_EQ(scaled.Panel.Height(), 100);
}
