#include "capture/CaptureRun.h"

#include "capture/DashedBorder.h"

namespace qor {

namespace {

void Append(std::vector<TRect>& to, const std::vector<TRect>& rects) {
  to.insert(to.end(), rects.begin(), rects.end());
}

}  // namespace

TCaptureRun::TCaptureRun(TCaptureMode mode, TDesktop desktop, const std::vector<TWindowInfo>& windows,
                         uintptr_t desktopHandle, TScale scale)
    : FMode(mode),
      FDesktop(desktop),
      FWindows(TWindowList::Build(windows, desktop, desktopHandle, mode == TCaptureMode::FullScreen)),
      FDetection(FWindows, desktop),
      FSelection(mode, desktop),
      FMagnifier(TSize{desktop.Width, desktop.Height}, scale) {}

TOverlayUpdate TCaptureRun::Start() {
  TOverlayUpdate update;
  FReady = true;
  update.Dirty.push_back(FDesktop.OverlayBounds());
  switch (FMode) {
    case TCaptureMode::FullScreen:
      SelectAtOnce(TWindowHit{FDesktop.OverlayBounds(), nullptr}, UsageDesktop, update);
      break;
    case TCaptureMode::Window: SelectAtOnce(FWindows.WindowModePick(), UsageWindow, update); break;
    case TCaptureMode::Region:
    case TCaptureMode::Scrolling: FDetecting = true; break;
  }
  return update;
}

void TCaptureRun::SelectAtOnce(const TWindowHit& hit, std::u16string_view usageEvent, TOverlayUpdate& update) {
  Append(update.Dirty, FSelection.SelectAtOnce(hit.Rect, hit.Record));
  update.UsageEvent = usageEvent;
  update.ShowToolbar = true;
}

void TCaptureRun::UpdateMagnifier(TPoint p, TOverlayUpdate& update) {
  FMagnifierPoint = p;
  Append(update.Dirty, FMagnifier.Update(p));
  update.MagnifierMoved = true;
}

void TCaptureRun::HideMagnifier(TOverlayUpdate& update) { Append(update.Dirty, FMagnifier.Hide()); }

TOverlayUpdate TCaptureRun::DetectionTick(TPoint cursor) {
  TOverlayUpdate update;
  if (!FDetecting) return update;
  TDetectionTick tick = FDetection.Tick(cursor);
  if (!tick.Moved) return update;
  UpdateMagnifier(tick.Point, update);
  Append(update.Dirty, tick.Dirty);
  return update;
}

TOverlayUpdate TCaptureRun::LeftDown(TPoint p) {
  TOverlayUpdate update;
  if (!FReady) return update;
  if (const int handle = HandleAt(p); handle != 0 && FSelection.PressHandle(handle)) {
    update.HideToolbar = true;
    return update;
  }
  if (!FSelection.HitsSelectionImage(p)) return update;
  if (FDetecting) {
    // A press before the first detection tick would select an empty rectangle: detect under the press point.
    if (!FDetection.Ticked()) Append(update.Dirty, FDetection.Tick(p).Dirty);
    FDetecting = false;
    update.StopDetection = true;
  }
  TPressResult press = FSelection.Press(p, FDetection.Detected(), FDetection.DetectedWindow());
  Append(update.Dirty, press.Dirty);
  // The detection border goes with detection.
  Append(update.Dirty, BorderBands(FDetection.Detected(), TDetection::BorderThickness));
  update.LogLine = std::move(press.LogLine);
  update.HideToolbar = true;
  return update;
}

TOverlayUpdate TCaptureRun::MouseMove(TPoint p) {
  TOverlayUpdate update;
  if (FSelection.ActiveHandle() != 0) {
    UpdateMagnifier(p, update);
    Append(update.Dirty, FSelection.MoveHandle(p));
    return update;
  }
  if (!FSelection.Dragging()) return update;
  TMoveResult move = FSelection.Move(p);
  update.Dirty = std::move(move.Dirty);
  if (move.UpdateMagnifier) UpdateMagnifier(p, update);
  if (move.HideMagnifier) HideMagnifier(update);
  return update;
}

TOverlayUpdate TCaptureRun::LeftUp(TPoint p) {
  TOverlayUpdate update;
  if (FSelection.ActiveHandle() != 0) {
    update.Dirty = FSelection.ReleaseHandle();
    HideMagnifier(update);
    update.ShowToolbar = true;
    update.ToolbarAfterHandleDrag = true;
    return update;
  }
  if (!FSelection.Dragging()) return update;
  (void)p;
  TReleaseResult release = FSelection.Release();
  update.Dirty = std::move(release.Dirty);
  update.UsageEvent = release.UsageEvent;
  HideMagnifier(update);
  update.ShowToolbar = release.ShowToolbar;
  update.StartScrolling = release.StartScrolling;
  return update;
}

TOverlayUpdate TCaptureRun::CaptureLost() {
  if (FSelection.ActiveHandle() == 0 && !FSelection.Dragging()) return {};
  return LeftUp(FMagnifierPoint);
}

TOverlayUpdate TCaptureRun::FixSelectionForDrawing() {
  TOverlayUpdate update;
  update.Dirty = FSelection.FixForDrawing();
  return update;
}

TOverlayUpdate TCaptureRun::RightUp() {
  TOverlayUpdate update;
  update.Close = FReady && FDetecting;
  return update;
}

int TCaptureRun::HandleAt(TPoint p) const {
  if (!FSelection.HandlesVisible() || !FSelection.HandlesEnabled() || FSelection.FirstSelectionPending()) return 0;
  for (int i = 0; i < HandleCount; ++i)
    if (FSelection.Handles()[i].Contains(p)) return i + 1;
  return 0;
}

TCursorKind TCaptureRun::CursorAt(TPoint p) const {
  static constexpr TCursorKind handleCursors[HandleCount] = {
      TCursorKind::SizeNwse, TCursorKind::SizeNs, TCursorKind::SizeNesw, TCursorKind::SizeWe,
      TCursorKind::SizeNwse, TCursorKind::SizeNs, TCursorKind::SizeNesw, TCursorKind::SizeWe};
  if (const int handle = HandleAt(p)) return handleCursors[handle - 1];
  if (FSelection.ActiveHandle() != 0) return handleCursors[FSelection.ActiveHandle() - 1];
  if (HasSelection() && FMode != TCaptureMode::FullScreen && !FSelection.FixedForDrawing() &&
      (FSelection.Dragging() || FSelection.Image().Contains(p)))
    return TCursorKind::Move;
  return TCursorKind::Arrow;
}

TRect TCaptureRun::Front() const {
  if (FDetecting) return FDetection.Detected();
  return FSelection.Image();
}

TOverlayLayers TCaptureRun::Layers(const TConstImageView& mask, const TConstImageView& screen,
                                   const TConstImageView& magnifierImage) const {
  TOverlayLayers layers;
  layers.Mask = mask;
  layers.Screen = screen;
  layers.Front = Front();
  if (FDetecting) {
    layers.Frame = TFrameStyle::MovingBorder;
    layers.BorderPhase = FDetection.Phase();
  } else if (!layers.Front.IsEmpty()) {
    layers.Frame = FSelection.FrameDashed() ? TFrameStyle::Dashed : TFrameStyle::Solid;
  }
  layers.HandlesVisible = FSelection.HandlesVisible();
  layers.Handles = FSelection.Handles();
  layers.MagnifierVisible = FMagnifier.Visible();
  layers.MagnifierPanel = FMagnifier.Panel();
  const TMagnifierMetrics& m = FMagnifier.Metrics();
  layers.MagnifierImageAt = {FMagnifier.Panel().Left + m.ImageLeft, FMagnifier.Panel().Top + m.ImageTop};
  layers.MagnifierImage = magnifierImage;
  return layers;
}

}  // namespace qor
