#include "app/CrashReport.h"

namespace qor {

bool IsIgnoredError(std::u16string_view message) {
  for (std::u16string_view ignored :
       {std::u16string_view(u"No context-sensitive help installed"), std::u16string_view(u"Privileged instruction"),
        std::u16string_view(u"External exception ")})
    if (message.find(ignored) != std::u16string_view::npos) return true;
  return false;
}

std::u16string CrashReportLine(std::u16string_view version, std::u16string_view message) {
  std::u16string line = u"[CrashReport]version ";
  line += version;
  line += u" error: ";
  line += message;
  return line;
}

}  // namespace qor
