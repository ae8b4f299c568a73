#include "output/SaveNaming.h"

#include <algorithm>

#include "base/Utf16Text.h"

namespace qor {

std::u16string ScreenShotFileName(const TLocalTime& time) {
  std::u16string out = u"ScreenShot_";
  out += ZeroPadded(std::clamp(time.Year, 0, 9999), 4);
  out += ZeroPadded(std::clamp(time.Month, 0, 99), 2);
  out += ZeroPadded(std::clamp(time.Day, 0, 99), 2);
  out += ZeroPadded(std::clamp(time.Hour, 0, 99), 2);
  out += ZeroPadded(std::clamp(time.Minute, 0, 99), 2);
  out += ZeroPadded(std::clamp(time.Second, 0, 99), 2);
  return out;
}

}  // namespace qor
