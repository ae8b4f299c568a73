#include "base/FileSystem.h"

#include <atomic>
#include <fstream>
#include <random>
#include <system_error>

#include "base/Utf16Text.h"

namespace qor {

namespace fs = std::filesystem;

std::filesystem::path ToFsPath(std::u16string_view path) {
#ifdef _WIN32
  return fs::path(std::wstring(path.begin(), path.end()));
#else
  return fs::path(Utf16ToUtf8(path));
#endif
}

std::u16string FromFsPath(const std::filesystem::path& path) {
#ifdef _WIN32
  const std::wstring& w = path.native();
  return std::u16string(w.begin(), w.end());
#else
  return Utf8ToUtf16(path.native());
#endif
}

bool IsPathSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

std::u16string IncludeTrailingSeparator(std::u16string_view folder) {
  std::u16string out(folder);
  if (out.empty() || !IsPathSeparator(out.back())) out.push_back(PathSeparator);
  return out;
}

namespace {

size_t LastSeparator(std::u16string_view path) {
  for (size_t i = path.size(); i > 0; --i) {
    if (IsPathSeparator(path[i - 1]) || path[i - 1] == u':') return i - 1;
  }
  return std::u16string_view::npos;
}

}  // namespace

std::u16string ExtractFileDir(std::u16string_view path) {
  const size_t sep = LastSeparator(path);
  if (sep == std::u16string_view::npos) return {};
  if (path[sep] == u':') return std::u16string(path.substr(0, sep + 1));
  // Keep a root separator ("/" or "C:\").
  if (sep == 0 || path[sep - 1] == u':') return std::u16string(path.substr(0, sep + 1));
  return std::u16string(path.substr(0, sep));
}

std::u16string ExtractFileName(std::u16string_view path) {
  const size_t sep = LastSeparator(path);
  return std::u16string(sep == std::u16string_view::npos ? path : path.substr(sep + 1));
}

std::u16string ChangeFileExt(std::u16string_view path, std::u16string_view ext) {
  const size_t sep = LastSeparator(path);
  const size_t start = sep == std::u16string_view::npos ? 0 : sep + 1;
  const size_t dot = path.rfind(u'.');
  std::u16string out(dot != std::u16string_view::npos && dot >= start ? path.substr(0, dot) : path);
  out.append(ext);
  return out;
}

std::u16string TemporarySiblingName(std::u16string_view path) {
  static std::atomic<uint32_t> counter{0};
  thread_local std::mt19937 rng{std::random_device{}()};
  for (int attempt = 0;; ++attempt) {
    const uint32_t v = rng() ^ (counter.fetch_add(1) * 0x9E3779B9u);
    char16_t hex[9];
    for (int i = 0; i < 8; ++i) hex[i] = u"0123456789abcdef"[(v >> (28 - 4 * i)) & 0xF];
    hex[8] = 0;
    std::u16string name = std::u16string(path) + u"." + hex + u".tmp";
    std::error_code ec;
    if (!fs::exists(ToFsPath(name), ec) || attempt >= 16) return name;
  }
}

// ---- portable implementation ----

namespace {

class TStdAppendFile : public TAppendFile {
 public:
  explicit TStdAppendFile(fs::path path) : FPath(std::move(path)) {}
  bool Open() {
    FStream.open(FPath, std::ios::binary | std::ios::app);
    if (!FStream) return false;
    std::error_code ec;
    const auto size = fs::file_size(FPath, ec);
    FSize = ec ? 0 : size;
    return true;
  }
  bool Write(std::string_view bytes) override {
    FStream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    FStream.flush();
    if (!FStream) return false;
    FSize += bytes.size();
    return true;
  }
  uint64_t Size() override { return FSize; }
  bool Truncate() override {
    FStream.close();
    std::error_code ec;
    fs::resize_file(FPath, 0, ec);
    FStream.open(FPath, std::ios::binary | std::ios::app);
    if (ec || !FStream) return false;
    FSize = 0;
    return true;
  }

