#include "CommonLib/RdControl/PngChunks.h"

#include <zlib.h>

#include <algorithm>

namespace qor {
namespace {

uint32_t ReadBigEndian32(const uint8_t* p) {
  return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}

void AppendBigEndian32(std::vector<uint8_t>& out, uint32_t v) {
  out.insert(out.end(), {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)});
}

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

uint32_t PngChunkCrc(const TPngChunk& chunk) {
  uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(chunk.Type.data()), 4);
  // zlib takes a 32-bit length; chunk data is at most 2^31 - 1 bytes by the format.
  if (!chunk.Data.empty()) crc = crc32(crc, chunk.Data.data(), uInt(chunk.Data.size()));
  return uint32_t(crc);
}

EPngError ReadPngChunks(std::span<const uint8_t> file, std::vector<TPngChunk>& chunks) {
  chunks.clear();
  if (file.size() < PngSignature.size() || !std::equal(PngSignature.begin(), PngSignature.end(), file.begin()))
    return EPngError::InvalidFileHeader;
  size_t pos = PngSignature.size();
  while (true) {
    const size_t left = file.size() - pos;
    if (left == 0) return chunks.empty() ? EPngError::HeaderNotPresent : EPngError::MissingIEND;
    if (left < 12) return EPngError::Truncated;
    const uint32_t length = ReadBigEndian32(&file[pos]);
    // Compared without adding to pos, so a lying length cannot wrap around.
    if (length > 0x7FFFFFFFu || length > left - 12) return EPngError::Truncated;
    TPngChunk chunk;
    std::copy_n(&file[pos + 4], 4, reinterpret_cast<uint8_t*>(chunk.Type.data()));
    if (!std::all_of(chunk.Type.begin(), chunk.Type.end(), IsLetter)) return EPngError::InvalidChunkType;
    chunk.Data.assign(file.begin() + ptrdiff_t(pos + 8), file.begin() + ptrdiff_t(pos + 8 + length));
    if (ReadBigEndian32(&file[pos + 8 + length]) != PngChunkCrc(chunk)) return EPngError::InvalidCRC;
    pos += 12 + size_t(length);
    const bool end = chunk.Is("IEND");
    chunks.push_back(std::move(chunk));
    if (end) return EPngError::None;
  }
}

std::vector<uint8_t> WritePngChunks(const std::vector<TPngChunk>& chunks) {
  std::vector<uint8_t> out(PngSignature.begin(), PngSignature.end());
  for (const TPngChunk& chunk : chunks) {
    AppendBigEndian32(out, uint32_t(chunk.Data.size()));
    out.insert(out.end(), chunk.Type.begin(), chunk.Type.end());
    out.insert(out.end(), chunk.Data.begin(), chunk.Data.end());
    AppendBigEndian32(out, PngChunkCrc(chunk));
  }
  return out;
}

}  // namespace qor
