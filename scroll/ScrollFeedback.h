#pragma once
// The counters of a scrolling capture run and what a processed frame means for the failure tip. The tip appears
// when the run's second step has not stitched; it comes back after a step hid it, until its 2-second timer has
// run out once.
// Usage (in the run window):
//   FFeedback.StepAccepted();                                           // an accepted wheel step
//   auto action = FFeedback.FrameProcessed(status, tip->Visible(), toolbar->Visible(), tip->Mode());
//   if (action.ShowFailureTip) ShowTip(TScrollTipMode::Failure);
//   if (action.StartHideTimer) RdTimerHideTip->Start();
//   FFeedback.HideTimerFired();                                         // the hide timer (then hide a failure tip)
#include "scroll/ScrollTipLayout.h"

namespace qor {

// What the worker reports for a frame.
enum class TFrameStatus { Stitched = 0, StitchedWithFailure = 1, NoOutput = 2 };

inline constexpr int FailureTipAtStep = 2;

class TScrollFeedback {
 public:
  void StepAccepted() { ++FSteps; }

  struct TTipAction {
    bool ShowFailureTip = false;
    bool StartHideTimer = false;
  };
  // status: 0 stitched, 1 stitched but reported failure, 2 no output. The other arguments: the tip and toolbar as
  // they are when the frame comes in.
  TTipAction FrameProcessed(int status, bool tipVisible, bool toolbarVisible, TScrollTipMode tipMode);

  void HideTimerFired() { FHideTip = true; }

  int Failures() const { return FFailures; }  // consecutive frames that did not stitch
  int Steps() const { return FSteps; }
  bool HideTipFlag() const { return FHideTip; }

 private:
  int FFailures = 0;
  int FSteps = 0;
  bool FHideTip = false;
};

}  // namespace qor
