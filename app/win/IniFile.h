#pragma once
// An ini file written through the system's private-profile functions (GetPrivateProfileStringW and friends).
// A new or empty file is started with the UTF-16 byte-order mark so that the system keeps it in UTF-16.
// Usage:
//   qor::win::TIniFile ini(qor::ConfigIniPath());
//   std::u16string language = ini.ReadString(u"Main", u"Language", u"English");
// Note: opening creates the file when it is missing and clears a read-only attribute.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qor::win {

class TIniFile {
 public:
  explicit TIniFile(std::u16string fileName);

  std::u16string ReadString(std::u16string_view section, std::u16string_view ident,
                            std::u16string_view defaultValue) const;
  bool WriteString(std::u16string_view section, std::u16string_view ident, std::u16string_view value);
  int64_t ReadInteger(std::u16string_view section, std::u16string_view ident, int64_t defaultValue) const;
  bool WriteInteger(std::u16string_view section, std::u16string_view ident, int64_t value);
  bool ReadBool(std::u16string_view section, std::u16string_view ident, bool defaultValue) const;
  bool WriteBool(std::u16string_view section, std::u16string_view ident, bool value);
  std::vector<std::u16string> ReadSections() const;
  bool EraseSection(std::u16string_view section);
  bool DeleteKey(std::u16string_view section, std::u16string_view ident);
  // Flushes the system's cached copy of the file.
  void UpdateFile();

  const std::u16string& FileName() const { return FFileName; }

 private:
  std::u16string FFileName;
};

}  // namespace qor::win
