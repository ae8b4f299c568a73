#include "scroll/PreviewPlacement.h"

#include <gtest/gtest.h>

namespace qor {
namespace {

constexpr TSize Screen{1920, 1080};
constexpr int32_t WorkBottom = 1040;  // a taskbar of 40 below

TPreviewInput Result(int32_t w, int32_t h, const TRect& region, bool downward = true) {
  return {{w, h}, region, Screen, WorkBottom, downward};
}

void ExpectInRunWindow(const TRect& box) {
  EXPECT_FALSE(box.IsEmpty());
  EXPECT_GE(box.Left, 0);
  EXPECT_GE(box.Top, 0);
  EXPECT_LE(box.Right, Screen.Width);
  EXPECT_LE(box.Bottom, Screen.Height);
}

TEST(PreviewPlacement, GoesRightOfTheRegionAndGrowsDownToTheWorkArea) {
  const TRect region{500, 200, 900, 600};
  TPreviewPlacement p;
  EXPECT_EQ(p.Place(Result(300, 200, region)), TRect::FromSize(910, 200, 300, 200));
  EXPECT_EQ(p.Side(), TPreviewSide::Right);
  EXPECT_EQ(p.Place(Result(300, 700, region)), TRect::FromSize(910, 200, 300, 700));
  // 1040 - 10 - 200: stops 10 above the work area's bottom.
  EXPECT_EQ(p.Place(Result(300, 5000, region)), TRect::FromSize(910, 200, 300, 830));
}

TEST(PreviewPlacement, ARegionAtTheRightEdgePutsItLeft) {
  const TRect region{1600, 200, 1900, 600};
  TPreviewPlacement p;
  const TRect box = p.Place(Result(300, 200, region));
  EXPECT_EQ(p.Side(), TPreviewSide::Left);
  EXPECT_EQ(box, TRect::FromSize(1290, 200, 300, 200));
  EXPECT_EQ(box.Right, region.Left - 10);
  // The side stays, even for a result that would now fit on the right.
  p.Place(Result(10, 900, region));
  EXPECT_EQ(p.Side(), TPreviewSide::Left);
}

TEST(PreviewPlacement, FirstResultTallerThan250IsHalvedAndWiderThan400IsCut) {
  const TRect region{100, 100, 1100, 700};
  for (auto [h, expected] : {std::pair{250, 250}, {251, 125}, {600, 300}}) {
    TPreviewPlacement p;
    EXPECT_EQ(p.Place(Result(300, h, region)).Height(), expected) << h;
  }
  TPreviewPlacement p;
  EXPECT_EQ(p.Place(Result(1000, 200, region)).Size(), (TSize{400, 200}));
  EXPECT_EQ(p.Place(Result(1000, 200, region)).Right, 1100 + 10 + 400);
  // Later results keep the first width.
  EXPECT_EQ(p.Place(Result(1000, 400, region)).Size(), (TSize{400, 400}));
}

TEST(PreviewPlacement, AScreenFillingRegionPutsItInsideAtAQuarterThatJumpsWithTheDirection) {
  const TRect region{1, 1, 1919, 1079};  // the whole desktop, shrunk
  TPreviewPlacement p;
  const TRect first = p.Place(Result(1918, 1078, region));
  EXPECT_EQ(p.Side(), TPreviewSide::Inside);
  EXPECT_EQ(first, TRect::FromSize(1919 - 400 - 10, 11, 400, 1078 / 4));

  const TRect up = p.Place(Result(1918, 1200, region, false));
  EXPECT_EQ(up, TRect::FromSize(1509, 1079 - 300 - 10, 400, 300));
  const TRect down = p.Place(Result(1918, 1200, region, true));
  EXPECT_EQ(down, TRect::FromSize(1509, 11, 400, 300));
  // A quarter, but at most a third of the region's height.
  EXPECT_EQ(p.Place(Result(1918, 8000, region)).Height(), 1078 / 3);

  // While scrolling, the box gets out of the way of the content coming in.
  EXPECT_EQ(p.MoveAside(down, region, true), TRect::FromSize(1509, 1079 - 300 - 10, 400, 300));
  EXPECT_EQ(p.MoveAside(up, region, false), down);
}

TEST(PreviewPlacement, OnlyAPreviewInsideTheRegionMovesAside) {
  const TRect region{500, 200, 900, 600};
  TPreviewPlacement p;
  const TRect box = p.Place(Result(300, 200, region));
  EXPECT_EQ(p.MoveAside(box, region, true), box);
  EXPECT_EQ(p.MoveAside(box, region, false), box);
}

TEST(PreviewPlacement, AWideRegionLowOnTheScreenPutsItAboveRightAligned) {
  const TRect region{0, 700, 1920, 1000};
  TPreviewPlacement p;
  EXPECT_EQ(p.Place(Result(1920, 300, region)), TRect::FromSize(1520, 700 - 150 - 10, 400, 150));
  EXPECT_EQ(p.Side(), TPreviewSide::Above);
  EXPECT_EQ(p.Place(Result(1920, 600, region)), TRect::FromSize(1520, 700 - 600 - 10, 400, 600));
  // Taller than the room above: it fills it, 10 from the top and 10 above the region.
  EXPECT_EQ(p.Place(Result(1920, 1000, region)), TRect::FromSize(1520, 10, 400, 680));
}

TEST(PreviewPlacement, AWideRegionAtTheTopPutsItBelowUpToTheWorkArea) {
  const TRect region{0, 0, 1920, 500};
  TPreviewPlacement p;
  EXPECT_EQ(p.Place(Result(1920, 500, region)), TRect::FromSize(1520, 510, 400, 250));
  EXPECT_EQ(p.Side(), TPreviewSide::Below);
  EXPECT_EQ(p.Place(Result(1920, 3000, region)), TRect::FromSize(1520, 510, 400, 1040 - 10 - 510));
}

TEST(PreviewPlacement, NoRoomAboveTheWorkAreaIsLoggedAndTheBoxStaysOnTheRunWindow) {
  // The first frame fits below the region, in the taskbar's band; the next result has no room in the work area.
  const TRect region{0, 0, 1920, 1025};
  TPreviewPlacement p;
  EXPECT_EQ(p.Place(Result(1920, 40, region)), TRect::FromSize(1520, 1035, 400, 40));
  std::vector<std::u16string> log;
  const TRect box = p.Place(Result(1920, 80, region), &log);
  EXPECT_EQ(log, (std::vector<std::u16string>{u"ShowLongScreenShot1 img_longpic.Heigh: -5",
                                              u"ShowLongScreenShot1 iHeight: 80"}));
  EXPECT_EQ(box.Size(), (TSize{400, 80}));
  ExpectInRunWindow(box);
}

TEST(PreviewPlacement, AnEmptyResultShowsNothingAndDecidesNothing) {
  const TRect region{500, 200, 900, 600};
  TPreviewPlacement p;
  std::vector<std::u16string> log;
  EXPECT_TRUE(p.Place(Result(0, 0, region), &log).IsEmpty());
  EXPECT_EQ(log, (std::vector<std::u16string>{
                     u"ShowLongScreenShot1 img_longpic.Heigh: 0", u"ShowLongScreenShot1 iHeight: 0",
                     u"ShowLongScreenShot2 img_longpic.Heigh: 0", u"ShowLongScreenShot2 img_longpic.Width: 0"}));
  EXPECT_EQ(p.Side(), TPreviewSide::None);
  EXPECT_EQ(p.Place(Result(300, 200, region)), TRect::FromSize(910, 200, 300, 200));
}

TEST(PreviewPlacement, NeverLeavesASmallRunWindow) {
  // Too wide for either side; right-aligned above the region it would start left of the run window.
  const TSize small{800, 600};
  const TRect region{0, 300, 395, 590};
  TPreviewPlacement p;
  const TRect box = p.Place({{500, 100}, region, small, 560, true});
  EXPECT_EQ(p.Side(), TPreviewSide::Above);
  EXPECT_EQ(box, TRect::FromSize(0, 190, 400, 100));
}

}  // namespace
}  // namespace qor
