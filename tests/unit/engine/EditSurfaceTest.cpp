// The edit surface driven as the overlay drives it: presses, drags and releases, undo and redo, merging, and the
// rectangles each call reports for repainting.
#include "engine/EditSurface.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

using namespace qor;

namespace {

constexpr uint32_t Red = 0x0000FF, Green = 0x00FF00, Blue = 0xFF0000;

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
    for (int32_t x = 0; x < a.Width(); ++x)
      if (!(a.View().At(x, y) == b.View().At(x, y))) return false;
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
  TImage ShownUnselected() {
    Surface.Deselect();
    return Shown(Surface);
  }
};

TLayerLook Look(TShapeKind shape, uint32_t border, uint32_t fill = NoColor, int32_t width = 4) {
  TLayerLook look;
  look.Shape = shape;
  look.BorderColor = border;
  look.FillColor = fill;
  look.BorderWidth = width;
  return look;
}

// Runs change and checks that every pixel it changed on screen lies in the rectangles it reported.
void ExpectDirtyCovers(TEditSurface& surface, const std::function<TSurfaceUpdate()>& change) {
  const TImage before = Shown(surface);
  const TSurfaceUpdate update = change();
  const TImage after = Shown(surface);
  for (int32_t y = 0; y < before.Height(); ++y)
    for (int32_t x = 0; x < before.Width(); ++x) {
      if (before.View().At(x, y) == after.View().At(x, y)) continue;
      bool covered = false;
      for (const TRect& r : update.Dirty) covered = covered || r.Contains({x, y});
      ASSERT_TRUE(covered) << "pixel " << x << "," << y << " changed but was not reported";
    }
}

int64_t DistinctPixels(const std::vector<TRect>& rects, TSize size) {
  std::vector<uint8_t> marked(size_t(size.Width) * size.Height);
  int64_t count = 0;
  for (const TRect& r : rects)
    for (int32_t y = std::max(r.Top, 0); y < std::min(r.Bottom, size.Height); ++y)
      for (int32_t x = std::max(r.Left, 0); x < std::min(r.Right, size.Width); ++x)
        if (!marked[size_t(y) * size.Width + x]++) ++count;
  return count;
}

}  // namespace

TEST(EditSurfaceUndo, UndoOfAMoveRestoresTheOldPictureExactly) {
  TSurface s;
  s.Next = Look(TShapeKind::Ellipse, Red, NoColor, 3);
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
    s->Next = Look(TShapeKind::Rectangle, Red);
    s->Drag({10, 10}, {60, 50});
  }
  both.Next = Look(TShapeKind::Rectangle, Blue);
  both.Drag({40, 30}, {120, 100});
  const TImage withBoth = both.ShownUnselected();

  const TSurfaceUpdate undo = both.Surface.Undo();
  EXPECT_TRUE(undo.UndoChanged);
  EXPECT_EQ(both.Surface.LayerCount(), 2);
  EXPECT_EQ(both.Surface.RedoCount(), 1);
  EXPECT_TRUE(Same(both.ShownUnselected(), only.ShownUnselected()));

  both.Surface.Redo();
  EXPECT_EQ(both.Surface.LayerCount(), 3);
  EXPECT_EQ(both.Surface.LookOf(2).BorderColor, Blue);
  EXPECT_TRUE(Same(both.ShownUnselected(), withBoth));
}

TEST(EditSurfaceUndo, ANewStepClearsRedoAndUndoWithNothingLeftChangesNothing) {
  TSurface s;
  s.Next = Look(TShapeKind::Rectangle, Red);
  s.Drag({10, 10}, {40, 40});
  s.Surface.Undo();
  EXPECT_EQ(s.Surface.RedoCount(), 1);
  s.Drag({50, 50}, {90, 90});
  EXPECT_EQ(s.Surface.RedoCount(), 0);
  EXPECT_EQ(s.Surface.UndoCount(), 1);
  s.Surface.Undo();
  const TSurfaceUpdate none = s.Surface.Undo();
  EXPECT_FALSE(none.UndoChanged);
  EXPECT_TRUE(none.Dirty.empty());
  EXPECT_EQ(s.Surface.LayerCount(), 1);
}

