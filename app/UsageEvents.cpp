#include "app/UsageEvents.h"

#include <cstdio>

namespace qor {

namespace {

std::u16string Ascii(const char* text) {
  std::u16string out;
  for (; *text; ++text) out.push_back(char16_t(static_cast<unsigned char>(*text)));
  return out;
}

void AppendJsonString(std::u16string& out, std::u16string_view text) {
  out.push_back(u'"');
  for (char16_t c : text) {
    switch (c) {
      case u'"': out += u"\\\""; break;
      case u'\\': out += u"\\\\"; break;
      case u'\n': out += u"\\n"; break;
      case u'\r': out += u"\\r"; break;
      case u'\t': out += u"\\t"; break;
      default:
        if (c < 0x20) {
          char buffer[8];
          std::snprintf(buffer, sizeof buffer, "\\u%04x", unsigned(c));
          out += Ascii(buffer);
        } else {
          out.push_back(c);
        }
    }
  }
  out.push_back(u'"');
}

}  // namespace

bool IsUsageEventCode(std::u16string_view code) {
  if (code.size() != 4 || code[0] != u'a' || code[1] != u'3') return false;
  if (code[2] < u'0' || code[2] > u'1' || code[3] < u'0' || code[3] > u'9') return false;
  const int number = (code[2] - u'0') * 10 + (code[3] - u'0');
  return number >= 1 && number <= 16;
}

std::u16string UsageEventLogLine(std::u16string_view code) { return u"[UsageEvent]" + std::u16string(code); }

std::u16string JsonObjectOfStrings(const std::vector<std::pair<std::u16string, std::u16string>>& fields) {
  std::u16string out = u"{";
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i) out.push_back(u',');
    AppendJsonString(out, fields[i].first);
    out.push_back(u':');
    AppendJsonString(out, fields[i].second);
  }
  out.push_back(u'}');
  return out;
}

std::u16string StatParamJson(const TStatParams& params) {
  std::vector<std::pair<std::u16string, std::u16string>> fields = {
      {u"pd", std::u16string(StatProductCode)},
      {u"app", std::u16string(StatAppId)},
      {u"CachePath", params.CachePath},
      {u"url", u""},  // local only: nothing is ever sent
      {u"ver", params.Version},
      {u"pr", u""},
      {u"type", Ascii(std::to_string(params.Status).c_str())},
      {u"usr", Ascii(std::to_string(params.User).c_str())},
      {u"insur", u""},
      {u"extparam", u""},
  };
  if (!params.ProductStat.empty()) fields.emplace_back(u"productstat", params.ProductStat);
  return JsonObjectOfStrings(fields);
}

}  // namespace qor
