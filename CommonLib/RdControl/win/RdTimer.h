#pragma once
// TRdTimer: a non-visual timer owned by a form. Setting Enabled, Interval or OnTimer stops the running timer and
// starts it again when Enabled is set, Interval is above 0 and OnTimer is set; ticks arrive on the form's thread.
// The owner must be created before the timer can run (Restart after creating it) and must outlive the timer (a
// timer member of a form is destroyed before the form's window).
//
//   TRdTimer hideTip(*this);            // RdTimerHideTip
//   hideTip.SetEnabled(false);
//   hideTip.SetInterval(2000);
//   hideTip.SetOnTimer([this](TRdTimer& t) { t.SetEnabled(false); HideTip(); });
#include <windows.h>

#include <cstdint>
#include <functional>

#include "base/win/Form.h"

namespace qor {

class TRdTimer {
 public:
  using TTimerEvent = std::function<void(TRdTimer& sender)>;

  explicit TRdTimer(TForm& owner);
  ~TRdTimer();
  TRdTimer(const TRdTimer&) = delete;
  TRdTimer& operator=(const TRdTimer&) = delete;

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled);
  uint32_t Interval() const { return FInterval; }
  void SetInterval(uint32_t intervalMs);
  void SetOnTimer(TTimerEvent onTimer);
  // Whether a system timer runs for this object now.
  bool Running() const;
  // Starts the timer anew with the current settings (e.g. once the owner's window exists).
  void Restart() { Update(); }

 private:
  TForm& FOwner;
  UINT_PTR FId;
  bool FEnabled = true;
  uint32_t FInterval = 1000;
  TTimerEvent FOnTimer;

  void Update();
};

}  // namespace qor
