#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "capture/WindowList.h"
#include "tests/unit/capture/TestWindows.h"

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

TWindowInfo With(TWindowInfo w, bool TWindowInfo::*flag, bool value) {
  w.*flag = value;
  return w;
}

TWindowList Build(const std::vector<TWindowInfo>& windows, const TDesktop& desktop = Desktop1080) {
  return TWindowList::Build(windows, desktop, DesktopHandle, false);
}

const TRect Parked{-32000, -32000, -31840, -31972};

}  // namespace

TEST(WindowList, FindsTheTopMostWindowContainingAPointWithExclusiveRightAndBottomEdges) {
  const struct {
    const char* Name;
    std::vector<TWindowInfo> Windows;  // top to bottom
    size_t Records;                    // the desktop included
    std::vector<std::pair<TPoint, uintptr_t>> Hits;
  } cases[] = {
      {"a dialog over a large window",
       {Window(2, {100, 100, 300, 250}), Window(1, {0, 0, 1000, 800})},
       3,
       {{{150, 150}, 2}, {{50, 50}, 1}, {{1500, 900}, DesktopHandle}}},
      {"a larger window on top of a smaller one (area order puts the small one first)",
       {Window(1, {0, 0, 1000, 800}), Window(2, {900, 700, 1100, 900})},
       3,
       {{{950, 750}, 1}, {{1050, 850}, 2}}},
      {"a window covered by the union of two, neither covering it alone, is dropped",
       {Window(1, {0, 0, 300, 600}), Window(2, {300, 0, 600, 600}), Window(3, {100, 100, 500, 500})},
       3,
       {{{350, 300}, 2}}},
      {"a partly visible window is kept",
       {Window(1, {0, 0, 300, 600}), Window(2, {300, 0, 600, 599}), Window(3, {100, 100, 500, 600})},
       4,
       {{{400, 599}, 3}}},
      {"hidden windows neither count nor cover",
       {With(Window(9, {0, 0, 1920, 1080}), &TWindowInfo::Visible, false), Window(1, {10, 10, 200, 200})},
       2,
       {{{20, 20}, 1}}},
      {"child-style windows skip the covered test",
       {Window(1, {0, 0, 800, 600}), With(Window(3, {10, 10, 50, 50}), &TWindowInfo::Child, true)},
       3,
       {}},
      {"suspended and parked windows are skipped",
       {With(Window(5, {10, 10, 400, 400}), &TWindowInfo::Suspended, true), Window(6, Parked),
        Window(7, {0, 0, 50, 50})},
       2,
       {{{20, 20}, 7}}},
      {"edges",
       {Window(1, {100, 100, 200, 200})},
       2,
       {{{100, 100}, 1}, {{199, 199}, 1}, {{200, 150}, DesktopHandle}, {{150, 200}, DesktopHandle}}},
      {"the bottom window lies above the desktop", {Window(1, {0, 0, 1920, 1080}, u"Progman")}, 2, {{{5, 5}, 1}}},
      {"an empty desktop", {}, 1, {{{700, 500}, DesktopHandle}, {{-1, 5}, 0}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const TWindowList list = Build(c.Windows);
    EXPECT_EQ(list.Records().size(), c.Records);
    for (const auto& [point, handle] : c.Hits) EXPECT_EQ(list.WindowAt(point).Handle(), handle) << point.X;
  }
  EXPECT_EQ(Build({}).WindowAt({700, 500}).Rect, (TRect{0, 0, 1920, 1080}));
  EXPECT_EQ(TWindowList::Build({Window(1, {0, 0, 10, 10})}, Desktop1080, DesktopHandle, true).Records().size(), 1u)
      << "full-screen mode makes only the desktop record";
}

TEST(WindowList, RecordsAreSortedByAreaWithTheDesktopLastAndStableForEqualAreas) {
  const TWindowList list = Build({Window(1, {0, 0, 100, 100}), Window(2, {500, 500, 700, 700}),
                                  Window(3, {200, 200, 300, 300}), Window(4, {800, 0, 810, 10})});
  std::vector<uintptr_t> handles;
  for (const TWindowRecord& r : list.Records()) handles.push_back(r.Handle);
  EXPECT_EQ(handles, (std::vector<uintptr_t>{4, 1, 3, 2, DesktopHandle}));  // 1 and 3: top-to-bottom order kept
  EXPECT_EQ(list.Records()[4].ZOrder, 5);                                   // below every accepted window
  EXPECT_EQ(list.Records()[1].ZOrder, 1);
}

TEST(WindowList, NegativeDesktopOriginConvertsToOverlayCoordinates) {
  // A secondary monitor left of and above the primary one: the desktop starts at -1920, -200.
  const TDesktop desktop{-1920, -200, 3840, 1280};
  const TWindowList list =
      Build({Window(1, {-1800, -150, -100, -20}), Window(2, {100, 100, 700, 500}), Window(3, Parked)}, desktop);
  ASSERT_EQ(list.Records().size(), 3u);  // the window on the upper-left monitor is kept, the parked one is not
  EXPECT_EQ(list.WindowAt(desktop.ToOverlay({-1000, -100})).Rect, (TRect{120, 50, 1820, 180}));
  EXPECT_EQ(list.WindowAt(desktop.ToOverlay({200, 200})).Rect, (TRect{2020, 300, 2620, 700}));
  EXPECT_EQ(list.Records().back().Rect, (TRect{0, 0, 3840, 1280}));
}

TEST(WindowList, HitTestingTwoHundredWindowsAgreesWithTheTopMostContainingWindow) {
  std::mt19937 random(7);
  const std::vector<TWindowInfo> windows = test::RandomWindows(200);
  const TWindowList list = Build(windows, TDesktop{0, 0, 3840, 2160});
  // Reference: the first record containing the point in top-to-bottom order.
  std::vector<const TWindowRecord*> byZ;
  for (const TWindowRecord& r : list.Records()) byZ.push_back(&r);
  std::sort(byZ.begin(), byZ.end(), [](auto* a, auto* b) { return a->ZOrder < b->ZOrder; });
  std::uniform_int_distribution<int32_t> px(0, 3839), py(0, 2159);
  for (int i = 0; i < 2000; ++i) {
    const TPoint p{px(random), py(random)};
    const auto found = std::find_if(byZ.begin(), byZ.end(), [&](auto* r) { return r->Rect.Contains(p); });
    ASSERT_EQ(list.WindowAt(p).Record, found == byZ.end() ? nullptr : *found) << p.X << "," << p.Y;
  }
  EXPECT_GT(list.Records().size(), 20u);
}

TEST(WindowList, WindowModeTakesTheTopMostSuitableWindowElseTheDesktopWithoutAWindow) {
  const struct {
    std::vector<TWindowInfo> Windows;
    uintptr_t Handle;
    TRect Rect;
  } cases[] = {
      {{Window(1, {10, 10, 50, 50}), Window(2, {0, 0, 800, 600})}, 2, {0, 0, 800, 600}},  // a small tool window
      {{Window(1, {100, 100, 400, 300}), Window(2, {50, 50, 900, 700}), Window(3, {1000, 0, 1100, 100})},
       1,
       {100, 100, 400, 300}},
      {{Window(1, {100, 100, 900, 700})}, 1, {100, 100, 900, 700}},  // the only window there is
      {{Window(1, {0, 1040, 1920, 1080}, u"Shell_TrayWnd"), Window(2, {5, 5, 30, 30})}, 0, {0, 0, 1920, 1080}},
  };
  for (const auto& c : cases) {
    const TWindowList list = Build(c.Windows);
    const TWindowHit hit = list.WindowModePick();
    EXPECT_EQ(hit.Handle(), c.Handle);
    EXPECT_EQ(hit.Rect, c.Rect);
  }
}

TEST(WindowList, WindowModePassesOverTinyWindowsTaskbarsAndThePinProgramsWindows) {
  const struct {
    const char* Name;
    TRect Rect;
    std::u16string ClassName, ParentClassName;
    bool Skipped;
  } cases[] = {
      {"both sides below 55", {0, 0, 54, 54}, u"A", u"", true},
      {"wide but short", {0, 0, 54, 55}, u"A", u"", false},
      {"narrow but tall", {0, 0, 40, 60}, u"A", u"", false},
      {"height below 10", {0, 0, 500, 9}, u"A", u"", true},
      {"height 10", {0, 0, 500, 10}, u"A", u"", false},
      // One of each kind of class the code lists, not the list again.
      {"taskbar", {0, 1040, 1920, 1080}, u"Shell_TrayWnd", u"", true},
      {"pinned picture", {0, 0, 500, 500}, u"TFormPinned", u"", true},
      {"owned by a pinned picture", {0, 0, 500, 500}, u"Other", u"TFormPinned", true},
      {"class names are exact", {0, 0, 500, 500}, u"tformpinned", u"", false},
  };
  for (const auto& c : cases) {
    TWindowRecord record;
    record.Rect = c.Rect;
    record.ClassName = c.ClassName;
    record.ParentClassName = c.ParentClassName;
    EXPECT_EQ(TWindowList::SkippedByWindowMode(record), c.Skipped) << c.Name;
  }
}

TEST(WindowList, FullyCoveredNeedsEveryPixel) {
  EXPECT_TRUE(IsFullyCovered({10, 10, 20, 20}, {{0, 0, 15, 30}, {15, 0, 30, 30}}));
  EXPECT_FALSE(IsFullyCovered({10, 10, 20, 20}, {{0, 0, 15, 30}, {16, 0, 30, 30}}));
  EXPECT_FALSE(IsFullyCovered({10, 10, 20, 20}, {}));
  EXPECT_TRUE(IsFullyCovered({10, 10, 10, 20}, {}));  // an empty rectangle has nothing to show
}
