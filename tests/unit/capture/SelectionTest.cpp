#include <gtest/gtest.h>

#include "capture/RectSet.h"
#include "capture/Selection.h"

using namespace qor;

namespace {

const TDesktop Desktop800{0, 0, 800, 600};

TWindowRecord Record(uintptr_t handle, TRect rect, std::u16string className = u"AppWindow",
                     std::u16string caption = u"") {
  TWindowRecord r;
  r.Handle = handle;
  r.Rect = rect;
  r.ClassName = std::move(className);
  r.Caption = std::move(caption);
  return r;
}

// A selection made by dragging from a to b and releasing.
TSelection Drawn(TPoint a, TPoint b, const TDesktop& desktop = Desktop800, TCaptureMode mode = TCaptureMode::Region) {
  TSelection s(mode, desktop);
  const TWindowRecord window = Record(1, {0, 0, 400, 300});
  s.Press(a, window.Rect, &window);
  s.Move(b);
  s.Release();
  return s;
}

}  // namespace

TEST(Selection, AClickWithoutMovingSelectsTheDetectedRectangleExactly) {
  TSelection s(TCaptureMode::Region, Desktop800);
  const TWindowRecord window = Record(7, {120, 80, 520, 410});
  const TPressResult press = s.Press({200, 150}, window.Rect, &window);
  EXPECT_TRUE(press.FirstPress);
  EXPECT_EQ(press.LogLine, u"g_FirstScreenShot200,150");
  EXPECT_TRUE(s.RecropMark());
  const TReleaseResult release = s.Release();
  EXPECT_TRUE(release.Handled);
  EXPECT_EQ(s.Image(), window.Rect);
  EXPECT_EQ(s.Edges(), window.Rect);
  EXPECT_EQ(release.UsageEvent, u"a314");
  EXPECT_TRUE(release.ShowToolbar);
  EXPECT_FALSE(s.RecropMark());
  EXPECT_FALSE(s.FirstSelectionPending());
  EXPECT_TRUE(s.HandlesVisible());
  EXPECT_FALSE(s.FrameDashed());
}

TEST(Selection, TheUsageEventNamesHowTheFirstSelectionWasMade) {
  struct TCase {
    const char* Name;
    TWindowRecord Window;
    bool Drag;
    std::u16string_view Expected;
  } cases[] = {
      {"a window", Record(7, {10, 10, 300, 200}), false, u"a314"},
      {"the program manager", Record(8, {0, 0, 800, 600}, u"Progman", u"Program Manager"), false, u"a315"},
      {"a Progman class with another caption", Record(8, {0, 0, 800, 600}, u"Progman", u"Other"), false, u"a314"},
      {"a hand-drawn rectangle over the program manager", Record(8, {0, 0, 800, 600}, u"Progman", u"Program Manager"),
       true, u"a301"},
  };
  for (const TCase& c : cases) {
    TSelection s(TCaptureMode::Region, Desktop800);
    s.Press({50, 50}, c.Window.Rect, &c.Window);
    if (c.Drag) s.Move({90, 80});
    EXPECT_EQ(s.Release().UsageEvent, c.Expected) << c.Name;
  }
}

TEST(Selection, TheUsageEventIsReportedOncePerRun) {
  TSelection s = Drawn({10, 10}, {100, 100});
  EXPECT_EQ(s.DetectedHandle(), 0u);
  s.Press({50, 50}, {}, nullptr);
  s.Move({60, 70});
  EXPECT_TRUE(s.Release().UsageEvent.empty());
}

TEST(Selection, ADragWithNoVerticalMovementStartsNoRectangle) {
  TSelection s(TCaptureMode::Region, Desktop800);
  const TWindowRecord window = Record(3, {0, 0, 400, 300});
  s.Press({100, 100}, window.Rect, &window);
  const TMoveResult flat = s.Move({200, 100});
  EXPECT_EQ(flat.Kind, TMoveKind::None);
  EXPECT_TRUE(flat.Dirty.empty());
  EXPECT_EQ(s.Image(), window.Rect);
  EXPECT_EQ(s.DetectedHandle(), 3u);
  EXPECT_EQ(s.Move({100, 180}).Kind, TMoveKind::None);  // nor only vertical
  const TMoveResult drag = s.Move({200, 150});
  EXPECT_EQ(drag.Kind, TMoveKind::FirstDrag);
  EXPECT_TRUE(drag.UpdateMagnifier);
  EXPECT_EQ(s.Image(), (TRect{100, 100, 200, 150}));
  EXPECT_TRUE(s.FrameDashed());
  EXPECT_EQ(s.DetectedHandle(), 0u);
}

