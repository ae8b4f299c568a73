#pragma once
// The statistics library's storage: its parameter record is a flat JSON object, and every counted action
// becomes one JSON line (UTF-8) in "stat_cache.jsonl" under the record's "CachePath".
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace qor {

inline constexpr std::u16string_view StatCacheFileName = u"stat_cache.jsonl";

// A JSON object whose values are strings, numbers, true, false or null (kept as their text). Anything else —
// nesting, trailing garbage, bad escapes — gives no result.
std::optional<std::map<std::u16string, std::u16string>> ParseFlatJsonObject(std::u16string_view json);

struct TStatRecord {
  std::u16string Time;  // local time stamp "yyyy-mm-dd hh:nn:ss"
  std::u16string App;
  std::u16string Stat;
  bool PostNow = false;
  bool Wait = false;
  std::u16string Extra;
};

// One line, ending with "\n".
std::string StatRecordLine(const TStatRecord& record);

}  // namespace qor
