#include "companions/stats/StatCache.h"

#include <cstdio>

#include "base/Utf16Text.h"

namespace qor {

namespace {

class TJsonReader {
 public:
  explicit TJsonReader(std::u16string_view text) : FText(text) {}

  std::optional<std::map<std::u16string, std::u16string>> Object() {
    std::map<std::u16string, std::u16string> result;
    SkipBlanks();
    if (!Take(u'{')) return std::nullopt;
    SkipBlanks();
    if (Take(u'}')) return End(result);
    for (;;) {
      SkipBlanks();
      auto name = String();
      SkipBlanks();
      if (!name || !Take(u':')) return std::nullopt;
      SkipBlanks();
      auto value = Value();
      if (!value) return std::nullopt;
      result[*name] = *value;
      SkipBlanks();
      if (Take(u'}')) return End(result);
      if (!Take(u',')) return std::nullopt;
    }
  }

 private:
  std::u16string_view FText;
  size_t FPos = 0;

  std::optional<std::map<std::u16string, std::u16string>> End(std::map<std::u16string, std::u16string>& result) {
    SkipBlanks();
    if (FPos != FText.size()) return std::nullopt;
    return std::move(result);
  }
  void SkipBlanks() {
    while (FPos < FText.size() &&
           (FText[FPos] == u' ' || FText[FPos] == u'\t' || FText[FPos] == u'\r' || FText[FPos] == u'\n'))
      ++FPos;
  }
  bool Take(char16_t c) {
    if (FPos < FText.size() && FText[FPos] == c) {
      ++FPos;
      return true;
    }
    return false;
  }
  static int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
  }
  std::optional<std::u16string> String() {
    if (!Take(u'"')) return std::nullopt;
    std::u16string out;
    while (FPos < FText.size()) {
      const char16_t c = FText[FPos++];
      if (c == u'"') return out;
      if (c < 0x20) return std::nullopt;
      if (c != u'\\') {
        out.push_back(c);
        continue;
      }
      if (FPos >= FText.size()) return std::nullopt;
      switch (const char16_t e = FText[FPos++]) {
        case u'"':
        case u'\\':
        case u'/': out.push_back(e); break;
        case u'b': out.push_back(u'\b'); break;
        case u'f': out.push_back(u'\f'); break;
        case u'n': out.push_back(u'\n'); break;
        case u'r': out.push_back(u'\r'); break;
        case u't': out.push_back(u'\t'); break;
        case u'u': {
          if (FPos + 4 > FText.size()) return std::nullopt;
          int code = 0;
          for (int i = 0; i < 4; ++i) {
            const int digit = HexDigit(FText[FPos++]);
            if (digit < 0) return std::nullopt;
            code = code * 16 + digit;
          }
          out.push_back(char16_t(code));
          break;
        }
        default: return std::nullopt;
      }
    }
    return std::nullopt;  // unterminated
  }
  std::optional<std::u16string> Value() {
    if (FPos < FText.size() && FText[FPos] == u'"') return String();
    const size_t start = FPos;
    while (FPos < FText.size()) {
      const char16_t c = FText[FPos];
      const bool literal =
          (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || c == u'-' || c == u'+' || c == u'.' || c == u'E';
      if (!literal) break;
      ++FPos;
    }
    if (FPos == start) return std::nullopt;
    return std::u16string(FText.substr(start, FPos - start));
  }
};

void AppendJsonString(std::string& out, std::u16string_view text) {
  out.push_back('"');
  for (char c : Utf16ToUtf8(text)) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char buffer[8];
          std::snprintf(buffer, sizeof buffer, "\\u%04x", unsigned(c));
          out += buffer;
        } else {
          out.push_back(c);
        }
    }
  }
  out.push_back('"');
}

}  // namespace

std::optional<std::map<std::u16string, std::u16string>> ParseFlatJsonObject(std::u16string_view json) {
  return TJsonReader(json).Object();
}

std::string StatRecordLine(const TStatRecord& record) {
  std::string line = "{\"time\":";
  AppendJsonString(line, record.Time);
  line += ",\"app\":";
  AppendJsonString(line, record.App);
  line += ",\"stat\":";
  AppendJsonString(line, record.Stat);
  line += record.PostNow ? ",\"post\":true" : ",\"post\":false";
  line += record.Wait ? ",\"wait\":true" : ",\"wait\":false";
  line += ",\"extra\":";
  AppendJsonString(line, record.Extra);
  line += "}\n";
  return line;
}

}  // namespace qor
