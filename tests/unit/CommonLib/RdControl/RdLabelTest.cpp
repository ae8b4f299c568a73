#include <gtest/gtest.h>

#include "CommonLib/RdControl/RdLabel.h"
#include "tests/unit/CommonLib/RdControl/RecordingCanvas.h"

namespace qor {
namespace {

using testing::TCellMeasurer;
using testing::TRecordingCanvas;
using testing::TRecordingHost;

constexpr int32_t Cell = TCellMeasurer::CellWidth, Line = TCellMeasurer::LineHeight;

TEST(RdLabel, AutoSizeTakesTheMeasuredLineCutAtMaxWidthAndKeepsOneLineWhenEmpty) {
  TRecordingHost host;
  auto* l = host.Add(std::make_unique<TRdLabel>());
  l->SetPosition({7, 121});
  l->SetCaption(u"Size: (10 x 20)");
  EXPECT_EQ(l->Bounds(), TRect::FromSize(7, 121, 15 * Cell, Line));
  l->SetMaxWidth(50);
  l->SetCaption(u"a rather long caption");
  EXPECT_EQ(l->Bounds(), TRect::FromSize(7, 121, 50, Line));
  l->SetCaption(u"");
  EXPECT_EQ(l->Bounds(), TRect::FromSize(7, 121, 0, Line));
  l->SetAutoSize(false);
  l->SetBounds(TRect::FromSize(0, 0, 110, 40));
  l->SetCaption(u"1920 x 1080");
  EXPECT_EQ(l->Bounds(), TRect::FromSize(0, 0, 110, 40));
}

TEST(RdLabel, WordWrapBreaksTheCaptionIntoLinesWithinMaxWidth) {
  TRecordingHost host;
  auto* l = host.Add(std::make_unique<TRdLabel>());
  l->SetMaxWidth(5 * Cell);
  l->SetCaption(u"aaaa bbbb cccc");
  EXPECT_EQ(l->Bounds().Height(), Line);
  l->SetWordWrap(true);  // remeasures
  EXPECT_EQ(l->Bounds().Height(), 3 * Line);
  l->SetMaxWidth(270);
  l->SetCaption(u"Capture: Left click or drag the mouse to select the area you want to take a screenshot.");
  EXPECT_EQ(l->Bounds().Width(), 270);
  EXPECT_GE(l->Bounds().Height(), 3 * Line);
  EXPECT_EQ(l->Bounds().Height() % Line, 0);
}

TEST(RdLabel, LaysOutOnceItsHostCanMeasure) {
  TRecordingHost host;
  host.CanMeasure = false;
  auto* l = host.Add(std::make_unique<TRdLabel>());
  l->SetCaption(u"abc");
  EXPECT_EQ(l->Bounds().Width(), 0);
  host.CanMeasure = true;
  l->UpdateLayout();
  EXPECT_EQ(l->Bounds().Width(), 3 * Cell);
}

TEST(RdLabel, TextColourIsTheHoverColourOnlyWhenSetAndGreyWhenDisabled) {
  TRecordingHost host;
  auto* l = host.Add(std::make_unique<TRdLabel>());
  TRdFont font;
  font.Color = 0xABCDEF;
  l->SetFont(font);
  l->SetCaption(u"RGB: (1,2,3)");
  host.HostMouseMove({1, 1});
  EXPECT_EQ(l->ChooseTextColor(), 0xABCDEFu);
  l->FontHoverColor = 0x123456;
  EXPECT_EQ(l->ChooseTextColor(), 0x123456u);
  l->SetEnabled(false);
  EXPECT_EQ(l->ChooseTextColor(), 0xFF000011u);  // the system's grey text colour
}

TEST(RdLabel, PaintsCaptionInItsBoundsAndBackgroundOnlyWhenSet) {
  TRecordingHost host;
  auto* l = host.Add(std::make_unique<TRdLabel>());
  l->SetCaption(u"Hi");
  TRecordingCanvas canvas;
  l->Paint(canvas);
  ASSERT_EQ(canvas.Calls.size(), 1u);
  EXPECT_EQ(canvas.Calls[0].Rect, l->Bounds());
  l->Color = 0x262626;
  canvas.Calls.clear();
  l->Paint(canvas);
  EXPECT_EQ(canvas.Of("fill").size(), 1u);
}

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

}  // namespace
}  // namespace qor
