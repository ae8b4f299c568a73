#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "capture/WindowList.h"

using namespace qor;

namespace {

constexpr uintptr_t DesktopHandle = 0x10010;
const TDesktop Desktop1080{0, 0, 1920, 1080};

TWindowInfo Window(uintptr_t handle, TRect rect, std::u16string className = u"AppWindow") {
  TWindowInfo w;
  w.Handle = handle;
  w.Rect = rect;
  w.ClassName = std::move(className);
  return w;
}

TWindowList Build(const std::vector<TWindowInfo>& windows, const TDesktop& desktop = Desktop1080) {
  return TWindowList::Build(windows, desktop, DesktopHandle, false);
}

}  // namespace

TEST(WindowList, TheDialogOverALargeWindowIsFound) {
  const TWindowList list = Build({Window(2, {100, 100, 300, 250}), Window(1, {0, 0, 1000, 800})});
  EXPECT_EQ(list.WindowAt({150, 150}).Handle(), 2u);
  EXPECT_EQ(list.WindowAt({150, 150}).Rect, (TRect{100, 100, 300, 250}));
  EXPECT_EQ(list.WindowAt({50, 50}).Handle(), 1u);
  EXPECT_EQ(list.WindowAt({1500, 900}).Handle(), DesktopHandle);
}

TEST(WindowList, TheLargerWindowOnTopWinsOverTheSmallerBelow) {
  // Area order puts the small window first; the z-order index still decides.
  const TWindowList list = Build({Window(1, {0, 0, 1000, 800}), Window(2, {900, 700, 1100, 900})});
  ASSERT_EQ(list.Records().size(), 3u);
  EXPECT_EQ(list.Records()[0].Handle, 2u);
  EXPECT_EQ(list.WindowAt({950, 750}).Handle(), 1u);
  EXPECT_EQ(list.WindowAt({1050, 850}).Handle(), 2u);
}

TEST(WindowList, AWindowCoveredByTheUnionOfTwoWindowsIsNeverFound) {
  // Neither window above covers it alone.
  const TWindowList list =
      Build({Window(1, {0, 0, 300, 600}), Window(2, {300, 0, 600, 600}), Window(3, {100, 100, 500, 500})});
  for (const TWindowRecord& r : list.Records()) EXPECT_NE(r.Handle, 3u);
  EXPECT_EQ(list.WindowAt({350, 300}).Handle(), 2u);
}

TEST(WindowList, APartlyVisibleWindowIsKept) {
  const TWindowList list =
      Build({Window(1, {0, 0, 300, 600}), Window(2, {300, 0, 600, 599}), Window(3, {100, 100, 500, 600})});
  EXPECT_EQ(list.WindowAt({400, 599}).Handle(), 3u);
}

TEST(WindowList, HiddenWindowsNeitherCountNorCover) {
  TWindowInfo hidden = Window(9, {0, 0, 1920, 1080});
  hidden.Visible = false;
  const TWindowList list = Build({hidden, Window(1, {10, 10, 200, 200})});
  ASSERT_EQ(list.Records().size(), 2u);
  EXPECT_EQ(list.WindowAt({20, 20}).Handle(), 1u);
}

TEST(WindowList, ChildStyleWindowsSkipTheCoveredTest) {
  TWindowInfo child = Window(3, {10, 10, 50, 50});
  child.Child = true;
  const TWindowList list = Build({Window(1, {0, 0, 800, 600}), child});
  EXPECT_EQ(list.Records().size(), 3u);
}

TEST(WindowList, SuspendedAndParkedWindowsAreSkipped) {
  TWindowInfo suspended = Window(5, {10, 10, 400, 400});
  suspended.Suspended = true;
  const TWindowList list = Build({suspended, Window(6, {-32000, -32000, -31840, -31972}), Window(7, {0, 0, 50, 50})});
  ASSERT_EQ(list.Records().size(), 2u);
  EXPECT_EQ(list.Records()[0].Handle, 7u);
  EXPECT_EQ(list.WindowAt({20, 20}).Handle(), 7u);
}

TEST(WindowList, AnEmptyDesktopGivesTheWholeDesktop) {
  const TWindowList list = Build({});
  ASSERT_EQ(list.Records().size(), 1u);
  const TWindowHit hit = list.WindowAt({700, 500});
  EXPECT_EQ(hit.Rect, (TRect{0, 0, 1920, 1080}));
  EXPECT_EQ(hit.Handle(), DesktopHandle);
  EXPECT_EQ(list.Records()[0].ZOrder, 1);
}

