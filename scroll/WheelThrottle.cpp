#include "scroll/WheelThrottle.h"

namespace qor {

bool TWheelThrottle::Accept(uint32_t nowMs) {
  if (FSkipped < WheelNotchesSkippedPerStep) {
    ++FSkipped;
    return false;
  }
  // Unsigned difference: right across the wrap of the 32-bit tick count after 49.7 days.
  if (uint32_t(nowMs - FLastStepMs) < WheelStepIntervalMs) return false;
  FLastStepMs = nowMs;
  FSkipped = 0;
  return true;
}

}  // namespace qor
