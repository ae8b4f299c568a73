#pragma once
// The state of one capture run, free of windows: the desktop it covers, what is selected and what each event
// asks the overlay to repaint. Rectangles are in overlay coordinates (desktop coordinates minus the desktop origin).
#include <cstdint>
#include <vector>

#include "app/CommandLine.h"
#include "base/Geometry.h"

namespace qor {

// The mask shows the frozen screen at 140/255 brightness over black.
inline constexpr uint8_t MaskAlpha = 140;

// The virtual desktop in screen coordinates (its origin is negative when a monitor lies left of or above the
// primary one).
struct TDesktop {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  TRect OverlayBounds() const { return TRect{0, 0, Width, Height}; }
  TPoint ToOverlay(TPoint screen) const { return {screen.X - Left, screen.Y - Top}; }
};

class TCaptureRun {
 public:
  TCaptureRun(TCaptureMode mode, TDesktop desktop) : FMode(mode), FDesktop(desktop) {}

  TCaptureMode Mode() const { return FMode; }
  const TDesktop& Desktop() const { return FDesktop; }

  // The first tick after the grab: full-screen mode selects the whole desktop at once; region and scrolling
  // modes start looking for the window under the cursor. Returns the area to repaint.
  std::vector<TRect> Start();

  bool Ready() const { return FReady; }
  bool Detecting() const { return FDetecting; }
  bool FirstSelectionPending() const { return FFirstSelectionPending; }
  bool HasSelection() const { return !FSelection.IsEmpty(); }
  const TRect& Selection() const { return FSelection; }

  // A right-button release closes the run while nothing is selected yet; with a selection it changes nothing.
  bool RightButtonCloses() const { return FDetecting && !HasSelection(); }

  // ESC: counted for the whole run.
  int EscapeCount() const { return FEscapeCount; }
  void CountEscape() { ++FEscapeCount; }

 private:
  TCaptureMode FMode;
  TDesktop FDesktop;
  TRect FSelection;
  bool FReady = false;
  bool FDetecting = false;
  bool FFirstSelectionPending = true;
  int FEscapeCount = 0;
};

}  // namespace qor
