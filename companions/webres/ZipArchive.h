#pragma once
// A read-only zip archive held in memory: the central directory is checked once when the archive is opened, and
// an entry is inflated only when it is read. Only what a skin package needs is accepted: stored and deflated
// entries, no encryption, no ZIP64, no multi-disk archives. Anything malformed or hostile is left out of the
// index (or the whole archive is refused), so a read either yields exactly the stated bytes or nothing.
//
//   TZipArchive zip;
//   if (zip.Open(std::move(fileBytes))) {
//     for (const TZipEntry& e : zip.Entries()) ...;
//     std::optional<std::vector<uint8_t>> bytes = zip.Read("images/bg.png");
//   }
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qor::webres {

// The largest entry that is ever inflated, and so the largest allocation a read makes.
inline constexpr uint32_t kMaxEntrySize = 64u << 20;

struct TZipEntry {
  std::string Name;  // normalised: '/' separators, no leading '/', no "." or ".." parts; folders end with '/'
  uint16_t Method = 0;
  uint32_t Crc = 0;
  uint32_t CompressedSize = 0;
  uint32_t Size = 0;
  uint64_t DataOffset = 0;  // first byte of the entry's data in the archive
  bool IsFolder() const { return !Name.empty() && Name.back() == '/'; }
};

class TZipArchive {
 public:
  // Takes the archive's bytes; false (and an empty index) when there is no usable central directory.
  bool Open(std::vector<uint8_t> bytes);
  const std::vector<TZipEntry>& Entries() const { return FEntries; }
  const TZipEntry* Find(std::string_view name) const;
  // The entry's bytes, inflated now; nothing when the entry is missing, a folder, or its data is corrupt.
  std::optional<std::vector<uint8_t>> Read(std::string_view name) const;
  std::optional<std::vector<uint8_t>> Read(const TZipEntry& entry) const;

 private:
  std::vector<uint8_t> FBytes;
  std::vector<TZipEntry> FEntries;
  std::unordered_map<std::string, size_t> FIndex;
};

// A stored name made safe: backslashes become '/', "." parts and repeated separators are dropped. Nothing for a
// name that could leave the package (a ".." part, a leading '/', a drive letter) or holds a control character.
std::optional<std::string> NormaliseEntryName(std::string_view raw);

}  // namespace qor::webres
