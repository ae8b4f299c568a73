#pragma once
// The settings store: the parent product's Config.ini, read whole into memory and written back as UTF-16 LE
// with byte-order mark.
// Usage (the usual way: one operation, then the file is released again):
//   std::u16string tip = qor::ReadConfigString(u"AIAssistant", u"ScreenshotCapTip", u"0");
//   qor::WriteConfigString(u"AIAssistant", u"ScreenshotClipboardShow", u"1");   // saved at once
// Several values at once:
//   {
//     qor::TSafeIniFile ini(qor::ConfigIniPath());
//     ini.WriteInteger(u"StartPin", u"Left", 10);
//     ini.WriteInteger(u"StartPin", u"Top", 20);
//   }  // the destructor saves what was modified
// Saving never writes over the file in place: the new content goes to a temporary file in the same folder,
// which then replaces the original in one step. A read-only or hidden file is still updated and keeps those
// attributes.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/AppPaths.h"
#include "app/IniHashedStringList.h"

namespace qor {

// A filter over the file's bytes, applied on load (decode) or on save (encode). It changes the bytes in place
// and returns false on failure: a failed decode forbids writing the file back, a failed encode aborts the save.
using TIniStreamFilter = std::function<bool(std::string& bytes)>;

// A calendar date and time of day as stored in the file ("mm/dd/yyyy hh:nn:ss:zzz").
struct TDateTimeValue {
  int Year = 0, Month = 0, Day = 0;
  int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
  friend bool operator==(const TDateTimeValue&, const TDateTimeValue&) = default;
};

// Value texts, fixed and locale-independent (also used by tests and the free functions).
std::u16string FormatIniInteger(int64_t value);
bool ParseIniInteger(std::u16string_view text, int64_t& value);  // decimal, or hex after "0x"/"0X"
std::u16string FormatIniFloat(double value);                     // "." as decimal separator
bool ParseIniFloat(std::u16string_view text, double& value);     // "," counts as "."
std::u16string FormatIniDate(const TDateTimeValue& v);           // "mm/dd/yyyy"
std::u16string FormatIniTime(const TDateTimeValue& v);           // "hh:nn:ss:zzz"
std::u16string FormatIniDateTime(const TDateTimeValue& v);       // "mm/dd/yyyy hh:nn:ss:zzz"
// Accepts a date, a time or both ("." also separates the milliseconds); false for anything invalid.
bool ParseIniDateTime(std::u16string_view text, TDateTimeValue& value, bool& hasDate, bool& hasTime);

class TSafeIniFile {
 public:
  // Loads the file when it exists. When it does not, creates its folder and an empty file.
  explicit TSafeIniFile(std::u16string fileName, TIniStreamFilter decode = {}, TIniStreamFilter encode = {},
                        bool caseSensitive = false);
  // Saves when modified, unless writing back is forbidden.
  ~TSafeIniFile();
  TSafeIniFile(const TSafeIniFile&) = delete;
  TSafeIniFile& operator=(const TSafeIniFile&) = delete;

  // Re-reads the file. A file that exists but cannot be read forbids writing back, so that its content is
  // never replaced by a partial picture of it.
  bool LoadFromFile();
  // Parses bytes (through the decode filter) in place of the current content.
  void LoadFromStream(std::string_view bytes);

  std::u16string ReadString(std::u16string_view section, std::u16string_view ident,
                            std::u16string_view defaultValue) const;
  void WriteString(std::u16string_view section, std::u16string_view ident, std::u16string_view value);
  int64_t ReadInteger(std::u16string_view section, std::u16string_view ident, int64_t defaultValue) const;
  void WriteInteger(std::u16string_view section, std::u16string_view ident, int64_t value);
  // "0" is false, any other integer true; anything else gives the default.
  bool ReadBool(std::u16string_view section, std::u16string_view ident, bool defaultValue) const;
  void WriteBool(std::u16string_view section, std::u16string_view ident, bool value);
  double ReadFloat(std::u16string_view section, std::u16string_view ident, double defaultValue) const;
  void WriteFloat(std::u16string_view section, std::u16string_view ident, double value);
  TDateTimeValue ReadDate(std::u16string_view section, std::u16string_view ident, TDateTimeValue defaultValue) const;
  TDateTimeValue ReadTime(std::u16string_view section, std::u16string_view ident, TDateTimeValue defaultValue) const;
  TDateTimeValue ReadDateTime(std::u16string_view section, std::u16string_view ident,
                              TDateTimeValue defaultValue) const;
  void WriteDate(std::u16string_view section, std::u16string_view ident, const TDateTimeValue& value);
  void WriteTime(std::u16string_view section, std::u16string_view ident, const TDateTimeValue& value);
  void WriteDateTime(std::u16string_view section, std::u16string_view ident, const TDateTimeValue& value);

  bool SectionExists(std::u16string_view section) const { return FSections.SectionExists(section); }
  bool ValueExists(std::u16string_view section, std::u16string_view ident) const;
  std::vector<std::u16string> ReadSections() const { return FSections.SectionNames(); }
  void EraseSection(std::u16string_view section);
  void DeleteKey(std::u16string_view section, std::u16string_view ident);

  // Writes the file now (see the header comment). True when the new content is in place.
  bool UpdateFile();

  const std::u16string& FileName() const { return FFileName; }
  bool Modified() const { return FModified; }
  bool WriteBackForbidden() const { return FNoWriteBack; }
  bool SaveAborted() const { return FAbortSave; }
  const TIniSections& Sections() const { return FSections; }

 private:
  std::u16string EffectiveFileName() const;
  bool EnsureFolder(std::u16string_view folder) const;

  std::u16string FFileName;
  TIniStreamFilter FDecode;
  TIniStreamFilter FEncode;
  TIniSections FSections;
  bool FModified = false;
  bool FNoWriteBack = false;
  bool FAbortSave = false;
};

// One setting of any ini file: reads without creating anything when the file is missing; writes create the
// folder and the file when absent and save at once (false when the value could not be saved).
std::u16string ReadIniString(std::u16string_view fileName, std::u16string_view section, std::u16string_view ident,
                             std::u16string_view defaultValue);
bool WriteIniString(std::u16string_view fileName, std::u16string_view section, std::u16string_view ident,
                    std::u16string_view value);

// The same on the parent product's Config.ini (ConfigIniPath(), app/AppPaths.h).
std::u16string ReadConfigString(std::u16string_view section, std::u16string_view ident,
                                std::u16string_view defaultValue);
bool WriteConfigString(std::u16string_view section, std::u16string_view ident, std::u16string_view value);

}  // namespace qor
