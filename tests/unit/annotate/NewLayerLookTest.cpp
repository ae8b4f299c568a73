#include "annotate/NewLayerLook.h"

#include <gtest/gtest.h>

using namespace qor;

TEST(NewLayerLook, OutlinedShapesTakeThePenAndTheShapeColourWithoutFill) {
  TAnnotationTools tools;
  tools.ChooseTool(TDrawingTool::Oval);
  tools.ChooseColor(0x4CB122);
  tools.PressPen(3);
  const TLayerLook oval = NewLayerLook(tools, TLayerKind::Shape);
  EXPECT_EQ(oval.Shape, TShapeKind::Ellipse);
  EXPECT_EQ(oval.BorderWidth, 8);
  EXPECT_EQ(oval.BorderColor, 0x4CB122u);
  EXPECT_EQ(oval.FillColor, NoColor);
  tools.ChooseTool(TDrawingTool::Rectangle);
  EXPECT_EQ(NewLayerLook(tools, TLayerKind::Shape).Shape, TShapeKind::Rectangle);
  tools.ChooseTool(TDrawingTool::Line);
  EXPECT_EQ(NewLayerLook(tools, TLayerKind::Shape).Shape, TShapeKind::Line);
}

TEST(NewLayerLook, ArrowsAreFilledWithAThinBorderAndAHeadThatGrowsWithThePen) {
  TAnnotationTools tools;
  tools.ChooseTool(TDrawingTool::Arrow);
  tools.ChooseColor(0xE8A200);
  const int32_t heads[] = {0, 1, 2};
  for (int pen = 1; pen <= 3; ++pen) {
    tools.PressPen(pen);
    const TLayerLook arrow = NewLayerLook(tools, TLayerKind::Shape);
    EXPECT_EQ(arrow.Shape, TShapeKind::Arrow);
    EXPECT_EQ(arrow.ArrowSize, heads[pen - 1]) << pen;
    EXPECT_EQ(arrow.BorderWidth, 1) << pen;
    EXPECT_EQ(arrow.FillColor, 0xE8A200u);
    EXPECT_EQ(arrow.BorderColor, 0xE8A200u);
  }
  tools.ChooseTool(TDrawingTool::Brush);  // a shape layer under any other tool is an arrow too
  EXPECT_EQ(NewLayerLook(tools, TLayerKind::Shape).Shape, TShapeKind::Arrow);
}

TEST(NewLayerLook, StrokesTakeThePenWidthAndShapeColourOfTheMomentTheyStart) {
  TAnnotationTools tools;
  tools.ChooseTool(TDrawingTool::Brush);
  tools.PressPen(1);
  const TLayerLook stroke = NewLayerLook(tools, TLayerKind::FreeHand);
  EXPECT_EQ(stroke, NewLayerLook(tools, TLayerKind::Line));
  EXPECT_EQ(stroke.BorderWidth, 1);
  EXPECT_EQ(stroke.BorderColor, InitialAnnotationColor);
  EXPECT_EQ(stroke.FillColor, NoColor);

  tools.ChooseColor(0x000000);
  tools.PressPen(3);
  const TLayerLook next = NewLayerLook(tools, TLayerKind::FreeHand);
  EXPECT_EQ(next.BorderColor, 0x000000u);
  EXPECT_EQ(next.BorderWidth, 8);
}
