#pragma once
// What the settings store, the log and the language tables need from the file system, behind one seam.
// Usage:
//   qor::TFileSystem& fs = qor::FileSystem();
//   std::string bytes;
//   if (fs.ReadWholeFile(path, bytes)) ...            // opened with no sharing restriction
//   fs.WriteFileAtomically(path, bytes);               // temporary file beside it, then replaces the original
// Paths are UTF-16 text in the platform's own form ("C:\..." on Windows). The process-wide instance is the
// portable one (std::filesystem) until the Windows build installs its own at start-up (base/win/WinFileSystem.h),
// and tests may install a fake with SetFileSystem.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace qor {

// The platform's path separator as text ('\' on Windows, '/' elsewhere).
#ifdef _WIN32
constexpr char16_t PathSeparator = u'\\';
#else
constexpr char16_t PathSeparator = u'/';
#endif

// Conversion to a std::filesystem path (lone surrogates become U+FFFD where the platform needs UTF-8) and back.
std::filesystem::path ToFsPath(std::u16string_view path);
std::u16string FromFsPath(const std::filesystem::path& path);

// Path text helpers; both '\' and '/' count as separators.
bool IsPathSeparator(char16_t c);
std::u16string IncludeTrailingSeparator(std::u16string_view folder);  // adds PathSeparator unless present
std::u16string ExtractFileDir(std::u16string_view path);              // without the trailing separator
std::u16string ExtractFileName(std::u16string_view path);
// Replaces the extension of the file name (from its last '.') by ext, which includes the dot.
std::u16string ChangeFileExt(std::u16string_view path, std::u16string_view ext);

struct TFileAttributes {
  bool ReadOnly = false;
  bool Hidden = false;
  friend bool operator==(const TFileAttributes&, const TFileAttributes&) = default;
};

// A file open for appending; the platform version denies other writers while it is open.
class TAppendFile {
 public:
  virtual ~TAppendFile() = default;
  virtual bool Write(std::string_view bytes) = 0;
  virtual uint64_t Size() = 0;
  virtual bool Truncate() = 0;  // to 0 bytes
};

class TFileSystem {
 public:
  virtual ~TFileSystem() = default;

  virtual bool FileExists(std::u16string_view path) = 0;  // a file, not a folder
  virtual bool DirectoryExists(std::u16string_view path) = 0;
  // Reads the whole file; false when it cannot be opened or read or is larger than maxBytes.
  virtual bool ReadWholeFile(std::u16string_view path, std::string& bytes, uint64_t maxBytes = DefaultMaxRead) = 0;
  // Writes bytes to a new temporary file in the same folder, flushes it, then puts it in place of path in one
  // step. On failure the original is untouched and the temporary file removed.
  virtual bool WriteFileAtomically(std::u16string_view path, std::string_view bytes) = 0;
  // The same for a file that another program shares with us and may hold open: when that program's handle keeps
  // the file from being replaced (sharing or access refused), it is written over in place, as that program
  // expects. No temporary file is left behind either way.
  virtual bool WriteSharedFile(std::u16string_view path, std::string_view bytes) {
    return WriteFileAtomically(path, bytes);
  }
  virtual std::optional<TFileAttributes> ReadAttributes(std::u16string_view path) = 0;
  // Sets the two bits and keeps every other attribute.
  virtual bool WriteAttributes(std::u16string_view path, TFileAttributes attributes) = 0;
  // Creates every missing level; true when the folder exists afterwards.
  virtual bool MakeDirectories(std::u16string_view path) = 0;
  virtual std::optional<uint64_t> SizeOfFile(std::u16string_view path) = 0;
  virtual bool CopyFileTo(std::u16string_view from, std::u16string_view to) = 0;  // overwrites `to`
  virtual bool RemoveFile(std::u16string_view path) = 0;
  virtual bool RenameFile(std::u16string_view from, std::u16string_view to) = 0;  // replaces `to`
  // Opens (creating it when missing) for appending at its end; nullptr when that fails.
  virtual std::unique_ptr<TAppendFile> OpenForAppend(std::u16string_view path) = 0;
  // Full path of the running executable; empty when unknown.
  virtual std::u16string ExecutablePath() = 0;

  static constexpr uint64_t DefaultMaxRead = 256ull << 20;
};

// The portable implementation on std::filesystem and standard streams. Read-only is the owner's write
// permission; "hidden" does not exist on every platform and reads as false.
class TStdFileSystem : public TFileSystem {
 public:
  bool FileExists(std::u16string_view path) override;
  bool DirectoryExists(std::u16string_view path) override;
  bool ReadWholeFile(std::u16string_view path, std::string& bytes, uint64_t maxBytes = DefaultMaxRead) override;
  bool WriteFileAtomically(std::u16string_view path, std::string_view bytes) override;
  std::optional<TFileAttributes> ReadAttributes(std::u16string_view path) override;
  bool WriteAttributes(std::u16string_view path, TFileAttributes attributes) override;
  bool MakeDirectories(std::u16string_view path) override;
  std::optional<uint64_t> SizeOfFile(std::u16string_view path) override;
  bool CopyFileTo(std::u16string_view from, std::u16string_view to) override;
  bool RemoveFile(std::u16string_view path) override;
  bool RenameFile(std::u16string_view from, std::u16string_view to) override;
  std::unique_ptr<TAppendFile> OpenForAppend(std::u16string_view path) override;
  std::u16string ExecutablePath() override;
};

// The process-wide instance. SetFileSystem(nullptr) restores the portable one; the caller keeps ownership.
TFileSystem& FileSystem();
void SetFileSystem(TFileSystem* fileSystem);

// A name for a temporary file beside path that does not exist yet ("<path>.<random>.tmp").
std::u16string TemporarySiblingName(std::u16string_view path);

}  // namespace qor
