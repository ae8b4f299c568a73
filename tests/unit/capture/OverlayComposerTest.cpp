#include "capture/OverlayComposer.h"

#include <gtest/gtest.h>

#include "capture/DashedBorder.h"

using namespace qor;

namespace {

constexpr TBgra MaskPixel{10, 20, 30, 255}, Untouched{1, 2, 3, 4};

// A 64 x 48 frozen screen whose pixels tell their place, and its dimmed mask.
struct TScene {
  TImage Screen{64, 48}, Mask{64, 48, MaskPixel};
  TOverlayLayers Layers;
  TScene(TRect front, TFrameStyle frame) {
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 64; ++x) Screen.View().At(x, y) = TBgra{uint8_t(x), uint8_t(y), 99, 255};
    Layers.Mask = Mask.View();
    Layers.Screen = Screen.View();
    Layers.Front = front;
    Layers.Frame = frame;
  }
  TBgra ScreenAt(int x, int y) const { return Screen.View().At(x, y); }
  TImage Compose(TRect dirty = {0, 0, 64, 48}) const {
    TImage out(64, 48, Untouched);
    ComposeOverlay(Layers, dirty, out.View(), {0, 0});
    return out;
  }
};

}  // namespace

TEST(OverlayComposer, WithoutASelectionTheDirtyAreaShowsTheMaskAndNothingElseIsTouched) {
  const TImage out = TScene({}, TFrameStyle::None).Compose({5, 6, 20, 30});
  EXPECT_EQ(out.View().At(5, 6), MaskPixel);
  EXPECT_EQ(out.View().At(19, 29), MaskPixel);
  EXPECT_EQ(out.View().At(20, 29), Untouched);
  EXPECT_EQ(out.View().At(4, 6), Untouched);
}

// A solid frame with handles over the undimmed selection, and the magnifier over everything: the e2e overlay pictures
// (selected_picture and magnifier_check in overlay_pictures.py) check them on screen pixel for pixel.
TEST(OverlayComposer, DashedAndMovingFramesLeaveGapsOfTheFrozenScreen) {
  TScene scene({0, 0, 40, 30}, TFrameStyle::Dashed);
  const TImage dashed = scene.Compose();
  for (int x : {0, 5, 12}) EXPECT_EQ(dashed.View().At(x, 0), AccentBgra) << x;  // 6 on, 6 off
  EXPECT_EQ(dashed.View().At(6, 0), scene.ScreenAt(6, 0));

  // The moving border is painted along the row, differently for each phase.
  scene.Layers.Frame = TFrameStyle::MovingBorder;
  const TImage a = scene.Compose();
  scene.Layers.BorderPhase = 2;
  const TImage b = scene.Compose();
  int accentA = 0, accentB = 0;
  bool differs = false;
  for (int x = 0; x < 40; ++x) {
    accentA += a.View().At(x, 1) == AccentBgra;
    accentB += b.View().At(x, 1) == AccentBgra;
    differs |= !(a.View().At(x, 1) == b.View().At(x, 1));
  }
  EXPECT_GT(accentA, 10);
  EXPECT_GT(accentB, 10);
  EXPECT_TRUE(differs);
}

TEST(OverlayComposer, ASmallTargetReceivesExactlyItsPartAndAFrontOutsideTheScreenIsClipped) {
  const TScene scene({10, 10, 30, 30}, TFrameStyle::Solid);
  TImage part(8, 6, Untouched);
  ComposeOverlay(scene.Layers, TRect{5, 5, 60, 40}, part.View(), {8, 9});  // target stands for 8..16 x 9..15
  EXPECT_EQ(part.View().At(0, 0), MaskPixel);                              // overlay 8, 9
  EXPECT_EQ(part.View().At(2, 1), AccentBgra);                             // overlay 10, 10: the frame's corner
  EXPECT_EQ(part.View().At(7, 5), scene.ScreenAt(15, 14));                 // overlay 15, 14: inside

  const TScene outside({50, 40, 90, 70}, TFrameStyle::Dashed);
  EXPECT_EQ(outside.Compose().View().At(60, 45), outside.ScreenAt(60, 45));
  ComposeOverlay(outside.Layers, TRect{-10, -10, 200, 200}, TImageView{}, {0, 0});  // an empty target is a no-op
}

TEST(OverlayComposer, OnlyMaskShowsExactlyWhereComposingGivesTheMask) {
  // Each layer in turn, with areas beside it, touching its edge, and holding it: an area is "mask only" when, and
  // only when, composing it gives the mask everywhere.
  TScene selection({10, 8, 40, 30}, TFrameStyle::Solid);
  selection.Layers.HandlesVisible = true;
  selection.Layers.Handles = HandleRects(10, 8, 30, 22);
  TScene detection({20, 10, 30, 20}, TFrameStyle::MovingBorder);
  detection.Layers.BorderPhase = 3;
  TScene magnifier({}, TFrameStyle::None);
  const TImage magnified(14, 10, TBgra{200, 100, 50, 255});
  magnifier.Layers.MagnifierVisible = true;
  magnifier.Layers.MagnifierPanel = {30, 20, 50, 40};
  magnifier.Layers.MagnifierImageAt = {32, 22};
  magnifier.Layers.MagnifierImage = magnified.View();
  TScene empty({}, TFrameStyle::None);
  for (const TScene* scene : {&selection, &detection, &magnifier, &empty}) {
    for (int top = 0; top < 48; top += 3)
      for (int left = 0; left < 64; left += 5) {
        const TRect area{left, top, left + 6, top + 4};
        const TImage out = scene->Compose(area);
        bool allMask = true;
        const TRect inside = area.Intersect({0, 0, 64, 48});
        for (int y = inside.Top; y < inside.Bottom; ++y)
          for (int x = inside.Left; x < inside.Right; ++x) allMask = allMask && out.View().At(x, y) == MaskPixel;
        // A front pixel could equal the mask by chance; the scene's screen pixels never do (blue 99).
        EXPECT_EQ(OnlyMaskShows(scene->Layers, area), allMask) << left << "," << top;
      }
  }
  EXPECT_TRUE(OnlyMaskShows(empty.Layers, {0, 0, 64, 48}));
}
