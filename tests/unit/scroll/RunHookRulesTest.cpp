#include "scroll/RunHookRules.h"

#include <gtest/gtest.h>

namespace qor {
namespace {

using K = TMouseEventKind;
using V = TMouseVerdict;

// A throttle that has just let a step through at tick 0 (the next three notches are only counted).
struct TMouseHook : ::testing::Test {
  TWheelThrottle Throttle{0};
  uint32_t Now = 10'000;

  TMouseDecision Decide(TMouseFacts facts) { return DecideMouseEvent(facts, Throttle, Now += 1000); }
  static TMouseFacts Event(K kind, bool inside = true) {
    TMouseFacts f;
    f.Kind = kind;
    f.InsideCapture = inside;
    f.UnderIsTargetOrChild = inside;
    return f;
  }
  // Notches that reach the target until one becomes a step (at most limit).
  int NotchesUntilStep(TMouseFacts facts, int limit = 10) {
    for (int i = 1; i <= limit; ++i)
      if (Decide(facts).Verdict == V::TakeStep) return i;
    return 0;
  }
};

TEST_F(TMouseHook, RightButtonIsSwallowedEverywhereAlsoWhileBusy) {
  for (K kind : {K::RightDown, K::RightUp}) {
    for (bool busy : {false, true}) {
      for (bool toolbar : {false, true}) {
        TMouseFacts f = Event(kind, !toolbar);
        f.Busy = busy;
        f.UnderIsToolbarPanel = toolbar;
        f.HasWindowUnderPoint = !busy;
        EXPECT_EQ(Decide(f).Verdict, V::Swallow) << int(kind) << busy << toolbar;
      }
    }
  }
}

TEST_F(TMouseHook, MovesAndOtherButtonsPassUntouched) {
  TMouseFacts f = Event(K::Other, false);
  EXPECT_EQ(Decide(f), TMouseDecision{});
  // A click where no window is found passes too.
  f = Event(K::LeftDown, false);
  f.HasWindowUnderPoint = false;
  EXPECT_EQ(Decide(f), TMouseDecision{});
}

TEST_F(TMouseHook, WheelOutsideTheRegionNeverReachesAWindow) {
  for (bool busy : {false, true}) {
    TMouseFacts f = Event(K::Wheel, false);
    f.Busy = busy;
    f.UnderIsToolbarPanel = true;  // even over the toolbar
    const TMouseDecision d = Decide(f);
    EXPECT_EQ(d.Verdict, V::Swallow);
    EXPECT_FALSE(d.RaiseToolbar || d.FocusTarget);
  }
  // Those notches were not counted: a full four are still needed inside.
  EXPECT_EQ(NotchesUntilStep(Event(K::Wheel)), 4);
}

TEST_F(TMouseHook, FourNotchesInsideTheRegionMakeOneStep) {
  TMouseFacts f = Event(K::Wheel);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Decide(f).Verdict, V::Swallow);
  EXPECT_EQ(Decide(f).Verdict, V::TakeStep);
  EXPECT_EQ(NotchesUntilStep(f), 4);
}

TEST_F(TMouseHook, WheelFocusesTheTargetOnlyWhenItLostFocusAndAlwaysRaisesTheToolbar) {
  TMouseFacts f = Event(K::Wheel);
  TMouseDecision d = Decide(f);
  EXPECT_FALSE(d.FocusTarget);
  EXPECT_TRUE(d.RaiseToolbar);
  f.TargetHasFocus = false;
  d = Decide(f);
  EXPECT_TRUE(d.FocusTarget);
  EXPECT_TRUE(d.RaiseToolbar);
}

TEST_F(TMouseHook, WheelHidesTheUsageTipEvenWhenTheNotchIsSwallowed) {
  TMouseFacts f = Event(K::Wheel);
  f.TipShowsUsage = true;
  const TMouseDecision d = Decide(f);
  EXPECT_EQ(d.Verdict, V::Swallow);
  EXPECT_TRUE(d.HideUsageTip);
  f.TipShowsUsage = false;
  EXPECT_FALSE(Decide(f).HideUsageTip);
}

TEST_F(TMouseHook, LeftClicksPassOnlyOnTheToolbar) {
  for (K kind : {K::LeftDown, K::LeftUp}) {
    for (bool inside : {false, true}) {
      TMouseFacts f = Event(kind, inside);
      EXPECT_EQ(Decide(f).Verdict, V::Swallow) << int(kind) << inside;
      f.UnderIsTargetOrChild = false;
      f.UnderIsToolbarPanel = true;
      const TMouseDecision d = Decide(f);
      EXPECT_EQ(d.Verdict, V::PassOn) << int(kind) << inside;
      EXPECT_FALSE(d.RaiseToolbar || d.FocusTarget);
    }
  }
}

TEST_F(TMouseHook, WheelOverTheToolbarInsideTheRegionScrollsNothing) {
  TMouseFacts f = Event(K::Wheel);
  f.UnderIsTargetOrChild = false;
  f.UnderIsToolbarPanel = true;
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Decide(f).Verdict, V::PassOn);
  // Not counted by the throttle.
  EXPECT_EQ(NotchesUntilStep(Event(K::Wheel)), 4);
}

