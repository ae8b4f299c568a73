#include "scroll/ScrollToolbarLayout.h"

#include <gtest/gtest.h>

namespace qor {
namespace {

using C = TScrollToolbarChild;

bool Within(const TRect& inner, const TRect& outer) { return inner.Intersect(outer) == inner; }

TEST(ScrollToolbarItems, TableIsInChildOrderAndWordImagesActLikeTheirButtons) {
  for (int i = 0; i < ScrollToolbarChildCount; ++i) EXPECT_EQ(int(ScrollToolbarItem(C(i)).Child), i);
  for (C word : {C::Rd_WordCopy, C::Rd_WordSave}) {
    const TScrollToolbarItem& w = ScrollToolbarItem(word);
    const TScrollToolbarItem& button = ScrollToolbarItem(PressPartner(word));
    EXPECT_EQ(PressPartner(PressPartner(word)), word);
    EXPECT_EQ(w.Action, button.Action);
    EXPECT_EQ(w.HintKey, button.HintKey);
    EXPECT_EQ(w.HintSuffix, button.HintSuffix);
  }
  EXPECT_EQ(PressPartner(C::Btn_Rd_Del), C::Btn_Rd_Del);
  // The drop-down shows the save hint but does nothing in this toolbar.
  EXPECT_EQ(ScrollToolbarItem(C::btn_save_drop).Action, TScrollAction::None);
  EXPECT_EQ(ScrollToolbarItem(C::btn_save_drop).HintKey, ScrollToolbarItem(C::Rd_Save).HintKey);
}

TEST(ScrollToolbarLayout, WordsAndDropButtonSitOnTheSaveButtonWithoutOverlapping) {
  for (double factor : {1.0, 2.0}) {
    SCOPED_TRACE(factor);
    const TScrollToolbarLayout with = LayoutScrollToolbar(true, TScale{factor});
    const TRect client{0, 0, with.Client.Width, with.Client.Height};
    for (const TRect& r : with.Children) EXPECT_TRUE(Within(r, client));
    EXPECT_TRUE(Within(with.Child(C::Rd_WordCopy), with.Child(C::Rd_Copy)));
    EXPECT_TRUE(Within(with.Child(C::Rd_WordSave), with.Child(C::Rd_Save)));
    EXPECT_TRUE(Within(with.Child(C::btn_save_drop), with.Child(C::Rd_Save)));
    EXPECT_LE(with.Child(C::Rd_WordSave).Right, with.Child(C::btn_save_drop).Left);
    EXPECT_LE(with.Child(C::Btn_Rd_Del).Right, with.Child(C::Btn_Rd_Pinned).Left);
    EXPECT_LE(with.Child(C::Btn_Rd_Pinned).Right, with.Child(C::Rd_Copy).Left);
    // The blue buttons overlap by their pictures' transparent edges, the words on them do not.
    EXPECT_LE(with.Child(C::Rd_WordCopy).Right, with.Child(C::Rd_Save).Left);
    EXPECT_TRUE(with.SaveDropVisible);

    // Without the drop-down the word and the icon move right into the freed room (8 and 8 at scale 1).
    const TScrollToolbarLayout alone = LayoutScrollToolbar(false, TScale{factor});
    EXPECT_FALSE(alone.SaveDropVisible);
    EXPECT_EQ(alone.Child(C::Rd_WordSave), with.Child(C::Rd_WordSave).Offset(int32_t(8 * factor), 0));
    EXPECT_EQ(alone.SaveIconOffset - with.SaveIconOffset, int32_t(8 * factor));
    EXPECT_TRUE(Within(alone.Child(C::Rd_WordSave), alone.Child(C::Rd_Save)));
    EXPECT_EQ(alone.Child(C::Rd_Save), with.Child(C::Rd_Save));
  }
}

TEST(ScrollToolbarLayout, ALongCaptionWidensItsButtonAndTheToolbarByWhatItLacks) {
  const TScrollToolbarLayout design = LayoutScrollToolbar(false, TScale::Of(false));
  // Captions that fill their rooms (89 - 36 - 6 and 89 - 40 - 6) keep the design layout.
  const TScrollToolbarLayout filled = LayoutScrollToolbar(false, TScale::Of(false), 47, 43);
  for (int i = 0; i < ScrollToolbarChildCount; ++i) {
    if (C(i) != C::Rd_WordCopy && C(i) != C::Rd_WordSave) {
      EXPECT_EQ(filled.Children[i], design.Children[i]) << i;
    }
  }
  EXPECT_EQ(filled.Client, design.Client);

  for (TScale scale : {TScale::Of(false), TScale::Of(true)}) {
    SCOPED_TRACE(scale.Factor);
    const TScrollToolbarLayout wide = LayoutScrollToolbar(false, scale, 57, 63);  // 10 and 20 too wide
    EXPECT_EQ(wide.Client.Width, scale(251 + 30));
    EXPECT_EQ(wide.Child(C::Rd_Copy).Width(), scale(99));
    EXPECT_EQ(wide.Child(C::Rd_Save).Width(), scale(109));
    EXPECT_EQ(wide.Child(C::Rd_Save).Left, wide.Child(C::Rd_Copy).Right - scale(4));
    EXPECT_EQ(wide.Child(C::Rd_Save).Right, wide.Client.Width);
    for (auto [word, button] : {std::pair{C::Rd_WordCopy, C::Rd_Copy}, std::pair{C::Rd_WordSave, C::Rd_Save}}) {
      EXPECT_TRUE(Within(wide.Child(word), wide.Child(button))) << int(word);
      EXPECT_EQ(wide.Child(word).Right, wide.Child(button).Right - scale(6)) << int(word);
    }
    EXPECT_EQ(wide.Child(C::Btn_Rd_Pinned), LayoutScrollToolbar(false, scale).Child(C::Btn_Rd_Pinned));
  }
}

TEST(ScrollToolbarLayout, TheScaledLayoutIsExactlyTwiceTheNormalOne) {
  for (bool drop : {false, true}) {
    const TScrollToolbarLayout one = LayoutScrollToolbar(drop, TScale{1.0});
    const TScrollToolbarLayout two = LayoutScrollToolbar(drop, TScale{2.0});
    EXPECT_EQ(two.Client, (TSize{one.Client.Width * 2, one.Client.Height * 2}));
    for (int i = 0; i < ScrollToolbarChildCount; ++i)
      EXPECT_EQ(two.Children[i], (TRect{one.Children[i].Left * 2, one.Children[i].Top * 2, one.Children[i].Right * 2,
                                        one.Children[i].Bottom * 2}));
    EXPECT_EQ(two.SaveIconOffset, one.SaveIconOffset * 2);
    EXPECT_EQ(two.CopyIconOffset, one.CopyIconOffset * 2);
  }
}

TEST(ScrollToolbarLayout, AFractionalScaleTruncates) {
  // 18 x 1.5 = 27, 10 x 1.5 = 15, 251 x 1.5 = 376.5 -> 376, 21 x 1.5 = 31.5 -> 31.
  const TScrollToolbarLayout l = LayoutScrollToolbar(false, TScale{1.5});
  EXPECT_EQ(l.SaveIconOffset, 27);
  EXPECT_EQ(l.Client.Width, 376);
  EXPECT_EQ(l.Child(C::Btn_Rd_Del).Left, 31);
  EXPECT_EQ(LayoutScrollToolbar(true, TScale{1.5}).SaveIconOffset, 15);
}

constexpr TSize Bar{251, 40};

TEST(PlaceScrollToolbar, RightAlignedBelowTheRegionWhenItFits) {
  const TRect desktop{0, 0, 1920, 1080};
  const TScrollToolbarPlace p = PlaceScrollToolbar({100, 100, 900, 700}, Bar, desktop);
  EXPECT_EQ(p, (TScrollToolbarPlace{{900 - 251, 702}, false}));
  // The last region bottom that leaves room for the gap and the toolbar.
  EXPECT_EQ(PlaceScrollToolbar({100, 100, 900, 1038}, Bar, desktop).TopLeft.Y, 1040);
}

TEST(PlaceScrollToolbar, AboveWhenNoRoomBelowThenInsideThenAtTheDesktopTop) {
  const TRect desktop{-1920, -200, 1920, 1080};
  // No room below: above, 2 pixels clear of the region.
  EXPECT_EQ(PlaceScrollToolbar({0, 400, 800, 1039}, Bar, desktop), (TScrollToolbarPlace{{549, 358}, false}));
  // Just room above at the desktop's top edge.
  EXPECT_EQ(PlaceScrollToolbar({0, -158, 800, 1039}, Bar, desktop).TopLeft.Y, -200);
  // No room above either: inside, below the region's top.
  EXPECT_EQ(PlaceScrollToolbar({0, -159, 800, 1039}, Bar, desktop), (TScrollToolbarPlace{{549, -157}, true}));
  // The whole desktop, shrunk by a pixel: inside.
  EXPECT_EQ(PlaceScrollToolbar({-1919, -199, 1919, 1079}, Bar, desktop), (TScrollToolbarPlace{{1668, -197}, true}));
  // A region reaching above the desktop: at the desktop's top.
  EXPECT_EQ(PlaceScrollToolbar({0, -300, 800, 1080}, Bar, desktop), (TScrollToolbarPlace{{549, -198}, false}));
}

TEST(PlaceScrollToolbar, ANarrowRegionAtTheDesktopsLeftEdgeKeepsTheToolbarOnTheDesktop) {
  const TRect desktop{-1920, 0, 1920, 1080};
  EXPECT_EQ(PlaceScrollToolbar({-1920, 100, -1820, 300}, Bar, desktop).TopLeft.X, -1920);
}

}  // namespace
}  // namespace qor