TEST(Selection, TheFirstDragIsNormalisedWhateverItsDirection) {
  TSelection s(TCaptureMode::Region, Desktop800);
  s.Press({300, 200}, {}, nullptr);
  s.Move({250, 180});
  EXPECT_EQ(s.Image(), (TRect{250, 180, 300, 200}));
  s.Release();
  EXPECT_EQ(s.Image(), (TRect{250, 180, 300, 200}));
  EXPECT_EQ(s.Edges(), (TRect{250, 180, 300, 200}));
}

TEST(Selection, HandlesFollowTheFirstDragWithNegativeWidths) {
  TSelection s(TCaptureMode::Region, Desktop800);
  s.Press({300, 200}, {}, nullptr);
  s.Move({250, 180});  // w = -50, h = -20
  const THandleRects expected = HandleRects(300, 200, -50, -20);
  EXPECT_EQ(s.Handles(), expected);
  EXPECT_EQ(expected[0], TRect::FromSize(291, 191, 6, 6));
  EXPECT_EQ(expected[1], TRect::FromSize(275, 191, 6, 6));
  EXPECT_EQ(expected[2], TRect::FromSize(253, 191, 6, 6));
  EXPECT_EQ(expected[3], TRect::FromSize(253, 190, 6, 6));
  EXPECT_EQ(expected[4], TRect::FromSize(253, 183, 6, 6));
  EXPECT_EQ(expected[5], TRect::FromSize(275, 183, 6, 6));
  EXPECT_EQ(expected[6], TRect::FromSize(291, 183, 6, 6));
  EXPECT_EQ(expected[7], TRect::FromSize(291, 190, 6, 6));
}

TEST(HandlePlacement, FollowsTheTableForPositiveSizes) {
  const THandleRects h = HandleRects(10, 20, 100, 50);
  const TPoint expected[] = {{8, 18}, {60, 18}, {106, 18}, {106, 45}, {106, 66}, {60, 66}, {8, 66}, {8, 45}};
  for (int i = 0; i < HandleCount; ++i) {
    EXPECT_EQ(h[size_t(i)], TRect::FromSize(expected[i].X, expected[i].Y, 6, 6)) << "handle " << i + 1;
  }
}

TEST(HandlePlacement, HalvesTruncateTowardZero) {
  const THandleRects odd = HandleRects(100, 100, -7, -5);
  EXPECT_EQ(odd[1].Left, 97);  // -7 / 2 is -3, not -4
  EXPECT_EQ(odd[3].Top, 98);   // -5 / 2 is -2
  const THandleRects positive = HandleRects(100, 100, 7, 5);
  EXPECT_EQ(positive[1].Left, 103);
  EXPECT_EQ(positive[7].Top, 102);
}

TEST(HandlePlacement, AZeroSizeSelectionStillPlacesEveryHandle) {
  const THandleRects h = HandleRects(50, 60, 0, 0);
  EXPECT_EQ(h[0], TRect::FromSize(48, 58, 6, 6));
  EXPECT_EQ(h[4], TRect::FromSize(46, 56, 6, 6));
}

TEST(FrameLines, LieOnTheSelectionsEdges) {
  const auto lines = FrameLines({10, 20, 110, 70});
  EXPECT_EQ(lines[0], (TRect{10, 20, 110, 21}));
  EXPECT_EQ(lines[1], (TRect{109, 20, 110, 70}));
  EXPECT_EQ(lines[2], (TRect{10, 69, 110, 70}));
  EXPECT_EQ(lines[3], (TRect{10, 20, 11, 70}));
}

