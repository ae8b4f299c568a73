#pragma once
// When a frame taken after a wheel step is ready. The scrolled window needs a moment to move its content and
// repaint, and a grab taken too early shows the page before the step (or half painted). So the grab is repeated
// until it differs from the frame before the step and a further grab shows the same picture, or until the time is
// up: a page at its end never changes, and an animation never settles.
// Usage (on the worker thread):
//   qor::TFrameSettle settle(GetTickCount());
//   do { grab(); } while (!settle.Ready(grab == before, grab == previousGrab, GetTickCount()) && pause());
#include <cstdint>

namespace qor {

inline constexpr uint32_t FrameSettleLimitMs = 250;
inline constexpr uint32_t FrameSettlePollMs = 15;

class TFrameSettle {
 public:
  explicit TFrameSettle(uint32_t startMs, uint32_t limitMs = FrameSettleLimitMs) : FStart(startMs), FLimit(limitMs) {}
  // One grab: whether it equals the frame before the step, and the grab before it. True: use this grab.
  bool Ready(bool sameAsBeforeStep, bool sameAsLastGrab, uint32_t nowMs);

 private:
  uint32_t FStart;
  uint32_t FLimit;
  bool FChanged = false;  // a grab has differed from the frame before the step
  int FGrabs = 0;
};

}  // namespace qor