TEST(EditSurfaceUndo, NudgeAndDeleteAreEachOneUndoableStep) {
  TSurface s, shifted;
  s.Next = shifted.Next = Look(TShapeKind::Rectangle, Green, Blue);
  s.Drag({10, 10}, {40, 30});
  shifted.Drag({13, 8}, {43, 28});
  const TImage drawn = Shown(s.Surface);

  s.Surface.NudgeCurrent(3, -2);
  EXPECT_EQ(s.Surface.UndoCount(), 2);
  EXPECT_TRUE(Same(Shown(s.Surface), Shown(shifted.Surface)));
  s.Surface.Undo();
  EXPECT_TRUE(Same(Shown(s.Surface), drawn));

  s.Surface.DeleteCurrent();
  EXPECT_EQ(s.Surface.LayerCount(), 1);
  EXPECT_EQ(s.Surface.CurrentLayer(), 0);
  EXPECT_TRUE(Same(Shown(s.Surface), Picture(160, 120)));
  s.Surface.Undo();
  EXPECT_EQ(s.Surface.LayerCount(), 2);
  EXPECT_EQ(s.Surface.LookOf(1), s.Next);
  EXPECT_TRUE(Same(s.ShownUnselected(), [&] {
    s.Surface.NudgeCurrent(0, 0);  // nothing selected, nothing happens
    return Shown(s.Surface);
  }()));
  s.Surface.Redo();
  EXPECT_EQ(s.Surface.LayerCount(), 1);
}

TEST(EditSurfaceUndo, DeletingAMiddleLayerAndUndoingPutsItBackUnderTheLaterOnes) {
  TSurface s;
  const uint32_t colours[] = {Red, Green, Blue};
  for (int i = 0; i < 3; ++i) {
    s.Next = Look(TShapeKind::Rectangle, colours[i], colours[i]);
    s.Drag({60 + 20 * i, 60}, {10 + 20 * i, 10});  // from the corner no earlier layer covers
  }
  const TImage all = s.ShownUnselected();
  s.Surface.MouseDown({55, 15});  // all three lie here; the blue one is on top
  EXPECT_EQ(s.Surface.CurrentLayer(), 3);
  s.Surface.MouseUp({55, 15});
  s.Surface.MouseDown({35, 15});  // red and green: green is on top
  s.Surface.MouseUp({35, 15});
  EXPECT_EQ(s.Surface.CurrentLayer(), 2);
  s.Surface.DeleteCurrent();
  s.Surface.Undo();
  EXPECT_EQ(s.Surface.LookOf(2).BorderColor, Green);
  EXPECT_TRUE(Same(s.ShownUnselected(), all));
}

TEST(EditSurfaceCreate, AClickWithoutADragCreatesNothing) {
  TSurface s;
  s.Next = Look(TShapeKind::Rectangle, Red);
  s.Surface.MouseDown({30, 30});
  EXPECT_EQ(s.Surface.LayerCount(), 2);  // the press has started a layer
  const TSurfaceUpdate up = s.Surface.MouseUp({30, 30});
  EXPECT_FALSE(up.UndoChanged);
  EXPECT_EQ(s.Surface.LayerCount(), 1);
  EXPECT_EQ(s.Surface.UndoCount(), 0);
  EXPECT_EQ(s.Surface.CurrentLayer(), 0);
  EXPECT_TRUE(Same(Shown(s.Surface), Picture(160, 120)));
  // A brush click is a dab: it stays.
  s.Surface.SetCreateMode(TCreateMode::FreeHand);
  s.Surface.MouseDown({30, 30});
  s.Surface.MouseUp({30, 30});
  EXPECT_EQ(s.Surface.UndoCount(), 1);
  EXPECT_EQ(s.ShownUnselected().View().At(30, 30), BgraFromColorRef(Red));
}

