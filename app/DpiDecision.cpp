#include "app/DpiDecision.h"

#include <algorithm>
#include <atomic>

#include "app/CommandLine.h"

namespace qor {

namespace {
std::atomic<bool> gScaled{false};
}  // namespace

bool AutoScaleDecision(int workWidth, int workHeight, int dpi) {
  if (dpi == 0) dpi = StandardDpi;
  const long long w = workWidth, h = workHeight;
  const long long longer = std::max(w, h);
  const bool scaled = longer > 1920 && (longer >= 3000 || dpi > 125);
  // Very wide, low screens (for example 3440 x 1440) stay unscaled: H < W / 2 and H < 1920.
  const bool wideAndLow = w > h && 2 * h < w && h < 1920;
  return scaled && !wideAndLow;
}

bool DecideScaled(int workWidth, int workHeight, int dpi, std::u16string_view firstArgument) {
  return IsScaleSwitch(firstArgument) || AutoScaleDecision(workWidth, workHeight, dpi);
}

void SetScaled(bool scaled) { gScaled.store(scaled); }
bool IsScaled() { return gScaled.load(); }
TScale CurrentScale() { return TScale::Of(IsScaled()); }

}  // namespace qor
