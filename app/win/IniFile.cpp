#include "app/win/IniFile.h"

#include <windows.h>

#include "app/SafeIniFile.h"
#include "base/FileSystem.h"
#include "base/Utf16Text.h"

namespace qor::win {

namespace {

constexpr int FolderAttempts = 101;
constexpr size_t FirstValueBuffer = 2048;
constexpr size_t FirstSectionsBuffer = 16384;
constexpr size_t MaxBuffer = 64u << 20;

std::wstring W(std::u16string_view s) { return std::wstring(s.begin(), s.end()); }

}  // namespace

TIniFile::TIniFile(std::u16string fileName) : FFileName(std::move(fileName)) {
  TFileSystem& fs = FileSystem();
  const std::u16string folder = ExtractFileDir(FFileName);
  if (folder.empty() || folder == u"\\") {
    // The profile functions look for a bare name in the Windows folder; we mean the current one.
    FFileName = u".\\" + FFileName;
  } else {
    for (int attempt = 0; attempt < FolderAttempts && !fs.DirectoryExists(folder); ++attempt) {
      fs.MakeDirectories(folder);
    }
  }
  const auto size = fs.SizeOfFile(FFileName);
  if (!size || *size == 0) {
    // Started with the mark, the file stays UTF-16 whatever the profile functions write into it.
    fs.WriteFileAtomically(FFileName, "\xFF\xFE");
  }
  if (const auto attributes = fs.ReadAttributes(FFileName); attributes && attributes->ReadOnly) {
    SetFileAttributesW(W(FFileName).c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

std::u16string TIniFile::ReadString(std::u16string_view section, std::u16string_view ident,
                                    std::u16string_view defaultValue) const {
  const std::wstring s = W(section), k = W(ident), d = W(defaultValue), f = W(FFileName);
  std::wstring buf(FirstValueBuffer, L'\0');
  while (true) {
    const DWORD n = GetPrivateProfileStringW(s.c_str(), k.c_str(), d.c_str(), buf.data(),
                                             static_cast<DWORD>(buf.size()), f.c_str());
    // A value that fills the buffer may have been cut: grow by half and ask again.
    if (n + 1 < buf.size() || buf.size() >= MaxBuffer) return std::u16string(buf.begin(), buf.begin() + n);
    buf.assign(buf.size() + buf.size() / 2, L'\0');
  }
}

bool TIniFile::WriteString(std::u16string_view section, std::u16string_view ident, std::u16string_view value) {
  return WritePrivateProfileStringW(W(section).c_str(), W(ident).c_str(), W(value).c_str(), W(FFileName).c_str()) != 0;
}

int64_t TIniFile::ReadInteger(std::u16string_view section, std::u16string_view ident, int64_t defaultValue) const {
  int64_t value = 0;
  return ParseIniInteger(ReadString(section, ident, u""), value) ? value : defaultValue;
}

bool TIniFile::WriteInteger(std::u16string_view section, std::u16string_view ident, int64_t value) {
  return WriteString(section, ident, FormatIniInteger(value));
}

bool TIniFile::ReadBool(std::u16string_view section, std::u16string_view ident, bool defaultValue) const {
  int64_t value = 0;
  return ParseIniInteger(ReadString(section, ident, u""), value) ? value != 0 : defaultValue;
}

bool TIniFile::WriteBool(std::u16string_view section, std::u16string_view ident, bool value) {
  return WriteString(section, ident, value ? u"1" : u"0");
}

std::vector<std::u16string> TIniFile::ReadSections() const {
  const std::wstring f = W(FFileName);
  std::wstring buf(FirstSectionsBuffer, L'\0');
  DWORD n = 0;
  while (true) {
    n = GetPrivateProfileSectionNamesW(buf.data(), static_cast<DWORD>(buf.size()), f.c_str());
    // A cut list comes back as the buffer size minus two.
    if (n + 2 < buf.size() || buf.size() >= MaxBuffer) break;
    buf.assign(buf.size() + buf.size() / 2, L'\0');
  }
  std::vector<std::u16string> names;
  size_t start = 0;
  for (size_t i = 0; i < n; ++i) {
    if (buf[i] == L'\0') {
      if (i > start) names.emplace_back(buf.begin() + start, buf.begin() + i);
      start = i + 1;
    }
  }
  if (start < n) names.emplace_back(buf.begin() + start, buf.begin() + n);
  return names;
}

bool TIniFile::EraseSection(std::u16string_view section) {
  return WritePrivateProfileStringW(W(section).c_str(), nullptr, nullptr, W(FFileName).c_str()) != 0;
}

bool TIniFile::DeleteKey(std::u16string_view section, std::u16string_view ident) {
  return WritePrivateProfileStringW(W(section).c_str(), W(ident).c_str(), nullptr, W(FFileName).c_str()) != 0;
}

void TIniFile::UpdateFile() { WritePrivateProfileStringW(nullptr, nullptr, nullptr, W(FFileName).c_str()); }

}  // namespace qor::win
