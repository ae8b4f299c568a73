#pragma once
// The process-wide scaled switch: on large high-density screens every window and every size computed in code is
// doubled. Decided once when the launcher is created (app/win/DpiAwareness.h measures and calls DecideScaled).
// Usage:
//   qor::SetScaled(qor::DecideScaled(area.Width(), area.Height(), dpi, firstArgument));
//   const qor::TScale scale = qor::CurrentScale();  // read once where a window is made, then passed on
#include <string_view>

#include "base/Scale.h"

namespace qor {

constexpr int StandardDpi = 96;

// Scaled when the longer side of the work area is above 1920 and either at least 3000 or the DPI is above 125,
// except on very wide, low landscape areas (height below half the width and below 1920). A DPI of 0 counts as 96.
bool AutoScaleDecision(int workWidth, int workHeight, int dpi);
// The automatic decision, forced on when the first command-line argument is "/Scale".
bool DecideScaled(int workWidth, int workHeight, int dpi, std::u16string_view firstArgument);

void SetScaled(bool scaled);
bool IsScaled();
// The scale of the layout in effect: 2 when scaled, else 1.
TScale CurrentScale();

}  // namespace qor
