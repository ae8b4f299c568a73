#pragma once
// Panel_Tool_Small: the options panel under the toolbar. It holds the three pen buttons, the 20-colour palette with
// its hover frame and the colour preview, and for the text tool the font size buttons; the font boxes and the
// block-size slider take the places the layout keeps for them. The panel reports clicks through its callbacks and
// shows what a TAnnotationTools state says; it decides nothing itself.
//
//   TToolPanel panel(scale);
//   panel.Create(overlay);                                   // hidden
//   panel.OnColor = [&](uint32_t c) { tools.ChooseColor(c); panel.Apply(tools); };
//   panel.Apply(tools);                                      // after every change of the tools' state
//   panel.ShowAt(PlaceBesideToolbar(selection, toolbar.Bounds(), panel.Size().Height, primaryBottom));
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "CommonLib/RdControl/RdComboBox.h"
#include "CommonLib/RdControl/RdImageButton.h"
#include "CommonLib/RdControl/RdLabel.h"
#include "CommonLib/RdControl/RdSkinClass.h"
#include "CommonLib/RdControl/RdSlider.h"
#include "CommonLib/RdControl/win/RdPanel.h"
#include "CommonLib/RdControl/win/RdSkinPictures.h"
#include "annotate/AnnotationTools.h"
#include "annotate/ColorSwatch.h"
#include "annotate/ToolPanelLayout.h"

namespace qor {

class TToolPanel {
 public:
  explicit TToolPanel(TScale scale);
  // Creates the panel hidden, as a child of the overlay.
  bool Create(HWND overlay);

  // Shows the controls of the current tool's content, marks the selected pen, fills the preview with the current
  // colour and gives - and + their states. The panel's width follows the content; its place stays.
  void Apply(const TAnnotationTools& tools);

  void ShowAt(TPoint p);  // overlay coordinates
  void Hide();
  bool Visible() const;
  TSize Size() const { return {FLayout.Width, FLayout.Height}; }
  TRect Bounds() const { return FPanel.PanelBounds(); }  // overlay coordinates
  const TToolPanelLayout& Layout() const { return FLayout; }
  TRdPanel& Panel() { return FPanel; }

  TRdImageButton* PenButton(int32_t pen) const;  // 1 to 3
  TRdImageButton* PlusButton() const { return FPlus; }
  TRdImageButton* MinusButton() const { return FMinus; }
  TColorSwatch* Swatch(int index) const { return FSwatches[index]; }  // in the order of Palette
  TColorSwatch* Preview() const { return FPreview; }
  TColorSwatch* HoverFrame() const { return FHoverFrame; }
  TRdSlider* BlockSizeSlider() const { return FSlider; }  // imgWebcamSize
  TRdComboBox* FontSizeBox() const { return FFontSize; }  // Font_combox
  TRdComboBox* FontNameBox() const { return FFontName; }  // FontText_combox
  // The installed screen fonts for FontText_combox, with the chosen one.
  void SetFontNames(std::vector<std::u16string> names, std::u16string_view chosen);
  // lbl_PixelSize's text, from the language table.
  void SetPixelSizeCaption(std::u16string caption);

  std::function<void(int32_t pen)> OnPen;  // 1 to 3
  std::function<void(uint32_t color)> OnColor;
  std::function<void()> OnPlus;
  std::function<void()> OnMinus;
  std::function<void(int32_t value)> OnBlockSize;  // the slider moved (not yet clamped)
  std::function<void(int32_t size)> OnFontSize;    // an item of Font_combox chosen (10 when not a number)
  std::function<void(std::u16string name)> OnFontName;

 private:
  TScale FScale;
  TToolPanelLayout FLayout;
  TRdSkinPictureSource FPictures;
  TFormOf<TRdPanel> FPanel;
  std::array<TRdImageButton*, PenCount> FPens{};
  TRdImageButton* FPlus = nullptr;
  TRdImageButton* FMinus = nullptr;
  std::array<TColorSwatch*, PaletteSize> FSwatches{};
  TColorSwatch* FPreview = nullptr;
  TColorSwatch* FHoverFrame = nullptr;
  TRdLabel* FPixelLabel = nullptr;
  TRdSlider* FSlider = nullptr;
  TRdComboBox* FFontSize = nullptr;
  TRdComboBox* FFontName = nullptr;
  std::vector<std::unique_ptr<TRdSkinClass>> FSkinClasses;  // the combo boxes' nine-grid and colours

  void Relayout(TToolPanelContent content);
  void ShowHoverFrame(const TColorSwatch& swatch);
};

}  // namespace qor
