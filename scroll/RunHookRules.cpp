#include "scroll/RunHookRules.h"

namespace qor {

namespace {

TMouseDecision Verdict(TMouseVerdict verdict) {
  TMouseDecision d;
  d.Verdict = verdict;
  return d;
}

}  // namespace

TMouseDecision DecideMouseEvent(const TMouseFacts& facts, TWheelThrottle& throttle, uint32_t nowMs) {
  const TMouseEventKind kind = facts.Kind;
  if (kind == TMouseEventKind::RightDown || kind == TMouseEventKind::RightUp) return Verdict(TMouseVerdict::Swallow);
  const bool wheel = kind == TMouseEventKind::Wheel;
  if (!wheel && kind != TMouseEventKind::LeftDown && kind != TMouseEventKind::LeftUp)
    return Verdict(TMouseVerdict::PassOn);
  if (!facts.HasWindowUnderPoint) return Verdict(TMouseVerdict::PassOn);
  if (wheel && !facts.InsideCapture) return Verdict(TMouseVerdict::Swallow);

  if (facts.Busy) {
    // A dialog lying over the region stays usable; only clicks into the scrolled window itself are kept from it.
    const bool clickIntoTarget = kind == TMouseEventKind::LeftDown && facts.InsideCapture && facts.UnderIsTargetOrChild;
    return Verdict(clickIntoTarget ? TMouseVerdict::Swallow : TMouseVerdict::PassOn);
  }

  TMouseDecision d;
  if (wheel) {
    d.FocusTarget = !facts.TargetHasFocus;
    d.RaiseToolbar = true;
  }
  if (facts.UnderIsToolbarPanel) return d;  // PassOn
  if (!wheel) {
    d.Verdict = TMouseVerdict::Swallow;  // during the run only the toolbar can be clicked
    return d;
  }
  d.HideUsageTip = facts.TipShowsUsage;
  d.Verdict = throttle.Accept(nowMs) ? TMouseVerdict::TakeStep : TMouseVerdict::Swallow;
  return d;
}

TKeyDecision DecideKeyEvent(const TKeyFacts& facts) {
  TKeyDecision d;
  if (facts.SaveDialogOpen) return d;  // the dialog gets every key
  const uint32_t key = facts.VirtualKey;
  if (key == VkEscape) {
    if (facts.ToolbarVisible) d = {true, int(TToolbarKey::Escape)};
  } else if (key == VkLeftWin || key == VkRightWin) {
    d.Swallow = facts.ToolbarVisible;
  } else if (facts.CtrlDown) {
    // No shortcut of another window (Ctrl+A, Ctrl+V) may act on the screen being captured.
    d.Swallow = true;
    if (facts.ToolbarVisible && key == VkC) d.PostToToolbar = int(TToolbarKey::CtrlC);
    if (facts.ToolbarVisible && key == VkS) d.PostToToolbar = int(TToolbarKey::CtrlS);
  }
  return d;
}

}  // namespace qor
