#pragma once
// Usage reporting through "ProductStatistics3.dll" beside the program. Without the library, or with an entry
// point missing, reporting is silently off.
#include <string_view>

namespace qor {

// Loads the library by full path from the program's folder and hands it the parameter record. Called once the
// overlay's first picture is on screen: nothing before it counts.
void InitUsageReporting();

// A counted action ("332" save, "333" copy); skipped while an output action is busy.
void CountAction(std::u16string_view statId);

// The usage-event hook: "a301" ... "a316" go to a detail-only log line and nowhere else.
void UsageEvent(std::u16string_view code);

}  // namespace qor
