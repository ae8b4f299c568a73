#pragma once
// The mounted skin packages. Registering a package file makes its tree readable under ":/" + the file's base name
// (its name without extension) + "/": the package "skin/classic.rcc" answers ":/classic/images/bg.png". Base names
// are matched without regard to ASCII case, names inside a package exactly as stored. Registering a second file
// with the same base name replaces the first. Not thread-safe; the DLL guards it with one mutex.
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "companions/webres/FolderListing.h"
#include "companions/webres/ZipArchive.h"

namespace qor::webres {

// The files a package may be: anything larger is refused unread.
inline constexpr uintmax_t kMaxPackageFileSize = 512u << 20;

class TPackageRegistry {
 public:
  // Reads and checks the file; false (and the registry unchanged) when it is missing or no zip archive.
  bool Register(const std::filesystem::path& file);
  // Unmounts the package registered from this file; false when no package came from it.
  bool Unregister(const std::filesystem::path& file);
  // The resource's bytes ("\\" counts as '/'); nothing when it is missing, a folder or unreadable.
  std::optional<std::vector<uint8_t>> Read(std::string_view resourcePath) const;
  // The direct sub-folders and files of a folder (":/classic/images", trailing '/' optional); ":/" lists the
  // mounted packages. Nothing when the folder does not exist.
  std::optional<TFolderListing> List(std::string_view folderPath) const;

 private:
  struct TPackage {
    std::filesystem::path File;
    TZipArchive Archive;
  };
  // Package name and the path inside it; nothing when the path is not of the form ":/name/...".
  const TPackage* Resolve(std::string_view resourcePath, std::string& inner) const;
  std::map<std::string, std::unique_ptr<TPackage>> FPackages;  // by lower-case base name
};

}  // namespace qor::webres