TEST_F(TMouseHook, WhileBusyOnlyLeftDownsOnTheTargetInsideTheRegionAreSwallowed) {
  auto busy = [](K kind, bool inside, bool onTarget) {
    TMouseFacts f = Event(kind, inside);
    f.UnderIsTargetOrChild = onTarget;
    f.Busy = true;
    return f;
  };
  EXPECT_EQ(Decide(busy(K::LeftDown, true, true)).Verdict, V::Swallow);
  EXPECT_EQ(Decide(busy(K::LeftDown, true, false)).Verdict, V::PassOn);  // a dialog over the region
  EXPECT_EQ(Decide(busy(K::LeftDown, false, true)).Verdict, V::PassOn);  // the target beside the region
  EXPECT_EQ(Decide(busy(K::LeftDown, false, false)).Verdict, V::PassOn);
  EXPECT_EQ(Decide(busy(K::LeftUp, true, true)).Verdict, V::PassOn);
  // Wheels pass untouched: no step, no focus change, no toolbar raise, and nothing counted.
  TMouseFacts wheel = busy(K::Wheel, true, true);
  wheel.TargetHasFocus = false;
  wheel.TipShowsUsage = true;
  for (int i = 0; i < 6; ++i) EXPECT_EQ(Decide(wheel), TMouseDecision{});
  EXPECT_EQ(NotchesUntilStep(Event(K::Wheel)), 4);
}

TKeyDecision Key(uint32_t key, bool ctrl, bool toolbarVisible = true, bool saveDialogOpen = false) {
  return DecideKeyEvent({key, ctrl, toolbarVisible, saveDialogOpen});
}

TEST(KeyHook, CtrlShortcutsReachNoWindowAndCopyOrSaveGoToTheToolbar) {
  EXPECT_EQ(Key('A', true), (TKeyDecision{true, -1}));
  EXPECT_EQ(Key('V', true), (TKeyDecision{true, -1}));
  EXPECT_EQ(Key(VkC, true), (TKeyDecision{true, 1}));
  EXPECT_EQ(Key(VkS, true), (TKeyDecision{true, 2}));
  // Without the toolbar nothing is posted, but the shortcut is still kept from the captured window.
  EXPECT_EQ(Key(VkC, true, false), (TKeyDecision{true, -1}));
  EXPECT_EQ(Key(VkS, true, false), (TKeyDecision{true, -1}));
  // Without Ctrl the letters are plain keys.
  EXPECT_EQ(Key(VkC, false), TKeyDecision{});
  EXPECT_EQ(Key('A', false), TKeyDecision{});
}

TEST(KeyHook, EscapeAndWindowsKeysAreTakenOnlyWhileTheToolbarShows) {
  EXPECT_EQ(Key(VkEscape, false), (TKeyDecision{true, 0}));
  EXPECT_EQ(Key(VkEscape, false, false), TKeyDecision{});
  for (uint32_t win : {VkLeftWin, VkRightWin}) {
    EXPECT_EQ(Key(win, false), (TKeyDecision{true, -1}));
    EXPECT_EQ(Key(win, false, false), TKeyDecision{});
  }
}

TEST(KeyHook, EveryKeyPassesWhileASaveDialogIsOpen) {
  for (uint32_t key : {VkEscape, VkC, VkS, uint32_t('A'), VkLeftWin, VkRightWin}) {
    for (bool ctrl : {false, true}) EXPECT_EQ(Key(key, ctrl, true, true), TKeyDecision{}) << key << ctrl;
  }
}

}  // namespace
}  // namespace qor
