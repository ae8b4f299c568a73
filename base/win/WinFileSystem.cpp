#include "base/win/WinFileSystem.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <system_error>

#include "base/TextDecoding.h"
#include "base/win/UniqueHandle.h"

namespace qor::win {

namespace {

std::wstring W(std::u16string_view s) { return std::wstring(s.begin(), s.end()); }

bool WriteAll(HANDLE h, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(h, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

class TWinAppendFile : public TAppendFile {
 public:
  explicit TWinAppendFile(HANDLE h) : FHandle(h) {
    LARGE_INTEGER size{};
    if (GetFileSizeEx(h, &size)) FSize = static_cast<uint64_t>(size.QuadPart);
    LARGE_INTEGER zero{};
    SetFilePointerEx(h, zero, nullptr, FILE_END);
  }
  bool Write(std::string_view bytes) override {
    if (!WriteAll(FHandle.Get(), bytes)) return false;
    FSize += bytes.size();
    return true;
  }
  uint64_t Size() override { return FSize; }
  bool Truncate() override {
    LARGE_INTEGER zero{};
    if (!SetFilePointerEx(FHandle.Get(), zero, nullptr, FILE_BEGIN) || !SetEndOfFile(FHandle.Get())) return false;
    FSize = 0;
    return true;
  }

 private:
  TKernelHandle FHandle;
  uint64_t FSize = 0;
};

}  // namespace

bool TWinFileSystem::FileExists(std::u16string_view path) {
  const DWORD a = GetFileAttributesW(W(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool TWinFileSystem::DirectoryExists(std::u16string_view path) {
  const DWORD a = GetFileAttributesW(W(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool TWinFileSystem::ReadWholeFile(std::u16string_view path, std::string& bytes, uint64_t maxBytes) {
  bytes.clear();
  // Deny none: the parent product may hold the file open for writing or even be replacing it.
  TKernelHandle h(CreateFileW(W(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!h) return false;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(h.Get(), &size) || size.QuadPart < 0 || static_cast<uint64_t>(size.QuadPart) > maxBytes) {
    return false;
  }
  bytes.resize(static_cast<size_t>(size.QuadPart));
  size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    DWORD got = 0;
    if (!ReadFile(h.Get(), bytes.data() + done, chunk, &got, nullptr)) {
      bytes.clear();
      return false;
    }
    if (got == 0) break;  // the file shrank while being read: keep what is there
    done += got;
  }
  bytes.resize(done);
  return true;
}

namespace {

enum class TReplaceResult { Replaced, Failed, TargetHeld };

// Writes a temporary file beside path and puts it in place in one step; the temporary file never survives.
TReplaceResult ReplaceFile(std::u16string_view path, std::string_view bytes) {
  const std::wstring temp = W(TemporarySiblingName(path));
  {
    TKernelHandle h(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h) return TReplaceResult::Failed;
    if (!WriteAll(h.Get(), bytes) || !FlushFileBuffers(h.Get())) {
      h.Reset();
      DeleteFileW(temp.c_str());
      return TReplaceResult::Failed;
    }
  }
  if (MoveFileExW(temp.c_str(), W(path).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return TReplaceResult::Replaced;
  const DWORD error = GetLastError();
  DeleteFileW(temp.c_str());
  return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ? TReplaceResult::TargetHeld
                                                                          : TReplaceResult::Failed;
}

// Writes over an existing file through a handle that shares everything, then cuts it to the new length.
bool OverwriteInPlace(std::u16string_view path, std::string_view bytes) {
  TKernelHandle h(CreateFileW(W(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return h && WriteAll(h.Get(), bytes) && SetEndOfFile(h.Get()) && FlushFileBuffers(h.Get());
}

}  // namespace

bool TWinFileSystem::WriteFileAtomically(std::u16string_view path, std::string_view bytes) {
  return ReplaceFile(path, bytes) == TReplaceResult::Replaced;
}

bool TWinFileSystem::WriteSharedFile(std::u16string_view path, std::string_view bytes) {
  switch (ReplaceFile(path, bytes)) {
    case TReplaceResult::Replaced: return true;
    case TReplaceResult::TargetHeld: return OverwriteInPlace(path, bytes);
    case TReplaceResult::Failed: return false;
  }
  return false;
}

std::optional<TFileAttributes> TWinFileSystem::ReadAttributes(std::u16string_view path) {
  const DWORD a = GetFileAttributesW(W(path).c_str());
  if (a == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return TFileAttributes{(a & FILE_ATTRIBUTE_READONLY) != 0, (a & FILE_ATTRIBUTE_HIDDEN) != 0};
}

bool TWinFileSystem::WriteAttributes(std::u16string_view path, TFileAttributes attributes) {
  const std::wstring p = W(path);
  DWORD a = GetFileAttributesW(p.c_str());
  if (a == INVALID_FILE_ATTRIBUTES) return false;
  a &= ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_NORMAL);
  if (attributes.ReadOnly) a |= FILE_ATTRIBUTE_READONLY;
  if (attributes.Hidden) a |= FILE_ATTRIBUTE_HIDDEN;
  if (a == 0) a = FILE_ATTRIBUTE_NORMAL;
  return SetFileAttributesW(p.c_str(), a) != 0;
}

bool TWinFileSystem::MakeDirectories(std::u16string_view path) {
  if (path.empty()) return false;
  std::error_code ec;
  const std::filesystem::path p(W(path));
  std::filesystem::create_directories(p, ec);
  return DirectoryExists(path);
}

std::optional<uint64_t> TWinFileSystem::SizeOfFile(std::u16string_view path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(W(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
  return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool TWinFileSystem::CopyFileTo(std::u16string_view from, std::u16string_view to) {
  return CopyFileW(W(from).c_str(), W(to).c_str(), FALSE) != 0;
}

bool TWinFileSystem::RemoveFile(std::u16string_view path) { return DeleteFileW(W(path).c_str()) != 0; }

bool TWinFileSystem::RenameFile(std::u16string_view from, std::u16string_view to) {
  return MoveFileExW(W(from).c_str(), W(to).c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

std::unique_ptr<TAppendFile> TWinFileSystem::OpenForAppend(std::u16string_view path) {
  // Readers are let in, other writers are kept out.
  HANDLE h = CreateFileW(W(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
  if (h == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<TWinAppendFile>(h);
}

std::u16string TWinFileSystem::ExecutablePath() {
  std::wstring buf(MAX_PATH, L'\0');
  for (int attempt = 0; attempt < 8; ++attempt) {
    const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return {};
    if (n < buf.size()) return std::u16string(buf.begin(), buf.begin() + n);
    buf.resize(buf.size() * 2);
  }
  return {};
}

std::u16string DecodeSystemAnsi(std::string_view bytes) {
  if (bytes.empty()) return {};
  if (bytes.size() > static_cast<size_t>(INT_MAX)) return DecodeWindows1252(bytes);
  const int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  if (n <= 0) return DecodeWindows1252(bytes);
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), w.data(), n);
  return std::u16string(w.begin(), w.end());
}

void InstallWinBaseSeams() {
  static TWinFileSystem instance;
  SetFileSystem(&instance);
  SetAnsiDecoder(&DecodeSystemAnsi);
}

}  // namespace qor::win
