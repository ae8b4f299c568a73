// The edit surface driven as the overlay drives it: presses, drags and releases, undo and redo, merging, and the
// rectangles each call reports for repainting.
#include "engine/EditSurface.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "tests/unit/engine/TextStampPictures.h"

using namespace qor;

namespace {

constexpr uint32_t Red = 0x0000FF, Green = 0x00FF00, Blue = 0xFF0000;
constexpr TShapeKind Rectangle = TShapeKind::Rectangle, Ellipse = TShapeKind::Ellipse;

TImage Picture(int32_t w, int32_t h) {
  TImage image(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) image.View().At(x, y) = TBgra{uint8_t(x * 3), uint8_t(y * 5), 90, 255};
  return image;
}

TImage Shown(const TEditSurface& surface) {
  TImage out(surface.Size().Width, surface.Size().Height);
  surface.Compose(TRect::FromSize(0, 0, out.Width(), out.Height()), out.View(), {0, 0});
  return out;
}

bool Same(const TImage& a, const TImage& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int32_t y = 0; y < a.Height(); ++y)
    if (!std::equal(a.View().Row(y), a.View().Row(y) + a.Width(), b.View().Row(y))) return false;
  return true;
}

// A surface whose new layers take the look held in Next, as the overlay gives them.
struct TSurface {
  TEditSurface Surface;
  TLayerLook Next;

  explicit TSurface(int32_t w = 160, int32_t h = 120, TCreateMode mode = TCreateMode::Shape) : Surface(Picture(w, h)) {
    Surface.SetCreateMode(mode);
    Surface.OnNewLayer = [this](int32_t layer, TLayerKind) { Surface.SetLook(layer, Next); };
  }
  TSurfaceUpdate Drag(TPoint a, TPoint b) {
    Surface.MouseDown(a);
    Surface.MouseMove({(a.X + b.X) / 2, (a.Y + b.Y) / 2});
    Surface.MouseMove(b);
    return Surface.MouseUp(b);
  }
  void Click(TPoint p) {
    Surface.MouseDown(p);
    Surface.MouseUp(p);
  }
  TImage ShownUnselected() {
    Surface.Deselect();
    return Shown(Surface);
  }
};

// Runs change and checks that every pixel it changed on screen lies in the rectangles it reported.
void ExpectDirtyCovers(TEditSurface& surface, const std::function<TSurfaceUpdate()>& change) {
  const TImage before = Shown(surface);
  const TSurfaceUpdate update = change();
  const TImage after = Shown(surface);
  for (int32_t y = 0; y < before.Height(); ++y)
    for (int32_t x = 0; x < before.Width(); ++x) {
      if (before.View().At(x, y) == after.View().At(x, y)) continue;
      const bool covered = std::any_of(update.Dirty.begin(), update.Dirty.end(), [&](auto& r) {
        return r.Contains({x, y});
      });
      ASSERT_TRUE(covered) << "pixel " << x << "," << y << " changed but was not reported";
    }
}

// Presses at the first point, moves through the others and releases at the last, checking each call's report.
void CheckedDrag(TEditSurface& e, const std::vector<TPoint>& points) {
  for (size_t i = 0; i < points.size(); ++i) {
    SCOPED_TRACE(testing::Message() << "drag point " << i << " of " << points.size());
    const TPoint p = points[i];
    ExpectDirtyCovers(e, [&] {
      return i == 0 ? e.MouseDown(p) : i + 1 < points.size() ? e.MouseMove(p) : e.MouseUp(p);
    });
  }
}

}  // namespace

TEST(EditSurfaceUndo, UndoOfAMoveRestoresTheOldPictureExactly) {
  TSurface s;
  s.Next = {Ellipse, Red, 3};
  s.Drag({20, 20}, {70, 55});
  const TImage drawn = s.ShownUnselected();
  s.Drag({20, 37}, {63, 71});  // grabs the ellipse's left edge
  const TImage moved = s.ShownUnselected();
  EXPECT_FALSE(Same(drawn, moved));
  EXPECT_EQ(s.Surface.UndoCount(), 2);
  s.Surface.Undo();
  EXPECT_TRUE(Same(s.ShownUnselected(), drawn));
  s.Surface.Redo();
  EXPECT_TRUE(Same(s.ShownUnselected(), moved));
}

