#include "annotate/AnnotationTools.h"

#include <algorithm>

namespace qor {

namespace {

TCreateMode CreateModeOf(TDrawingTool tool) {
  switch (tool) {
    case TDrawingTool::Rectangle:
    case TDrawingTool::Oval:
    case TDrawingTool::Arrow: return TCreateMode::Shape;
    case TDrawingTool::Line: return TCreateMode::Line;
    case TDrawingTool::Brush: return TCreateMode::FreeHand;
    case TDrawingTool::Text: return TCreateMode::Text;
    case TDrawingTool::Pixelation: return TCreateMode::Pixelate;  // paints the picture itself
    default: return TCreateMode::None;
  }
}

std::u16string_view UsageEventOf(TDrawingTool tool) {
  switch (tool) {
    case TDrawingTool::Rectangle: return u"a302";
    case TDrawingTool::Oval: return u"a303";
    case TDrawingTool::Brush: return u"a304";
    default: return {};
  }
}

// The button (1 to 3) whose value is value; 0 when none has it.
int32_t PenOf(const std::array<int32_t, PenCount>& values, int32_t value) {
  const auto found = std::find(values.begin(), values.end(), value);
  return found == values.end() ? 0 : int32_t(found - values.begin()) + 1;
}

}  // namespace

int ToolbarIndex(TDrawingTool tool) {
  const auto found = std::find(ToolbarTools.begin(), ToolbarTools.end(), tool);
  return found == ToolbarTools.end() ? -1 : int(found - ToolbarTools.begin());
}

TToolPanelContent PanelContentOf(TDrawingTool tool) {
  switch (tool) {
    case TDrawingTool::Text: return TToolPanelContent::Text;
    case TDrawingTool::Pixelation: return TToolPanelContent::Pixelation;
    default: return TToolPanelContent::Pens;
  }
}

bool TAnnotationTools::PanelOpen(TDrawingTool tool) const {
  const int index = ToolbarIndex(tool);
  return index >= 0 && FPanelOpen[index];
}

uint32_t TAnnotationTools::CurrentColor() const { return FTool == TDrawingTool::Text ? FTextColor : FShapeColor; }

int32_t TAnnotationTools::SelectedPen() const {
  switch (FTool) {
    case TDrawingTool::Text: return 0;
    case TDrawingTool::Pixelation: return PenOf(BrushSizes, FBrushSize);
    default: return PenOf(PenWidths, FPenWidth);
  }
}

TToolChoice TAnnotationTools::ChooseTool(TDrawingTool tool) {
  TToolChoice choice;
  const int index = ToolbarIndex(tool);
  if (index < 0) return choice;
  choice.CommitText = FTextEditing;
  if (FTextEditing) TextCommitted();  // which disarms the text tool: a text click then arms it afresh

  FEditMode = true;
  FTool = tool;
  choice.NewTextEditor = tool == TDrawingTool::Text && !FTextArmed;
  FTextArmed = tool == TDrawingTool::Text;
  for (int i = 0; i < DrawingToolCount; ++i)
    if (i != index) FPanelOpen[i] = false;
  choice.PanelShown = !FPanelOpen[index];
  FPanelOpen[index] = choice.PanelShown;

  choice.Buttons.fill(TToolButtonState::Normal);
  if (choice.PanelShown) choice.Buttons[index] = TToolButtonState::Selected;
  choice.ButtonBackToNormal = !choice.PanelShown;
  choice.SelectedPen = SelectedPen();
  choice.CreateMode = CreateModeOf(tool);
  choice.UsageEvent = UsageEventOf(tool);
  choice.MergeLayers = tool == TDrawingTool::Pixelation;
  return choice;
}

TColorChoice TAnnotationTools::ChooseColor(uint32_t color) {
  TColorChoice choice{color, FTool == TDrawingTool::Text};
  (choice.TextColor ? FTextColor : FShapeColor) = color;
  return choice;
}

TPenChoice TAnnotationTools::PressPen(int32_t pen) {
  TPenChoice choice;
  if (pen < 1 || pen > PenCount) return choice;
  choice.SelectedPen = pen;
  if (FTool == TDrawingTool::Pixelation) {
    FBrushSize = BrushSizes[pen - 1];
    choice.BrushSizeChanged = true;
    choice.BrushSize = FBrushSize;
  } else {
    FPenWidth = PenWidths[pen - 1];
  }
  return choice;
}

TFontSizeChange TAnnotationTools::FontState(bool grow, bool shrink) const {
  return {FFontSize, FPlus, FMinus, grow, shrink};
}

TFontSizeChange TAnnotationTools::ChooseFontSize(int32_t size) {
  FFontSize = std::max(size, MinFontSize);
  FPlus = TToolButtonState::Selected;
  FMinus = TToolButtonState::Normal;
  return FontState(true, false);
}

TFontSizeChange TAnnotationTools::FontLarger() {
  FFontSize += 4;
  FPlus = TToolButtonState::Selected;
  FMinus = TToolButtonState::Normal;
  return FontState(true, false);
}

TFontSizeChange TAnnotationTools::FontSmaller() {
  if (FMinus == TToolButtonState::DisabledLook) return FontState(false, false);  // a disabled button takes no clicks
  FPlus = TToolButtonState::Normal;
  FFontSize -= 2;
  if (FFontSize >= MinFontSize) {
    FMinus = TToolButtonState::Selected;
    return FontState(false, true);
  }
  FFontSize = MinFontSize;
  FMinus = TToolButtonState::DisabledLook;
  return FontState(false, false);
}

int32_t TAnnotationTools::SetBlockSize(int32_t sliderValue) {
  FBlockSize = std::clamp(sliderValue, MinBlockSize, MaxBlockSize);
  return FBlockSize;
}

void TAnnotationTools::TextCommitted() {
  FTextEditing = false;
  FTextArmed = false;
}

}  // namespace qor