TEST(WindowList, FullScreenModeMakesOnlyTheDesktopRecord) {
  const TWindowList list = TWindowList::Build({Window(1, {0, 0, 10, 10})}, Desktop1080, DesktopHandle, true);
  ASSERT_EQ(list.Records().size(), 1u);
  EXPECT_EQ(list.Records()[0].Handle, DesktopHandle);
}

TEST(WindowList, RectanglesAreExclusiveOnTheRightAndBottom) {
  const TWindowList list = Build({Window(1, {100, 100, 200, 200})});
  EXPECT_EQ(list.WindowAt({100, 100}).Handle(), 1u);
  EXPECT_EQ(list.WindowAt({199, 199}).Handle(), 1u);
  EXPECT_EQ(list.WindowAt({200, 150}).Handle(), DesktopHandle);
  EXPECT_EQ(list.WindowAt({150, 200}).Handle(), DesktopHandle);
}

TEST(WindowList, APointOutsideEveryRecordGivesNothing) {
  const TWindowList list = Build({});
  const TWindowHit hit = list.WindowAt({-1, 5});
  EXPECT_EQ(hit.Record, nullptr);
  EXPECT_EQ(hit.Rect, TRect{});
}

TEST(WindowList, RecordsAreSortedByAreaWithTheDesktopLastAndStableForEqualAreas) {
  const TWindowList list = Build({Window(1, {0, 0, 100, 100}), Window(2, {500, 500, 700, 700}),
                                  Window(3, {200, 200, 300, 300}), Window(4, {800, 0, 810, 10})});
  const auto& r = list.Records();
  ASSERT_EQ(r.size(), 5u);
  EXPECT_EQ(r[0].Handle, 4u);
  EXPECT_EQ(r[1].Handle, 1u);  // equal areas: top-to-bottom order kept
  EXPECT_EQ(r[2].Handle, 3u);
  EXPECT_EQ(r[3].Handle, 2u);
  EXPECT_EQ(r[4].Handle, DesktopHandle);
  EXPECT_EQ(r[4].ZOrder, 5);  // below every accepted window
  EXPECT_EQ(r[1].ZOrder, 1);
  EXPECT_EQ(r[1].Area, 10000);
}

TEST(WindowList, TheBottomWindowLiesAboveTheDesktop) {
  const TWindowList list = Build({Window(1, {0, 0, 1920, 1080}, u"Progman")});
  EXPECT_EQ(list.WindowAt({5, 5}).Handle(), 1u);
  // The window mode can take the only window there is.
  EXPECT_EQ(Build({Window(1, {100, 100, 900, 700})}).WindowModePick().Handle(), 1u);
}

TEST(WindowList, NegativeDesktopOriginConvertsToOverlayCoordinates) {
  // A secondary monitor left of and above the primary one: the desktop starts at -1920, -200.
  const TDesktop desktop{-1920, -200, 3840, 1280};
  const TWindowList list = Build({Window(1, {-1800, -150, -100, -20}), Window(2, {100, 100, 700, 500}),
                                  Window(3, {-32000, -32000, -31840, -31972})},
                                 desktop);
  ASSERT_EQ(list.Records().size(), 3u);  // the window on the upper-left monitor is kept, the parked one is not
  EXPECT_EQ(list.WindowAt(desktop.ToOverlay({-1000, -100})).Rect, (TRect{120, 50, 1820, 180}));
  EXPECT_EQ(list.WindowAt(desktop.ToOverlay({200, 200})).Rect, (TRect{2020, 300, 2620, 700}));
  EXPECT_EQ(list.Records().back().Rect, (TRect{0, 0, 3840, 1280}));
}