TEST(EditSurfaceUndo, TwoRectanglesAndOneUndoLeaveTheFirstAndRedoBringsTheSecondBack) {
  TSurface only, both;
  for (TSurface* s : {&only, &both}) {
    s->Next = {Rectangle, Red};
    s->Drag({10, 10}, {60, 50});
  }
  both.Next = {Rectangle, Blue};
  both.Drag({40, 30}, {120, 100});
  const TImage withBoth = both.ShownUnselected();

  EXPECT_TRUE(both.Surface.Undo().UndoChanged);
  EXPECT_EQ(both.Surface.LayerCount(), 2);
  EXPECT_TRUE(Same(both.ShownUnselected(), only.ShownUnselected()));
  both.Surface.Redo();
  EXPECT_EQ(both.Surface.LookOf(2).BorderColor, Blue);
  EXPECT_TRUE(Same(both.ShownUnselected(), withBoth));

  // A new step drops what could be redone; an undo with nothing left changes nothing.
  both.Surface.Undo();
  both.Drag({50, 50}, {90, 90});
  EXPECT_EQ(both.Surface.RedoCount(), 0);
  both.Surface.Undo();
  both.Surface.Undo();
  const TSurfaceUpdate none = both.Surface.Undo();
  EXPECT_FALSE(none.UndoChanged);
  EXPECT_TRUE(none.Dirty.empty());
  EXPECT_EQ(both.Surface.LayerCount(), 1);
}

TEST(EditSurfaceUndo, NudgeAndDeleteAreEachOneUndoableStep) {
  TSurface s, shifted;
  s.Next = shifted.Next = {Rectangle, Green, 4, Blue};
  s.Drag({10, 10}, {40, 30});
  shifted.Drag({13, 8}, {43, 28});
  const TImage drawn = Shown(s.Surface);

  s.Surface.NudgeCurrent(3, -2);
  EXPECT_EQ(s.Surface.UndoCount(), 2);
  EXPECT_TRUE(Same(Shown(s.Surface), Shown(shifted.Surface)));
  s.Surface.Undo();
  EXPECT_TRUE(Same(Shown(s.Surface), drawn));

  s.Surface.DeleteCurrent();
  EXPECT_TRUE(Same(Shown(s.Surface), Picture(160, 120)));
  s.Surface.Undo();
  EXPECT_EQ(s.Surface.LookOf(1), s.Next);
  s.Surface.Redo();
  EXPECT_EQ(s.Surface.LayerCount(), 1);
}

TEST(EditSurfaceUndo, APressSelectsTheTopMostLayerAndUndoingADeletePutsItBackUnderTheLaterOnes) {
  TSurface s;
  const uint32_t colours[] = {Red, Green, Blue};
  for (int i = 0; i < 3; ++i) {
    s.Next = {Rectangle, colours[i], 4, colours[i]};
    s.Drag({60 + 20 * i, 60}, {10 + 20 * i, 10});  // from the corner no earlier layer covers
  }
  const TImage all = s.ShownUnselected();
  s.Click({55, 15});  // all three lie here; the blue one is on top
  EXPECT_EQ(s.Surface.CurrentLayer(), 3);
  s.Click({35, 15});  // red and green: green is on top
  EXPECT_EQ(s.Surface.CurrentLayer(), 2);
  s.Surface.DeleteCurrent();
  s.Surface.Undo();
  EXPECT_EQ(s.Surface.LookOf(2).BorderColor, Green);
  EXPECT_TRUE(Same(s.ShownUnselected(), all));
}

TEST(EditSurfaceCreate, AClickWithoutADragCreatesNothingButABrushClickLeavesADab) {
  TSurface s;
  s.Next = {Rectangle, Red};
  s.Surface.MouseDown({30, 30});
  EXPECT_FALSE(s.Surface.MouseUp({30, 30}).UndoChanged);
  EXPECT_EQ(s.Surface.LayerCount(), 1);
  EXPECT_EQ(s.Surface.UndoCount(), 0);
  EXPECT_EQ(s.Surface.CurrentLayer(), 0);
  EXPECT_TRUE(Same(Shown(s.Surface), Picture(160, 120)));
  s.Surface.SetCreateMode(TCreateMode::FreeHand);
  s.Click({30, 30});
  EXPECT_EQ(s.Surface.UndoCount(), 1);
  EXPECT_EQ(s.ShownUnselected().View().At(30, 30), BgraFromColorRef(Red));
}

