#include "companions/webres/PackageRegistry.h"

#include <algorithm>
#include <fstream>

namespace qor::webres {

namespace {

std::string LowerAscii(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return text;
}

// std::filesystem hands out UTF-8 as char8_t; the registry keeps plain std::string.
std::string Utf8(const std::u8string& text) { return std::string(text.begin(), text.end()); }

std::string PackageName(const std::filesystem::path& file) { return LowerAscii(Utf8(file.stem().u8string())); }

// Two spellings of one file name the same package: compared lexically, with either separator, ignoring case.
std::string FileKey(const std::filesystem::path& file) {
  return LowerAscii(Utf8(file.lexically_normal().generic_u8string()));
}

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::filesystem::path& file) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return std::nullopt;
  const uintmax_t size = std::filesystem::file_size(file, error);
  if (error || size > kMaxPackageFileSize) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  if (!in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()))) return std::nullopt;
  return bytes;
}

std::string Slashed(std::string_view path) {
  std::string out(path);
  std::replace(out.begin(), out.end(), '\\', '/');
  return out;
}

}  // namespace

bool TPackageRegistry::Register(const std::filesystem::path& file) {
  auto bytes = ReadWholeFile(file);
  if (!bytes) return false;
  auto package = std::make_unique<TPackage>();
  package->File = file;
  if (!package->Archive.Open(std::move(*bytes))) return false;
  FPackages[PackageName(file)] = std::move(package);
  return true;
}

bool TPackageRegistry::Unregister(const std::filesystem::path& file) {
  const auto it = FPackages.find(PackageName(file));
  if (it == FPackages.end() || FileKey(it->second->File) != FileKey(file)) return false;
  FPackages.erase(it);
  return true;
}

const TPackageRegistry::TPackage* TPackageRegistry::Resolve(std::string_view resourcePath, std::string& inner) const {
  const std::string path = Slashed(resourcePath);
  if (path.size() < 3 || path.compare(0, 2, ":/") != 0) return nullptr;
  const size_t slash = path.find('/', 2);
  const std::string name = LowerAscii(path.substr(2, slash == std::string::npos ? std::string::npos : slash - 2));
  const auto it = FPackages.find(name);
  if (it == FPackages.end()) return nullptr;
  inner = slash == std::string::npos ? std::string() : path.substr(slash + 1);
  return it->second.get();
}

std::optional<std::vector<uint8_t>> TPackageRegistry::Read(std::string_view resourcePath) const {
  std::string inner;
  const TPackage* package = Resolve(resourcePath, inner);
  if (!package) return std::nullopt;
  const auto name = NormaliseEntryName(inner);
  if (!name) return std::nullopt;
  return package->Archive.Read(*name);
}

std::optional<TFolderListing> TPackageRegistry::List(std::string_view folderPath) const {
  const std::string path = Slashed(folderPath);
  if (path == ":/" || path == ":") {
    TFolderListing listing;
    for (const auto& [name, package] : FPackages) listing.Folders.push_back(Utf8(package->File.stem().u8string()));
    return listing;
  }
  std::string inner;
  const TPackage* package = Resolve(path, inner);
  if (!package) return std::nullopt;
  return ListFolder(package->Archive, inner);
}

}  // namespace qor::webres
