#include <gtest/gtest.h>

#include "capture/KeyCommands.h"

using namespace qor;

namespace {

constexpr TModifiers Ctrl{true, false, false};

TKeyContext Selected(bool drawn = false) {
  TKeyContext c;
  c.UndoEnabled = c.CopyEnabled = c.SaveEnabled = true;
  c.SomethingDrawn = drawn;
  return c;
}

}  // namespace

TEST(KeyCommands, CtrlZCAndSRunOnlyWithExactlyCtrl) {
  const TModifiers others[] = {{true, true, false},   {true, false, true},  {true, true, true},
                               {false, false, false}, {false, true, false}, {false, false, true}};
  for (const TModifiers& m : others)
    for (TKey key : {TKey::Z, TKey::C, TKey::S})
      EXPECT_EQ(TKeyCommands(1000).OnKey(key, m, Selected(), 2000), TKeyAction::None)
          << "ctrl " << m.Ctrl << " shift " << m.Shift << " alt " << m.Alt;
  TKeyCommands keys(0);
  EXPECT_EQ(keys.OnKey(TKey::Z, Ctrl, Selected(), 10), TKeyAction::Undo);
  EXPECT_EQ(keys.OnKey(TKey::C, Ctrl, Selected(), 20), TKeyAction::Copy);
  EXPECT_EQ(keys.OnKey(TKey::S, Ctrl, Selected(), 30), TKeyAction::Save);
  EXPECT_EQ(keys.OnKey(TKey::Other, Ctrl, Selected(), 40), TKeyAction::None);
}

TEST(KeyCommands, DetectionDisabledButtonsAndABusyOutputBlockTheirCommands) {
  const struct {
    const char* Name;
    bool TKeyContext::*Flag;
    bool Value;
    TKeyAction Z, C, S;
  } cases[] = {
      {"detecting", &TKeyContext::DetectionRunning, true, TKeyAction::None, TKeyAction::None, TKeyAction::None},
      {"save disabled", &TKeyContext::SaveEnabled, false, TKeyAction::Undo, TKeyAction::Copy, TKeyAction::None},
      {"undo disabled", &TKeyContext::UndoEnabled, false, TKeyAction::None, TKeyAction::Copy, TKeyAction::Save},
      {"output busy", &TKeyContext::OutputBusy, true, TKeyAction::None, TKeyAction::None, TKeyAction::None},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TKeyContext context = Selected();
    context.*c.Flag = c.Value;
    TKeyCommands keys(0);
    EXPECT_EQ(keys.OnKey(TKey::Z, Ctrl, context, 100), c.Z);
    EXPECT_EQ(keys.OnKey(TKey::C, Ctrl, context, 200), c.C);
    EXPECT_EQ(keys.OnKey(TKey::S, Ctrl, context, 300), c.S);
  }
}

TEST(KeyCommands, TheOneMillisecondGuardCountsOnlyCommandsThatRanAndSurvivesTheCounterWrapping) {
  TKeyCommands keys(500);
  EXPECT_EQ(keys.OnKey(TKey::Z, Ctrl, Selected(), 500), TKeyAction::None);  // same tick as the overlay's creation
  EXPECT_EQ(keys.OnKey(TKey::Z, Ctrl, Selected(), 501), TKeyAction::Undo);
  EXPECT_EQ(keys.OnKey(TKey::Z, Ctrl, Selected(), 501), TKeyAction::None);
  TKeyContext disabled = Selected();
  disabled.UndoEnabled = false;
  EXPECT_EQ(keys.OnKey(TKey::Z, Ctrl, disabled, 502), TKeyAction::None);  // blocked: does not restart the guard
  EXPECT_EQ(keys.OnKey(TKey::Z, Ctrl, Selected(), 502), TKeyAction::Undo);
  EXPECT_EQ(TKeyCommands(0xFFFFFFFFu).OnKey(TKey::S, Ctrl, Selected(), 0), TKeyAction::Save);
}

TEST(KeyCommands, EscapeClosesAtOnceWithNothingDrawnElseWarnsOnceAndClosesEvenAfterTheTipHasGone) {
  EXPECT_EQ(TKeyCommands(0).OnKey(TKey::Escape, {}, Selected(), 10), TKeyAction::Close);
  TKeyCommands keys(0);
  EXPECT_EQ(keys.OnKey(TKey::Escape, {}, Selected(true), 1000), TKeyAction::ShowExitTip);
  EXPECT_TRUE(keys.ExitTipShown());
  EXPECT_FALSE(keys.ExitTipTick(1050));
  EXPECT_FALSE(keys.ExitTipTick(3999));
  EXPECT_TRUE(keys.ExitTipTick(4000));
  EXPECT_FALSE(keys.ExitTipShown());
  EXPECT_FALSE(keys.ExitTipTick(4050));
  EXPECT_EQ(keys.OnKey(TKey::Escape, {}, Selected(true), 9000), TKeyAction::Close);
  EXPECT_EQ(keys.EscapeCount(), 2);
  // The tip's timer survives the tick counter wrapping.
  TKeyCommands wrapping(0);
  wrapping.OnKey(TKey::Escape, {}, Selected(true), 0xFFFFFF00u);
  EXPECT_FALSE(wrapping.ExitTipTick(0xFFFFFF00u + 2999u));
  EXPECT_TRUE(wrapping.ExitTipTick(0xFFFFFF00u + 3000u));
}

