#include "annotate/AnnotationTools.h"

#include <gtest/gtest.h>

using namespace qor;

namespace {

using S = TToolButtonState;
using T = TDrawingTool;

int Index(T tool) { return ToolbarIndex(tool); }

}  // namespace

TEST(AnnotationTools, ChoosingAToolSelectsItsButtonOnlyAndOpensItsPanel) {
  TAnnotationTools tools;
  EXPECT_EQ(tools.CurrentTool(), T::None);
  EXPECT_FALSE(tools.EditMode());
  const TToolChoice oval = tools.ChooseTool(T::Oval);
  EXPECT_TRUE(oval.PanelShown);
  EXPECT_FALSE(oval.ButtonBackToNormal);
  for (int i = 0; i < DrawingToolCount; ++i)
    EXPECT_EQ(oval.Buttons[i], i == Index(T::Oval) ? S::Selected : S::Normal) << i;
  EXPECT_EQ(oval.SelectedPen, 2);  // pen width 4
  EXPECT_TRUE(tools.EditMode());

  // Another tool closes nothing of its own but clears the oval's toggle, so the oval opens again at once.
  tools.ChooseTool(T::Arrow);
  EXPECT_FALSE(tools.PanelOpen(T::Oval));
  EXPECT_TRUE(tools.ChooseTool(T::Oval).PanelShown);
}

TEST(AnnotationTools, TheSameToolTwiceClosesThePanelAndPutsTheButtonBackButKeepsTheTool) {
  for (T tool : ToolbarTools) {
    SCOPED_TRACE(int(tool));
    TAnnotationTools tools;
    ASSERT_TRUE(tools.ChooseTool(tool).PanelShown);
    const TToolChoice again = tools.ChooseTool(tool);
    EXPECT_FALSE(again.PanelShown);
    EXPECT_TRUE(again.ButtonBackToNormal);
    for (S state : again.Buttons) EXPECT_EQ(state, S::Normal);
    EXPECT_EQ(tools.CurrentTool(), tool);
    EXPECT_FALSE(tools.PanelOpen(tool));
    EXPECT_TRUE(tools.ChooseTool(tool).PanelShown);  // a third click opens it again
  }
}

TEST(AnnotationTools, TheTextToolMakesAnEditorWhenArmedAndAnOpenTextIsCommittedByTheNextToolClick) {
  TAnnotationTools tools;
  const TToolChoice arm = tools.ChooseTool(T::Text);
  EXPECT_TRUE(arm.NewTextEditor);
  EXPECT_EQ(arm.SelectedPen, 0);                          // the pens are hidden
  EXPECT_FALSE(tools.ChooseTool(T::Text).NewTextEditor);  // armed: only the panel toggles
  EXPECT_TRUE(tools.TextArmed());

  tools.TextOpened();
  const TToolChoice commit = tools.ChooseTool(T::Text);
  EXPECT_TRUE(commit.CommitText);
  EXPECT_TRUE(commit.NewTextEditor);  // the commit disarmed the tool, so this click arms it afresh
  EXPECT_FALSE(tools.TextEditing());

  tools.TextOpened();
  const TToolChoice rect = tools.ChooseTool(T::Rectangle);
  EXPECT_TRUE(rect.CommitText);
  EXPECT_FALSE(tools.TextArmed());
  EXPECT_FALSE(tools.ChooseTool(T::Rectangle).CommitText);
}

TEST(AnnotationTools, AColourGoesToTheTextWithTheTextToolAndToShapesOtherwise) {
  TAnnotationTools tools;
  tools.ChooseTool(T::Text);
  const TColorChoice text = tools.ChooseColor(0xE8A200);
  EXPECT_TRUE(text.TextColor);
  EXPECT_EQ(text.Preview, 0xE8A200u);
  EXPECT_EQ(tools.TextColor(), 0xE8A200u);
  EXPECT_EQ(tools.ShapeColor(), InitialAnnotationColor);
  EXPECT_EQ(tools.CurrentColor(), 0xE8A200u);

  tools.ChooseTool(T::Line);
  EXPECT_EQ(tools.CurrentColor(), InitialAnnotationColor);  // the preview shows the shape colour again
  EXPECT_FALSE(tools.ChooseColor(0x4CB122).TextColor);
  EXPECT_EQ(tools.ShapeColor(), 0x4CB122u);
  EXPECT_EQ(tools.TextColor(), 0xE8A200u);
}

