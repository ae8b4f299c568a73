#include "scroll/ScrollFeedback.h"

namespace qor {

TScrollFeedback::TTipAction TScrollFeedback::FrameProcessed(int status, bool tipVisible, bool toolbarVisible,
                                                            TScrollTipMode tipMode) {
  FFailures = status == int(TFrameStatus::Stitched) ? 0 : FFailures + 1;
  TTipAction action;
  if (FSteps == FailureTipAtStep && FFailures >= 1) {
    action.ShowFailureTip = true;
    action.StartHideTimer = true;
  }
  if (FFailures > 0 && !tipVisible && toolbarVisible && tipMode == TScrollTipMode::Failure && !FHideTip)
    action.ShowFailureTip = true;
  return action;
}

}  // namespace qor