TEST(KeyCommands, EscapeIsIgnoredWhileHiddenOrBusyAndThenNotCounted) {
  TKeyCommands keys(0);
  TKeyContext busy = Selected(true), hidden = Selected(true);
  busy.OutputBusy = true;
  hidden.OverlayVisible = false;
  EXPECT_EQ(keys.OnKey(TKey::Escape, {}, busy, 10), TKeyAction::None);
  EXPECT_EQ(keys.OnKey(TKey::Escape, {}, hidden, 20), TKeyAction::None);
  EXPECT_EQ(keys.EscapeCount(), 0);
  EXPECT_EQ(keys.OnKey(TKey::Escape, {}, Selected(true), 30), TKeyAction::ShowExitTip);
}

TEST(KeyCommands, TheWindowsKeyKeepsTheOverlayOnTopForOneSecondThenBringsItForward) {
  TKeyCommands keys(0);
  EXPECT_EQ(keys.OnKey(TKey::LeftWindows, {}, Selected(), 5000), TKeyAction::StartTopmostTimer);
  EXPECT_TRUE(keys.TopmostTimerRunning());
  TTopmostTick tick = keys.TopmostTick(true, false, 5005);
  EXPECT_TRUE(tick.KeepTopmost && !tick.Stop);
  EXPECT_FALSE(keys.TopmostTick(true, false, 6000).Stop);  // exactly 1000 ms: not yet
  tick = keys.TopmostTick(true, false, 6001);
  EXPECT_TRUE(tick.Stop && tick.Foreground);
  EXPECT_FALSE(keys.TopmostTimerRunning());
  EXPECT_FALSE(keys.TopmostTick(true, false, 6010).KeepTopmost);
}

TEST(KeyCommands, TheTopmostTimerStopsAtOnceWhenHiddenOrBusyAndDoesNotStartWhileBusy) {
  for (bool visible : {false, true}) {
    TKeyCommands keys(0);
    keys.OnKey(TKey::LeftWindows, {}, Selected(), 100);
    const TTopmostTick tick = keys.TopmostTick(visible, visible, 105);
    EXPECT_TRUE(tick.Stop && !tick.KeepTopmost && !tick.Foreground) << visible;
  }
  TKeyContext busy = Selected();
  busy.OutputBusy = true;
  EXPECT_EQ(TKeyCommands(0).OnKey(TKey::LeftWindows, {}, busy, 100), TKeyAction::None);
}

TEST(KeyCommands, RedoDeleteAndNudgeActOnlyOnWhatThereIsAndNeverWhileBusy) {
  TKeyContext c = Selected(true);
  TKeyCommands keys(0);
  constexpr TModifiers CtrlShift{true, true, false}, None{}, Shift{false, true, false};
  // Nothing to redo and nothing selected: the keys pass through to whoever else wants them.
  EXPECT_EQ(keys.OnKey(TKey::Y, Ctrl, c, 10), TKeyAction::None);
  EXPECT_EQ(keys.OnKey(TKey::Z, CtrlShift, c, 10), TKeyAction::None);
  EXPECT_EQ(keys.OnKey(TKey::Delete, None, c, 10), TKeyAction::None);
  EXPECT_EQ(keys.OnKey(TKey::Left, None, c, 10), TKeyAction::None);
  c.RedoEnabled = c.AnnotationSelected = true;
  EXPECT_EQ(keys.OnKey(TKey::Y, Ctrl, c, 10), TKeyAction::Redo);
  EXPECT_EQ(keys.OnKey(TKey::Z, CtrlShift, c, 10), TKeyAction::Redo);
  EXPECT_EQ(keys.OnKey(TKey::Z, Ctrl, c, 20), TKeyAction::Undo);  // Ctrl+Shift+Z is not an undo
  EXPECT_EQ(keys.OnKey(TKey::Delete, None, c, 30), TKeyAction::DeleteAnnotation);
  EXPECT_EQ(keys.OnKey(TKey::Up, Shift, c, 30), TKeyAction::NudgeAnnotation);
  EXPECT_EQ(NudgeDistance(TKey::Up, true), (TPoint{0, -10}));
  EXPECT_EQ(NudgeDistance(TKey::Right, false), (TPoint{1, 0}));
  EXPECT_EQ(keys.OnKey(TKey::Left, Ctrl, c, 30), TKeyAction::None);  // Ctrl+arrow is left to text editing
  c.OutputBusy = true;
  for (TKey key : {TKey::Y, TKey::Delete, TKey::Down}) EXPECT_EQ(keys.OnKey(key, Ctrl, c, 40), TKeyAction::None);
  EXPECT_EQ(keys.OnKey(TKey::Delete, None, c, 40), TKeyAction::None);
}
