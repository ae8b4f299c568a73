#include "annotate/NewLayerLook.h"

#include <gtest/gtest.h>

using namespace qor;

TEST(NewLayerLook, ArrowsAreFilledWithAThinBorderAndAHeadThatGrowsWithThePen) {
  TAnnotationTools tools;
  tools.ChooseTool(TDrawingTool::Arrow);
  tools.ChooseColor(0xE8A200);
  for (int pen = 1; pen <= 3; ++pen) {
    tools.PressPen(pen);
    const TLayerLook arrow = NewLayerLook(tools, TLayerKind::Shape);
    EXPECT_EQ(arrow.Shape, TShapeKind::Arrow);
    EXPECT_EQ(arrow.ArrowSize, pen - 1) << pen;
    EXPECT_EQ(arrow.BorderWidth, 1) << pen;  // the pen width does not thicken the outline
    EXPECT_EQ(arrow.FillColor, 0xE8A200u);
  }
}

TEST(NewLayerLook, OutlinesAndStrokesTakeThePenAndColourOfTheMomentWithoutFill) {
  TAnnotationTools tools;
  tools.ChooseTool(TDrawingTool::Oval);
  tools.ChooseColor(0x4CB122);
  tools.PressPen(3);
  const TLayerLook oval = NewLayerLook(tools, TLayerKind::Shape);
  EXPECT_EQ(oval, (TLayerLook{TShapeKind::Ellipse, 0x4CB122, 8, NoColor, oval.ArrowSize}));
  tools.ChooseTool(TDrawingTool::Brush);
  tools.ChooseColor(0x000000);
  tools.PressPen(1);
  const TLayerLook stroke = NewLayerLook(tools, TLayerKind::FreeHand);
  EXPECT_EQ(stroke.BorderWidth, 1);
  EXPECT_EQ(stroke.BorderColor, 0x000000u);
  EXPECT_EQ(stroke.FillColor, NoColor);
}