TEST(WindowList, HitTestingTwoHundredWindowsAgreesWithTheTopMostContainingWindow) {
  std::mt19937 random(42);
  std::uniform_int_distribution<int32_t> x(-100, 3800), y(-100, 2100), size(20, 1200);
  std::vector<TWindowInfo> windows;
  for (uintptr_t i = 1; i <= 200; ++i) {
    const int32_t left = x(random), top = y(random);
    windows.push_back(Window(i, {left, top, left + size(random), top + size(random)}));
  }
  const TDesktop desktop{0, 0, 3840, 2160};
  const TWindowList list = Build(windows, desktop);
  // Reference: the first record containing the point in top-to-bottom order.
  std::vector<const TWindowRecord*> byZ;
  for (const TWindowRecord& r : list.Records()) byZ.push_back(&r);
  std::sort(byZ.begin(), byZ.end(),
            [](const TWindowRecord* a, const TWindowRecord* b) { return a->ZOrder < b->ZOrder; });
  std::uniform_int_distribution<int32_t> px(0, 3839), py(0, 2159);
  for (int i = 0; i < 2000; ++i) {
    const TPoint p{px(random), py(random)};
    const TWindowRecord* expected = nullptr;
    for (const TWindowRecord* r : byZ)
      if (r->Rect.Contains(p)) {
        expected = r;
        break;
      }
    ASSERT_EQ(list.WindowAt(p).Record, expected) << p.X << "," << p.Y;
  }
  EXPECT_GT(list.Records().size(), 20u);
}

TEST(WindowList, WindowModePassesOverASmallToolWindow) {
  const TWindowList list = Build({Window(1, {10, 10, 50, 50}), Window(2, {0, 0, 800, 600})});
  const TWindowHit hit = list.WindowModePick();
  EXPECT_EQ(hit.Handle(), 2u);
  EXPECT_EQ(hit.Rect, (TRect{0, 0, 800, 600}));
}

TEST(WindowList, WindowModeTakesTheTopMostSuitableWindow) {
  const TWindowList list =
      Build({Window(1, {100, 100, 400, 300}), Window(2, {50, 50, 900, 700}), Window(3, {1000, 0, 1100, 100})});
  EXPECT_EQ(list.WindowModePick().Handle(), 1u);
}

struct TWindowModeCase {
  const char* Name;
  TRect Rect;
  std::u16string ClassName;
  std::u16string ParentClassName;
  bool Skipped;
};

TEST(WindowList, WindowModeExclusions) {
  const TWindowModeCase cases[] = {
      {"both sides below 55", {0, 0, 54, 54}, u"A", u"", true},
      {"wide but short", {0, 0, 54, 55}, u"A", u"", false},
      {"narrow but tall", {0, 0, 40, 60}, u"A", u"", false},
      {"height below 10", {0, 0, 500, 9}, u"A", u"", true},
      {"height 10", {0, 0, 500, 10}, u"A", u"", false},
      {"taskbar", {0, 1040, 1920, 1080}, u"Shell_TrayWnd", u"", true},
      {"secondary taskbar", {0, 1040, 1920, 1080}, u"Shell_SecondaryTrayWnd", u"", true},
      {"pinned picture", {0, 0, 500, 500}, u"TFormPinned", u"", true},
      {"pin tools", {0, 0, 500, 500}, u"TFormTools", u"", true},
      {"pin small tools", {0, 0, 500, 500}, u"TFormSmallTools", u"", true},
      {"pin save path", {0, 0, 500, 500}, u"TFormSavePath", u"", true},
      {"owned by a pinned picture", {0, 0, 500, 500}, u"Other", u"TFormPinned", true},
      {"class names are exact", {0, 0, 500, 500}, u"tformpinned", u"", false},
  };
  for (const TWindowModeCase& c : cases) {
    TWindowRecord record;
    record.Rect = c.Rect;
    record.ClassName = c.ClassName;
    record.ParentClassName = c.ParentClassName;
    EXPECT_EQ(TWindowList::SkippedByWindowMode(record), c.Skipped) << c.Name;
  }
}

TEST(WindowList, WindowModeWithNothingSuitableGivesTheDesktopWithoutAWindow) {
  const TWindowList list = Build({Window(1, {0, 1040, 1920, 1080}, u"Shell_TrayWnd"), Window(2, {5, 5, 30, 30})});
  const TWindowHit hit = list.WindowModePick();
  EXPECT_EQ(hit.Rect, (TRect{0, 0, 1920, 1080}));
  EXPECT_EQ(hit.Handle(), 0u);
}

TEST(WindowList, FullyCoveredNeedsEveryPixel) {
  EXPECT_TRUE(IsFullyCovered({10, 10, 20, 20}, {{0, 0, 15, 30}, {15, 0, 30, 30}}));
  EXPECT_FALSE(IsFullyCovered({10, 10, 20, 20}, {{0, 0, 15, 30}, {16, 0, 30, 30}}));
  EXPECT_FALSE(IsFullyCovered({10, 10, 20, 20}, {}));
  EXPECT_TRUE(IsFullyCovered({10, 10, 10, 20}, {}));  // an empty rectangle has nothing to show
}