TEST(EditSurfaceCreate, EndingTheActionMidDragFinishesItAsAReleaseWould) {
  TSurface ended, released;
  for (TSurface* s : {&ended, &released}) {
    s->Next = {Ellipse, Blue};
    s->Surface.MouseDown({10, 10});
    s->Surface.MouseMove({80, 70});
  }
  ended.Surface.EndInteractiveAction();
  released.Surface.MouseUp({80, 70});
  EXPECT_FALSE(ended.Surface.Dragging());
  EXPECT_EQ(ended.Surface.UndoCount(), 1);
  EXPECT_TRUE(Same(Shown(ended.Surface), Shown(released.Surface)));
  // A move cut short the same way is one undo step too.
  ended.Surface.MouseDown({70, 62});  // on the ellipse's border, away from its handles
  ended.Surface.MouseMove({90, 62});
  ended.Surface.EndInteractiveAction();
  EXPECT_EQ(ended.Surface.UndoCount(), 2);
  released.Surface.NudgeCurrent(20, 0);
  EXPECT_TRUE(Same(Shown(ended.Surface), Shown(released.Surface)));
}

TEST(EditSurfaceCreate, TheLookGivenToANewLayerLeavesEarlierLayersAsTheyWere) {
  TSurface s;
  s.Next = {Rectangle, Red};
  s.Drag({10, 10}, {50, 50});
  const TImage first = s.ShownUnselected();
  s.Next = {Ellipse, Blue, 8, Green};
  s.Drag({100, 10}, {150, 60});
  EXPECT_EQ(s.Surface.LookOf(1), (TLayerLook{Rectangle, Red}));
  const TImage both = s.ShownUnselected();
  for (int32_t y = 0; y < 120; ++y)
    for (int32_t x = 0; x < 90; ++x) ASSERT_EQ(both.View().At(x, y), first.View().At(x, y)) << x << "," << y;
}

TEST(EditSurfaceCreate, AFreeHandStrokeDrawnStepByStepEqualsItRasterisedWhole) {
  TSurface s(160, 120, TCreateMode::FreeHand);
  s.Next = {Rectangle, Blue, 3};
  s.Surface.MouseDown({10, 10});
  for (int i = 1; i <= 40; ++i) s.Surface.MouseMove({10 + i, 10 + (i % 2) * 20});  // a zigzag
  s.Surface.MouseUp({50, 10});
  EXPECT_EQ(s.Surface.KindOf(1), TLayerKind::FreeHand);
  const TImage stepwise = Shown(s.Surface);
  s.Surface.NudgeCurrent(1, 0);  // each nudge rasterises the whole path afresh
  s.Surface.NudgeCurrent(-1, 0);
  EXPECT_TRUE(Same(Shown(s.Surface), stepwise));
}

TEST(EditSurfaceSelect, APressNearTheBorderSelectsAndHandlesResizeBoxesAndLineEnds) {
  TSurface s, resized;
  s.Next = resized.Next = {Rectangle, Red};
  s.Drag({10, 10}, {50, 40});
  resized.Drag({10, 10}, {90, 70});
  const TImage before = s.ShownUnselected();
  s.Click({30, 25});  // the hollow inside: nothing selected, nothing created
  EXPECT_EQ(s.Surface.CurrentLayer(), 0);
  EXPECT_EQ(s.Surface.CursorAt({30, 25}), TSurfaceCursor::Cross);
  s.Click({16, 25});  // 3 px inside the left border: near enough to select it
  EXPECT_EQ(s.Surface.CurrentLayer(), 1);
  EXPECT_EQ(Shown(s.Surface).View().At(50, 40), (TBgra{255, 255, 255, 255}));  // inside the corner handle
  s.Surface.MouseDown({51, 41});  // a pixel off the handle's centre: the handle keeps that distance
  EXPECT_EQ(s.Surface.CursorAt({0, 0}), TSurfaceCursor::SizeNwse);
  s.Surface.MouseMove({91, 71});
  s.Surface.MouseUp({91, 71});
  EXPECT_TRUE(Same(s.ShownUnselected(), resized.ShownUnselected()));
  s.Surface.Undo();
  EXPECT_TRUE(Same(s.ShownUnselected(), before));
  s.Surface.MergeAll();
  EXPECT_EQ(s.Surface.Background().View().At(50, 40), BgraFromColorRef(Red));

  TSurface line(160, 120, TCreateMode::Line), expected(160, 120, TCreateMode::Line);
  line.Next = expected.Next = {Rectangle, Green, 3};
  line.Drag({20, 20}, {100, 80});
  expected.Drag({20, 20}, {140, 30});
  line.Drag({100, 80}, {140, 30});
  EXPECT_EQ(line.Surface.KindOf(1), TLayerKind::Line);
  EXPECT_EQ(line.Surface.UndoCount(), 2);
  EXPECT_TRUE(Same(line.ShownUnselected(), expected.ShownUnselected()));
}

