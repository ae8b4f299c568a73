#include "app/SafeIniFile.h"

#include <charconv>
#include <cmath>

#include "base/FileSystem.h"
#include "base/TextDecoding.h"
#include "base/Utf16Text.h"

namespace qor {

namespace {

// Attempts at creating a folder before giving up (another process may be creating or removing it meanwhile).
constexpr int FolderAttempts = 101;

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// Reads 1..maxDigits digits at pos.
bool ReadNumber(std::u16string_view s, size_t& pos, int maxDigits, int& value) {
  const size_t start = pos;
  value = 0;
  while (pos < s.size() && IsDigit(s[pos]) && static_cast<int>(pos - start) < maxDigits) {
    value = value * 10 + (s[pos] - u'0');
    ++pos;
  }
  return pos > start;
}

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeapYear(y) ? 29 : days[m - 1];
}

bool ParseDatePart(std::u16string_view s, TDateTimeValue& v) {
  size_t pos = 0;
  if (!ReadNumber(s, pos, 2, v.Month) || pos >= s.size() || s[pos++] != u'/') return false;
  if (!ReadNumber(s, pos, 2, v.Day) || pos >= s.size() || s[pos++] != u'/') return false;
  if (!ReadNumber(s, pos, 4, v.Year) || pos != s.size()) return false;
  return v.Year >= 1 && v.Month >= 1 && v.Month <= 12 && v.Day >= 1 && v.Day <= DaysInMonth(v.Year, v.Month);
}

bool ParseTimePart(std::u16string_view s, TDateTimeValue& v) {
  size_t pos = 0;
  v.Second = v.Millisecond = 0;
  if (!ReadNumber(s, pos, 2, v.Hour) || pos >= s.size() || s[pos++] != u':') return false;
  if (!ReadNumber(s, pos, 2, v.Minute)) return false;
  if (pos < s.size()) {
    if (s[pos++] != u':' || !ReadNumber(s, pos, 2, v.Second)) return false;
    if (pos < s.size()) {
      // Milliseconds after ":" (as written) or after the decimal separator ".".
      if ((s[pos] != u':' && s[pos] != u'.') || !ReadNumber(s, ++pos, 3, v.Millisecond)) return false;
    }
  }
  return pos == s.size() && v.Hour <= 23 && v.Minute <= 59 && v.Second <= 59 && v.Millisecond <= 999;
}

}  // namespace

// ---- value texts ----

std::u16string FormatIniInteger(int64_t value) { return IntToText(value); }

bool ParseIniInteger(std::u16string_view text, int64_t& value) {
  const std::u16string t = Trim(text);
  if (t.size() > 2 && t[0] == u'0' && (t[1] == u'x' || t[1] == u'X')) {
    if (t.size() - 2 > 16) return false;
    uint64_t u = 0;
    for (size_t i = 2; i < t.size(); ++i) {
      const int d = HexDigit(t[i]);
      if (d < 0) return false;
      u = (u << 4) | static_cast<uint64_t>(d);
    }
    value = static_cast<int64_t>(u);  // 16 digits wrap around like a two's complement value
    return true;
  }
  size_t pos = 0;
  bool negative = false;
  if (pos < t.size() && (t[pos] == u'-' || t[pos] == u'+')) negative = t[pos++] == u'-';
  if (pos == t.size()) return false;
  const uint64_t limit = negative ? uint64_t{1} << 63 : (uint64_t{1} << 63) - 1;
  uint64_t u = 0;
  for (; pos < t.size(); ++pos) {
    if (!IsDigit(t[pos])) return false;
    const uint64_t d = t[pos] - u'0';
    if (u > (limit - d) / 10) return false;  // overflow
    u = u * 10 + d;
  }
  value = negative ? static_cast<int64_t>(0 - u) : static_cast<int64_t>(u);
  return true;
}

std::u16string FormatIniFloat(double value) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, value);
  return Latin1ToUtf16(std::string_view(buf, static_cast<size_t>(r.ptr - buf)));
}

bool ParseIniFloat(std::u16string_view text, double& value) {
  const std::u16string t = Trim(text);
  std::string narrow;
  for (char16_t c : t) {
    if (c >= 0x80) return false;
    narrow.push_back(c == u',' ? '.' : static_cast<char>(c));
  }
  size_t start = 0;
  if (!narrow.empty() && narrow[0] == '+') start = 1;
  if (start == narrow.size() || (start == 1 && narrow[1] == '-')) return false;
  double v = 0;
  const char* first = narrow.data() + start;
  const char* last = narrow.data() + narrow.size();
  const auto r = std::from_chars(first, last, v);
  if (r.ec != std::errc() || r.ptr != last || !std::isfinite(v)) return false;
  value = v;
  return true;
}

std::u16string FormatIniDate(const TDateTimeValue& v) {
  std::u16string out;
  out += ZeroPadded(v.Month, 2);
  out += u'/';
  out += ZeroPadded(v.Day, 2);
  out += u'/';
  out += ZeroPadded(v.Year, 4);
  return out;
}