TEST(EditSurfaceCreate, EndingTheActionMidDragFinishesItAsAReleaseWould) {
  TSurface ended, released;
  for (TSurface* s : {&ended, &released}) {
    s->Next = Look(TShapeKind::Ellipse, Blue);
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
  s.Next = Look(TShapeKind::Rectangle, Red);
  s.Drag({10, 10}, {50, 50});
  const TImage first = s.ShownUnselected();
  s.Next = Look(TShapeKind::Ellipse, Blue, Green, 8);
  s.Drag({100, 10}, {150, 60});
  EXPECT_EQ(s.Surface.LookOf(1), Look(TShapeKind::Rectangle, Red));
  EXPECT_EQ(s.Surface.KindOf(2), TLayerKind::Shape);
  const TImage both = s.ShownUnselected();
  for (int32_t y = 0; y < 120; ++y)
    for (int32_t x = 0; x < 90; ++x) ASSERT_EQ(both.View().At(x, y), first.View().At(x, y)) << x << "," << y;
}

TEST(EditSurfaceCreate, EachModeCreatesItsKindAndArrowsAreFilled) {
  TSurface s(160, 120, TCreateMode::Line);
  s.Next = Look(TShapeKind::Rectangle, Red, NoColor, 2);
  s.Drag({10, 10}, {60, 60});
  s.Surface.SetCreateMode(TCreateMode::FreeHand);
  s.Drag({80, 10}, {120, 40});
  s.Surface.SetCreateMode(TCreateMode::Shape);
  s.Next = Look(TShapeKind::Arrow, Blue, Blue, 1);
  s.Drag({10, 100}, {150, 100});
  s.Surface.SetCreateMode(TCreateMode::None);
  s.Surface.MouseDown({5, 115});
  EXPECT_EQ(s.Surface.LayerCount(), 4);
  EXPECT_EQ(s.Surface.KindOf(1), TLayerKind::Line);
  EXPECT_EQ(s.Surface.KindOf(2), TLayerKind::FreeHand);
  EXPECT_EQ(s.Surface.KindOf(3), TLayerKind::Shape);
  EXPECT_EQ(s.Surface.KindOf(0), TLayerKind::Image);
  const TImage shown = Shown(s.Surface);
  EXPECT_EQ(shown.View().At(35, 35), BgraFromColorRef(Red));     // on the line
  EXPECT_EQ(shown.View().At(100, 25), BgraFromColorRef(Red));    // on the stroke
  EXPECT_EQ(shown.View().At(140, 100), BgraFromColorRef(Blue));  // inside the arrow's head
}

TEST(EditSurfaceSelect, APressSelectsTheTopMostLayerNearItsDrawnPixels) {
  TSurface s;
  s.Next = Look(TShapeKind::Rectangle, Red, NoColor, 2);
  s.Drag({10, 10}, {100, 100});
  s.Next = Look(TShapeKind::Rectangle, Blue, NoColor, 2);
  s.Drag({150, 100}, {50, 10});
  s.Surface.SetCreateMode(TCreateMode::None);
  s.Surface.Deselect();
  s.Surface.MouseDown({50, 13});  // both borders meet here
  EXPECT_EQ(s.Surface.CurrentLayer(), 2);
  s.Surface.MouseUp({50, 13});
  s.Surface.MouseDown({103, 50});  // 2 px right of the red border, inside the blue box's hollow
  EXPECT_EQ(s.Surface.CurrentLayer(), 1);
  s.Surface.MouseUp({103, 50});
  s.Surface.MouseDown({30, 50});  // hollow inside only
  EXPECT_EQ(s.Surface.CurrentLayer(), 0);
  EXPECT_EQ(s.Surface.CursorAt({30, 50}), TSurfaceCursor::Arrow);
  EXPECT_EQ(s.Surface.CursorAt({11, 50}), TSurfaceCursor::Move);
  s.Surface.SetCreateMode(TCreateMode::Shape);
  EXPECT_EQ(s.Surface.CursorAt({30, 50}), TSurfaceCursor::Cross);
}

TEST(EditSurfaceSelect, HandlesResizeAShapeAndShowOnlyInCompose) {
  TSurface s, resized;
  s.Next = resized.Next = Look(TShapeKind::Rectangle, Red);
  s.Drag({10, 10}, {50, 40});
  resized.Drag({10, 10}, {90, 70});
  EXPECT_EQ(s.Surface.CursorAt({50, 40}), TSurfaceCursor::SizeNwse);
  EXPECT_EQ(s.Surface.CursorAt({50, 11}), TSurfaceCursor::SizeNesw);
  EXPECT_EQ(s.Surface.CursorAt({30, 40}), TSurfaceCursor::SizeNs);
  EXPECT_EQ(s.Surface.CursorAt({10, 25}), TSurfaceCursor::SizeWe);
  const TImage before = s.ShownUnselected();

  s.Surface.MouseDown({30, 30});  // empty inside: nothing to select, nothing created by a click
  s.Surface.MouseUp({30, 30});
  s.Drag({11, 11}, {12, 11});  // select it (moving it by one pixel)
  s.Surface.NudgeCurrent(-1, 0);
  const TImage selected = Shown(s.Surface);
  const TBgra handleBorder = BgraFromColorRef(0xFF7733), white{255, 255, 255, 255};
  EXPECT_EQ(selected.View().At(47, 37), handleBorder);
  EXPECT_EQ(selected.View().At(50, 40), white);
  s.Surface.MouseDown({51, 41});  // a pixel off the handle's centre: the handle keeps that distance
  EXPECT_EQ(s.Surface.CursorAt({0, 0}), TSurfaceCursor::SizeNwse);
  s.Surface.MouseMove({91, 71});
  s.Surface.MouseUp({91, 71});
  EXPECT_TRUE(Same(s.ShownUnselected(), resized.ShownUnselected()));
  s.Surface.Undo();
  EXPECT_TRUE(Same(s.ShownUnselected(), before));

  s.Surface.MergeAll();
  EXPECT_NE(s.Surface.Background().View().At(50, 40), white);
  EXPECT_EQ(s.Surface.Background().View().At(50, 40), BgraFromColorRef(Red));
}

TEST(EditSurfaceSelect, LinesAreResizedByTheirEnds) {
  TSurface s(160, 120, TCreateMode::Line), expected(160, 120, TCreateMode::Line);
  s.Next = expected.Next = Look(TShapeKind::Rectangle, Green, NoColor, 3);
  s.Drag({20, 20}, {100, 80});
  expected.Drag({20, 20}, {140, 30});
  EXPECT_EQ(s.Surface.CursorAt({100, 80}), TSurfaceCursor::Move);
  s.Drag({100, 80}, {140, 30});
  EXPECT_EQ(s.Surface.UndoCount(), 2);
  EXPECT_TRUE(Same(s.ShownUnselected(), expected.ShownUnselected()));
}

TEST(EditSurfaceSelect, AFreeHandStrokeScalesIntoItsNewBox) {
  TSurface s(200, 160, TCreateMode::FreeHand);
  s.Next = Look(TShapeKind::Rectangle, Red, NoColor, 1);
  s.Surface.MouseDown({10, 10});
  for (int i = 1; i <= 40; ++i) s.Surface.MouseMove({10 + i, 10 + (i % 2) * 20});  // a zigzag 41 x 21 pixels
  s.Surface.MouseUp({50, 10});
  s.Drag({50, 30}, {90, 70});  // the bottom-right handle
  const TImage shown = s.ShownUnselected();
  const TImage plain = Picture(200, 160);
  TRect drawn{1000, 1000, -1, -1};
  for (int32_t y = 0; y < 160; ++y)
    for (int32_t x = 0; x < 200; ++x)
      if (!(shown.View().At(x, y) == plain.View().At(x, y)))
        drawn = {std::min(drawn.Left, x), std::min(drawn.Top, y), std::max(drawn.Right, x + 1),
                 std::max(drawn.Bottom, y + 1)};
  // Box 10..90 x 10..70 with a fringe of anti-aliasing at most a pixel wide.
  EXPECT_NEAR(drawn.Left, 10, 1);
  EXPECT_NEAR(drawn.Top, 10, 1);
  EXPECT_NEAR(drawn.Right, 91, 1);
  EXPECT_NEAR(drawn.Bottom, 71, 1);
}

TEST(EditSurfaceCreate, AFreeHandStrokeDrawnStepByStepEqualsItRasterisedWhole) {
  TSurface s(160, 120, TCreateMode::FreeHand);
  s.Next = Look(TShapeKind::Rectangle, Blue, NoColor, 8);
  s.Surface.MouseDown({20, 20});
  std::mt19937 random(7);
  TPoint p{20, 20};
  for (int i = 0; i < 60; ++i) {
    p = {std::clamp(p.X + int(random() % 11) - 5, 0, 159), std::clamp(p.Y + int(random() % 11) - 5, 0, 119)};
    s.Surface.MouseMove(p);
  }
  s.Surface.MouseUp(p);
  const TImage stepwise = Shown(s.Surface);
  s.Surface.NudgeCurrent(1, 0);  // each nudge rasterises the whole path afresh
  s.Surface.NudgeCurrent(-1, 0);
  EXPECT_TRUE(Same(Shown(s.Surface), stepwise));
}

TEST(EditSurfaceMerge, MergingFollowsTheStackingOrderAndEqualsWhatWasShown) {
  TSurface s;
  s.Next = Look(TShapeKind::Rectangle, Red, Red);
  s.Drag({10, 10}, {80, 80});
  s.Next = Look(TShapeKind::Ellipse, Blue, Green);
  s.Drag({120, 110}, {40, 40});
  const TImage shown = s.ShownUnselected();
  EXPECT_EQ(shown.View().At(75, 75), BgraFromColorRef(Green));
  s.Surface.MergeAll();
  EXPECT_EQ(s.Surface.LayerCount(), 1);
  EXPECT_EQ(s.Surface.UndoCount(), 0);
  EXPECT_TRUE(Same(s.Surface.Background().Clone(), shown));
  EXPECT_TRUE(Same(Shown(s.Surface), shown));
}

TEST(EditSurfaceMerge, MergingOneLayerPaintsItIntoTheBackgroundAndClearsUndo) {
  TSurface s;
  s.Next = Look(TShapeKind::Rectangle, Red, Red);
  s.Drag({10, 10}, {50, 50});
  s.Next = Look(TShapeKind::Rectangle, Blue, Blue);
  s.Drag({100, 10}, {150, 50});
  const TImage shown = s.ShownUnselected();
  s.Surface.MergeLayer(1);
  EXPECT_EQ(s.Surface.LayerCount(), 2);
  EXPECT_EQ(s.Surface.LookOf(1).BorderColor, Blue);
  EXPECT_EQ(s.Surface.UndoCount(), 0);
  EXPECT_EQ(s.Surface.Background().View().At(30, 30), BgraFromColorRef(Red));
  EXPECT_TRUE(Same(Shown(s.Surface), shown));
}

TEST(EditSurfaceMerge, AShapeDraggedPartlyOutsideIsCutAtTheEdgeAndComesBackWholeWhenMovedIn) {
  TSurface out(200, 150), back(200, 150);
  for (TSurface* s : {&out, &back}) {
    s->Next = Look(TShapeKind::Rectangle, Red, NoColor, 3);
    s->Drag({20, 40}, {170, 100});
    s->Drag({20, 60}, {120, 60});  // the right side goes 70 px out, beyond the margin kept outside
  }
  const TImage drawn = [] {
    TSurface fresh(200, 150);
    fresh.Next = Look(TShapeKind::Rectangle, Red, NoColor, 3);
    fresh.Drag({20, 40}, {170, 100});
    return fresh.ShownUnselected();
  }();
  const TImage shownOut = out.ShownUnselected();
  out.Surface.MergeAll();
  EXPECT_TRUE(Same(out.Surface.Background().Clone(), shownOut));
  EXPECT_EQ(out.Surface.Background().View().At(199, 40), BgraFromColorRef(Red));
  EXPECT_EQ(out.Surface.Background().View().At(199, 43), Picture(200, 150).View().At(199, 43));

  back.Drag({150, 41}, {50, 41});
  EXPECT_TRUE(Same(back.ShownUnselected(), drawn));
}

TEST(EditSurfaceMerge, ComposingInPiecesIntoAnOffsetTargetGivesTheSamePixels) {
  TSurface s;
  s.Next = Look(TShapeKind::Ellipse, Red, Green, 5);
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
  s.Next = Look(TShapeKind::Ellipse, Red, Green, 4);
  TEditSurface& e = s.Surface;
  ExpectDirtyCovers(e, [&] { return e.MouseDown({20, 20}); });
  ExpectDirtyCovers(e, [&] { return e.MouseMove({70, 60}); });
  ExpectDirtyCovers(e, [&] { return e.MouseMove({50, 40}); });
  ExpectDirtyCovers(e, [&] { return e.MouseUp({60, 50}); });
  ExpectDirtyCovers(e, [&] { return e.MouseDown({35, 35}); });  // inside the fill: moves it
  ExpectDirtyCovers(e, [&] { return e.MouseMove({140, 110}); });
  ExpectDirtyCovers(e, [&] { return e.MouseUp({150, 118}); });  // part of it comes back at the release
  ExpectDirtyCovers(e, [&] { return e.Undo(); });
  ExpectDirtyCovers(e, [&] { return e.Redo(); });
  ExpectDirtyCovers(e, [&] { return e.Undo(); });
  ExpectDirtyCovers(e, [&] { return e.SetLook(1, Look(TShapeKind::Arrow, Blue, Blue, 1)); });
  ExpectDirtyCovers(e, [&] { return e.MouseDown({60, 50}); });  // the arrow's tip handle
  ExpectDirtyCovers(e, [&] { return e.MouseMove({10, 100}); });
  ExpectDirtyCovers(e, [&] { return e.MouseUp({10, 100}); });
  ExpectDirtyCovers(e, [&] { return e.NudgeCurrent(5, 5); });
  ExpectDirtyCovers(e, [&] { return e.Undo(); });
  ExpectDirtyCovers(e, [&] { return e.DeleteCurrent(); });
  ExpectDirtyCovers(e, [&] { return e.Undo(); });
  ExpectDirtyCovers(e, [&] { return e.Undo(); });
  ExpectDirtyCovers(e, [&] { return e.Redo(); });
  e.SetCreateMode(TCreateMode::FreeHand);
  ExpectDirtyCovers(e, [&] { return e.MouseDown({100, 10}); });
  for (int i = 1; i < 20; ++i) ExpectDirtyCovers(e, [&] { return e.MouseMove({100 + 2 * i, 10 + i * i / 8}); });
  ExpectDirtyCovers(e, [&] { return e.MouseUp({140, 60}); });
  ExpectDirtyCovers(e, [&] { return e.MouseDown({140, 60}); });  // the stroke's bottom-right handle
  ExpectDirtyCovers(e, [&] { return e.MouseMove({155, 85}); });
  ExpectDirtyCovers(e, [&] { return e.MouseMove({120, 30}); });
  ExpectDirtyCovers(e, [&] { return e.MouseUp({120, 30}); });
  EXPECT_EQ(e.UndoCount(), 4);  // the resize is a step of its own
  ExpectDirtyCovers(e, [&] { return e.Undo(); });
  ExpectDirtyCovers(e, [&] { return e.Deselect(); });
}

TEST(EditSurfaceDirty, ADragStepOfABigRectangleRepaintsAboutItsBorderNotItsBox) {
  TSurface s(3840, 2160);
  std::mt19937 random(3);
  for (int i = 0; i < 50; ++i) {  // one to a cell of a grid right of where the big one starts
    const TPoint a{400 + 340 * (i % 10) + int(random() % 100), 420 * (i / 10) + int(random() % 100)};
    s.Next = Look(i % 2 ? TShapeKind::Ellipse : TShapeKind::Rectangle, random() & 0xFFFFFF);
    s.Drag(a, {a.X + 20 + int(random() % 200), a.Y + 20 + int(random() % 200)});
  }
  s.Next = Look(TShapeKind::Rectangle, Red, NoColor, 4);
  s.Surface.MouseDown({300, 300});
  ASSERT_EQ(s.Surface.LayerCount(), 52);
  s.Surface.MouseMove({2297, 1298});
  const TSurfaceUpdate step = s.Surface.MouseMove({2299, 1299});  // the box becomes 2000 x 1000
  const int64_t border = 2 * (2000 + 1000) * 4;
  const int64_t repainted = DistinctPixels(step.Dirty, {3840, 2160});
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
