#pragma once
// Which wheel notches of a scrolling capture become steps. After each accepted step the next 3 notches are only
// counted; later ones wait until 301 ms have passed since that step. So at most one notch in four reaches the
// scrolled window, never more often than every 301 ms, and each accepted notch yields exactly one frame.
// Usage (in the mouse hook, for each wheel notch inside the region):
//   qor::TWheelThrottle throttle(GetTickCount());   // when the run window is created
//   if (throttle.Accept(GetTickCount())) PassOnAndTakeFrame(); else Swallow();
#include <cstdint>

namespace qor {

inline constexpr uint32_t WheelStepIntervalMs = 301;
inline constexpr int WheelNotchesSkippedPerStep = 3;

class TWheelThrottle {
 public:
  // nowMs: the tick count at creation, which counts as the last accepted step.
  explicit TWheelThrottle(uint32_t nowMs) : FLastStepMs(nowMs) {}

  // True when this notch is a step; the throttle then counts from nowMs again.
  bool Accept(uint32_t nowMs);

 private:
  uint32_t FLastStepMs;
  int FSkipped = 0;  // notches swallowed since the last accepted step, up to WheelNotchesSkippedPerStep
};

}  // namespace qor
