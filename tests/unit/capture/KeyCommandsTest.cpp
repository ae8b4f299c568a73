#include <gtest/gtest.h>

#include "capture/KeyCommands.h"

using namespace qor;

namespace {

TKeyContext Selected() {
  TKeyContext c;
  c.UndoEnabled = c.CopyEnabled = c.SaveEnabled = true;
  return c;
}

constexpr TModifiers Ctrl{true, false, false};

}  // namespace

TEST(KeyCommands, OnlyExactlyCtrlCounts) {
  struct TCase {
    TModifiers Modifiers;
    bool Runs;
  } cases[] = {
      {{true, false, false}, true},  {{true, true, false}, false},   {{true, false, true}, false},
      {{true, true, true}, false},   {{false, false, false}, false}, {{false, true, false}, false},
      {{false, false, true}, false},
  };
  for (const TCase& c : cases) {
    for (TKey key : {TKey::Z, TKey::C, TKey::S}) {
      TKeyCommands keys(1000);
      const TKeyAction action = keys.OnKey(key, c.Modifiers, Selected(), 2000);
      EXPECT_EQ(action != TKeyAction::None, c.Runs)
          << "ctrl " << c.Modifiers.Ctrl << " shift " << c.Modifiers.Shift << " alt " << c.Modifiers.Alt;
    }
  }
  TKeyCommands keys(0);
  EXPECT_EQ(keys.OnKey(TKey::Z, Ctrl, Selected(), 10), TKeyAction::Undo);
  EXPECT_EQ(keys.OnKey(TKey::C, Ctrl, Selected(), 20), TKeyAction::Copy);
  EXPECT_EQ(keys.OnKey(TKey::S, Ctrl, Selected(), 30), TKeyAction::Save);
  EXPECT_EQ(keys.OnKey(TKey::Other, Ctrl, Selected(), 40), TKeyAction::None);
}

TEST(KeyCommands, CtrlSWhileWindowsAreStillDetectedDoesNothing) {
  TKeyCommands keys(0);
  TKeyContext detecting = Selected();
  detecting.DetectionRunning = true;
  for (TKey key : {TKey::Z, TKey::C, TKey::S}) EXPECT_EQ(keys.OnKey(key, Ctrl, detecting, 100), TKeyAction::None);
}

TEST(KeyCommands, DisabledButtonsAndABusyOutputBlockTheirCommands) {
  TKeyCommands keys(0);
  TKeyContext c = Selected();
  c.SaveEnabled = false;
  EXPECT_EQ(keys.OnKey(TKey::S, Ctrl, c, 100), TKeyAction::None);
  EXPECT_EQ(keys.OnKey(TKey::C, Ctrl, c, 200), TKeyAction::Copy);
  c.UndoEnabled = false;
  EXPECT_EQ(keys.OnKey(TKey::Z, Ctrl, c, 300), TKeyAction::None);
  TKeyContext busy = Selected();
  busy.OutputBusy = true;
  EXPECT_EQ(keys.OnKey(TKey::C, Ctrl, busy, 400), TKeyAction::None);
}

TEST(KeyCommands, TheOneMillisecondGuardCountsOnlyCommandsThatRan) {
  TKeyCommands keys(500);
  EXPECT_EQ(keys.OnKey(TKey::Z, Ctrl, Selected(), 500), TKeyAction::None);  // same tick as the overlay's creation
  EXPECT_EQ(keys.OnKey(TKey::Z, Ctrl, Selected(), 501), TKeyAction::Undo);
  EXPECT_EQ(keys.OnKey(TKey::Z, Ctrl, Selected(), 501), TKeyAction::None);
  TKeyContext disabled = Selected();
  disabled.UndoEnabled = false;
  EXPECT_EQ(keys.OnKey(TKey::Z, Ctrl, disabled, 502), TKeyAction::None);  // blocked: does not restart the guard
  EXPECT_EQ(keys.OnKey(TKey::Z, Ctrl, Selected(), 502), TKeyAction::Undo);
  // The counter wraps after 49.7 days; the difference still works.
  TKeyCommands wrapped(0xFFFFFFFFu);
  EXPECT_EQ(wrapped.OnKey(TKey::S, Ctrl, Selected(), 0), TKeyAction::Save);
}