TEST(EditSurfaceMerge, MergingFollowsTheStackingOrderAndEqualsWhatWasShown) {
  TSurface s;
  s.Next = {Rectangle, Red, 4, Red};
  s.Drag({10, 10}, {80, 80});
  s.Next = {Ellipse, Blue, 4, Green};
  s.Drag({120, 110}, {40, 40});
  const TImage shown = s.ShownUnselected();
  EXPECT_EQ(shown.View().At(75, 75), BgraFromColorRef(Green));
  s.Surface.MergeLayer(1);
  EXPECT_EQ(s.Surface.LookOf(1).Shape, Ellipse);
  EXPECT_EQ(s.Surface.UndoCount(), 0);
  EXPECT_EQ(s.Surface.Background().View().At(30, 30), BgraFromColorRef(Red));
  EXPECT_TRUE(Same(Shown(s.Surface), shown));
  s.Surface.MergeAll();
  EXPECT_EQ(s.Surface.LayerCount(), 1);
  EXPECT_TRUE(Same(s.Surface.Background().Clone(), shown));
}

TEST(EditSurfaceMerge, AShapeDraggedPartlyOutsideIsCutAtTheEdgeAndComesBackWholeWhenMovedIn) {
  TSurface out(200, 150), back(200, 150), fresh(200, 150);
  for (TSurface* s : {&out, &back, &fresh}) {
    s->Next = {Rectangle, Red, 3};
    s->Drag({20, 40}, {170, 100});
  }
  for (TSurface* s : {&out, &back}) s->Drag({20, 60}, {120, 60});  // 70 px out, beyond the margin kept outside
  const TImage shownOut = out.ShownUnselected();
  out.Surface.MergeAll();
  EXPECT_TRUE(Same(out.Surface.Background().Clone(), shownOut));
  EXPECT_EQ(out.Surface.Background().View().At(199, 40), BgraFromColorRef(Red));
  EXPECT_EQ(out.Surface.Background().View().At(199, 43), Picture(200, 150).View().At(199, 43));
  CheckedDrag(back.Surface, {{150, 41}, {100, 41}, {50, 41}});  // what was cut off comes back, and is repainted
  EXPECT_TRUE(Same(back.ShownUnselected(), fresh.ShownUnselected()));
}

TEST(EditSurfaceMerge, ComposingInPiecesIntoAnOffsetTargetGivesTheSamePixels) {
  TSurface s;
  s.Next = {Ellipse, Red, 5, Green};
  s.Drag({20, 15}, {130, 100});  // stays selected: its handles are composed too
  const TImage whole = Shown(s.Surface);
  // A window onto surface points (-7, -5) and beyond, filled tile by tile of odd sizes.
  TImage window(150, 110);
  for (int32_t y = -5; y < 110; y += 23)
    for (int32_t x = -7; x < 150; x += 37) s.Surface.Compose(TRect::FromSize(x, y, 37, 23), window.View(), {-7, -5});
  for (int32_t y = 0; y < 105; ++y)
    for (int32_t x = 0; x < 143; ++x) ASSERT_EQ(window.View().At(x + 7, y + 5), whole.View().At(x, y)) << x << "," << y;
}

