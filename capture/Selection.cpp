#include "capture/Selection.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "base/Utf16Text.h"
#include "capture/Detection.h"
#include "capture/RectSet.h"

namespace qor {

namespace {

bool IsProgramManager(const TWindowRecord* window) {
  return window != nullptr && window->ClassName == ProgramManagerClass && window->Caption == ProgramManagerCaption;
}

// Moves the span [low, high) by d, stopping it against 0 and limit with its length kept.
void ShiftWithin(int32_t& low, int32_t& high, int32_t d, int32_t limit) {
  if (low + d < 0) {
    high -= low;
    low = 0;
  } else if (high + d > limit) {
    low = limit - (high - low);
    high = limit;
  } else {
    low += d;
    high += d;
  }
}

}  // namespace

THandleRects HandleRects(int32_t x, int32_t y, int32_t w, int32_t h) {
  const int32_t left1 = x - 2 - (w < 0 ? 7 : 0);
  const int32_t top1 = y - 2 - (h < 0 ? 7 : 0);
  const int32_t leftMid = x + w / 2;  // integer division truncates toward zero
  const int32_t left3 = w < 0 ? x + w + 3 : x + w - 4;
  const int32_t topMid = y + h / 2;
  const int32_t top5 = h < 0 ? y + h + 3 : y + h - 4;
  const int32_t top7 = y + h - 4 + (h < 0 ? 7 : 0);
  auto at = [](int32_t left, int32_t top) { return TRect::FromSize(left, top, HandleSize, HandleSize); };
  return {at(left1, top1), at(leftMid, top1), at(left3, top1), at(left3, topMid),
          at(left3, top5), at(leftMid, top5), at(left1, top7), at(left1, topMid)};
}

std::array<TRect, 4> FrameLines(const TRect& r) {
  const int32_t w = r.Width(), h = r.Height();
  return {TRect::FromSize(r.Left, r.Top, w, 1), TRect::FromSize(r.Left + w - 1, r.Top, 1, h),
          TRect::FromSize(r.Left, r.Top + h - 1, w, 1), TRect::FromSize(r.Left, r.Top, 1, h)};
}

std::vector<TRect> TSelection::Changes(const TVisuals& before) const {
  std::vector<TRect> dirty;
  // Inside both rectangles the frozen screen stays where it was; only the strip that changed sides, the frames
  // (dashed or solid, always on the image's edge pixels) and the handles need painting.
  const TRectSet changedSide = SymmetricDifference(before.Image, FImage);
  dirty = changedSide.Rects();
  for (const TRect& r : FrameLines(before.Image))
    if (!r.IsEmpty()) dirty.push_back(r);
  for (const TRect& r : FrameLines(FImage))
    if (!r.IsEmpty()) dirty.push_back(r);
  if (before.HandlesVisible) dirty.insert(dirty.end(), before.Handles.begin(), before.Handles.end());
  if (FHandlesVisible) dirty.insert(dirty.end(), FHandles.begin(), FHandles.end());
  return dirty;
}

std::vector<TRect> TSelection::SelectAtOnce(const TRect& r, const TWindowRecord* window) {
  const TVisuals before = Visuals();
  FEdges = FImage = ClampToOverlay(r, FDesktop);
  FDetectedHandle = window ? window->Handle : 0;
  FDetectedIsDesktop = IsProgramManager(window);
  FFirstSelectionPending = false;
  FUsageReported = true;
  FFrameDashed = false;
  FHandlesVisible = true;
  PlaceHandlesOnImage();
  return Changes(before);
}

TPressResult TSelection::Press(TPoint p, const TRect& detected, const TWindowRecord* detectedWindow) {
  if (FFixedForDrawing) return {};
  TPressResult result;
  const TVisuals before = Visuals();
  result.FirstPress = !FFirstPressDone;
  FFirstPressDone = true;
  if (FFirstSelectionPending) {
    FEdges.Left = p.X;
    FEdges.Top = p.Y;
    result.LogLine = u"g_FirstScreenShot" + IntToText(p.X) + u"," + IntToText(p.Y);
    // The detected window becomes the selection image; a release without a drag keeps it.
    FImage = ClampToOverlay(detected, FDesktop);
    FEdges.Right = FImage.Right;
    FEdges.Bottom = FImage.Bottom;
    FDetectedHandle = detectedWindow ? detectedWindow->Handle : 0;
    FDetectedIsDesktop = IsProgramManager(detectedWindow);
    // Handles are rebuilt and hidden until the drag or the release shows them.
    FHandlesVisible = false;
  }
  // Later presses keep the selection as it is: going back to the detected rectangle would undo a hand-drawn or
  // resized selection on a mere click.
  FPress = p;
  FDragging = true;
  FRecropMark = true;
  result.Dirty = Changes(before);
  return result;
}

TMoveResult TSelection::Move(TPoint p) {
  TMoveResult result;
  if (!FDragging || FActiveHandle != 0) return result;
  if (p.X == FEdges.Left || p.Y == FEdges.Top || FMode == TCaptureMode::FullScreen) return result;
  if (FLocked) {
    result.Kind = TMoveKind::Locked;
    result.HideMagnifier = true;
    return result;
  }
  const TVisuals before = Visuals();
  if (FFirstSelectionPending) {
    result.Kind = TMoveKind::FirstDrag;
    FDetectedHandle = 0;
    FDetectedIsDesktop = false;
    FDragPoint = p;
    // Drawn between the press point and the cursor without clamping to the overlay.
    FImage = TRect::Normalized(FPress, p);
    FFrameDashed = true;
    FHandlesVisible = true;
    FHandles = HandleRects(FPress.X, FPress.Y, p.X - FPress.X, p.Y - FPress.Y);
    result.UpdateMagnifier = true;
  } else {
    result.Kind = TMoveKind::Moved;
    result.HideMagnifier = true;
    TRect r = TRect::Normalized({FEdges.Left, FEdges.Top}, {FEdges.Right, FEdges.Bottom});
    const int32_t dx = p.X - FPress.X, dy = p.Y - FPress.Y;
    ShiftWithin(r.Left, r.Right, dx, FDesktop.Width);
    ShiftWithin(r.Top, r.Bottom, dy, FDesktop.Height);
    FEdges = FImage = r;
    FFrameDashed = false;
    PlaceHandlesOnImage();
    FPress = p;
  }
  result.Dirty = Changes(before);
  return result;
}

TReleaseResult TSelection::Release() {
  TReleaseResult result;
  if (!FDragging) return result;
  result.Handled = true;
  const TVisuals before = Visuals();
  FLocked = false;
  // All four edges are kept inside the overlay (overlay coordinates start at 0 whatever the desktop's origin).
  FEdges = FImage = ClampToOverlay(FImage, FDesktop);
  FRecropMark = false;
  FFrameDashed = false;
  FHandlesVisible = true;
  PlaceHandlesOnImage();
  FDragging = false;
  FFirstSelectionPending = false;
  if (!FUsageReported) {
    FUsageReported = true;
    result.UsageEvent = FDetectedHandle == 0 ? UsageHandDrawn : FDetectedIsDesktop ? UsageDesktop : UsageWindow;
  }
  result.StartScrolling = FMode == TCaptureMode::Scrolling;
  result.ShowToolbar = !result.StartScrolling;
  result.Dirty = Changes(before);
  return result;
}

std::vector<TRect> TSelection::FixForDrawing() {
  if (FFirstSelectionPending || FDragging || FActiveHandle != 0) return {};
  const TVisuals before = Visuals();
  FFixedForDrawing = true;
  FHandlesVisible = false;
  return Changes(before);
}

bool TSelection::PressHandle(int handle) {
  if (FFixedForDrawing || !HandlesEnabled() || handle < 1 || handle > HandleCount || FFirstSelectionPending)
    return false;
  FActiveHandle = handle;
  return true;
}

std::vector<TRect> TSelection::MoveHandle(TPoint p) {
  if (FActiveHandle == 0) return {};
  const TVisuals before = Visuals();
  // The edges are set as they are, never swapped: dragging past the opposite edge flips the rectangle.
  // Which edges each handle (1..8, clockwise from the top-left corner) moves to the cursor.
  struct TMovedEdges {
    bool Left, Top, Right, Bottom;
  };
  static constexpr TMovedEdges moved[HandleCount] = {
      {true, true, false, false}, {false, true, false, false}, {false, true, true, false}, {false, false, true, false},
      {false, false, true, true}, {false, false, false, true}, {true, false, false, true}, {true, false, false, false}};
  if (FActiveHandle < 1 || FActiveHandle > HandleCount) return {};
  const TMovedEdges& edges = moved[FActiveHandle - 1];
  if (edges.Left) FEdges.Left = p.X;
  if (edges.Top) FEdges.Top = p.Y;
  if (edges.Right) FEdges.Right = p.X;
  if (edges.Bottom) FEdges.Bottom = p.Y;
  FImage = TRect::Normalized({FEdges.Left, FEdges.Top}, {FEdges.Right, FEdges.Bottom});
  FFrameDashed = false;
  PlaceHandlesOnImage();
  return Changes(before);
}

std::vector<TRect> TSelection::ReleaseHandle() {
  if (FActiveHandle == 0) return {};
  FActiveHandle = 0;
  FEdges = FImage;
  return {};
}

}  // namespace qor
