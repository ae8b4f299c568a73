#pragma once
// The Windows file system seam: reads with no sharing restriction, atomic replacement through MoveFileExW,
// real read-only/hidden attributes, append handles that deny other writers, and the system ANSI code page.
// Usage (once, first thing in WinMain):
//   qor::win::InstallWinBaseSeams();   // FileSystem() and DecodeAnsi() now use the Win32 versions
#include "base/FileSystem.h"

namespace qor::win {

class TWinFileSystem : public TFileSystem {
 public:
  bool FileExists(std::u16string_view path) override;
  bool DirectoryExists(std::u16string_view path) override;
  bool ReadWholeFile(std::u16string_view path, std::string& bytes, uint64_t maxBytes = DefaultMaxRead) override;
  bool WriteFileAtomically(std::u16string_view path, std::string_view bytes) override;
  bool WriteSharedFile(std::u16string_view path, std::string_view bytes) override;
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

// Text without a byte-order mark in the system's ANSI code page (CP_ACP).
std::u16string DecodeSystemAnsi(std::string_view bytes);

// Installs TWinFileSystem as FileSystem() and DecodeSystemAnsi as the ANSI decoder.
void InstallWinBaseSeams();

}  // namespace qor::win
