#include "annotate/TextEditorLayout.h"

#include <gtest/gtest.h>

using namespace qor;

namespace {

const TRect Selection{100, 50, 500, 350};

bool Inside(const TRect& inner, const TRect& outer) { return inner.Intersect(outer) == inner; }

}  // namespace

TEST(TextEditorLayout, NewEditorIsTwiceTheFontSizeHighAndFiftyWider) {
  EXPECT_EQ(NewEditorSize(12), (TSize{74, 24}));
  EXPECT_EQ(NewEditorSize(8), (TSize{66, 16}));
}

TEST(TextEditorLayout, ClickInsideTheSelectionPutsTheEditorAtTheClick) {
  EXPECT_EQ(PlaceNewEditor(Selection, {10, 20}, {74, 24}), TRect::FromSize(110, 70, 74, 24));
  // Exactly touching the right and bottom edges still fits.
  EXPECT_EQ(PlaceNewEditor(Selection, {400 - 74, 300 - 24}, {74, 24}), TRect::FromSize(426, 326, 74, 24));
}

TEST(TextEditorLayout, ClickNearTheBottomRightCornerEndsThreePixelsInsideIt) {
  const TRect r = PlaceNewEditor(Selection, {399, 299}, {74, 24});
  EXPECT_EQ(r.Right, Selection.Right - 3);
  EXPECT_EQ(r.Bottom, Selection.Bottom - 3);
  EXPECT_EQ(r.Size(), (TSize{74, 24}));
  // Only the edge that would be passed moves the editor.
  const TRect nearRight = PlaceNewEditor(Selection, {390, 10}, {74, 24});
  EXPECT_EQ(nearRight.Right, Selection.Right - 3);
  EXPECT_EQ(nearRight.Top, 60);
}

TEST(TextEditorLayout, FollowingTheContentKeepsSlackWhileThereIsRoom) {
  const TRect editor = TRect::FromSize(110, 70, 74, 24);
  const TRect r = FollowContent(editor, Selection, {120, 19}, -16);
  EXPECT_EQ(r, TRect::FromSize(110, 70, 140, 32 + 19));
  // The font height counts the same whatever its sign.
  EXPECT_EQ(FollowContent(editor, Selection, {120, 19}, 16), r);
}

TEST(TextEditorLayout, GrowthStopsAtTheSelectionsRightAndBottomEdges) {
  const TRect editor = TRect::FromSize(400, 300, 74, 24);            // 100 right and 50 below to the edges
  const TRect wide = FollowContent(editor, Selection, {81, 10}, 8);  // 81 + 20 > 100
  EXPECT_EQ(wide.Right, Selection.Right);
  const TRect justFits = FollowContent(editor, Selection, {79, 10}, 8);  // 79 + 20 < 100
  EXPECT_EQ(justFits.Width(), 99);
  const TRect tall = FollowContent(editor, Selection, {10, 15}, 8);  // 16 + 15 + 20 > 50
  EXPECT_EQ(tall.Bottom, Selection.Bottom);
  const TRect low = FollowContent(editor, Selection, {10, 13}, 8);  // 16 + 13 + 20 < 50
  EXPECT_EQ(low.Height(), 29);
  for (const TRect& r : {wide, tall}) EXPECT_TRUE(Inside(r, Selection));
}

TEST(TextEditorLayout, GrowingTheFontFitsTheContentOrWrapsAtTheRightEdge) {
  const TRect editor = TRect::FromSize(400, 300, 74, 24);
  const TEditorResize fits = GrowForFont(editor, Selection, 1, {90, 20}, 10);
  EXPECT_FALSE(fits.WordWrap);
  EXPECT_EQ(fits.Editor, TRect::FromSize(400, 300, 90, 40));
  const TEditorResize wraps = GrowForFont(editor, Selection, 1, {98, 40}, 10);  // 98 + 3 > 100
  EXPECT_TRUE(wraps.WordWrap);
  EXPECT_EQ(wraps.Editor.Right, Selection.Right);
  EXPECT_EQ(wraps.Editor.Bottom, Selection.Bottom);  // 20 + 40 cut at the bottom edge
  EXPECT_EQ(GrowForFont(editor, Selection, 0, {}, 10).Editor, TRect::FromSize(400, 300, 75, 25));
}

TEST(TextEditorLayout, ShrinkingTheFontNarrowsOnlyWhileTheLongestLineStillFits) {
  const TRect editor = TRect::FromSize(0, 0, 100, 60);
  // L = 5: 100 - 11 = 89 >= 10 * 5.
  EXPECT_EQ(ShrinkForFont(editor, 2, 5, 10), TRect::FromSize(0, 0, 89, 52));
  // L = 8: 100 - 17 = 83 < 12 * 8, so the width stays.
  EXPECT_EQ(ShrinkForFont(editor, 3, 8, 12), TRect::FromSize(0, 0, 100, 48));
  EXPECT_EQ(ShrinkForFont(editor, 0, 0, 12), TRect::FromSize(0, 0, 99, 59));
}

TEST(TextEditorLayout, DraggingFollowsThePointerAndKeepsTheEditorInsideTheSelection) {
  const TRect editor = TRect::FromSize(200, 100, 74, 24);
  EXPECT_EQ(DragEditor(editor, {5, 6}, {305, 206}, Selection), TRect::FromSize(300, 200, 74, 24));
  EXPECT_EQ(DragEditor(editor, {5, 6}, {0, 0}, Selection), TRect::FromSize(100, 50, 74, 24));
  EXPECT_EQ(DragEditor(editor, {5, 6}, {900, 900}, Selection), TRect::FromSize(426, 326, 74, 24));
  // Larger than the selection: the top-left stays inside.
  EXPECT_EQ(DragEditor(TRect::FromSize(0, 0, 450, 20), {0, 0}, {50, 60}, Selection).Left, Selection.Left);
}

TEST(TextEditorLayout, FrameDashesAreEightLongEverySixteenOnEveryEdgeAndStayInside) {
  const TSize size{40, 20};
  const std::vector<TRect> dashes = FrameDashes(size);
  int top = 0, left = 0;
  for (const TRect& d : dashes) {
    EXPECT_TRUE(Inside(d, TRect::FromSize(0, 0, size.Width, size.Height)));
    EXPECT_LE(d.Width() * d.Height(), 8 * 2);
    if (d.Top == 0 && d.Height() == 2) {
      EXPECT_EQ(d.Left % 16, 0);
      ++top;
    }
    if (d.Left == 0 && d.Width() == 2) ++left;
  }
  EXPECT_EQ(top, 3);   // x = 0, 16, 32
  EXPECT_EQ(left, 2);  // y = 0, 16
  // The last dash along the top is cut at the right edge.
  EXPECT_EQ(dashes[4], (TRect{32, 0, 40, 2}));
}
