#pragma once
// TRdValueStrings: the values of one skin class, a list of name "=" value lines in the order the skin text gives
// them. Names are dotted property paths ("Font.Color", "Columns.0.Width") compared with case ignored; setting a
// name that is already there replaces its value in place. Values are kept in a canonical text form:
//   plain values (numbers, identifiers)  as written, trimmed            "12", "alClient", "text_color.cl_text_b"
//   quoted strings                       decoded                         'It''s'#13#10 -> "It's\r\n"
//   sets                                 "[" members ", " "]"            "[fsBold, fsItalic]"
//   lists                                "(" items " " ")"               "(1 2 'three')"
//   binary values                        "{" upper-case hex "}"          "{0A1B}"
// Usage:
//   const TRdValueStrings* v = skinText.Find(u"combobox");
//   int32_t h = v->ReadInteger(u"Height", 24);
//   bool on = v->ReadBool(u"Enabled", true);          // "false" and "0" read as false
//   std::vector<std::u16string> style = v->ReadSet(u"Font.Style");
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qor {

enum class TRdValueKind : uint8_t { Plain, String, Set, List, Binary };

struct TRdValueLine {
  std::u16string Name;
  std::u16string Value;
  TRdValueKind Kind = TRdValueKind::Plain;
};

class TRdValueStrings {
 public:
  int Count() const { return static_cast<int>(FLines.size()); }
  const TRdValueLine& Line(int index) const { return FLines[static_cast<size_t>(index)]; }
  const std::vector<TRdValueLine>& Lines() const { return FLines; }

  // Replaces the value of an existing name (keeping its place) or appends the line.
  void SetValue(std::u16string_view name, std::u16string_view value, TRdValueKind kind = TRdValueKind::Plain);
  void Delete(std::u16string_view name);
  void Clear() { FLines.clear(); }

  int IndexOfName(std::u16string_view name) const;  // -1 when absent
  const TRdValueLine* Find(std::u16string_view name) const;
  std::optional<std::u16string> Value(std::u16string_view name) const;

  // Typed reads; a missing name or a value of the wrong form gives the default.
  std::u16string ReadString(std::u16string_view name, std::u16string_view defaultValue = {}) const;
  // "false" and "0" (case ignored) are false, any other value true.
  bool ReadBool(std::u16string_view name, bool defaultValue) const;
  // Decimal, or hexadecimal after "$"; an optional sign; must fit 32 bits.
  int32_t ReadInteger(std::u16string_view name, int32_t defaultValue) const;
  // Members of a set value; empty for a missing name or a value that is not a set.
  std::vector<std::u16string> ReadSet(std::u16string_view name) const;
  // Bytes of a binary value; empty for a missing name or a value that is not binary.
  std::string ReadBinary(std::u16string_view name) const;

 private:
  std::vector<TRdValueLine> FLines;
};

// Number text as the skin text writes it: decimal or "$" hexadecimal, optional sign, 32 bits. False otherwise.
bool ParseRdInteger(std::u16string_view text, int32_t& value);

}  // namespace qor
