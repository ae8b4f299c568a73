#include <gtest/gtest.h>

#include "capture/DashedBorder.h"
#include "capture/Magnifier.h"

using namespace qor;

namespace {

// A screen whose pixel tells where it came from: red = x, green = y (mod 256), blue = 7.
TImage CoordinateScreen(int32_t w, int32_t h) {
  TImage image(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) image.View().At(x, y) = TBgra{7, uint8_t(y), uint8_t(x), 255};
  return image;
}

}  // namespace

TEST(Magnifier, AtTheTopLeftCornerTheSourceStartsAtTheOriginAndThePanelSitsTwentyPixelsAway) {
  const TMagnifier m({1920, 1080}, false);
  EXPECT_EQ(m.SourceRect({0, 0}), (TRect{0, 0, 25, 18}));
  EXPECT_EQ(m.PanelRect({0, 0}), (TRect{20, 20, 174, 188}));
  EXPECT_EQ(m.SourceRect({500, 400}), (TRect{475, 382, 525, 418}));
}

TEST(Magnifier, ThePanelFlipsToTouchTheCursorNearTheRightAndBottomEdges) {
  const TMagnifier m({1920, 1080}, false);
  struct TCase {
    TPoint Cursor;
    TRect Expected;
  } cases[] = {
      {{1746, 892}, {1766, 912, 1920, 1080}},  // exactly 174 / 188 from the edges: still right and below
      {{1747, 500}, {1593, 520, 1747, 688}},   // closer than 174 to the right: its right edge is the cursor's x
      {{500, 893}, {520, 725, 674, 893}},      // closer than 188 to the bottom: its bottom is the cursor's y
      {{1919, 1079}, {1765, 911, 1919, 1079}},
  };
  for (const TCase& c : cases) EXPECT_EQ(m.PanelRect(c.Cursor), c.Expected) << c.Cursor.X << "," << c.Cursor.Y;
}

TEST(Magnifier, TheSourceIsClampedAtTheFarEdges) {
  const TMagnifier m({1920, 1080}, false);
  EXPECT_EQ(m.SourceRect({1915, 1075}), (TRect{1890, 1057, 1920, 1080}));
}

TEST(Magnifier, ScaledModeDoublesTheInnerDistancesButNotTheCursorOffset) {
  const TMagnifier m({3840, 2160}, true);
  EXPECT_EQ(m.Metrics().ImageWidth, 280);
  EXPECT_EQ(m.Metrics().ImageHeight, 212);
  EXPECT_EQ(m.Metrics().ImageLeft, 14);
  EXPECT_EQ(m.Metrics().SizeLabelTop, 242);
  EXPECT_EQ(m.SourceRect({1000, 1000}), (TRect{950, 964, 1050, 1036}));  // 100 x 72
  EXPECT_EQ(m.PanelRect({100, 100}), (TRect{120, 120, 428, 456}));
  EXPECT_EQ(m.PanelRect({3840 - 308 - 19, 100}).Right, 3840 - 308 - 19);
}

TEST(Magnifier, UpdateRepaintsTheOldAndNewPanelAndHideTheLastOne) {
  TMagnifier m({1920, 1080}, false);
  auto first = m.Update({100, 100});
  ASSERT_EQ(first.size(), 1u);
  EXPECT_EQ(first[0], (TRect{120, 120, 274, 288}));
  auto second = m.Update({103, 101});
  ASSERT_EQ(second.size(), 2u);
  EXPECT_EQ(second[0], (TRect{120, 120, 274, 288}));
  EXPECT_EQ(second[1], (TRect{123, 121, 277, 289}));
  EXPECT_TRUE(m.Update({103, 101}).empty());
  auto hidden = m.Hide();
  ASSERT_EQ(hidden.size(), 1u);
  EXPECT_EQ(hidden[0], (TRect{123, 121, 277, 289}));
  EXPECT_TRUE(m.Hide().empty());
  EXPECT_EQ(m.Update({103, 101}).size(), 1u);
}

