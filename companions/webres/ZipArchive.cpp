#include "companions/webres/ZipArchive.h"

#include <zlib.h>

#include <algorithm>

namespace qor::webres {

namespace {

constexpr uint32_t kEndSignature = 0x06054b50;
constexpr uint32_t kZip64LocatorSignature = 0x07064b50;
constexpr uint32_t kCentralSignature = 0x02014b50;
constexpr uint32_t kLocalSignature = 0x04034b50;
constexpr size_t kEndSize = 22;
constexpr size_t kCentralSize = 46;
constexpr size_t kLocalSize = 30;
constexpr uint16_t kFlagEncrypted = 0x0001 | 0x0040;
constexpr uint16_t kFlagDataDescriptor = 0x0008;
// Deflate cannot expand one input byte into more than about 1032 output bytes; a larger stated size is a lie.
constexpr uint64_t kMaxDeflateRatio = 1040;

uint16_t U16(const std::vector<uint8_t>& b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }
uint32_t U32(const std::vector<uint8_t>& b, size_t at) { return uint32_t(U16(b, at)) | uint32_t(U16(b, at + 2)) << 16; }

// Where the end record starts, searching back over a comment of up to 64 KB; nothing when there is none.
std::optional<size_t> FindEnd(const std::vector<uint8_t>& b) {
  if (b.size() < kEndSize) return std::nullopt;
  const size_t last = b.size() - kEndSize;
  const size_t first = last > 0xFFFF ? last - 0xFFFF : 0;
  for (size_t at = last + 1; at-- > first;)
    if (U32(b, at) == kEndSignature && at + kEndSize + U16(b, at + 20) <= b.size()) return at;
  return std::nullopt;
}

struct TCandidate {
  TZipEntry Entry;
  uint64_t Start = 0;  // local header
  uint64_t End = 0;    // one past the data
  size_t Order = 0;    // place in the central directory
  bool Overlaps = false;
};

// Checks the entry's local header against its central record and fills in where the data lies; the header and
// the data must lie before the central directory.
bool CheckLocalHeader(const std::vector<uint8_t>& b, uint64_t offset, std::string_view rawName, uint16_t flags,
                      uint64_t dataLimit, TCandidate& c) {
  if (offset + kLocalSize > dataLimit || U32(b, size_t(offset)) != kLocalSignature) return false;
  const size_t at = size_t(offset);
  if (U16(b, at + 8) != c.Entry.Method) return false;
  if (!(flags & kFlagDataDescriptor) &&
      (U32(b, at + 14) != c.Entry.Crc || U32(b, at + 18) != c.Entry.CompressedSize || U32(b, at + 22) != c.Entry.Size))
    return false;
  const uint64_t nameLength = U16(b, at + 26), extraLength = U16(b, at + 28);
  const uint64_t data = offset + kLocalSize + nameLength + extraLength;
  if (data + c.Entry.CompressedSize > dataLimit) return false;
  if (std::string_view(reinterpret_cast<const char*>(b.data() + at + kLocalSize), nameLength) != rawName) return false;
  c.Entry.DataOffset = data;
  c.Start = offset;
  c.End = data + c.Entry.CompressedSize;
  return true;
}

// Reads one central record at 'at' (already known to lie inside the directory); a refused entry still advances.
bool ReadCentralRecord(const std::vector<uint8_t>& b, size_t& at, size_t directoryEnd, uint64_t dataLimit,
                       std::optional<TCandidate>& out) {
  out.reset();
  if (at + kCentralSize > directoryEnd || U32(b, at) != kCentralSignature) return false;
  const uint16_t flags = U16(b, at + 8);
  const size_t nameLength = U16(b, at + 28), extraLength = U16(b, at + 30), commentLength = U16(b, at + 32);
  const size_t next = at + kCentralSize + nameLength + extraLength + commentLength;
  if (next > directoryEnd) return false;
  const std::string_view rawName(reinterpret_cast<const char*>(b.data() + at + kCentralSize), nameLength);
  TCandidate c;
  c.Entry.Method = U16(b, at + 10);
  c.Entry.Crc = U32(b, at + 16);
  c.Entry.CompressedSize = U32(b, at + 20);
  c.Entry.Size = U32(b, at + 24);
  const uint16_t disk = U16(b, at + 34);
  const uint32_t offset = U32(b, at + 42);
  at = next;
  const bool zip64 =
      c.Entry.CompressedSize == 0xFFFFFFFF || c.Entry.Size == 0xFFFFFFFF || offset == 0xFFFFFFFF || disk == 0xFFFF;
  if (zip64 || disk != 0 || (flags & kFlagEncrypted) || c.Entry.Size > kMaxEntrySize) return true;
  if (c.Entry.Method == 0) {
    if (c.Entry.CompressedSize != c.Entry.Size) return true;
  } else if (c.Entry.Method == 8) {
    if (c.Entry.Size > uint64_t(c.Entry.CompressedSize) * kMaxDeflateRatio + 64) return true;
  } else {
    return true;
  }
  auto name = NormaliseEntryName(rawName);
  if (!name || (name->back() == '/' && c.Entry.Size != 0)) return true;
  c.Entry.Name = std::move(*name);
  if (CheckLocalHeader(b, offset, rawName, flags, dataLimit, c)) out = std::move(c);
  return true;
}

// Entries whose header or data share bytes with another entry are how small archives claim huge contents; both
// sides are dropped.
void MarkOverlaps(std::vector<TCandidate>& candidates) {
  std::sort(candidates.begin(), candidates.end(),
            [](const TCandidate& a, const TCandidate& b) { return a.Start < b.Start; });
  size_t reach = 0;  // the candidate whose data ends last so far
  for (size_t i = 1; i < candidates.size(); ++i) {
    if (candidates[i].Start < candidates[reach].End) candidates[i].Overlaps = candidates[reach].Overlaps = true;
    if (candidates[i].End > candidates[reach].End) reach = i;
  }
}

}  // namespace

std::optional<std::string> NormaliseEntryName(std::string_view raw) {
  if (raw.empty() || raw.front() == '/' || raw.front() == '\\') return std::nullopt;
  std::string out;
  std::string part;
  auto flush = [&]() -> bool {
    if (part == "..") return false;
    if (!part.empty() && part != ".") out += part + '/';
    part.clear();
    return true;
  };
  for (const char ch : raw) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x20 || c == 0x7F || c == ':') return std::nullopt;
    if (c == '/' || c == '\\') {
      if (!flush()) return std::nullopt;
    } else {
      part += ch;
    }
  }
  const bool folder = part.empty() || part == ".";
  if (!flush()) return std::nullopt;
  if (out.empty()) return std::nullopt;
  if (!folder) out.pop_back();
  return out;
}

