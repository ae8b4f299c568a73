// What the surface tests do not reach: corners winning on a tiny box, and boxes and paths dragged past themselves.
#include "engine/LayerHandles.h"

#include <gtest/gtest.h>

using namespace qor;

TEST(LayerHandles, CornersWinOnATinyBoxAndASideDraggedPastTheOtherMirrorsTheBox) {
  const TLayerGeometry tiny{{5, 5}, {7, 6}, {}};
  EXPECT_EQ(HandleAt(HandleSpots(tiny, TLayerForm::Box), {6, 5})->Which, THandle::TopLeft);
  const TLayerGeometry g{{10, 10}, {20, 20}, {}};
  EXPECT_EQ(HandleBox(Reshaped(g, TLayerForm::Box, THandle::Left, {25, 0}), TLayerForm::Box), (TRect{20, 10, 26, 21}));
  EXPECT_EQ(HandleBox(Reshaped(g, TLayerForm::Box, THandle::TopRight, {40, 5}), TLayerForm::Box),
            (TRect{10, 5, 41, 21}));
}

TEST(LayerHandles, APathScalesOntoTheNewBoxAndMirrorsWhenFlipped) {
  const TLayerGeometry g{{}, {}, {PixelCentre({10, 10}), PixelCentre({15, 30}), PixelCentre({30, 20})}};
  const TLayerGeometry wider = Reshaped(g, TLayerForm::Path, THandle::BottomRight, {50, 70});
  EXPECT_EQ(PathBox(wider.Path), (TRect{10, 10, 51, 71}));
  EXPECT_EQ(wider.Path[1], (TPointF{20.5, 70.5}));  // a quarter of the way across, at the bottom
  // The left side dragged past the right one: the path is mirrored into the box beyond.
  const TLayerGeometry mirrored = Reshaped(g, TLayerForm::Path, THandle::Left, {50, 0});
  EXPECT_EQ(PathBox(mirrored.Path), (TRect{30, 10, 51, 31}));
  EXPECT_EQ(mirrored.Path[0], (TPointF{50.5, 10.5}));
  EXPECT_EQ(mirrored.Path[2], (TPointF{30.5, 20.5}));
  // A straight vertical stroke has no width to scale: it moves to the middle of the new width.
  const TLayerGeometry upright{{}, {}, {PixelCentre({10, 10}), PixelCentre({10, 40})}};
  EXPECT_EQ(Reshaped(upright, TLayerForm::Path, THandle::Right, {20, 0}).Path[0], (TPointF{15.5, 10.5}));
}
