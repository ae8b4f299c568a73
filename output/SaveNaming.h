#pragma once
// The file name a screenshot is saved under: "ScreenShot_" and the local time as YYYYMMDDHHMMSS.
// Usage:
//   std::u16string name = qor::ScreenShotFileName(qor::LocalTimeNow());   // "ScreenShot_20240131235959"
#include <string>

#include "app/LogManage.h"

namespace qor {

// "ScreenShot_" + 14 digits, without extension. Fields are zero-padded; a year beyond 9999 or below 0 is clamped
// so the stamp always has 14 digits.
std::u16string ScreenShotFileName(const TLocalTime& time);

}  // namespace qor