bool TZipArchive::Open(std::vector<uint8_t> bytes) {
  FBytes = std::move(bytes);
  FEntries.clear();
  FIndex.clear();
  const auto end = FindEnd(FBytes);
  if (!end) return false;
  const std::vector<uint8_t>& b = FBytes;
  const size_t at = *end;
  if (at >= 20 && U32(b, at - 20) == kZip64LocatorSignature) return false;
  const uint16_t disk = U16(b, at + 4), directoryDisk = U16(b, at + 6);
  const uint16_t diskCount = U16(b, at + 8), count = U16(b, at + 10);
  const uint32_t directorySize = U32(b, at + 12), directoryOffset = U32(b, at + 16);
  if (disk != 0 || directoryDisk != 0 || diskCount != count || count == 0xFFFF || directorySize == 0xFFFFFFFF ||
      directoryOffset == 0xFFFFFFFF)
    return false;
  if (uint64_t(directoryOffset) + directorySize > at) return false;
  size_t record = directoryOffset;
  const size_t directoryEnd = size_t(directoryOffset) + directorySize;
  std::vector<TCandidate> candidates;
  for (uint32_t i = 0; i < count; ++i) {
    std::optional<TCandidate> c;
    if (!ReadCentralRecord(b, record, directoryEnd, directoryOffset, c)) return false;
    if (!c) continue;
    c->Order = candidates.size();
    candidates.push_back(std::move(*c));
  }
  MarkOverlaps(candidates);
  // The central directory's order is the order a package lists its folders in.
  std::sort(candidates.begin(), candidates.end(),
            [](const TCandidate& a, const TCandidate& b) { return a.Order < b.Order; });
  for (TCandidate& c : candidates) {
    if (c.Overlaps || FIndex.count(c.Entry.Name)) continue;  // a repeated name keeps its first entry
    FIndex.emplace(c.Entry.Name, FEntries.size());
    FEntries.push_back(std::move(c.Entry));
  }
  return true;
}
const TZipEntry* TZipArchive::Find(std::string_view name) const {
  const auto it = FIndex.find(std::string(name));
  return it == FIndex.end() ? nullptr : &FEntries[it->second];
}

std::optional<std::vector<uint8_t>> TZipArchive::Read(std::string_view name) const {
  const TZipEntry* entry = Find(name);
  if (!entry) return std::nullopt;
  return Read(*entry);
}

std::optional<std::vector<uint8_t>> TZipArchive::Read(const TZipEntry& entry) const {
  if (entry.IsFolder() || entry.Size > kMaxEntrySize || entry.DataOffset + entry.CompressedSize > FBytes.size())
    return std::nullopt;
  const uint8_t* data = FBytes.data() + entry.DataOffset;
  std::vector<uint8_t> out;
  if (entry.Method == 0) {
    if (entry.CompressedSize != entry.Size) return std::nullopt;
    out.assign(data, data + entry.Size);
  } else if (entry.Method == 8) {
    out.resize(entry.Size);
    uint8_t spare = 0;  // zlib wants an output address even for an empty entry
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return std::nullopt;
    z.next_in = const_cast<Bytef*>(data);
    z.avail_in = entry.CompressedSize;
    z.next_out = out.empty() ? &spare : out.data();
    z.avail_out = uInt(out.size());
    const int result = inflate(&z, Z_FINISH);
    const bool complete = result == Z_STREAM_END && z.total_out == entry.Size;
    inflateEnd(&z);
    if (!complete) return std::nullopt;
  } else {
    return std::nullopt;
  }
  if (crc32(0, out.data(), uInt(out.size())) != entry.Crc) return std::nullopt;
  return out;
}

}  // namespace qor::webres
