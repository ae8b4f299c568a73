#pragma once
// TRdPanel: a child window with a background colour (and an optional 1-pixel border) that hosts windowless
// controls. It routes the left mouse button and the pointer to them (capturing the mouse while a control is
// pressed, tracking the pointer's exit), paints double-buffered only the invalid area, and shows each control's hint
// in a standard tooltip. A press on a control that takes keys (slider, combo box) gives the panel the keyboard
// focus; the keys and wheel turns go to that control, and the keys it does not use go on to the parent window.
//
//   TRdPlainPictureSource pictures(scale);                    // or the skin's picture source
//   TRdPanel tools(&pictures);
//   tools.Create(overlay.Handle(), TRect::FromSize(x, y, width, 40));
//   auto* rect = tools.Add(std::make_unique<TRdImageButton>());
//   SetToolPictures(*rect, u"rectangle");                      // the names a skin would give
//   rect->SetBounds(layout.Child(TToolbarChild::Btn_Rd_Rect));
//   rect->SetHint(u"Rectangle");
//   rect->OnClick = [this](TRdControl&) { Btn_Rd_RectClick(); };
//   rect->SetSelected(true);                                  // the active tool
#include <windows.h>

#include <string>
#include <vector>

#include "CommonLib/RdControl/RdControl.h"
#include "CommonLib/RdControl/win/RdGdiCanvas.h"
#include "CommonLib/RdControl/win/RdPicture.h"
#include "base/win/DibImage.h"
#include "base/win/Form.h"
#include "base/win/UniqueHandle.h"

namespace qor {

// The controls' key for a virtual-key code.
TRdKey RdKeyOf(WPARAM key);

// A real window inside the panel that belongs to one of its controls (an edit field's typing window): the panel
// passes it the notifications and colour questions it receives for that window.
class TRdChildWindow {
 public:
  virtual ~TRdChildWindow() = default;
  virtual void OnCommand(WORD code) = 0;
  // The brush for the window's background (its text colours set on dc); null: the default.
  virtual HBRUSH OnCtlColor(HDC dc) = 0;
};

class TRdPanel : public TForm, public TRdControlHost {
 public:
  // pictures: where the controls' picture names are looked up (kept by the caller, may be null).
  explicit TRdPanel(const TRdPictureSource* pictures = nullptr);
  ~TRdPanel() override;

  // A child of parent at bounds (parent's client coordinates).
  bool Create(HWND parent, const TRect& bounds, bool visible = true);

  uint32_t Color() const { return FColor; }
  void SetColor(uint32_t color);
  // A second colour makes the background a gradient from Color to it, left to right (top to bottom when
  // vertical); ColorNotSet: one colour.
  uint32_t ColorTo() const { return FColorTo; }
  void SetColorTo(uint32_t color);
  bool ColorToVert() const { return FColorToVert; }
  void SetColorToVert(bool vertical);
  // ColorNone: no border.
  void SetBorderColor(uint32_t color);
  void SetPictureSource(const TRdPictureSource* pictures);
  const TRdPictureSource* PictureSource() const { return FPictures; }

  // Place and size (parent's client coordinates) and visibility of the panel window.
  void SetPanelBounds(const TRect& bounds);
  TRect PanelBounds() const;
  void Show(bool visible);

  // Paints area (panel coordinates) as the panel would show it, into dc at the same coordinates.
  void PaintTo(HDC dc, const TRect& area);

  HWND TooltipHandle() const { return FTooltip.Get(); }

  void AttachChild(HWND window, TRdChildWindow* child);
  void DetachChild(HWND window);

  // TRdControlHost
  void InvalidateRect(const TRect& r) override;
  TRdTextMeasurer* TextMeasurer() override;
  void ControlsChanged() override;
  std::unique_ptr<TRdDropDownList> CreateDropDownList(TRdComboBox& box) override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  struct TTool {
    TRect Rect;
    std::u16string Text;
    friend bool operator==(const TTool&, const TTool&) = default;
  };

  const TRdPictureSource* FPictures;
  uint32_t FColor = DarkPanelColor;
  uint32_t FColorTo = ColorNotSet;
  bool FColorToVert = false;
  uint32_t FBorderColor = ColorNone;
  TDibImage FBuffer;  // the back buffer, the panel's size
  TMemoryDc FMeasureDc;
  TRdFontCache FFonts;
  std::unique_ptr<TRdGdiCanvas> FMeasurer;
  TUniqueWindow FTooltip;  // belongs to no window, so it goes with the panel explicitly
  std::vector<TTool> FTools;
  std::vector<std::pair<HWND, TRdChildWindow*>> FChildren;
  bool FTrackingLeave = false;
  bool FReleasingCapture = false;
  int32_t FWheelRest = 0;  // wheel delta short of a whole notch

  TSize ClientSize() const;
  void PaintBackground(TRdCanvas& canvas, const TRect& client, const TRect& dirty);
  void SyncTooltip();
  void OnPaint();
  void OnMouseMove(TPoint p);
  void OnLeftButtonDown(TPoint p);
  void OnLeftButtonUp(TPoint p);
  bool OnMouseWheel(WPARAM wParam, LPARAM lParam);
  TRdChildWindow* ChildOf(LPARAM window) const;
  bool OnSetCursor();
};

}  // namespace qor
