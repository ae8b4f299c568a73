// Committed texts on the edit surface: how a text's stamp blends over the picture, and the cycle of committing,
// reopening (hiding the layer), editing and undoing that the text tool drives.
#include <gtest/gtest.h>

#include "engine/EditSurface.h"
#include "engine/TextStamp.h"

using namespace qor;

namespace {

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

// A w x h stamp: nothing drawn except `bars` solid red columns from the left, each with a half-covered pixel below
// it, as a glyph's anti-aliased edge.
TTextStamp RedBars(int32_t w, int32_t h, int32_t bars) {
  TTextStamp stamp{TImage(w, h, {0, 0, 0, 255}), TImage(w, h, {255, 255, 255, 255})};
  for (int32_t x = 0; x < bars && x * 2 < w; ++x) {
    for (int32_t y = 0; y + 1 < h; ++y)
      stamp.OnBlack.View().At(x * 2, y) = stamp.OnWhite.View().At(x * 2, y) = {0, 0, 255, 255};
    stamp.OnBlack.View().At(x * 2, h - 1) = {0, 0, 128, 255};
    stamp.OnWhite.View().At(x * 2, h - 1) = {127, 127, 255, 255};
  }
  return stamp;
}

}  // namespace

TEST(TextStamp, BlendsAsDrawnOverBlackAndWhiteAndLeavesUntouchedPixels) {
  const TTextStamp stamp = RedBars(6, 4, 2);
  for (const TBgra under : {TBgra{0, 0, 0, 255}, TBgra{255, 255, 255, 255}, TBgra{40, 200, 90, 255}}) {
    TImage target(10, 8, under);
    BlendStamp(stamp, {2, 3}, TRect::FromSize(0, 0, 10, 8), target.View(), {0, 0});
    EXPECT_EQ(target.View().At(2, 3), (TBgra{0, 0, 255, 255}));  // solid text
    EXPECT_EQ(target.View().At(3, 3), under);                    // between the bars
    EXPECT_EQ(target.View().At(1, 3), under);                    // left of the stamp
    const TBgra edge = target.View().At(2, 6);                   // half covered
    EXPECT_EQ(edge.R, 128 + 127 * under.R / 255);
    EXPECT_EQ(edge.B, 127 * under.B / 255);
  }
  // A stamp over the target's edges and an area that cuts it: only the pixels inside both change.
  TImage target(4, 4, {9, 9, 9, 255});
  BlendStamp(stamp, {-2, 1}, TRect::FromSize(0, 0, 1, 4), target.View(), {0, 0});
  EXPECT_EQ(target.View().At(0, 1), (TBgra{0, 0, 255, 255}));  // the stamp's second bar, column 2
  EXPECT_EQ(target.View().At(2, 1), (TBgra{9, 9, 9, 255}));    // outside the area
  EXPECT_TRUE(RedBars(5, 5, 0).IsBlank());
  EXPECT_FALSE(stamp.IsBlank());
}

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
