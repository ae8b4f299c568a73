#pragma once
// The chunk layer of a PNG file: the signature, then chunks of length, four-letter type, data and a CRC-32 of type
// and data. Reading checks every length against the bytes that are there and every CRC; writing puts the chunks
// back in order with fresh CRCs, so a file read and written unchanged comes out byte for byte the same.
#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "CommonLib/RdControl/PngError.h"

namespace qor {

struct TPngChunk {
  std::array<char, 4> Type{};
  std::vector<uint8_t> Data;

  std::string_view TypeName() const { return {Type.data(), Type.size()}; }
  bool Is(std::string_view type) const { return TypeName() == type; }
  // Bit 5 of the first letter: upper case marks a chunk a reader must understand.
  bool IsCritical() const { return (Type[0] & 0x20) == 0; }
};

inline constexpr std::array<uint8_t, 8> PngSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// All chunks up to and including IEND (bytes after IEND are ignored). Only the chunk layer is checked here:
// signature, lengths, CRCs, letters of the types, and that IEND is there.
EPngError ReadPngChunks(std::span<const uint8_t> file, std::vector<TPngChunk>& chunks);

// The file image of the chunks, signature first.
std::vector<uint8_t> WritePngChunks(const std::vector<TPngChunk>& chunks);

// CRC-32 of a chunk's type and data, as stored after the data.
uint32_t PngChunkCrc(const TPngChunk& chunk);

}  // namespace qor
