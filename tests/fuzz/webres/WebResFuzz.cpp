// The zip reader on arbitrary bytes taken as a package. Every entry it lists is read and every folder listed: a
// read must yield exactly the listed size or nothing, names must be safe, and every name a listing hands out must
// lead back to an entry or a folder of the package.
#include <cstdlib>

#include "companions/webres/FolderListing.h"
#include "companions/webres/ZipArchive.h"

namespace {

using namespace qor::webres;

void CheckFolder(const TZipArchive& zip, const std::string& folder) {
  const auto listing = ListFolder(zip, folder);
  if (!listing) std::abort();  // the folder was named by an entry, so it exists
  for (const std::string& file : listing->Files)
    if (file.empty() || file.find('/') != std::string::npos || !zip.Find(folder + file)) std::abort();
  for (const std::string& sub : listing->Folders)
    if (sub.empty() || sub.find('/') != std::string::npos || !ListFolder(zip, folder + sub + '/')) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TZipArchive zip;
  zip.Open(std::vector<uint8_t>(data, data + size));
  CheckFolder(zip, "");
  for (const TZipEntry& entry : zip.Entries()) {
    if (entry.Size > kMaxEntrySize) std::abort();
    if (NormaliseEntryName(entry.Name) != entry.Name) std::abort();
    if (zip.Find(entry.Name) != &entry) std::abort();
    const auto bytes = zip.Read(entry.Name);
    if (bytes && (bytes->size() != entry.Size || entry.IsFolder())) std::abort();
    const size_t slash = entry.Name.rfind('/', entry.Name.size() - 2);
    CheckFolder(zip, slash == std::string::npos ? std::string() : entry.Name.substr(0, slash + 1));
  }
  return 0;
}
