#pragma once
// One pinned picture: a borderless, topmost layered window whose client area is exactly the picture on the
// screen; the soft shadow and the accent line of the focused pin lie in a margin outside it (non-client). The
// window turns the mouse and keys into calls on the portable zoom, placement and frame code.
// Mouse: drag moves, wheel zooms around the cursor, Ctrl+wheel changes opacity, double-click closes, right click
// opens the menu. Keys: Esc closes, Ctrl+C copies, Ctrl+S saves.
#include <windows.h>

#include <functional>
#include <optional>

#include "base/win/DibImage.h"
#include "base/win/Form.h"
#include "companions/pin/PinHandOver.h"

namespace qor {

class TFormPinned : public TForm {
 public:
  using TClosed = std::function<void(TFormPinned*)>;
  TFormPinned(TPinRequest pin, TClosed onClosed);

  // Places the pin on the monitors (portable PlacePin) and shows it.
  bool Create();

  const TRect& Shown() const { return FShown; }
  double Zoom() const { return FZoom; }
  int Opacity() const { return FOpacity; }

  void ZoomBy(int notches, TPoint cursor);
  void SetZoom(double zoom, TPoint cursor);
  void SetOpacity(int percent);
  void SetKeepOnTop(bool keepOnTop);
  void CopyPicture();
  void SavePicture();
  void ClosePin();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Render();
  void ShowReadout();
  void DrawReadout(TImage& frame);
  void MoveTo(TPoint origin);
  void OnButtonDown(TPoint cursor);
  void OnMouseMove(TPoint cursor);
  void OnWheel(int delta, bool control, TPoint cursor);
  void OnKeyDown(WPARAM key);
  void OnContextMenu(TPoint at);

  TImage FPicture;  // the original pixels, for copy and save
  TImage FScaled;   // the picture at FZoom, when that is not 100%
  TRect FHandedRect;
  TRect FShown;  // the picture's pixels on the screen
  double FZoom = 1.0;
  int FOpacity = 100;
  bool FFocused = false;
  bool FKeepOnTop = true;
  bool FClosing = false;
  int32_t FMargin = 10;
  int FWheelRest = 0;
  std::optional<TPoint> FDragStart;
  TPoint FDragOrigin;
  DWORD FReadoutStart = 0;
  bool FReadoutShown = false;
  TDibImage FSurface;  // what UpdateLayeredWindow shows
  TClosed FOnClosed;
};

}  // namespace qor
