#pragma once
// The selection of a capture run, free of windows: the press that takes the detected window, the first drag that
// draws a rectangle, moving it, the release that fixes it, and resizing by the eight handles. Points are overlay
// coordinates (TDesktop::ToOverlay of the cursor). Every operation returns the overlay rectangles whose pixels it
// changed, so the window repaints only those.
//
// What the window shows for the selection: Image_Front at Image() (the frozen screen undimmed), with the frame
// dashed (FirstDragFrameDashes inside the image) while FrameDashed(), else solid (FrameLines), and the handles at
// Handles() while HandlesVisible().
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/CommandLine.h"
#include "base/Geometry.h"
#include "app/CommandLine.h"
#include "capture/Desktop.h"
#include "capture/WindowList.h"

namespace qor {

// Handles are 6 x 6 squares in the accent colour, numbered 1 to 8 clockwise from the top-left corner.
inline constexpr int32_t HandleSize = 6;
inline constexpr int HandleCount = 8;
using THandleRects = std::array<TRect, HandleCount>;  // [0] is handle 1

// Handle places for a rectangle from x, y with width w and height h. During the first drag w and h are the
// cursor minus the press point and may be negative; halves are truncated toward zero.
THandleRects HandleRects(int32_t x, int32_t y, int32_t w, int32_t h);
// The four 1-pixel frame lines on r's edges: top, right, bottom, left.
std::array<TRect, 4> FrameLines(const TRect& r);

// Usage event codes reported on the first release of a run.
inline constexpr std::u16string_view UsageHandDrawn = u"a301";
inline constexpr std::u16string_view UsageWindow = u"a314";
inline constexpr std::u16string_view UsageDesktop = u"a315";

struct TPressResult {
  std::vector<TRect> Dirty;
  bool FirstPress = false;  // the first press of the run: build the handle and frame images again
  std::u16string LogLine;   // "g_FirstScreenShot" x "," y while the first selection is pending, else empty
};

enum class TMoveKind { None, Locked, FirstDrag, Moved };

struct TMoveResult {
  TMoveKind Kind = TMoveKind::None;  // None: nothing changed; Locked: only hide the magnifier
  std::vector<TRect> Dirty;
  bool UpdateMagnifier = false;  // first drag: update the magnifier at the cursor
  bool HideMagnifier = false;    // moving a selection, or locked
};

struct TReleaseResult {
  bool Handled = false;
  std::vector<TRect> Dirty;
  std::u16string_view UsageEvent;  // "a301", "a314" or "a315" on the run's first release; empty otherwise
  bool StartScrolling = false;     // scrolling mode: start the scrolling capture
  bool ShowToolbar = false;        // other modes: show the toolbar beside the selection
};

class TSelection {
 public:
  TSelection(TCaptureMode mode, const TDesktop& desktop) : FMode(mode), FDesktop(desktop) {}

  // Full-screen and window modes select at once (the caller has reported their usage event, so the first release
  // reports none). Handles are shown (disabled in full-screen mode) and the frame is solid.
  std::vector<TRect> SelectAtOnce(const TRect& r, const TWindowRecord* window);

  // Whether a left press at p lands on the selection image (before the first selection, anywhere).
  bool HitsSelectionImage(TPoint p) const { return FFirstSelectionPending || Image().Contains(p); }

  // Left press on the selection image. The detected window comes from the detection step; the first press of the
  // run makes its rectangle the selection image, so a click without moving selects it exactly.
  TPressResult Press(TPoint p, const TRect& detected, const TWindowRecord* detectedWindow);
  // Mouse move while the button is down.
  TMoveResult Move(TPoint p);
  // Left release (not while a drawing tool owns the mouse).
  TReleaseResult Release();

  // Handles: press on handle n (1..8), move to p, release. Handles do nothing in full-screen mode.
  bool PressHandle(int handle);
  std::vector<TRect> MoveHandle(TPoint p);
  // Returns the dirty rectangles; the caller shows the toolbar and hides the magnifier.
  std::vector<TRect> ReleaseHandle();

  // Set by the annotation side while a tool is chosen; cleared at every release.
  void SetLocked(bool locked) { FLocked = locked; }
  // The first drawing tool fixes the selection for the rest of the run: the handles go and nothing moves it again.
  std::vector<TRect> FixForDrawing();
  bool FixedForDrawing() const { return FFixedForDrawing; }

  // The selection's stored edges (not normalised during the first drag or a handle drag).
  const TRect& Edges() const { return FEdges; }
  // The bounds of the selection image (normalised).
  const TRect& Image() const { return FImage; }
  const THandleRects& Handles() const { return FHandles; }
  bool HandlesVisible() const { return FHandlesVisible; }
  bool HandlesEnabled() const { return FMode != TCaptureMode::FullScreen; }
  bool FrameDashed() const { return FFrameDashed; }
  bool FirstSelectionPending() const { return FFirstSelectionPending; }
  bool Dragging() const { return FDragging; }
  int ActiveHandle() const { return FActiveHandle; }
  TPoint PressPoint() const { return FPress; }
  // 0 once the user starts drawing by hand.
  uintptr_t DetectedHandle() const { return FDetectedHandle; }
  // Set by a press, cleared by the following release (the release then crops the selection again).
  bool RecropMark() const { return FRecropMark; }

 private:
  struct TVisuals {
    TRect Image;
    bool HandlesVisible = false;
    THandleRects Handles{};
  };
  TVisuals Visuals() const { return {FImage, FHandlesVisible, FHandles}; }
  std::vector<TRect> Changes(const TVisuals& before) const;
  void PlaceHandlesOnImage() { FHandles = HandleRects(FImage.Left, FImage.Top, FImage.Width(), FImage.Height()); }

  TCaptureMode FMode;
  TDesktop FDesktop;
  TRect FEdges;
  TRect FImage;
  THandleRects FHandles{};
  TPoint FPress;
  TPoint FDragPoint;
  bool FHandlesVisible = false;
  bool FFrameDashed = false;
  bool FFirstSelectionPending = true;
  bool FFirstPressDone = false;
  bool FDragging = false;
  bool FLocked = false;
  bool FFixedForDrawing = false;
  bool FRecropMark = false;
  bool FUsageReported = false;
  int FActiveHandle = 0;
  uintptr_t FDetectedHandle = 0;
  bool FDetectedIsDesktop = false;
};

}  // namespace qor
