#include "capture/OverlayComposer.h"

#include <gtest/gtest.h>

#include "capture/DashedBorder.h"

using namespace qor;

namespace {

constexpr TBgra MaskPixel{10, 20, 30, 255};

struct TScene {
  TImage Screen{64, 48};
  TImage Mask{64, 48, MaskPixel};
  TImage Magnified{14, 10, TBgra{200, 100, 50, 255}};
  TScene() {
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 64; ++x) Screen.View().At(x, y) = TBgra{uint8_t(x), uint8_t(y), 99, 255};
  }
  TOverlayLayers Layers() const {
    TOverlayLayers l;
    l.Mask = Mask.View();
    l.Screen = Screen.View();
    return l;
  }
};

TImage Compose(const TOverlayLayers& layers, TRect dirty = {0, 0, 64, 48}) {
  TImage out(64, 48, TBgra{1, 2, 3, 4});
  ComposeOverlay(layers, dirty, out.View(), {0, 0});
  return out;
}

}  // namespace

TEST(OverlayComposer, WithoutASelectionTheDirtyAreaShowsTheMaskAndNothingElseIsTouched) {
  TScene scene;
  const TImage out = Compose(scene.Layers(), TRect{5, 6, 20, 30});
  EXPECT_EQ(out.View().At(5, 6), MaskPixel);
  EXPECT_EQ(out.View().At(19, 29), MaskPixel);
  EXPECT_EQ(out.View().At(20, 29), (TBgra{1, 2, 3, 4}));
  EXPECT_EQ(out.View().At(4, 6), (TBgra{1, 2, 3, 4}));
}

TEST(OverlayComposer, TheSelectionShowsTheFrozenScreenWithASolidFrameAndHandles) {
  TScene scene;
  TOverlayLayers layers = scene.Layers();
  layers.Front = TRect{10, 8, 40, 30};
  layers.Frame = TFrameStyle::Solid;
  layers.HandlesVisible = true;
  layers.Handles = HandleRects(10, 8, 30, 22);
  const TImage out = Compose(layers);
  EXPECT_EQ(out.View().At(20, 20), scene.Screen.View().At(20, 20));  // inside: undimmed
  EXPECT_EQ(out.View().At(9, 14), MaskPixel);                        // outside, between handles: dimmed
  EXPECT_EQ(out.View().At(20, 8), AccentBgra);                       // top frame line
  EXPECT_EQ(out.View().At(39, 20), AccentBgra);                      // right frame line
  EXPECT_EQ(out.View().At(25, 29), AccentBgra);                      // bottom frame line
  const TRect handle = layers.Handles[0];
  EXPECT_EQ(out.View().At(handle.Left, handle.Top), AccentBgra);  // handle 1 reaches outside the frame
  EXPECT_EQ(handle.Left, 8);
}

TEST(OverlayComposer, DashedAndMovingFramesLeaveGapsOfTheFrozenScreen) {
  TScene scene;
  TOverlayLayers layers = scene.Layers();
  layers.Front = TRect{0, 0, 40, 30};
  layers.Frame = TFrameStyle::Dashed;
  TImage out = Compose(layers);
  EXPECT_EQ(out.View().At(0, 0), AccentBgra);
  EXPECT_EQ(out.View().At(5, 0), AccentBgra);
  EXPECT_EQ(out.View().At(6, 0), scene.Screen.View().At(6, 0));  // 6 on, 6 off
  EXPECT_EQ(out.View().At(12, 0), AccentBgra);

  layers.Frame = TFrameStyle::MovingBorder;
  int accentPixels[2] = {0, 0};
  for (int phase : {0, 2}) {
    layers.BorderPhase = phase;
    out = Compose(layers);
    for (int x = 0; x < 40; ++x) accentPixels[phase / 2] += out.View().At(x, 1) == AccentBgra;
    EXPECT_GT(accentPixels[phase / 2], 10);
  }
  // The border moves with the phase: the same row is painted differently.
  layers.BorderPhase = 0;
  const TImage a = Compose(layers);
  layers.BorderPhase = 2;
  const TImage b = Compose(layers);
  bool differs = false;
  for (int x = 0; x < 40; ++x) differs |= !(a.View().At(x, 1) == b.View().At(x, 1));
  EXPECT_TRUE(differs);
}

TEST(OverlayComposer, TheMagnifierCoversEverythingBelowIt) {
  TScene scene;
  TOverlayLayers layers = scene.Layers();
  layers.Front = TRect{0, 0, 64, 48};
  layers.Frame = TFrameStyle::Solid;
  layers.MagnifierVisible = true;
  layers.MagnifierPanel = TRect{30, 20, 50, 40};
  layers.MagnifierImageAt = {32, 22};
  layers.MagnifierImage = scene.Magnified.View();
  const TImage out = Compose(layers);
  EXPECT_EQ(out.View().At(30, 20), MagnifierBackground);
  EXPECT_EQ(out.View().At(49, 39), MagnifierBackground);
  EXPECT_EQ(out.View().At(32, 22), (TBgra{200, 100, 50, 255}));
  EXPECT_EQ(out.View().At(45, 31), (TBgra{200, 100, 50, 255}));
  EXPECT_EQ(out.View().At(46, 31), MagnifierBackground);
  EXPECT_EQ(out.View().At(29, 20), scene.Screen.View().At(29, 20));
}

TEST(OverlayComposer, ASmallTargetReceivesExactlyItsPartOfTheOverlay) {
  TScene scene;
  TOverlayLayers layers = scene.Layers();
  layers.Front = TRect{10, 10, 30, 30};
  layers.Frame = TFrameStyle::Solid;
  TImage part(8, 6, TBgra{7, 7, 7, 7});
  ComposeOverlay(layers, TRect{5, 5, 60, 40}, part.View(), {8, 9});  // target stands for 8..16 x 9..15
  EXPECT_EQ(part.View().At(0, 0), MaskPixel);                          // overlay 8, 9
  EXPECT_EQ(part.View().At(2, 1), AccentBgra);                         // overlay 10, 10: the frame's corner
  EXPECT_EQ(part.View().At(7, 5), scene.Screen.View().At(15, 14));     // overlay 15, 14: inside
}

TEST(OverlayComposer, AFrontReachingOutsideTheScreenIsClippedNotOverrun) {
  TScene scene;
  TOverlayLayers layers = scene.Layers();
  layers.Front = TRect{50, 40, 90, 70};
  layers.Frame = TFrameStyle::Dashed;
  const TImage out = Compose(layers);
  EXPECT_EQ(out.View().At(60, 45), scene.Screen.View().At(60, 45));
  ComposeOverlay(layers, TRect{-10, -10, 200, 200}, TImageView{}, {0, 0});  // an empty target is a no-op
}
