// The zip reader on arbitrary bytes taken as a package. Every entry it lists is read; a read must yield exactly
// the listed size or nothing, names must be safe, and no listed entry may be found under another name.
#include <cstdlib>

#include "companions/webres/ZipArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qor::webres::TZipArchive zip;
  zip.Open(std::vector<uint8_t>(data, data + size));
  for (const qor::webres::TZipEntry& entry : zip.Entries()) {
    if (entry.Size > qor::webres::kMaxEntrySize) std::abort();
    if (qor::webres::NormaliseEntryName(entry.Name) != entry.Name) std::abort();
    if (zip.Find(entry.Name) != &entry) std::abort();
    const auto bytes = zip.Read(entry.Name);
    if (bytes && bytes->size() != entry.Size) std::abort();
    if (bytes && entry.IsFolder()) std::abort();
  }
  return 0;
}