TEST(Selection, MovingAgainstEveryScreenEdgeKeepsTheSize) {
  struct TCase {
    const char* Name;
    TPoint To;
    TRect Expected;
  } cases[] = {
      {"left", {-900, 151}, {0, 101, 200, 251}},    {"right", {1900, 151}, {600, 101, 800, 251}},
      {"top", {151, -900}, {101, 0, 301, 150}},     {"bottom", {151, 1900}, {101, 450, 301, 600}},
      {"top-left", {-900, -900}, {0, 0, 200, 150}}, {"bottom-right", {1900, 1900}, {600, 450, 800, 600}},
      {"inside", {160, 170}, {110, 120, 310, 270}},
  };
  for (const TCase& c : cases) {
    TSelection s = Drawn({100, 100}, {300, 250});
    ASSERT_EQ(s.Image(), (TRect{100, 100, 300, 250}));
    s.Press({150, 150}, {}, nullptr);
    s.Move({151, 151});  // one step inside first
    const TMoveResult moved = s.Move(c.To);
    EXPECT_EQ(moved.Kind, TMoveKind::Moved) << c.Name;
    EXPECT_TRUE(moved.HideMagnifier);
    EXPECT_EQ(s.Image(), c.Expected) << c.Name;
    EXPECT_EQ(s.Image().Width(), 200);
    EXPECT_EQ(s.Image().Height(), 150);
    EXPECT_EQ(s.PressPoint(), c.To);
    s.Release();
    EXPECT_EQ(s.Image(), c.Expected) << c.Name;
  }
}

TEST(Selection, ALaterPressKeepsTheSelectionInsteadOfGoingBackToTheDetectedWindow) {
  TSelection s = Drawn({100, 100}, {300, 250});
  const TWindowRecord window = Record(4, {0, 0, 400, 300});
  EXPECT_FALSE(s.Press({150, 150}, window.Rect, &window).FirstPress);
  s.Release();
  EXPECT_EQ(s.Image(), (TRect{100, 100, 300, 250}));
}

TEST(Selection, MovingIsBlockedOnTheSelectionsLeftColumnAndTopRow) {
  TSelection s = Drawn({100, 100}, {300, 250});
  s.Press({150, 150}, {}, nullptr);
  EXPECT_EQ(s.Move({100, 180}).Kind, TMoveKind::None);
  EXPECT_EQ(s.Move({180, 100}).Kind, TMoveKind::None);
}

TEST(Selection, ALockedSelectionOnlyHidesTheMagnifierUntilTheRelease) {
  TSelection s = Drawn({100, 100}, {300, 250});
  s.SetLocked(true);
  s.Press({150, 150}, {}, nullptr);
  const TMoveResult locked = s.Move({170, 170});
  EXPECT_EQ(locked.Kind, TMoveKind::Locked);
  EXPECT_TRUE(locked.HideMagnifier);
  EXPECT_EQ(s.Image(), (TRect{100, 100, 300, 250}));
  s.Release();
  s.Press({150, 150}, {}, nullptr);
  EXPECT_EQ(s.Move({170, 170}).Kind, TMoveKind::Moved);
}

TEST(Selection, TheReleaseClampsToTheOverlayEvenWithANegativeDesktopOrigin) {
  const TDesktop desktop{-1920, -300, 3840, 1380};
  TSelection s(TCaptureMode::Region, desktop);
  s.Press(desktop.ToOverlay({-1900, -250}), {}, nullptr);
  s.Move({-40, 30});  // the frame of the first drag is not clamped
  EXPECT_EQ(s.Image(), (TRect{-40, 30, 20, 50}));
  s.Release();
  EXPECT_EQ(s.Image(), (TRect{0, 30, 20, 50}));
  TSelection wide(TCaptureMode::Region, desktop);
  wide.Press({3800, 10}, {}, nullptr);
  wide.Move({3900, 1500});
  wide.Release();
  EXPECT_EQ(wide.Image(), (TRect{3800, 10, 3840, 1380}));
}

TEST(Selection, ScrollingModeStartsTheScrollingCaptureInsteadOfTheToolbar) {
  TSelection s(TCaptureMode::Scrolling, Desktop800);
  s.Press({10, 10}, {0, 0, 200, 200}, nullptr);
  const TReleaseResult release = s.Release();
  EXPECT_TRUE(release.StartScrolling);
  EXPECT_FALSE(release.ShowToolbar);
}

