#include "CommonLib/RdControl/RdValueStrings.h"

#include "base/Utf16Text.h"

namespace qor {

namespace {

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

}  // namespace

bool ParseRdInteger(std::u16string_view text, int32_t& value) {
  bool negative = false;
  if (!text.empty() && (text[0] == u'-' || text[0] == u'+')) {
    negative = text[0] == u'-';
    text.remove_prefix(1);
  }
  const bool hex = !text.empty() && text[0] == u'$';
  if (hex) text.remove_prefix(1);
  if (text.empty()) return false;
  uint64_t magnitude = 0;
  for (char16_t c : text) {
    const int digit = hex ? HexDigit(c) : (c >= u'0' && c <= u'9' ? c - u'0' : -1);
    if (digit < 0) return false;
    magnitude = magnitude * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
    if (magnitude > 0xFFFFFFFFull) return false;
  }
  if (hex) {
    // "$FF00000F" is the stored form of a system colour: hexadecimal keeps all 32 bits.
    const auto bits = static_cast<uint32_t>(magnitude);
    value = static_cast<int32_t>(negative ? 0u - bits : bits);
    return true;
  }
  if (negative ? magnitude > 0x80000000ull : magnitude > 0x7FFFFFFFull) return false;
  value = static_cast<int32_t>(negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude));
  return true;
}

void TRdValueStrings::SetValue(std::u16string_view name, std::u16string_view value, TRdValueKind kind) {
  const int index = IndexOfName(name);
  if (index >= 0) {
    TRdValueLine& line = FLines[static_cast<size_t>(index)];
    line.Value = value;
    line.Kind = kind;
    return;
  }
  FLines.push_back({std::u16string(name), std::u16string(value), kind});
}

void TRdValueStrings::Delete(std::u16string_view name) {
  const int index = IndexOfName(name);
  if (index >= 0) FLines.erase(FLines.begin() + index);
}

int TRdValueStrings::IndexOfName(std::u16string_view name) const {
  for (size_t i = 0; i < FLines.size(); ++i) {
    if (SameText(FLines[i].Name, name)) return static_cast<int>(i);
  }
  return -1;
}

const TRdValueLine* TRdValueStrings::Find(std::u16string_view name) const {
  const int index = IndexOfName(name);
  return index < 0 ? nullptr : &FLines[static_cast<size_t>(index)];
}

std::optional<std::u16string> TRdValueStrings::Value(std::u16string_view name) const {
  const TRdValueLine* line = Find(name);
  if (line == nullptr) return std::nullopt;
  return line->Value;
}

std::u16string TRdValueStrings::ReadString(std::u16string_view name, std::u16string_view defaultValue) const {
  const TRdValueLine* line = Find(name);
  return line == nullptr ? std::u16string(defaultValue) : line->Value;
}

bool TRdValueStrings::ReadBool(std::u16string_view name, bool defaultValue) const {
  const TRdValueLine* line = Find(name);
  if (line == nullptr) return defaultValue;
  return !(SameText(line->Value, u"false") || line->Value == u"0");
}

int32_t TRdValueStrings::ReadInteger(std::u16string_view name, int32_t defaultValue) const {
  const TRdValueLine* line = Find(name);
  int32_t value = 0;
  if (line == nullptr || line->Kind != TRdValueKind::Plain || !ParseRdInteger(line->Value, value)) {
    return defaultValue;
  }
  return value;
}

std::vector<std::u16string> TRdValueStrings::ReadSet(std::u16string_view name) const {
  std::vector<std::u16string> members;
  const TRdValueLine* line = Find(name);
  if (line == nullptr || line->Kind != TRdValueKind::Set || line->Value.size() < 2) return members;
  const std::u16string_view inner = std::u16string_view(line->Value).substr(1, line->Value.size() - 2);
  size_t start = 0;
  while (start <= inner.size()) {
    size_t comma = inner.find(u',', start);
    if (comma == std::u16string_view::npos) comma = inner.size();
    std::u16string member = Trim(inner.substr(start, comma - start));
    if (!member.empty()) members.push_back(std::move(member));
    start = comma + 1;
  }
  return members;
}

std::string TRdValueStrings::ReadBinary(std::u16string_view name) const {
  std::string bytes;
  const TRdValueLine* line = Find(name);
  if (line == nullptr || line->Kind != TRdValueKind::Binary || line->Value.size() < 2) return bytes;
  const std::u16string_view hex = std::u16string_view(line->Value).substr(1, line->Value.size() - 2);
  for (size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes.push_back(static_cast<char>(HexDigit(hex[i]) * 16 + HexDigit(hex[i + 1])));
  }
  return bytes;
}

}  // namespace qor
