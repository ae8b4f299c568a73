#include "output/SaveNaming.h"

#include <algorithm>

namespace qor {
namespace {

void AppendDigits(std::u16string& out, int value, int digits) {
  std::u16string field(size_t(digits), u'0');
  for (int i = digits - 1; i >= 0 && value > 0; --i, value /= 10) field[size_t(i)] = char16_t(u'0' + value % 10);
  out += field;
}

}  // namespace

std::u16string ScreenShotFileName(const TLocalTime& time) {
  std::u16string out = u"ScreenShot_";
  AppendDigits(out, std::clamp(time.Year, 0, 9999), 4);
  AppendDigits(out, std::clamp(time.Month, 0, 99), 2);
  AppendDigits(out, std::clamp(time.Day, 0, 99), 2);
  AppendDigits(out, std::clamp(time.Hour, 0, 99), 2);
  AppendDigits(out, std::clamp(time.Minute, 0, 99), 2);
  AppendDigits(out, std::clamp(time.Second, 0, 99), 2);
  return out;
}

}  // namespace qor