TEST(Selection, AReleaseWithoutAPressDoesNothing) {
  TSelection s(TCaptureMode::Region, Desktop800);
  EXPECT_FALSE(s.Release().Handled);
  EXPECT_TRUE(s.FirstSelectionPending());
}

TEST(Selection, EachHandleMovesItsEdges) {
  struct TCase {
    int Handle;
    TRect Expected;
  } cases[] = {
      {1, {50, 60, 300, 250}}, {2, {100, 60, 300, 250}}, {3, {100, 60, 50, 250}}, {4, {100, 100, 50, 250}},
      {5, {100, 100, 50, 60}}, {6, {100, 100, 300, 60}}, {7, {50, 100, 300, 60}}, {8, {50, 100, 300, 250}},
  };
  for (const TCase& c : cases) {
    TSelection s = Drawn({100, 100}, {300, 250});
    ASSERT_TRUE(s.PressHandle(c.Handle));
    s.MoveHandle({50, 60});
    EXPECT_EQ(s.Edges(), c.Expected) << "handle " << c.Handle;
    const TRect normalised =
        TRect::Normalized({c.Expected.Left, c.Expected.Top}, {c.Expected.Right, c.Expected.Bottom});
    EXPECT_EQ(s.Image(), normalised) << "handle " << c.Handle;
    EXPECT_EQ(s.Handles(), HandleRects(normalised.Left, normalised.Top, normalised.Width(), normalised.Height()));
    s.ReleaseHandle();
    EXPECT_EQ(s.Edges(), normalised);
  }
}

TEST(Selection, Handle8DraggedPastTheRightEdgeFlips) {
  TSelection s = Drawn({100, 100}, {300, 250});
  s.PressHandle(8);
  s.MoveHandle({400, 180});
  EXPECT_EQ(s.Image(), (TRect{300, 100, 400, 250}));
  s.MoveHandle({420, 180});  // the same handle keeps moving the edge it took
  EXPECT_EQ(s.Image(), (TRect{300, 100, 420, 250}));
  s.ReleaseHandle();
  EXPECT_EQ(s.Edges(), (TRect{300, 100, 420, 250}));
  EXPECT_EQ(s.ActiveHandle(), 0);
}

TEST(Selection, AHandleDraggedOntoTheOppositeEdgeGivesAnEmptySelection) {
  TSelection s = Drawn({100, 100}, {300, 250});
  s.PressHandle(8);
  s.MoveHandle({300, 180});
  EXPECT_EQ(s.Image(), (TRect{300, 100, 300, 250}));
  EXPECT_TRUE(s.Image().IsEmpty());
  s.ReleaseHandle();
  s.Press({300, 120}, {}, nullptr);
  EXPECT_TRUE(s.Release().Handled);
  EXPECT_EQ(s.Image().Width(), 0);
}

TEST(Selection, HandlesDoNothingInFullScreenModeOrBeforeASelection) {
  TSelection full(TCaptureMode::FullScreen, Desktop800);
  full.SelectAtOnce({0, 0, 800, 600}, nullptr);
  EXPECT_TRUE(full.HandlesVisible());
  EXPECT_FALSE(full.HandlesEnabled());
  EXPECT_FALSE(full.PressHandle(5));
  EXPECT_TRUE(full.MoveHandle({10, 10}).empty());
  full.Press({100, 100}, {}, nullptr);
  EXPECT_EQ(full.Move({300, 300}).Kind, TMoveKind::None);  // full screen never moves
  TSelection pending(TCaptureMode::Region, Desktop800);
  EXPECT_FALSE(pending.PressHandle(1));
  TSelection s = Drawn({100, 100}, {300, 250});
  EXPECT_FALSE(s.PressHandle(0));
  EXPECT_FALSE(s.PressHandle(9));
}

TEST(Selection, SelectingAtOnceReportsNoFurtherUsageEvent) {
  TSelection s(TCaptureMode::Window, Desktop800);
  const TWindowRecord window = Record(5, {40, 30, 500, 400});
  s.SelectAtOnce(window.Rect, &window);
  EXPECT_EQ(s.Image(), window.Rect);
  EXPECT_FALSE(s.FirstSelectionPending());
  s.Press({100, 100}, {}, nullptr);
  EXPECT_TRUE(s.Release().UsageEvent.empty());
}
