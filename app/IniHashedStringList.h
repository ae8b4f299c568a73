#pragma once
// The in-memory form of an ini file, shared by the settings store (TSafeIniFile) and the language tables
// (TExtIniFile).
// Usage:
//   TIniSections ini;                       // case-insensitive names
//   ini.Parse(DecodeText(bytes));           // lines trimmed, ";" comments and lines before the first section dropped
//   auto v = ini.ReadValue(u"Main", u"Language");   // std::optional: a missing key is not an empty value
//   ini.WriteValue(u"AIAssistant", u"ScreenshotCapTip", u"1");
//   std::u16string text = ini.Serialize();  // "[Section]" CR LF "name=value" CR LF ...
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qor {

// A list of lines "name=value" (or bare entries without "=") with two hash indexes, one over whole lines and one
// over names. Both are built on first use and kept up to date when lines are added or replaced. Unless the list
// is case-sensitive, names and lines are compared after UpperCase (see base/Utf16Text.h). With duplicates the
// first line wins.
class TIniHashedStringList {
 public:
  explicit TIniHashedStringList(bool caseSensitive = false) : FCaseSensitive(caseSensitive) {}

  int Count() const { return static_cast<int>(FLines.size()); }
  const std::u16string& Line(int index) const { return FLines[static_cast<size_t>(index)]; }
  // Text before the first "=", empty for a bare entry; and the text after it.
  std::u16string Name(int index) const;
  std::u16string ValueFromIndex(int index) const;
  bool HasName(int index) const;

  int Add(std::u16string line);
  void Put(int index, std::u16string line);
  void Delete(int index);
  void Clear();

  int IndexOf(std::u16string_view line) const;      // -1 when absent
  int IndexOfName(std::u16string_view name) const;  // -1 when absent; bare entries have no name
  std::optional<std::u16string> Value(std::u16string_view name) const;
  // Replaces the first line with that name, or appends name "=" value.
  void SetValue(std::u16string_view name, std::u16string_view value);

  bool CaseSensitive() const { return FCaseSensitive; }
  bool SameKey(std::u16string_view a, std::u16string_view b) const;

 private:
  std::u16string HashKey(std::u16string_view text) const;
  void IndexLine(int index) const;
  void EnsureLineIndex() const;
  void EnsureNameIndex() const;

  std::vector<std::u16string> FLines;
  bool FCaseSensitive;
  mutable std::unordered_map<std::u16string, int> FLineIndex;
  mutable std::unordered_map<std::u16string, int> FNameIndex;
  mutable bool FLineIndexValid = false;
  mutable bool FNameIndexValid = false;
};

// The sections of an ini file in file order, found by hash, with a cache of the last section looked up.
class TIniSections {
 public:
  explicit TIniSections(bool caseSensitive = false);
  TIniSections(const TIniSections& other);
  TIniSections& operator=(const TIniSections& other);
  TIniSections(TIniSections&&) noexcept = default;
  TIniSections& operator=(TIniSections&&) noexcept = default;

  // Replaces the content with the parsed text. Sections of the same name are merged.
  void Parse(std::u16string_view text);
  // Sections in order, "[name]" then its lines, CR LF after each line and a blank line between sections.
  std::u16string Serialize() const;

  int SectionCount() const { return FNames.Count(); }
  std::vector<std::u16string> SectionNames() const;
  bool SectionExists(std::u16string_view section) const { return IndexOfSection(section) >= 0; }
  // nullptr when the section is absent.
  const TIniHashedStringList* Section(std::u16string_view section) const;
  TIniHashedStringList& AddSection(std::u16string_view section);  // the existing one when present
  void EraseSection(std::u16string_view section);
  void Clear();

  std::optional<std::u16string> ReadValue(std::u16string_view section, std::u16string_view name) const;
  void WriteValue(std::u16string_view section, std::u16string_view name, std::u16string_view value);
  bool DeleteKey(std::u16string_view section, std::u16string_view name);

  bool CaseSensitive() const { return FNames.CaseSensitive(); }

 private:
  int IndexOfSection(std::u16string_view section) const;
  void InvalidateCache() const { FLastIndex = -1; }

  TIniHashedStringList FNames;
  std::vector<std::unique_ptr<TIniHashedStringList>> FLists;
  mutable std::u16string FLastName;
  mutable int FLastIndex = -1;
};

}  // namespace qor
