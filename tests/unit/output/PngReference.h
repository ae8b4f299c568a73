#pragma once
// A second PNG reader for the writer's tests, written from the format's rules rather than shared with any decoder:
// checks the signature, every chunk's length and CRC and the chunk order, inflates the image data with zlib and
// undoes the five row filters. Reads 8-bit RGB, non-interlaced files (what the writer makes); anything else fails.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/Image.h"

namespace qor::test {

inline uint32_t PngU32(const uint8_t* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

struct TPngChunk {
  std::string Type;
  size_t At = 0;  // offset of its data in the file
  uint32_t Length = 0;
};

// The chunks in order; a failure is reported for a missing signature, a cut chunk or a wrong CRC.
inline std::vector<TPngChunk> PngChunks(const std::vector<uint8_t>& file) {
  std::vector<TPngChunk> chunks;
  if (file.size() < 8 || std::memcmp(file.data(), "\x89PNG\r\n\x1A\n", 8) != 0) {
    ADD_FAILURE() << "no PNG signature";
    return chunks;
  }
  for (size_t pos = 8; pos < file.size();) {
    const uint32_t length = file.size() - pos >= 12 ? PngU32(&file[pos]) : 0;
    if (file.size() - pos < 12 || file.size() - pos - 12 < length) {
      ADD_FAILURE() << "chunk cut at " << pos;
      break;
    }
    chunks.push_back({std::string(reinterpret_cast<const char*>(&file[pos + 4]), 4), pos + 8, length});
    EXPECT_EQ(PngU32(&file[pos + 8 + length]), uint32_t(crc32(0, &file[pos + 4], uInt(4 + length))))
        << chunks.back().Type << " at " << pos;
    pos += 12 + length;
  }
  return chunks;
}

inline uint8_t PaethOf(int a, int b, int c) {
  const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  return uint8_t(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

// The pixels (opaque); empty with a failure reported when the file breaks a rule.
inline TImage ReferenceDecodePng(const std::vector<uint8_t>& file) {
  const std::vector<TPngChunk> chunks = PngChunks(file);
  if (chunks.size() < 3 || chunks.front().Type != "IHDR" || chunks.front().Length != 13 ||
      chunks.back().Type != "IEND" || chunks.back().Length != 0) {
    ADD_FAILURE() << "not IHDR ... IEND";
    return {};
  }
  const uint8_t* ihdr = &file[chunks.front().At];
  const uint32_t width = PngU32(ihdr), height = PngU32(ihdr + 4);
  if (width == 0 || height == 0 || ihdr[8] != 8 || ihdr[9] != 2 || ihdr[10] || ihdr[11] || ihdr[12]) {
    ADD_FAILURE() << "not an 8-bit RGB non-interlaced header";
    return {};
  }
  std::vector<uint8_t> compressed;
  for (size_t i = 1; i + 1 < chunks.size(); ++i) {
    if (chunks[i].Type != "IDAT") {
      ADD_FAILURE() << "unexpected chunk " << chunks[i].Type;
      return {};
    }
    compressed.insert(compressed.end(), file.begin() + ptrdiff_t(chunks[i].At),
                      file.begin() + ptrdiff_t(chunks[i].At + chunks[i].Length));
  }
  const size_t rowBytes = size_t(width) * 3;
  std::vector<uint8_t> data(height * (rowBytes + 1) + 1);  // one byte more: a longer stream shows as too long
  uLongf got = uLongf(data.size());
  if (uncompress(data.data(), &got, compressed.data(), uLong(compressed.size())) != Z_OK ||
      got != height * (rowBytes + 1)) {
    ADD_FAILURE() << "image data does not inflate to exactly the rows";
    return {};
  }
  TImage image{int32_t(width), int32_t(height)};
  std::vector<uint8_t> prior(rowBytes, 0), row(rowBytes);
  for (uint32_t y = 0; y < height; ++y) {
    const uint8_t* in = &data[y * (rowBytes + 1)];
    const uint8_t filter = in[0];
    ++in;
    for (size_t i = 0; i < rowBytes; ++i) {
      const int a = i >= 3 ? row[i - 3] : 0, b = prior[i], c = i >= 3 ? prior[i - 3] : 0;
      switch (filter) {
        case 0: row[i] = in[i]; break;
        case 1: row[i] = uint8_t(in[i] + a); break;
        case 2: row[i] = uint8_t(in[i] + b); break;
        case 3: row[i] = uint8_t(in[i] + (a + b) / 2); break;
        case 4: row[i] = uint8_t(in[i] + PaethOf(a, b, c)); break;
        default: ADD_FAILURE() << "filter " << int(filter) << " in row " << y; return {};
      }
    }
    for (uint32_t x = 0; x < width; ++x)
      image.View().At(int32_t(x), int32_t(y)) = TBgra{row[3 * x + 2], row[3 * x + 1], row[3 * x], 255};
    prior.swap(row);
  }
  return image;
}

}  // namespace qor::test
