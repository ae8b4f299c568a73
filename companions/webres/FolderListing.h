#pragma once
// The direct contents of one folder of a package, as the skin loader walks it.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "companions/webres/ZipArchive.h"

namespace qor::webres {

struct TFolderListing {
  std::vector<std::string> Folders;  // names only, each once, in the package's order
  std::vector<std::string> Files;
};

// The sub-folders and files directly inside 'folder' ("" is the package's root, a trailing '/' is optional). A
// folder exists when the package stores it or any entry lies under it; nothing when it does not exist.
std::optional<TFolderListing> ListFolder(const TZipArchive& archive, std::string_view folder);

// "|"-terminated names, as the folder listing is handed out: {"a", "b"} gives "a|b|".
std::string JoinListing(const std::vector<std::string>& names);

}  // namespace qor::webres