std::u16string FormatIniTime(const TDateTimeValue& v) {
  std::u16string out;
  out += ZeroPadded(v.Hour, 2);
  out += u':';
  out += ZeroPadded(v.Minute, 2);
  out += u':';
  out += ZeroPadded(v.Second, 2);
  out += u':';
  out += ZeroPadded(v.Millisecond, 3);
  return out;
}

std::u16string FormatIniDateTime(const TDateTimeValue& v) { return FormatIniDate(v) + u" " + FormatIniTime(v); }

bool ParseIniDateTime(std::u16string_view text, TDateTimeValue& value, bool& hasDate, bool& hasTime) {
  const std::u16string t = Trim(text);
  TDateTimeValue v;
  hasDate = hasTime = false;
  const size_t space = t.find(u' ');
  std::u16string_view first = std::u16string_view(t).substr(0, space);
  std::u16string second;
  if (space != std::u16string::npos) second = Trim(std::u16string_view(t).substr(space));
  if (first.empty()) return false;
  if (first.find(u'/') != std::u16string_view::npos) {
    if (!ParseDatePart(first, v)) return false;
    hasDate = true;
    if (!second.empty()) {
      if (!ParseTimePart(second, v)) return false;
      hasTime = true;
    }
  } else {
    if (!second.empty() || !ParseTimePart(first, v)) return false;
    hasTime = true;
  }
  value = v;
  return true;
}

// ---- TSafeIniFile ----

TSafeIniFile::TSafeIniFile(std::u16string fileName, TIniStreamFilter decode, TIniStreamFilter encode,
                           bool caseSensitive)
    : FFileName(std::move(fileName)), FDecode(std::move(decode)), FEncode(std::move(encode)), FSections(caseSensitive) {
  TFileSystem& fs = FileSystem();
  if (fs.FileExists(FFileName)) {
    LoadFromFile();
    return;
  }
  const std::u16string folder = ExtractFileDir(FFileName);
  if (!folder.empty()) EnsureFolder(folder);
  std::string empty;
  if (FEncode && !FEncode(empty)) return;
  fs.WriteFileAtomically(FFileName, empty);
}

TSafeIniFile::~TSafeIniFile() {
  if (FModified && !FNoWriteBack) {
    try {
      UpdateFile();
    } catch (...) {
      // A failed save loses the value; the tool goes on.
    }
  }
}

bool TSafeIniFile::EnsureFolder(std::u16string_view folder) const {
  TFileSystem& fs = FileSystem();
  for (int attempt = 0; attempt < FolderAttempts; ++attempt) {
    if (fs.DirectoryExists(folder)) return true;
    fs.MakeDirectories(folder);
  }
  return fs.DirectoryExists(folder);
}

std::u16string TSafeIniFile::EffectiveFileName() const {
  // A bare name means the current folder.
  if (ExtractFileDir(FFileName).empty()) return std::u16string(u".") + PathSeparator + FFileName;
  return FFileName;
}

bool TSafeIniFile::LoadFromFile() {
  std::string bytes;
  TFileSystem& fs = FileSystem();
  if (!fs.ReadWholeFile(FFileName, bytes)) {
    if (fs.FileExists(FFileName)) FNoWriteBack = true;
    return false;
  }
  LoadFromStream(bytes);
  return true;
}

void TSafeIniFile::LoadFromStream(std::string_view bytes) {
  std::string copy(bytes);
  if (FDecode && !FDecode(copy)) {
    FNoWriteBack = true;
    FSections.Clear();
  } else {
    FSections.Parse(DecodeText(copy));
  }
  FModified = false;
}

std::u16string TSafeIniFile::ReadString(std::u16string_view section, std::u16string_view ident,
                                        std::u16string_view defaultValue) const {
  auto value = FSections.ReadValue(section, ident);
  return value ? std::move(*value) : std::u16string(defaultValue);
}

void TSafeIniFile::WriteString(std::u16string_view section, std::u16string_view ident, std::u16string_view value) {
  FSections.WriteValue(section, ident, value);
  FModified = true;
}

int64_t TSafeIniFile::ReadInteger(std::u16string_view section, std::u16string_view ident, int64_t defaultValue) const {
  const auto text = FSections.ReadValue(section, ident);
  int64_t value = 0;
  return text && ParseIniInteger(*text, value) ? value : defaultValue;
}

void TSafeIniFile::WriteInteger(std::u16string_view section, std::u16string_view ident, int64_t value) {
  WriteString(section, ident, FormatIniInteger(value));
}

bool TSafeIniFile::ReadBool(std::u16string_view section, std::u16string_view ident, bool defaultValue) const {
  const auto text = FSections.ReadValue(section, ident);
  int64_t value = 0;
  return text && ParseIniInteger(*text, value) ? value != 0 : defaultValue;
}

void TSafeIniFile::WriteBool(std::u16string_view section, std::u16string_view ident, bool value) {
  WriteString(section, ident, value ? u"1" : u"0");
}

double TSafeIniFile::ReadFloat(std::u16string_view section, std::u16string_view ident, double defaultValue) const {
  const auto text = FSections.ReadValue(section, ident);
  double value = 0;
  return text && ParseIniFloat(*text, value) ? value : defaultValue;
}

