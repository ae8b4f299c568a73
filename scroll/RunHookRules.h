#pragma once
// What the low-level mouse and keyboard hooks of a scrolling capture run do with an event. During the run the user
// can only scroll the region (one frame per accepted wheel step) and use the scroll toolbar; while a save dialog or
// an output is busy, the dialog must stay usable, so most events pass.
// Usage (inside the hook procedures, which gather the facts from the event and the windows):
//   const qor::TMouseDecision d = qor::DecideMouseEvent(facts, FThrottle, GetTickCount());
//   if (d.FocusTarget) ...; if (d.RaiseToolbar) ...; if (d.HideUsageTip) ...;
//   if (d.Verdict == qor::TMouseVerdict::Swallow) return 1;
//   if (d.Verdict == qor::TMouseVerdict::TakeStep) PostMessage(runWindow, 1225, wheelDelta, 0);
//   return CallNextHookEx(...);
#include <cstdint>

#include "scroll/WheelThrottle.h"

namespace qor {

// Virtual key codes as Windows numbers them.
inline constexpr uint32_t VkEscape = 0x1B;
inline constexpr uint32_t VkC = 'C';
inline constexpr uint32_t VkS = 'S';
inline constexpr uint32_t VkLeftWin = 0x5B;
inline constexpr uint32_t VkRightWin = 0x5C;

enum class TMouseEventKind { Wheel, LeftDown, LeftUp, RightDown, RightUp, Other };

struct TMouseFacts {
  TMouseEventKind Kind = TMouseEventKind::Other;
  bool HasWindowUnderPoint = true;
  bool InsideCapture = false;         // the event's point lies in the capture rectangle
  bool Busy = false;                  // a save dialog is open or an output runs
  bool UnderIsTargetOrChild = false;  // the window under the point is the target window or one of its children
  bool UnderIsToolbarPanel = false;   // ... is the scroll toolbar's button panel
  bool TargetHasFocus = true;
  bool TipShowsUsage = false;  // the scroll tip is showing the usage text
};

// TakeStep: pass the event on (the target scrolls) and post the step message to the run window.
enum class TMouseVerdict { PassOn, Swallow, TakeStep };

struct TMouseDecision {
  TMouseVerdict Verdict = TMouseVerdict::PassOn;
  bool FocusTarget = false;   // bring the target window to the foreground and focus it
  bool RaiseToolbar = false;  // bring the toolbar to the front
  bool HideUsageTip = false;
  friend bool operator==(const TMouseDecision&, const TMouseDecision&) = default;
};

// The throttle is asked (and advanced) only for a wheel notch that may become a step.
TMouseDecision DecideMouseEvent(const TMouseFacts& facts, TWheelThrottle& throttle, uint32_t nowMs);

// A key-down event.
struct TKeyFacts {
  uint32_t VirtualKey = 0;
  bool CtrlDown = false;
  bool ToolbarVisible = false;
  bool SaveDialogOpen = false;
};

// What the toolbar is told (the WParam of its key message).
enum class TToolbarKey { None = -1, Escape = 0, CtrlC = 1, CtrlS = 2 };

struct TKeyDecision {
  bool Swallow = false;
  int PostToToolbar = int(TToolbarKey::None);  // -1 none; 0 Esc, 1 Ctrl+C, 2 Ctrl+S
  friend bool operator==(const TKeyDecision&, const TKeyDecision&) = default;
};

TKeyDecision DecideKeyEvent(const TKeyFacts& facts);

}  // namespace qor
