#pragma once
// Usage reporting: counted actions go to the statistics library; event codes only reach a detail-only log line.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qor {

// Statistic ids of the counted actions.
inline constexpr std::u16string_view StatSave = u"332";
inline constexpr std::u16string_view StatCopy = u"333";

// The product code given to the statistics library ("pd"), and its application id ("app").
inline constexpr std::u16string_view StatProductCode = u"qor";
inline constexpr std::u16string_view StatAppId = u"qor4";

// "a301" to "a316".
bool IsUsageEventCode(std::u16string_view code);

// The text of the detail-only log line written for an event code.
std::u16string UsageEventLogLine(std::u16string_view code);

// A JSON object of string values, in the given order, escaped as JSON requires.
std::u16string JsonObjectOfStrings(const std::vector<std::pair<std::u16string, std::u16string>>& fields);

// The parameter record handed to the statistics library once after loading. productStat is left out when empty.
struct TStatParams {
  std::u16string CachePath;  // the parent's data folder + "StatData\"
  std::u16string Version;
  int Status = 0;
  long long User = 0;
  std::u16string ProductStat;
};
std::u16string StatParamJson(const TStatParams& params);

}  // namespace qor
