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

TEST(Magnifier, TheSourceIsClampedToTheScreenAndThePanelSitsTwentyPixelsAwayOrFlipsToTouchTheCursor) {
  const TMagnifier m({1920, 1080}, TScale::Of(false));
  const struct {
    TPoint Cursor;
    TRect Source, Panel;
  } cases[] = {
      {{0, 0}, {0, 0, 25, 18}, {20, 20, 174, 188}},
      {{500, 400}, {475, 382, 525, 418}, {520, 420, 674, 588}},
      {{1746, 892}, {1721, 874, 1771, 910}, {1766, 912, 1920, 1080}},  // exactly 174 / 188 from the edges
      {{1747, 500}, {1722, 482, 1772, 518}, {1593, 520, 1747, 688}},   // right edge at the cursor's x
      {{500, 893}, {475, 875, 525, 911}, {520, 725, 674, 893}},        // bottom at the cursor's y
      {{1915, 1075}, {1890, 1057, 1920, 1080}, {1761, 907, 1915, 1075}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Cursor.X << "," << c.Cursor.Y);
    EXPECT_EQ(m.SourceRect(c.Cursor), c.Source);
    EXPECT_EQ(m.PanelRect(c.Cursor), c.Panel);
  }
}

TEST(Magnifier, ScaledModeDoublesTheInnerDistancesButNotTheCursorOffset) {
  const TMagnifier m({3840, 2160}, TScale::Of(true));
  EXPECT_EQ(m.Metrics().ImageWidth, 280);
  EXPECT_EQ(m.SourceRect({1000, 1000}), (TRect{950, 964, 1050, 1036}));  // 100 x 72
  EXPECT_EQ(m.PanelRect({100, 100}), (TRect{120, 120, 428, 456}));
  EXPECT_EQ(m.PanelRect({3840 - 308 - 19, 100}).Right, 3840 - 308 - 19);
}

TEST(Magnifier, UpdateRepaintsTheOldAndNewPanelAndHideTheLastOne) {
  TMagnifier m({1920, 1080}, TScale::Of(false));
  const TRect first{120, 120, 274, 288}, second{123, 121, 277, 289};
  EXPECT_EQ(m.Update({100, 100}), std::vector<TRect>{first});
  EXPECT_EQ(m.Update({103, 101}), (std::vector<TRect>{first, second}));
  EXPECT_TRUE(m.Update({103, 101}).empty());
  EXPECT_EQ(m.Hide(), std::vector<TRect>{second});
  EXPECT_TRUE(m.Hide().empty());
  EXPECT_EQ(m.Update({103, 101}).size(), 1u);
}

TEST(Magnifier, TheViewIsANearestPixelStretchOfTheSourceAndBlackWhereThereIsNone) {
  const TImage screen = CoordinateScreen(400, 300);
  const TMagnifier m({400, 300}, TScale::Of(false));
  TImage view(140, 106);
  StretchNearest(screen.View(), m.SourceRect({200, 150}), view.View());
  EXPECT_EQ(view.View().At(0, 0), screen.View().At(175, 132));
  EXPECT_EQ(view.View().At(139, 105), screen.View().At(224, 167));
  EXPECT_EQ(view.View().At(3, 3), screen.View().At(176, 133));  // 3 * 50 / 140 = 1, 3 * 36 / 106 = 1
  for (int32_t x = 1; x < 140; ++x) EXPECT_GE(view.View().At(x, 10).R, view.View().At(x - 1, 10).R);
  // Near the edge the smaller source still fills the view.
  StretchNearest(screen.View(), m.SourceRect({0, 0}), view.View());
  EXPECT_EQ(view.View().At(139, 105), screen.View().At(24, 17));
  EXPECT_EQ(view.View().At(0, 0), screen.View().At(0, 0));
  StretchNearest(screen.View(), {500, 20, 510, 30}, view.View());
  EXPECT_EQ(view.View().At(5, 5), (TBgra{0, 0, 0, 255}));
}

TEST(Magnifier, TheCrossHairAndBorderAreDrawnInTheAccentColourAtBothScales) {
  const TImage screen = CoordinateScreen(400, 300);
  TImage view(140, 106);
  TMagnifier({400, 300}, TScale::Of(false)).Render(screen.View(), {200, 150}, view.View());
  const TImageView& v = view.View();
  for (TPoint p : {TPoint{20, 52}, TPoint{20, 53}, TPoint{69, 20}, TPoint{70, 20}, TPoint{0, 40}, TPoint{139, 40},
                   TPoint{40, 0}, TPoint{40, 105}})
    EXPECT_EQ(v.At(p.X, p.Y), AccentBgra) << p.X << "," << p.Y;
  for (TPoint p : {TPoint{20, 51}, TPoint{20, 54}, TPoint{68, 20}, TPoint{71, 20}, TPoint{1, 40}, TPoint{40, 1}})
    EXPECT_NE(v.At(p.X, p.Y), AccentBgra) << p.X << "," << p.Y;

  TImage doubled(280, 212);
  TMagnifier({400, 300}, TScale::Of(true)).Render(screen.View(), {200, 150}, doubled.View());
  for (TPoint p : {TPoint{139, 20}, TPoint{20, 105}, TPoint{279, 211}})
    EXPECT_EQ(doubled.View().At(p.X, p.Y), AccentBgra) << p.X << "," << p.Y;
  EXPECT_EQ(doubled.View().At(20, 20), screen.View().At(150 + 20 * 100 / 280, 114 + 20 * 72 / 212));
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
