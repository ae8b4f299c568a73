#include "app/CommandLine.h"

namespace qor {

bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  auto lower = [](char16_t c) { return (c >= u'A' && c <= u'Z') ? char16_t(c - u'A' + u'a') : c; };
  for (size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}

std::optional<TCaptureMode> CaptureModeFromSwitch(std::u16string_view firstArgument) {
  struct TSwitch {
    std::u16string_view Text;
    TCaptureMode Mode;
  };
  static constexpr TSwitch switches[] = {{u"/CaptrueAuto", TCaptureMode::Region},
                                         {u"/CaptrueFullScreen", TCaptureMode::FullScreen},
                                         {u"/CaptrueWins", TCaptureMode::Window},
                                         {u"/CaptrueScroll", TCaptureMode::Scrolling}};
  for (const auto& s : switches)
    if (EqualsIgnoringAsciiCase(firstArgument, s.Text)) return s.Mode;
  return std::nullopt;
}

bool IsScaleSwitch(std::u16string_view firstArgument) { return EqualsIgnoringAsciiCase(firstArgument, u"/Scale"); }

bool IsTestBugReportSwitch(std::u16string_view firstArgument) {
  return EqualsIgnoringAsciiCase(firstArgument, u"/testbugreport");
}

}  // namespace qor