TEST(EditSurfaceDirty, EveryChangedPixelIsReported) {
  TSurface s(160, 120);
  s.Next = {Ellipse, Red, 4, Green};
  TEditSurface& e = s.Surface;
  const std::function<TSurfaceUpdate()> undo = [&] { return e.Undo(); }, redo = [&] { return e.Redo(); };
  CheckedDrag(e, {{20, 20}, {70, 60}, {50, 40}, {60, 50}});
  CheckedDrag(e, {{35, 35}, {140, 110}, {150, 118}});  // inside the fill: moves it
  for (const auto& change : {undo, redo, undo}) ExpectDirtyCovers(e, change);
  ExpectDirtyCovers(e, [&] { return e.SetLook(1, {TShapeKind::Arrow, Blue, 1, Blue}); });
  CheckedDrag(e, {{60, 50}, {10, 100}, {10, 100}});  // the arrow's tip handle
  ExpectDirtyCovers(e, [&] { return e.NudgeCurrent(5, 5); });
  ExpectDirtyCovers(e, undo);
  ExpectDirtyCovers(e, [&] { return e.DeleteCurrent(); });
  for (const auto& change : {undo, undo, redo}) ExpectDirtyCovers(e, change);
  e.SetCreateMode(TCreateMode::FreeHand);
  std::vector<TPoint> stroke;
  for (int i = 0; i < 20; ++i) stroke.push_back({100 + 2 * i, 10 + i * i / 8});
  stroke.push_back({140, 60});
  CheckedDrag(e, stroke);
  CheckedDrag(e, {{140, 60}, {155, 85}, {120, 30}, {120, 30}});  // the stroke's bottom-right handle
  EXPECT_EQ(e.UndoCount(), 4);                                   // the resize is a step of its own
  ExpectDirtyCovers(e, undo);
  ExpectDirtyCovers(e, [&] { return e.Deselect(); });
}

TEST(EditSurfaceDirty, ADragStepOfABigRectangleRepaintsAboutItsBorderNotItsBox) {
  TSurface s(3840, 2160);
  std::mt19937 random(3);
  for (int i = 0; i < 50; ++i) {  // one to a cell of a grid right of where the big one starts
    const TPoint a{400 + 340 * (i % 10) + int(random() % 100), 420 * (i / 10) + int(random() % 100)};
    s.Next = {i % 2 ? Ellipse : Rectangle, uint32_t(random() & 0xFFFFFF)};
    s.Drag(a, {a.X + 20 + int(random() % 200), a.Y + 20 + int(random() % 200)});
  }
  s.Next = {Rectangle, Red, 4};
  s.Surface.MouseDown({300, 300});
  ASSERT_EQ(s.Surface.LayerCount(), 52);
  s.Surface.MouseMove({2297, 1298});
  const TSurfaceUpdate step = s.Surface.MouseMove({2299, 1299});  // the box becomes 2000 x 1000
  int64_t repainted = 0;                                          // the rectangles are disjoint
  for (const TRect& r : step.Dirty) repainted += int64_t(r.Width()) * r.Height();
  const int64_t border = 2 * (2000 + 1000) * 4;
  EXPECT_GE(repainted, border / 2);  // the bottom and right sides moved
  EXPECT_LE(repainted, 3 * border);
  EXPECT_LT(repainted * 50, 2000 * 1000);
}

TEST(EditSurface, HandlesDoubleWithTheLayoutSoTheyStayEasyToGrab) {
  for (const double factor : {1.0, 2.0}) {
    TEditSurface surface(Picture(160, 120), TScale{factor});
    surface.SetCreateMode(TCreateMode::Shape);
    surface.MouseDown({40, 30});
    surface.MouseMove({100, 80});
    surface.MouseUp({100, 80});
    // Five pixels up and left of the top-left corner: on the doubled handle only.
    const TSurfaceCursor expected = factor > 1 ? TSurfaceCursor::SizeNwse : TSurfaceCursor::Cross;
    EXPECT_EQ(surface.CursorAt({35, 25}), expected) << factor;
  }
}

