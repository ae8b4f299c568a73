#pragma once
// One capture run, free of windows: the window list taken with the frozen screen, detection of the window under
// the cursor, the selection with its handles and the magnifier, put in the order the overlay's events need them.
// Each event returns what the overlay must do: the rectangles to repaint (overlay coordinates, desktop
// coordinates minus the desktop origin), the usage event or log line to write, and whether the toolbar, the
// detection timer or the magnifier change.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "base/BusyFlag.h"
#include "base/Geometry.h"
#include "capture/Desktop.h"
#include "capture/Detection.h"
#include "capture/Magnifier.h"
#include "capture/OverlayComposer.h"
#include "capture/Selection.h"
#include "capture/WindowList.h"

namespace qor {

enum class TCursorKind { Arrow, Move, SizeNwse, SizeNs, SizeNesw, SizeWe };

struct TOverlayUpdate {
  std::vector<TRect> Dirty;
  std::u16string UsageEvent;  // to report through the usage-event hook
  std::u16string LogLine;
  bool StopDetection = false;
  bool ShowToolbar = false;
  bool ToolbarAfterHandleDrag = false;  // placed by the rule for a finished handle drag
  bool HideToolbar = false;
  bool MagnifierMoved = false;  // render the magnifier's picture and labels again
  bool StartScrolling = false;
  bool Close = false;
};

class TCaptureRun {
 public:
  // windows: the top-level windows from top to bottom, as enumerated when the screen was frozen.
  TCaptureRun(TCaptureMode mode, TDesktop desktop, const std::vector<TWindowInfo>& windows = {},
              uintptr_t desktopHandle = 0, TScale scale = {});

  TCaptureMode Mode() const { return FMode; }
  const TDesktop& Desktop() const { return FDesktop; }

  // The first tick after the grab: full-screen mode selects the whole desktop and window mode the top-most
  // suitable window at once (each with its usage event and the toolbar); region and scrolling modes start
  // detecting the window under the cursor.
  TOverlayUpdate Start();
  // One tick of the detection timer with the cursor in overlay coordinates.
  TOverlayUpdate DetectionTick(TPoint cursor);
  TOverlayUpdate LeftDown(TPoint p);
  TOverlayUpdate MouseMove(TPoint p);
  TOverlayUpdate LeftUp(TPoint p);
  // The mouse capture went elsewhere (another window, the system) before the button came up: a drag or handle in
  // progress ends where it stands, so later plain moves do not drag.
  TOverlayUpdate CaptureLost();
  // A right-button release closes the run while windows are being detected; with a selection it does nothing.
  TOverlayUpdate RightUp();

  // The first drawing tool fixes the selection: its handles go, and presses on the overlay no longer change it
  // (the edit surface over the selection takes the mouse there).
  TOverlayUpdate FixSelectionForDrawing();

  bool Ready() const { return FReady; }
  // Save, and the dialogs it opens, keep closing, the keys and other outputs away while they run.
  bool OutputBusy() const { return FOutputBusy.Busy(); }
  [[nodiscard]] TBusyFlag::THold HoldOutputBusy() { return FOutputBusy.Hold(); }
  bool Detecting() const { return FDetecting; }
  bool HasSelection() const { return !FSelection.FirstSelectionPending(); }
  TCursorKind CursorAt(TPoint p) const;
  // Handle 1..8 under p, 0 for none.
  int HandleAt(TPoint p) const;

  const TWindowList& Windows() const { return FWindows; }
  const TDetection& Detection() const { return FDetection; }
  const TSelection& Selection() const { return FSelection; }
  const TMagnifier& Magnifier() const { return FMagnifier; }
  TPoint MagnifierPoint() const { return FMagnifierPoint; }
  // The rectangle shown undimmed: the detected window while detecting, the selection afterwards.
  TRect Front() const;
  // What to compose; the caller supplies the mask, the screen and the magnifier's rendered picture.
  TOverlayLayers Layers(const TConstImageView& mask, const TConstImageView& screen,
                        const TConstImageView& magnifierImage) const;

 private:
  TCaptureMode FMode;
  TDesktop FDesktop;
  TWindowList FWindows;
  TDetection FDetection;
  TSelection FSelection;
  TMagnifier FMagnifier;
  TPoint FMagnifierPoint;
  bool FReady = false;
  bool FDetecting = false;
  TBusyFlag FOutputBusy;

  void UpdateMagnifier(TPoint p, TOverlayUpdate& update);
  void HideMagnifier(TOverlayUpdate& update);
  void SelectAtOnce(const TWindowHit& hit, std::u16string_view usageEvent, TOverlayUpdate& update);
};

}  // namespace qor