TEST(Magnifier, TheViewIsANearestPixelStretchOfTheSource) {
  const TImage screen = CoordinateScreen(400, 300);
  const TMagnifier m({400, 300}, false);
  TImage view(140, 106);
  StretchNearest(screen.View(), m.SourceRect({200, 150}), view.View());
  EXPECT_EQ(view.View().At(0, 0), screen.View().At(175, 132));
  EXPECT_EQ(view.View().At(139, 105), screen.View().At(224, 167));
  EXPECT_EQ(view.View().At(3, 3), screen.View().At(176, 133));  // 3 * 50 / 140 = 1, 3 * 36 / 106 = 1
  for (int32_t x = 1; x < 140; ++x) EXPECT_GE(view.View().At(x, 10).R, view.View().At(x - 1, 10).R);
}

TEST(Magnifier, NearTheEdgeTheSmallerSourceStillFillsTheView) {
  const TImage screen = CoordinateScreen(400, 300);
  const TMagnifier m({400, 300}, false);
  TImage view(140, 106);
  StretchNearest(screen.View(), m.SourceRect({0, 0}), view.View());
  EXPECT_EQ(view.View().At(139, 105), screen.View().At(24, 17));
  EXPECT_EQ(view.View().At(0, 0), screen.View().At(0, 0));
}

TEST(Magnifier, AnEmptySourceGivesBlack) {
  const TImage screen = CoordinateScreen(10, 10);
  TImage view(14, 10, TBgra{1, 2, 3, 4});
  StretchNearest(screen.View(), {20, 20, 30, 30}, view.View());
  EXPECT_EQ(view.View().At(5, 5), (TBgra{0, 0, 0, 255}));
}

TEST(Magnifier, TheCrossHairAndBorderAreDrawnInTheAccentColour) {
  const TImage screen = CoordinateScreen(400, 300);
  const TMagnifier m({400, 300}, false);
  TImage view(140, 106);
  m.Render(screen.View(), {200, 150}, view.View());
  const TImageView& v = view.View();
  for (TPoint p : {TPoint{20, 52}, TPoint{20, 53}, TPoint{69, 20}, TPoint{70, 20}, TPoint{0, 40}, TPoint{139, 40},
                   TPoint{40, 0}, TPoint{40, 105}})
    EXPECT_EQ(v.At(p.X, p.Y), AccentBgra) << p.X << "," << p.Y;
  for (TPoint p : {TPoint{20, 51}, TPoint{20, 54}, TPoint{68, 20}, TPoint{71, 20}, TPoint{1, 40}, TPoint{40, 1}})
    EXPECT_NE(v.At(p.X, p.Y), AccentBgra) << p.X << "," << p.Y;
  EXPECT_EQ(AccentBgra, (TBgra{0xFF, 0x77, 0x33, 0xFF}));
}

TEST(Magnifier, ScaledRenderingFillsTheDoubledView) {
  const TImage screen = CoordinateScreen(400, 300);
  const TMagnifier m({400, 300}, true);
  TImage view(280, 212);
  m.Render(screen.View(), {200, 150}, view.View());
  EXPECT_EQ(view.View().At(139, 20), AccentBgra);
  EXPECT_EQ(view.View().At(20, 105), AccentBgra);
  EXPECT_EQ(view.View().At(279, 211), AccentBgra);
  EXPECT_EQ(view.View().At(20, 20), screen.View().At(150 + 20 * 100 / 280, 114 + 20 * 72 / 212));
}

TEST(MagnifierText, ReadoutsUseTheFrozenPixelAndTheSizeWord) {
  TImage screen(4, 4);
  screen.View().At(2, 1) = BgraFromColorRef(0x030201);
  EXPECT_EQ(MagnifierRgbText(screen.View(), {2, 1}), u"RGB: (1,2,3)");
  EXPECT_EQ(MagnifierRgbText(screen.View(), {9, 1}), u"RGB: (0,0,0)");
  EXPECT_EQ(MagnifierRgbText(TImageView{}, {0, 0}), u"RGB: (0,0,0)");
  EXPECT_EQ(MagnifierSizeText(DefaultSizeWord, 120, 80), u"Size: (120 x 80)");
  EXPECT_EQ(MagnifierSizeText(u"Größe:", 0, 0), u"Größe: (0 x 0)");
}