// Committed texts: the cycle of committing, reopening (hiding the layer), editing and undoing that the text tool
// drives.
TEST(TextLayer, CommitReopenEditAndUndoKeepOneTextAndEverythingElse) {
  TEditSurface surface(Picture(120, 90));
  const TImage plain = Shown(surface);
  EXPECT_FALSE(surface.AddText({10, 10}, RedBars(20, 10, 0), 0).UndoChanged);  // an empty text adds nothing
  ASSERT_TRUE(surface.AddText({10, 10}, RedBars(20, 10, 2), 7).UndoChanged);
  const TImage shortText = Shown(surface);
  EXPECT_FALSE(Same(shortText, plain));
  // A shape drawn after the text.
  surface.SetCreateMode(TCreateMode::Shape);
  surface.MouseDown({60, 40});
  surface.MouseUp({90, 70});
  surface.Deselect();
  const TImage withShape = Shown(surface);
  ASSERT_EQ(surface.UndoCount(), 2);

  const int32_t layer = surface.TextLayerAt({15, 15});
  ASSERT_EQ(layer, 1);
  EXPECT_EQ(surface.TagOf(layer), 7);
  EXPECT_EQ(surface.TextLayerWithTag(7), layer);
  EXPECT_EQ(surface.TextLayerAt({10, 15}), 0);  // on the edge: not strictly inside

  // Reopened: the text is gone from the picture, the shape is still there, and no step was added.
  surface.SetHidden(layer, true);
  const TImage reopened = Shown(surface);
  for (int32_t x = 10; x < 30; ++x) EXPECT_EQ(reopened.View().At(x, 12), plain.View().At(x, 12)) << x;
  EXPECT_EQ(reopened.View().At(60, 50), withShape.View().At(60, 50));
  EXPECT_EQ(surface.UndoCount(), 2);

  // Committed again unchanged: shown again, no step.
  EXPECT_FALSE(surface.ReplaceText(layer, {10, 10}, RedBars(20, 10, 2)).UndoChanged);
  EXPECT_TRUE(Same(Shown(surface), withShape));

  // Edited longer: one step, one text (the longer one, never both).
  surface.SetHidden(layer, true);
  ASSERT_TRUE(surface.ReplaceText(layer, {10, 10}, RedBars(20, 10, 5)).UndoChanged);
  EXPECT_EQ(surface.UndoCount(), 3);
  EXPECT_EQ(surface.LayerCount(), 3);
  const TImage longText = Shown(surface);
  EXPECT_EQ(longText.View().At(18, 12), (TBgra{0, 0, 255, 255}));
  surface.Undo();
  EXPECT_TRUE(Same(Shown(surface), withShape));  // the short text, shown
  surface.Redo();
  EXPECT_TRUE(Same(Shown(surface), longText));

  // Emptied: the layer goes as one step, and undo brings it back.
  surface.SetHidden(layer, true);
  ASSERT_TRUE(surface.ReplaceText(layer, {10, 10}, RedBars(20, 10, 0)).UndoChanged);
  EXPECT_EQ(surface.TextLayerWithTag(7), 0);
  surface.Undo();
  EXPECT_TRUE(Same(Shown(surface), longText));
  EXPECT_FALSE(surface.IsHidden(surface.TextLayerWithTag(7)));

  // Merging paints the text into the picture.
  surface.MergeAll();
  EXPECT_TRUE(Same(Shown(surface), longText));
  EXPECT_EQ(surface.TextLayerAt({15, 15}), 0);
}

TEST(TextLayer, PressesOnATextCreateOrSelectOtherLayersNeverTheText) {
  TEditSurface surface(Picture(120, 90));
  surface.AddText({10, 10}, RedBars(40, 30, 10), 0);
  surface.SetCreateMode(TCreateMode::None);
  surface.MouseDown({12, 15});
  surface.MouseUp({12, 15});
  EXPECT_EQ(surface.CurrentLayer(), 0);
  EXPECT_EQ(surface.CursorAt({12, 15}), TSurfaceCursor::Arrow);
  surface.SetCreateMode(TCreateMode::Shape);
  surface.MouseDown({12, 15});
  surface.MouseUp({30, 30});
  EXPECT_EQ(surface.LayerCount(), 3);
  EXPECT_EQ(surface.KindOf(2), TLayerKind::Shape);
}