TEST(KeyCommands, EscapeWithNothingDrawnClosesAtOnce) {
  TKeyCommands keys(0);
  EXPECT_EQ(keys.OnKey(TKey::Escape, {}, Selected(), 10), TKeyAction::Close);
}

TEST(KeyCommands, EscapeAfterDrawingWarnsOnceAndClosesEvenAfterTheTipHasGone) {
  TKeyCommands keys(0);
  TKeyContext drawn = Selected();
  drawn.SomethingDrawn = true;
  EXPECT_EQ(keys.OnKey(TKey::Escape, {}, drawn, 1000), TKeyAction::ShowExitTip);
  EXPECT_TRUE(keys.ExitTipShown());
  EXPECT_FALSE(keys.ExitTipTick(1050));
  EXPECT_FALSE(keys.ExitTipTick(3999));
  EXPECT_TRUE(keys.ExitTipTick(4000));
  EXPECT_FALSE(keys.ExitTipShown());
  EXPECT_FALSE(keys.ExitTipTick(4050));
  EXPECT_EQ(keys.OnKey(TKey::Escape, {}, drawn, 9000), TKeyAction::Close);
  EXPECT_EQ(keys.EscapeCount(), 2);
}

TEST(KeyCommands, EscapeIsIgnoredWhileHiddenOrBusyAndThenNotCounted) {
  TKeyCommands keys(0);
  TKeyContext drawn = Selected();
  drawn.SomethingDrawn = true;
  TKeyContext busy = drawn;
  busy.OutputBusy = true;
  TKeyContext hidden = drawn;
  hidden.OverlayVisible = false;
  EXPECT_EQ(keys.OnKey(TKey::Escape, {}, busy, 10), TKeyAction::None);
  EXPECT_EQ(keys.OnKey(TKey::Escape, {}, hidden, 20), TKeyAction::None);
  EXPECT_EQ(keys.EscapeCount(), 0);
  EXPECT_EQ(keys.OnKey(TKey::Escape, {}, drawn, 30), TKeyAction::ShowExitTip);
}

TEST(KeyCommands, TheExitTipTimerSurvivesTheTickCounterWrapping) {
  TKeyCommands keys(0);
  TKeyContext drawn = Selected();
  drawn.SomethingDrawn = true;
  keys.OnKey(TKey::Escape, {}, drawn, 0xFFFFFF00u);
  EXPECT_FALSE(keys.ExitTipTick(0xFFFFFF00u + 2999u));
  EXPECT_TRUE(keys.ExitTipTick(0xFFFFFF00u + 3000u));
}

TEST(KeyCommands, TheWindowsKeyKeepsTheOverlayOnTopForOneSecondThenBringsItForward) {
  TKeyCommands keys(0);
  EXPECT_EQ(keys.OnKey(TKey::LeftWindows, {}, Selected(), 5000), TKeyAction::StartTopmostTimer);
  EXPECT_TRUE(keys.TopmostTimerRunning());
  TTopmostTick tick = keys.TopmostTick(true, false, 5005);
  EXPECT_TRUE(tick.KeepTopmost);
  EXPECT_FALSE(tick.Stop);
  tick = keys.TopmostTick(true, false, 6000);
  EXPECT_FALSE(tick.Stop);  // exactly 1000 ms: not yet
  tick = keys.TopmostTick(true, false, 6001);
  EXPECT_TRUE(tick.Stop);
  EXPECT_TRUE(tick.Foreground);
  EXPECT_FALSE(keys.TopmostTimerRunning());
  EXPECT_FALSE(keys.TopmostTick(true, false, 6010).KeepTopmost);
}

TEST(KeyCommands, TheTopmostTimerStopsAtOnceWhenHiddenOrBusy) {
  for (bool visible : {false, true}) {
    TKeyCommands keys(0);
    keys.OnKey(TKey::LeftWindows, {}, Selected(), 100);
    const TTopmostTick tick = keys.TopmostTick(visible, visible, 105);
    EXPECT_TRUE(tick.Stop);
    EXPECT_FALSE(tick.KeepTopmost);
    EXPECT_FALSE(tick.Foreground);
  }
  TKeyCommands keys(0);
  TKeyContext busy = Selected();
  busy.OutputBusy = true;
  EXPECT_EQ(keys.OnKey(TKey::LeftWindows, {}, busy, 100), TKeyAction::None);
}
