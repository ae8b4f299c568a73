#pragma once
// Panel_Tools: the toolbar beside the selection, with the size readout, the drawing tools, undo, exit, scrolling
// capture, pin, copy and save, laid out by the table of gaps and given their hints from the language table.
// The buttons whose work comes with the drawing tools, the outputs and the scrolling run exist and show their
// hints; the overlay decides what a click does.
#include <functional>
#include <memory>

#include "CommonLib/RdControl/RdImageButton.h"
#include "CommonLib/RdControl/RdLabel.h"
#include "CommonLib/RdControl/win/RdPanel.h"
#include "CommonLib/RdControl/win/RdSkinPictures.h"
#include "capture/ToolbarLayout.h"

namespace qor {

class TToolbarPanel {
 public:
  // saveDropVisible: the drop-down beside Save that opens the save-path panel (hidden in this product).
  explicit TToolbarPanel(TScale scale, bool saveDropVisible = false);
  // Creates the panel hidden, as a child of the overlay.
  bool Create(HWND overlay);

  // Sets the size readout and shows the panel at p (overlay coordinates).
  void ShowAt(TPoint p, int32_t selectionWidth, int32_t selectionHeight);
  void Hide();
  bool Visible() const;
  TSize Size() const { return {FLayout.Width, FLayout.Height}; }
  TRect Bounds() const { return FPanel.PanelBounds(); }  // overlay coordinates
  TRdPanel& Panel() { return FPanel; }
  // The seven drawing-tool buttons back to their normal state.
  void ResetDrawingTools();
  void SetButtonState(TToolbarChild child, TRdButtonState state);

  TRdImageButton* Button(TToolbarChild child) const;
  // Called with the component that was clicked.
  std::function<void(TToolbarChild)> OnClick;

 private:
  TScale FScale;
  TToolbarLayout FLayout;
  TRdSkinPictureSource FPictures;
  TFormOf<TRdPanel> FPanel;
  TRdLabel* FSizeLabel = nullptr;
  TRdImageButton* FButtons[ToolbarChildCount] = {};
};

}  // namespace qor