 private:
  fs::path FPath;
  std::ofstream FStream;
  uint64_t FSize = 0;
};

}  // namespace

bool TStdFileSystem::FileExists(std::u16string_view path) {
  std::error_code ec;
  const auto st = fs::status(ToFsPath(path), ec);
  return !ec && fs::exists(st) && !fs::is_directory(st);
}

bool TStdFileSystem::DirectoryExists(std::u16string_view path) {
  std::error_code ec;
  return fs::is_directory(ToFsPath(path), ec);
}

bool TStdFileSystem::ReadWholeFile(std::u16string_view path, std::string& bytes, uint64_t maxBytes) {
  bytes.clear();
  std::ifstream in(ToFsPath(path), std::ios::binary);
  if (!in) return false;
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0 || static_cast<uint64_t>(size) > maxBytes) return false;
  in.seekg(0, std::ios::beg);
  bytes.resize(static_cast<size_t>(size));
  in.read(bytes.data(), size);
  if (in.gcount() != size) {
    bytes.clear();
    return false;
  }
  return true;
}

bool TStdFileSystem::WriteFileAtomically(std::u16string_view path, std::string_view bytes) {
  const std::u16string temp = TemporarySiblingName(path);
  const fs::path tempPath = ToFsPath(temp);
  std::error_code ec;
  {
    std::ofstream out(tempPath, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      out.close();
      fs::remove(tempPath, ec);
      return false;
    }
  }
  fs::rename(tempPath, ToFsPath(path), ec);
  if (ec) {
    fs::remove(tempPath, ec);
    return false;
  }
  return true;
}

std::optional<TFileAttributes> TStdFileSystem::ReadAttributes(std::u16string_view path) {
  std::error_code ec;
  const auto st = fs::status(ToFsPath(path), ec);
  if (ec || !fs::exists(st)) return std::nullopt;
  TFileAttributes a;
  a.ReadOnly = (st.permissions() & fs::perms::owner_write) == fs::perms::none;
  return a;
}

bool TStdFileSystem::WriteAttributes(std::u16string_view path, TFileAttributes attributes) {
  std::error_code ec;
  fs::permissions(ToFsPath(path), fs::perms::owner_write,
                  attributes.ReadOnly ? fs::perm_options::remove : fs::perm_options::add, ec);
  return !ec;
}

bool TStdFileSystem::MakeDirectories(std::u16string_view path) {
  if (path.empty()) return false;
  std::error_code ec;
  const fs::path p = ToFsPath(path);
  fs::create_directories(p, ec);
  return fs::is_directory(p, ec);
}

std::optional<uint64_t> TStdFileSystem::SizeOfFile(std::u16string_view path) {
  std::error_code ec;
  const auto size = fs::file_size(ToFsPath(path), ec);
  if (ec) return std::nullopt;
  return size;
}

bool TStdFileSystem::CopyFileTo(std::u16string_view from, std::u16string_view to) {
  // Through memory rather than std::filesystem::copy_file, whose overwrite is unreliable on some runtimes.
  std::string bytes;
  return ReadWholeFile(from, bytes) && WriteFileAtomically(to, bytes);
}

bool TStdFileSystem::RemoveFile(std::u16string_view path) {
  std::error_code ec;
  return fs::remove(ToFsPath(path), ec) && !ec;
}

bool TStdFileSystem::RenameFile(std::u16string_view from, std::u16string_view to) {
  std::error_code ec;
  fs::rename(ToFsPath(from), ToFsPath(to), ec);
  return !ec;
}

std::unique_ptr<TAppendFile> TStdFileSystem::OpenForAppend(std::u16string_view path) {
  auto file = std::make_unique<TStdAppendFile>(ToFsPath(path));
  if (!file->Open()) return nullptr;
  return file;
}

std::u16string TStdFileSystem::ExecutablePath() {
#ifdef __linux__
  std::error_code ec;
  const fs::path p = fs::read_symlink("/proc/self/exe", ec);
  if (!ec) return FromFsPath(p);
#endif
  return {};
}

namespace {
std::atomic<TFileSystem*> gFileSystem{nullptr};
}  // namespace

TFileSystem& FileSystem() {
  static TStdFileSystem portable;
  TFileSystem* installed = gFileSystem.load();
  return installed ? *installed : portable;
}

void SetFileSystem(TFileSystem* fileSystem) { gFileSystem.store(fileSystem); }

}  // namespace qor
