#include <gtest/gtest.h>

#include "capture/RectSet.h"
#include "capture/Selection.h"

using namespace qor;

namespace {

const TDesktop Desktop800{0, 0, 800, 600};
const TRect Drawn100{100, 100, 300, 250};

TWindowRecord Record(uintptr_t handle, TRect rect, std::u16string className = u"AppWindow",
                     std::u16string caption = u"") {
  TWindowRecord r;
  r.Handle = handle;
  r.Rect = rect;
  r.ClassName = std::move(className);
  r.Caption = std::move(caption);
  return r;
}

// A selection made by dragging from a to b and releasing (100,100 - 300,250 by default).
TSelection Drawn(TPoint a = {100, 100}, TPoint b = {300, 250}, const TDesktop& desktop = Desktop800) {
  TSelection s(TCaptureMode::Region, desktop);
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
  EXPECT_TRUE(s.Press({200, 150}, window.Rect, &window).FirstPress);
  EXPECT_TRUE(s.RecropMark());
  EXPECT_TRUE(s.Release().Handled);
  EXPECT_EQ(s.Image(), window.Rect);
  EXPECT_EQ(s.Edges(), window.Rect);
  EXPECT_FALSE(s.RecropMark() || s.FirstSelectionPending() || s.FrameDashed());
  EXPECT_TRUE(s.HandlesVisible());
}

TEST(Selection, TheUsageEventNamesHowTheFirstSelectionWasMadeAndComesOncePerRun) {
  const struct {
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
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TSelection s(TCaptureMode::Region, Desktop800);
    s.Press({50, 50}, c.Window.Rect, &c.Window);
    if (c.Drag) s.Move({90, 80});
    EXPECT_EQ(s.Release().UsageEvent, c.Expected);
    s.Press({50, 50}, {}, nullptr);
    s.Move({60, 70});
    EXPECT_TRUE(s.Release().UsageEvent.empty());
  }
  TSelection atOnce(TCaptureMode::Window, Desktop800);
  const TWindowRecord window = Record(5, {40, 30, 500, 400});
  atOnce.SelectAtOnce(window.Rect, &window);
  EXPECT_EQ(atOnce.Image(), window.Rect);
  EXPECT_FALSE(atOnce.FirstSelectionPending());
  atOnce.Press({100, 100}, {}, nullptr);
  EXPECT_TRUE(atOnce.Release().UsageEvent.empty());
}

TEST(Selection, TheFirstDragNeedsMovementOnBothAxesAndIsNormalisedWhateverItsDirection) {
  TSelection s(TCaptureMode::Region, Desktop800);
  const TWindowRecord window = Record(3, {0, 0, 400, 300});
  s.Press({300, 200}, window.Rect, &window);
  const TMoveResult flat = s.Move({200, 200});
  EXPECT_EQ(flat.Kind, TMoveKind::None);
  EXPECT_TRUE(flat.Dirty.empty());
  EXPECT_EQ(s.Move({300, 120}).Kind, TMoveKind::None);  // nor only vertical
  EXPECT_EQ(s.Image(), window.Rect);
  EXPECT_EQ(s.DetectedHandle(), 3u);
  const TMoveResult drag = s.Move({250, 180});  // w = -50, h = -20
  EXPECT_EQ(drag.Kind, TMoveKind::FirstDrag);
  EXPECT_TRUE(drag.UpdateMagnifier);
  EXPECT_TRUE(s.FrameDashed());
  EXPECT_EQ(s.DetectedHandle(), 0u);
  EXPECT_EQ(s.Image(), (TRect{250, 180, 300, 200}));
  EXPECT_EQ(s.Handles(), HandleRects(300, 200, -50, -20));  // handles follow the unnormalised drag
  s.Release();
  EXPECT_EQ(s.Image(), (TRect{250, 180, 300, 200}));
  EXPECT_EQ(s.Edges(), (TRect{250, 180, 300, 200}));
}

TEST(HandlePlacement, FollowsTheTableForAnySignOfSizeWithHalvesTruncatedTowardZero) {
  const struct {
    int32_t X, Y, W, H;
    TPoint Corners[HandleCount];  // top-left of handles 1 to 8; each is 6 x 6
  } cases[] = {
      {10, 20, 100, 50, {{8, 18}, {60, 18}, {106, 18}, {106, 45}, {106, 66}, {60, 66}, {8, 66}, {8, 45}}},
      {100, 100, 7, 5, {{98, 98}, {103, 98}, {103, 98}, {103, 102}, {103, 101}, {103, 101}, {98, 101}, {98, 102}}},
      {100, 100, -7, -5, {{91, 91}, {97, 91}, {96, 91}, {96, 98}, {96, 98}, {97, 98}, {91, 98}, {91, 98}}},
      {50, 60, 0, 0, {{48, 58}, {50, 58}, {46, 58}, {46, 60}, {46, 56}, {50, 56}, {48, 56}, {48, 60}}},
  };
  for (const auto& c : cases) {
    const THandleRects h = HandleRects(c.X, c.Y, c.W, c.H);
    for (int i = 0; i < HandleCount; ++i)
      EXPECT_EQ(h[size_t(i)], TRect::FromSize(c.Corners[i].X, c.Corners[i].Y, 6, 6))
          << c.W << " x " << c.H << ", handle " << i + 1;
  }
}

TEST(Selection, MovingAgainstEveryScreenEdgeKeepsTheSizeAndALaterPressKeepsTheSelection) {
  const struct {
    const char* Name;
    TPoint To;
    TRect Expected;
  } cases[] = {
      {"left", {-900, 151}, {0, 101, 200, 251}},
      {"right", {1900, 151}, {600, 101, 800, 251}},
      {"top", {151, -900}, {101, 0, 301, 150}},
      {"bottom", {151, 1900}, {101, 450, 301, 600}},
      {"bottom-right", {1900, 1900}, {600, 450, 800, 600}},
      {"inside", {160, 170}, {110, 120, 310, 270}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TSelection s = Drawn();
    const TWindowRecord window = Record(4, {0, 0, 400, 300});
    EXPECT_FALSE(s.Press({150, 150}, window.Rect, &window).FirstPress);  // not back to the detected window
    s.Move({151, 151});                                                  // one step inside first
    const TMoveResult moved = s.Move(c.To);
    EXPECT_EQ(moved.Kind, TMoveKind::Moved);
    EXPECT_TRUE(moved.HideMagnifier);
    EXPECT_EQ(s.Image(), c.Expected);
    EXPECT_EQ(s.PressPoint(), c.To);
    s.Release();
    EXPECT_EQ(s.Image(), c.Expected);
  }
}

TEST(Selection, MovingIsBlockedOnTheLeftColumnAndTopRowAndWhileLocked) {
  TSelection s = Drawn();
  s.Press({150, 150}, {}, nullptr);
  EXPECT_EQ(s.Move({100, 180}).Kind, TMoveKind::None);
  EXPECT_EQ(s.Move({180, 100}).Kind, TMoveKind::None);
  s.Release();
  s.SetLocked(true);
  s.Press({150, 150}, {}, nullptr);
  const TMoveResult locked = s.Move({170, 170});
  EXPECT_EQ(locked.Kind, TMoveKind::Locked);
  EXPECT_TRUE(locked.HideMagnifier);  // only that, until the release
  EXPECT_EQ(s.Image(), Drawn100);
  s.Release();
  s.Press({150, 150}, {}, nullptr);
  EXPECT_EQ(s.Move({170, 170}).Kind, TMoveKind::Moved);
}

TEST(Selection, TheReleaseClampsToTheOverlayEvenWithANegativeDesktopOrigin) {
  const TDesktop desktop{-1920, -300, 3840, 1380};
  TSelection s(TCaptureMode::Region, desktop);
  s.Press(desktop.ToOverlay({-1900, -250}), {}, nullptr);
  s.Move({-40, 30});
  EXPECT_EQ(s.Image(), (TRect{-40, 30, 20, 50}));  // the frame of the first drag is not clamped
  s.Release();
  EXPECT_EQ(s.Image(), (TRect{0, 30, 20, 50}));
  EXPECT_EQ(Drawn({3800, 10}, {3900, 1500}, desktop).Image(), (TRect{3800, 10, 3840, 1380}));
}

TEST(Selection, AReleaseWithoutAPressDoesNothingAndScrollingModeStartsTheScrollingCapture) {
  TSelection s(TCaptureMode::Region, Desktop800);
  EXPECT_FALSE(s.Release().Handled);
  EXPECT_TRUE(s.FirstSelectionPending());
  TSelection scrolling(TCaptureMode::Scrolling, Desktop800);
  scrolling.Press({10, 10}, {0, 0, 200, 200}, nullptr);
  const TReleaseResult release = scrolling.Release();
  EXPECT_TRUE(release.StartScrolling);
  EXPECT_FALSE(release.ShowToolbar);
}

TEST(Selection, EachHandleMovesItsEdges) {
  const struct {
    int Handle;
    TRect Expected;
  } cases[] = {
      {1, {50, 60, 300, 250}}, {2, {100, 60, 300, 250}}, {3, {100, 60, 50, 250}}, {4, {100, 100, 50, 250}},
      {5, {100, 100, 50, 60}}, {6, {100, 100, 300, 60}}, {7, {50, 100, 300, 60}}, {8, {50, 100, 300, 250}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Handle);
    TSelection s = Drawn();
    ASSERT_TRUE(s.PressHandle(c.Handle));
    s.MoveHandle({50, 60});
    EXPECT_EQ(s.Edges(), c.Expected);
    const TRect normalised =
        TRect::Normalized({c.Expected.Left, c.Expected.Top}, {c.Expected.Right, c.Expected.Bottom});
    EXPECT_EQ(s.Image(), normalised);
    s.ReleaseHandle();
    EXPECT_EQ(s.Edges(), normalised);
  }
}

TEST(Selection, AHandleDraggedOntoOrPastTheOppositeEdgeGivesAnEmptyOrFlippedSelection) {
  TSelection s = Drawn();
  s.PressHandle(8);
  s.MoveHandle({300, 180});
  EXPECT_EQ(s.Image(), (TRect{300, 100, 300, 250}));
  s.MoveHandle({400, 180});
  EXPECT_EQ(s.Image(), (TRect{300, 100, 400, 250}));
  s.MoveHandle({420, 180});  // the same handle keeps moving the edge it took
  s.ReleaseHandle();
  EXPECT_EQ(s.Edges(), (TRect{300, 100, 420, 250}));
  EXPECT_EQ(s.ActiveHandle(), 0);

  TSelection empty = Drawn();
  empty.PressHandle(8);
  empty.MoveHandle({300, 180});
  empty.ReleaseHandle();
  empty.Press({300, 120}, {}, nullptr);
  EXPECT_TRUE(empty.Release().Handled);
  EXPECT_EQ(empty.Image().Width(), 0);
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
  EXPECT_FALSE(TSelection(TCaptureMode::Region, Desktop800).PressHandle(1));
  TSelection s = Drawn();
  EXPECT_FALSE(s.PressHandle(0));
  EXPECT_FALSE(s.PressHandle(9));
}