TEST(AnnotationTools, PensSetThePenWidthExceptWithPixelationWhereTheySetTheBrushSize) {
  TAnnotationTools tools;
  tools.ChooseTool(T::Rectangle);
  EXPECT_EQ(tools.PressPen(3).SelectedPen, 3);
  EXPECT_EQ(tools.PenWidth(), 8);
  EXPECT_EQ(tools.PressPen(1).SelectedPen, 1);
  EXPECT_EQ(tools.PenWidth(), 1);

  EXPECT_EQ(tools.ChooseTool(T::Pixelation).SelectedPen, 2);  // the mark follows the brush size (20)
  const TPenChoice brush = tools.PressPen(3);
  EXPECT_TRUE(brush.BrushSizeChanged);
  EXPECT_EQ(brush.BrushSize, 40);
  tools.PressPen(2);
  EXPECT_EQ(tools.BrushSize(), 20);
  EXPECT_EQ(tools.PenWidth(), 1);  // unchanged by the brush

  EXPECT_EQ(tools.ChooseTool(T::Arrow).SelectedPen, 1);
  EXPECT_EQ(tools.PressPen(4).SelectedPen, 0);
  EXPECT_EQ(tools.PenWidth(), 1);
}

TEST(AnnotationTools, MinusStopsAtEightAndIsDisabledThereUntilPlusWhichAddsFour) {
  TAnnotationTools tools;
  TFontSizeChange change = tools.FontSmaller();
  EXPECT_EQ(change.FontSize, 10);
  EXPECT_TRUE(change.ShrinkEditor);
  EXPECT_EQ(change.Minus, S::Selected);
  change = tools.FontSmaller();
  EXPECT_EQ(change.FontSize, 8);
  EXPECT_EQ(change.Minus, S::Selected);
  change = tools.FontSmaller();
  EXPECT_EQ(change.FontSize, 8);
  EXPECT_FALSE(change.ShrinkEditor);
  EXPECT_EQ(change.Minus, S::DisabledLook);
  EXPECT_EQ(tools.FontSmaller().FontSize, 8);  // a disabled button takes no clicks
  EXPECT_EQ(tools.MinusButton(), S::DisabledLook);

  change = tools.FontLarger();
  EXPECT_EQ(change.FontSize, 12);
  EXPECT_TRUE(change.GrowEditor);
  EXPECT_EQ(change.Plus, S::Selected);
  EXPECT_EQ(change.Minus, S::Normal);
  EXPECT_EQ(tools.FontSmaller().Plus, S::Normal);
  EXPECT_EQ(tools.FontSize(), 10);
  for (int i = 0; i < 30; ++i) tools.FontLarger();
  EXPECT_EQ(tools.FontSize(), 130);  // no upper limit
}

TEST(AnnotationTools, TheBlockSizeIsClampedToTwoToThirty) {
  TAnnotationTools tools;
  EXPECT_EQ(tools.BlockSize(), 10);
  EXPECT_EQ(tools.SetBlockSize(1), 2);
  EXPECT_EQ(tools.SetBlockSize(-40), 2);
  EXPECT_EQ(tools.SetBlockSize(31), 30);
  EXPECT_EQ(tools.SetBlockSize(17), 17);
  EXPECT_EQ(tools.BlockSize(), 17);
}

TEST(AnnotationTools, AChosenFontSizeIsTakenAndMinusWorksAgainAfterTheFloor) {
  TAnnotationTools tools;
  tools.ChooseTool(T::Text);
  tools.FontSmaller();
  tools.FontSmaller();
  const TFontSizeChange floor = tools.FontSmaller();
  EXPECT_EQ(floor.FontSize, 8);
  EXPECT_EQ(floor.Minus, S::DisabledLook);
  const TFontSizeChange chosen = tools.ChooseFontSize(24);
  EXPECT_EQ(chosen.FontSize, 24);
  EXPECT_EQ(chosen.Minus, S::Normal);
  EXPECT_EQ(tools.FontSmaller().FontSize, 22);
  EXPECT_EQ(tools.ChooseFontSize(3).FontSize, 8);  // never below the floor
}
