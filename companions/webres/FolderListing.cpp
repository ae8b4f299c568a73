#include "companions/webres/FolderListing.h"

#include <set>

namespace qor::webres {

std::optional<TFolderListing> ListFolder(const TZipArchive& archive, std::string_view folder) {
  std::string prefix;
  if (!folder.empty()) {
    const auto name = NormaliseEntryName(folder);
    if (!name) return std::nullopt;
    prefix = name->back() == '/' ? *name : *name + '/';
  }
  TFolderListing listing;
  bool found = prefix.empty();
  std::set<std::string> seenFolders, seenFiles;
  for (const TZipEntry& entry : archive.Entries()) {
    if (entry.Name.size() <= prefix.size() || entry.Name.compare(0, prefix.size(), prefix) != 0) {
      if (entry.Name == prefix) found = true;
      continue;
    }
    found = true;
    const std::string rest = entry.Name.substr(prefix.size());
    const size_t slash = rest.find('/');
    if (slash == std::string::npos) {
      if (seenFiles.insert(rest).second) listing.Files.push_back(rest);
    } else {
      const std::string name = rest.substr(0, slash);
      if (seenFolders.insert(name).second) listing.Folders.push_back(name);
    }
  }
  if (!found) return std::nullopt;
  return listing;
}

std::string JoinListing(const std::vector<std::string>& names) {
  std::string out;
  for (const std::string& name : names) out += name + '|';
  return out;
}

}  // namespace qor::webres
