#include "CommonLib/RdControl/win/RdTimer.h"

#include <atomic>

namespace qor {

namespace {
// Timer ids of TRdTimer objects, far above the small ids forms give their own timers.
std::atomic<UINT_PTR> GNextTimerId{0x52D00000};
}  // namespace

TRdTimer::TRdTimer(TForm& owner) : FOwner(owner), FId(GNextTimerId++) {}

TRdTimer::~TRdTimer() { FOwner.StopTimer(FId); }

void TRdTimer::SetEnabled(bool enabled) {
  FEnabled = enabled;
  Update();
}

void TRdTimer::SetInterval(uint32_t intervalMs) {
  FInterval = intervalMs;
  Update();
}

void TRdTimer::SetOnTimer(TTimerEvent onTimer) {
  FOnTimer = std::move(onTimer);
  Update();
}

bool TRdTimer::Running() const { return FOwner.Handle() && FOwner.TimerRunning(FId); }

void TRdTimer::Update() {
  FOwner.StopTimer(FId);
  if (!FEnabled || FInterval == 0 || !FOnTimer || !FOwner.Handle()) return;
  FOwner.StartTimer(FId, FInterval, [this] {
    TTimerEvent onTimer = FOnTimer;  // the handler may change or stop this timer
    if (onTimer) onTimer(*this);
  });
}

}  // namespace qor
