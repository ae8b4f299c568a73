#include "capture/CaptureRun.h"

namespace qor {

std::vector<TRect> TCaptureRun::Start() {
  FReady = true;
  if (FMode == TCaptureMode::FullScreen) {
    FSelection = FDesktop.OverlayBounds();
    FFirstSelectionPending = false;
  } else {
    FDetecting = true;
  }
  return {FDesktop.OverlayBounds()};
}

}  // namespace qor
