#include "scroll/FrameSettle.h"

namespace qor {

bool TFrameSettle::Ready(bool sameAsBeforeStep, bool sameAsLastGrab, uint32_t nowMs) {
  const bool first = FGrabs++ == 0;
  // The change seen on this grab must be confirmed by the next one: the window may still be painting.
  const bool settled = FChanged && !first && sameAsLastGrab;
  if (!sameAsBeforeStep) FChanged = true;
  return settled || nowMs - FStart >= FLimit;
}

}  // namespace qor
