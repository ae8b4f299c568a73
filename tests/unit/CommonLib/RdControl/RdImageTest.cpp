#include <gtest/gtest.h>

#include "CommonLib/RdControl/RdImage.h"
#include "tests/unit/CommonLib/RdControl/RecordingCanvas.h"

namespace qor {
namespace {

using testing::TRecordingCanvas;

TEST(RdImage, PlacesItsPictureByStretchAndCenter) {
  TRdImage image;
  image.SetBounds(TRect::FromSize(10, 10, 40, 20));
  EXPECT_EQ(image.PictureRect({10, 10}), TRect::FromSize(10, 10, 10, 10));
  image.Center = true;
  EXPECT_EQ(image.PictureRect({10, 10}), TRect::FromSize(25, 15, 10, 10));
  image.Stretch = true;
  EXPECT_EQ(image.PictureRect({10, 10}), image.Bounds());
}

TEST(RdImage, NineGridPictureFillsTheBoxAndOwnerPixelsAreDrawnInsteadOfIt) {
  TImage pixels(154, 168);  // drawn at its own size
  TRdImage image;
  image.SetBounds(TRect::FromSize(7, 7, 154, 168));
  image.SetPicture(u"images/bg_window.png");
  image.PictureOption = {4, 4, 4, 4};
  TRecordingCanvas canvas;
  canvas.Pictures[u"images/bg_window.png"] = {20, 20};
  image.Paint(canvas);
  ASSERT_EQ(canvas.Of("picture").size(), 1u);
  EXPECT_EQ(canvas.Of("picture")[0].Rect, image.Bounds());
  image.SetImage(pixels.View());
  canvas.Calls.clear();
  image.Paint(canvas);
  ASSERT_EQ(canvas.Calls.size(), 1u);
  EXPECT_EQ(canvas.Calls[0].Kind, "image");
  EXPECT_EQ(canvas.Calls[0].Rect, image.Bounds());
}

TEST(RdImage, ProportionalKeepsThePicturesShapeShrinkingAlwaysAndGrowingOnlyWithStretch) {
  const TRect box = TRect::FromSize(10, 10, 488, 281);  // the scrolling preview
  const struct {
    const char* Name;
    bool Stretch, Center;
    TSize Picture;
    TRect Expected;
  } cases[] = {
      {"tall picture shrinks to the height", false, false, {400, 2000}, TRect::FromSize(10, 10, 56, 281)},
      {"wide picture shrinks to the width", false, false, {976, 100}, TRect::FromSize(10, 10, 488, 50)},
      {"small picture keeps its size", false, false, {100, 50}, TRect::FromSize(10, 10, 100, 50)},
      {"small picture grows with stretch", true, false, {100, 50}, TRect::FromSize(10, 10, 488, 244)},
      {"centred tall picture", false, true, {400, 2000}, TRect::FromSize(226, 10, 56, 281)},
      {"a hairline keeps a pixel", false, false, {10000, 1}, TRect::FromSize(10, 10, 488, 1)},
  };
  for (const auto& c : cases) {
    TRdImage image;
    image.SetBounds(box);
    image.Proportional = true;
    image.Stretch = c.Stretch;
    image.Center = c.Center;
    EXPECT_EQ(image.PictureRect(c.Picture), c.Expected) << c.Name;
  }
  TRdImage image;
  image.SetBounds(box);
  image.Proportional = true;
  EXPECT_TRUE(image.PictureRect({0, 0}).IsEmpty());
}

}  // namespace
}  // namespace qor
