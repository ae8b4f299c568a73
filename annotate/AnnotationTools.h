#pragma once
// The drawing tools' state for one capture run: the current tool, the colours, pen and brush sizes, the font size,
// the mosaic block size and whether each tool's options panel is open. Each user action is a method that updates
// the state and returns plain values saying what the windows must show; the overlay and the options panel apply
// them. A new overlay starts with a new object.
//
//   TAnnotationTools tools;
//   const TToolChoice choice = tools.ChooseTool(TDrawingTool::Rectangle);
//   surface.SetCreateMode(choice.CreateMode);
//   if (choice.PanelShown) toolPanel.ShowAt(...); else toolPanel.Hide();
#include <array>
#include <cstdint>
#include <string_view>

#include "engine/LayerLook.h"

namespace qor {

// The numbers are those the overlay has always used for its tools (5 is free).
enum class TDrawingTool : int32_t {
  Rectangle = 1,
  Oval = 2,
  Brush = 3,
  Text = 4,
  Line = 6,
  Arrow = 7,
  Pixelation = 8,
  None = 9
};

// The drawing-tool buttons in toolbar order.
inline constexpr int DrawingToolCount = 7;
inline constexpr std::array<TDrawingTool, DrawingToolCount> ToolbarTools = {
    TDrawingTool::Rectangle, TDrawingTool::Oval,       TDrawingTool::Line, TDrawingTool::Arrow,
    TDrawingTool::Brush,     TDrawingTool::Pixelation, TDrawingTool::Text};
// The tool's place in ToolbarTools; -1 for None.
int ToolbarIndex(TDrawingTool tool);

// A button's look, numbered as the skinned button numbers its states.
enum class TToolButtonState : uint8_t { Normal = 0, Down = 1, DisabledLook = 2, Selected = 3 };

// What the options panel holds: pens and palette; font boxes, -/+ and palette; or pens as brush sizes and the
// block-size slider.
enum class TToolPanelContent { Pens, Text, Pixelation };
TToolPanelContent PanelContentOf(TDrawingTool tool);

inline constexpr uint32_t InitialAnnotationColor = 0x0000FF;  // red
inline constexpr int32_t MinFontSize = 8;
inline constexpr int32_t MinBlockSize = 2, MaxBlockSize = 30;
inline constexpr int32_t PenCount = 3;
inline constexpr std::array<int32_t, PenCount> PenWidths = {1, 4, 8};
inline constexpr std::array<int32_t, PenCount> BrushSizes = {10, 20, 40};

struct TToolChoice {
  std::array<TToolButtonState, DrawingToolCount> Buttons{};  // toolbar order
  int32_t SelectedPen = 0;                                   // 1 to 3; 0 when the tool shows no pens
  bool PanelShown = false;
  bool ButtonBackToNormal = false;  // a second click closed the panel: the tool stays current, its button normal
  TCreateMode CreateMode = TCreateMode::None;
  std::u16string_view UsageEvent;  // empty when this choice is not counted
  bool CommitText = false;         // a text open for typing is committed first
  bool NewTextEditor = false;      // the text tool was armed: a new hidden text editor is made
  bool MergeLayers = false;        // pixelation works on the picture: the layers are merged into it first
};

struct TColorChoice {
  uint32_t Preview = 0;    // the preview square's colour
  bool TextColor = false;  // the text colour changed (the current text layer takes it), else the shape colour
};

struct TPenChoice {
  int32_t SelectedPen = 0;
  bool BrushSizeChanged = false;  // pixelation: the edit surface's brush takes BrushSize at once
  int32_t BrushSize = 0;
};

struct TFontSizeChange {
  int32_t FontSize = 0;
  TToolButtonState Plus = TToolButtonState::Normal;
  TToolButtonState Minus = TToolButtonState::Normal;
  bool GrowEditor = false;    // an open text editor takes the new size and grows
  bool ShrinkEditor = false;  // an open text editor takes the new size and shrinks
};

class TAnnotationTools {
 public:
  TDrawingTool CurrentTool() const { return FTool; }
  uint32_t ShapeColor() const { return FShapeColor; }
  uint32_t TextColor() const { return FTextColor; }
  int32_t PenWidth() const { return FPenWidth; }
  int32_t BrushSize() const { return FBrushSize; }
  int32_t BlockSize() const { return FBlockSize; }
  int32_t FontSize() const { return FFontSize; }
  bool TextEditing() const { return FTextEditing; }
  bool TextArmed() const { return FTextArmed; }
  bool EditMode() const { return FEditMode; }
  bool PanelOpen(TDrawingTool tool) const;
  TToolButtonState PlusButton() const { return FPlus; }
  TToolButtonState MinusButton() const { return FMinus; }

  TToolPanelContent PanelContent() const { return PanelContentOf(FTool); }
  // The colour new marks of the current tool take: the text colour with the text tool, else the shape colour.
  uint32_t CurrentColor() const;
  // The pen button (1 to 3) matching the pen width, or with pixelation the brush size; 0 for the text tool.
  int32_t SelectedPen() const;

  // A click on a drawing tool's button. A second click on the same tool closes its panel and keeps the tool.
  TToolChoice ChooseTool(TDrawingTool tool);
  // A click on a palette swatch.
  TColorChoice ChooseColor(uint32_t color);
  // A click on pen button 1 to 3 (others are ignored).
  TPenChoice PressPen(int32_t pen);
  // The font size buttons: + adds 4; - takes 2 and stops at 8, where it is disabled until the next +.
  TFontSizeChange FontLarger();
  TFontSizeChange FontSmaller();
  // An item of the font size box chosen: that size, + marked as the last used, - usable again from 8 up.
  TFontSizeChange ChooseFontSize(int32_t size);
  // The slider moved: the block size, kept within 2 to 30.
  int32_t SetBlockSize(int32_t sliderValue);

  // A text was opened for typing.
  void TextOpened() { FTextEditing = true; }
  // The open text was committed: nothing is typed any more and the next text click arms the tool again.
  void TextCommitted();

 private:
  TDrawingTool FTool = TDrawingTool::None;
  uint32_t FShapeColor = InitialAnnotationColor;
  uint32_t FTextColor = InitialAnnotationColor;
  int32_t FPenWidth = 4;
  int32_t FBrushSize = 20;
  int32_t FBlockSize = 10;
  int32_t FFontSize = 12;
  bool FTextEditing = false;
  bool FTextArmed = false;
  bool FEditMode = false;
  std::array<bool, DrawingToolCount> FPanelOpen{};  // toolbar order
  TToolButtonState FPlus = TToolButtonState::Normal;
  TToolButtonState FMinus = TToolButtonState::Normal;

  TFontSizeChange FontState(bool grow, bool shrink) const;
};

}  // namespace qor