void TSafeIniFile::WriteFloat(std::u16string_view section, std::u16string_view ident, double value) {
  WriteString(section, ident, FormatIniFloat(value));
}

TDateTimeValue TSafeIniFile::ReadDate(std::u16string_view section, std::u16string_view ident,
                                      TDateTimeValue defaultValue) const {
  const auto text = FSections.ReadValue(section, ident);
  TDateTimeValue v;
  bool hasDate = false, hasTime = false;
  if (!text || !ParseIniDateTime(*text, v, hasDate, hasTime) || !hasDate) return defaultValue;
  return TDateTimeValue{v.Year, v.Month, v.Day};
}

TDateTimeValue TSafeIniFile::ReadTime(std::u16string_view section, std::u16string_view ident,
                                      TDateTimeValue defaultValue) const {
  const auto text = FSections.ReadValue(section, ident);
  TDateTimeValue v;
  bool hasDate = false, hasTime = false;
  if (!text || !ParseIniDateTime(*text, v, hasDate, hasTime) || !hasTime) return defaultValue;
  return TDateTimeValue{0, 0, 0, v.Hour, v.Minute, v.Second, v.Millisecond};
}

TDateTimeValue TSafeIniFile::ReadDateTime(std::u16string_view section, std::u16string_view ident,
                                          TDateTimeValue defaultValue) const {
  const auto text = FSections.ReadValue(section, ident);
  TDateTimeValue v;
  bool hasDate = false, hasTime = false;
  return text && ParseIniDateTime(*text, v, hasDate, hasTime) ? v : defaultValue;
}

void TSafeIniFile::WriteDate(std::u16string_view section, std::u16string_view ident, const TDateTimeValue& value) {
  WriteString(section, ident, FormatIniDate(value));
}

void TSafeIniFile::WriteTime(std::u16string_view section, std::u16string_view ident, const TDateTimeValue& value) {
  WriteString(section, ident, FormatIniTime(value));
}

void TSafeIniFile::WriteDateTime(std::u16string_view section, std::u16string_view ident, const TDateTimeValue& value) {
  WriteString(section, ident, FormatIniDateTime(value));
}

bool TSafeIniFile::ValueExists(std::u16string_view section, std::u16string_view ident) const {
  return FSections.ReadValue(section, ident).has_value();
}

void TSafeIniFile::EraseSection(std::u16string_view section) {
  if (!FSections.SectionExists(section)) return;
  FSections.EraseSection(section);
  FModified = true;
}

void TSafeIniFile::DeleteKey(std::u16string_view section, std::u16string_view ident) {
  if (FSections.DeleteKey(section, ident)) FModified = true;
}

bool TSafeIniFile::UpdateFile() {
  FAbortSave = false;
  if (FNoWriteBack) return false;
  TFileSystem& fs = FileSystem();
  const std::u16string path = EffectiveFileName();
  EnsureFolder(ExtractFileDir(path));

  // A read-only or hidden file is replaced all the same and gets its attributes back afterwards.
  const auto attributes = fs.ReadAttributes(path);
  const bool cleared = attributes && (attributes->ReadOnly || attributes->Hidden);
  if (cleared) fs.WriteAttributes(path, TFileAttributes{});

  std::string bytes = EncodeUtf16LeWithBom(FSections.Serialize());
  if (FEncode && !FEncode(bytes)) FAbortSave = true;
  const bool written = !FAbortSave && fs.WriteSharedFile(path, bytes);

  if (cleared) fs.WriteAttributes(path, *attributes);
  if (written) FModified = false;
  return written;
}

// ---- one setting at a time ----

std::u16string ReadIniString(std::u16string_view fileName, std::u16string_view section, std::u16string_view ident,
                             std::u16string_view defaultValue) {
  try {
    // Read straight from the bytes: a file that is missing (or vanishes meanwhile) is never created by a read.
    std::string bytes;
    if (!FileSystem().ReadWholeFile(fileName, bytes)) return std::u16string(defaultValue);
    TIniSections ini;
    ini.Parse(DecodeText(bytes));
    auto value = ini.ReadValue(section, ident);
    return value ? std::move(*value) : std::u16string(defaultValue);
  } catch (...) {
    return std::u16string(defaultValue);
  }
}

bool WriteIniString(std::u16string_view fileName, std::u16string_view section, std::u16string_view ident,
                    std::u16string_view value) {
  try {
    TSafeIniFile ini{std::u16string(fileName)};
    ini.WriteString(section, ident, value);
    const bool saved = ini.UpdateFile();
    if (!saved) ini.LoadFromStream({});  // nothing left to save: the destructor must not try again
    return saved;
  } catch (...) {
    return false;
  }
}

std::u16string ReadConfigString(std::u16string_view section, std::u16string_view ident,
                                std::u16string_view defaultValue) {
  return ReadIniString(ConfigIniPath(), section, ident, defaultValue);
}

bool WriteConfigString(std::u16string_view section, std::u16string_view ident, std::u16string_view value) {
  return WriteIniString(ConfigIniPath(), section, ident, value);
}

}  // namespace qor
