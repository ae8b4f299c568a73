#include "companions/webres/ZipWriter.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

#include "companions/webres/ZipArchive.h"

namespace qor::webres {

namespace {

constexpr uint32_t kLocalSignature = 0x04034b50;
constexpr uint32_t kCentralSignature = 0x02014b50;
constexpr uint32_t kEndSignature = 0x06054b50;
constexpr uint16_t kVersion = 20;                       // 2.0: deflate
constexpr uint16_t kUtf8Names = 0x0800;                 // general purpose flag bit 11
constexpr uint16_t kDosDate = (0 << 9) | (1 << 5) | 1;  // 1980-01-01, the earliest a zip can state
constexpr uint64_t kLimit = std::numeric_limits<uint32_t>::max();

void Put16(std::vector<uint8_t>& b, uint16_t v) {
  b.push_back(uint8_t(v));
  b.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& b, uint32_t v) {
  Put16(b, uint16_t(v));
  Put16(b, uint16_t(v >> 16));
}

}  // namespace

std::optional<std::vector<uint8_t>> DeflateRaw(std::span<const uint8_t> data) {
  if (data.size() > kLimit) return std::nullopt;
  z_stream z{};
  if (deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) return std::nullopt;
  std::vector<uint8_t> out(deflateBound(&z, uLong(data.size())));
  z.next_in = const_cast<Bytef*>(data.data());
  z.avail_in = uInt(data.size());
  z.next_out = out.data();
  z.avail_out = uInt(out.size());
  const int result = deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  if (result != Z_STREAM_END) return std::nullopt;
  return out;
}

bool TZipWriter::Add(std::string_view name, std::string_view text, TZipMethod method) {
  return Add(name, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()), method);
}

bool TZipWriter::Add(std::string_view name, std::span<const uint8_t> data, TZipMethod method) {
  const std::optional<std::string> normal = NormaliseEntryName(name);
  if (!normal || *normal != name || name.size() > 0xFFFF || FCount >= 0xFFFF) return false;
  if (std::find(FNames.begin(), FNames.end(), name) != FNames.end()) return false;
  if (data.size() > kLimit) return false;

  std::vector<uint8_t> deflated;
  bool deflate = method != TZipMethod::Stored && !data.empty();
  if (deflate) {
    std::optional<std::vector<uint8_t>> packed = DeflateRaw(data);
    if (!packed) return false;
    deflated = std::move(*packed);
    if (method == TZipMethod::Smaller && deflated.size() >= data.size()) deflate = false;
  }
  const std::span<const uint8_t> body = deflate ? std::span<const uint8_t>(deflated) : data;
  const uint32_t crc = uint32_t(crc32(0, data.data(), uInt(data.size())));
  const uint16_t zipMethod = deflate ? 8 : 0;
  const uint64_t offset = FData.size();
  if (offset > kLimit) return false;

  auto header = [&](std::vector<uint8_t>& b) {  // the fields local header and central record share
    Put16(b, kUtf8Names);
    Put16(b, zipMethod);
    Put16(b, 0);  // time
    Put16(b, kDosDate);
    Put32(b, crc);
    Put32(b, uint32_t(body.size()));
    Put32(b, uint32_t(data.size()));
    Put16(b, uint16_t(name.size()));
    Put16(b, 0);  // extra field
  };
  Put32(FData, kLocalSignature);
  Put16(FData, kVersion);
  header(FData);
  FData.insert(FData.end(), name.begin(), name.end());
  FData.insert(FData.end(), body.begin(), body.end());

  Put32(FDirectory, kCentralSignature);
  Put16(FDirectory, kVersion);  // made by
  Put16(FDirectory, kVersion);  // needed
  header(FDirectory);
  Put16(FDirectory, 0);  // comment
  Put16(FDirectory, 0);  // disk
  Put16(FDirectory, 0);  // internal attributes
  Put32(FDirectory, 0);  // external attributes
  Put32(FDirectory, uint32_t(offset));
  FDirectory.insert(FDirectory.end(), name.begin(), name.end());
  FNames.emplace_back(name);
  ++FCount;
  return true;
}

std::optional<std::vector<uint8_t>> TZipWriter::Finish() const {
  if (FData.size() + FDirectory.size() > kLimit) return std::nullopt;
  std::vector<uint8_t> out = FData;
  out.insert(out.end(), FDirectory.begin(), FDirectory.end());
  Put32(out, kEndSignature);
  Put16(out, 0);  // this disk
  Put16(out, 0);  // directory's disk
  Put16(out, uint16_t(FCount));
  Put16(out, uint16_t(FCount));
  Put32(out, uint32_t(FDirectory.size()));
  Put32(out, uint32_t(FData.size()));
  Put16(out, 0);  // comment
  return out;
}

}  // namespace qor::webres
