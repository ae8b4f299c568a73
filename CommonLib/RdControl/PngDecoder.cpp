#include "CommonLib/RdControl/PngDecoder.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>

namespace qor {
namespace {

uint32_t ReadBigEndian32(const uint8_t* p) {
  return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}

uint32_t ChannelCount(uint8_t colorType) {
  switch (colorType) {
    case 0: return 1;
    case 2: return 3;
    case 3: return 1;
    case 4: return 2;
    default: return 4;
  }
}

bool DepthAllowed(uint8_t colorType, uint8_t depth) {
  switch (colorType) {
    case 0: return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3: return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    default: return depth == 8 || depth == 16;
  }
}

// One Adam7 pass (or the whole picture when not interlaced): the pixels x0 + i * dx, y0 + j * dy.
struct TPass {
  uint32_t X0, Y0, Dx, Dy;
};
constexpr std::array<TPass, 7> Adam7{
    {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4}, {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}}};
constexpr TPass WholePicture{0, 0, 1, 1};

struct TPassSize {
  uint32_t Width, Height;
};
TPassSize PassSize(const TPngHeader& h, const TPass& p) {
  const uint32_t w = h.Width > p.X0 ? (h.Width - p.X0 + p.Dx - 1) / p.Dx : 0;
  const uint32_t ht = h.Height > p.Y0 ? (h.Height - p.Y0 + p.Dy - 1) / p.Dy : 0;
  return w == 0 || ht == 0 ? TPassSize{0, 0} : TPassSize{w, ht};
}

uint64_t RowBytes(const TPngHeader& h, uint32_t width) {
  return (uint64_t(width) * ChannelCount(h.ColorType) * h.BitDepth + 7) / 8;
}

std::span<const TPass> Passes(const TPngHeader& h) {
  return h.Interlaced ? std::span<const TPass>(Adam7) : std::span<const TPass>(&WholePicture, 1);
}

uint64_t RawSize(const TPngHeader& h) {
  uint64_t size = 0;
  for (const TPass& p : Passes(h)) {
    const TPassSize s = PassSize(h, p);
    size += uint64_t(s.Height) * (1 + RowBytes(h, s.Width));
  }
  return size;
}

EPngError Inflate(const std::vector<uint8_t>& compressed, std::vector<uint8_t>& raw) {
  z_stream zs{};
  if (inflateInit(&zs) != Z_OK) return EPngError::ZlibError;
  zs.next_in = const_cast<Bytef*>(compressed.data());
  zs.avail_in = uInt(compressed.size());
  zs.next_out = raw.data();
  zs.avail_out = uInt(raw.size());
  EPngError result = EPngError::None;
  while (zs.avail_out > 0) {
    const int r = inflate(&zs, Z_NO_FLUSH);
    if (r == Z_STREAM_END) break;
    if (r == Z_BUF_ERROR) break;  // input used up; checked below
    if (r != Z_OK) {
      result = EPngError::ZlibError;
      break;
    }
  }
  if (result == EPngError::None && zs.avail_out > 0) result = EPngError::NotEnoughImageData;
  inflateEnd(&zs);
  return result;
}

// The predictor nearest to left + up - upLeft (ties: left, then up). p - a = b - c and p - b = a - c, which
// saves the sum and lets the compiler pick without branches.
uint8_t Paeth(uint8_t a, uint8_t b, uint8_t c) {
  const int pa = std::abs(int(b) - c), pb = std::abs(int(a) - c), pc = std::abs(int(a) + b - 2 * c);
  const uint8_t bc = pb <= pc ? b : c;
  return pa <= pb && pa <= pc ? a : bc;
}

// Paeth after the first pixel with the pixel size known to the compiler: the channels of a pixel do not depend
// on each other and are worked on side by side (RGBA and RGB skin pictures lean on this filter most).
template <size_t Bpp>
void PaethRest(uint8_t* row, const uint8_t* prev, size_t length) {
  for (size_t i = Bpp; i + Bpp <= length; i += Bpp)
    for (size_t k = 0; k < Bpp; ++k)
      row[i + k] = uint8_t(row[i + k] + Paeth(row[i + k - Bpp], prev[i + k], prev[i + k - Bpp]));
}

// Undoes the row filter in place. prev is the unfiltered row above, or null for a pass's first row (read as
// zeros). The first pixel's bytes, which have nothing to their left, are done apart, so the hot loops test nothing.
bool Unfilter(uint8_t type, uint8_t* row, const uint8_t* prev, size_t length, size_t bpp) {
  if (type > 4) return false;
  if (!prev) {
    // Above the first row is zero: Up changes nothing, Paeth becomes Sub, Average adds half the left byte.
    if (type == 2 || type == 0) return true;
    if (type == 4) type = 1;
    if (type == 3) {
      for (size_t i = bpp; i < length; ++i) row[i] = uint8_t(row[i] + (row[i - bpp] >> 1));
      return true;
    }
  }
  const size_t head = std::min(bpp, length);
  switch (type) {
    case 1:
      for (size_t i = bpp; i < length; ++i) row[i] = uint8_t(row[i] + row[i - bpp]);
      break;
    case 2:
      for (size_t i = 0; i < length; ++i) row[i] = uint8_t(row[i] + prev[i]);
      break;
    case 3:
      for (size_t i = 0; i < head; ++i) row[i] = uint8_t(row[i] + (prev[i] >> 1));
      for (size_t i = bpp; i < length; ++i) row[i] = uint8_t(row[i] + ((unsigned(row[i - bpp]) + prev[i]) >> 1));
      break;
    case 4:
      for (size_t i = 0; i < head; ++i) row[i] = uint8_t(row[i] + prev[i]);  // Paeth(0, up, 0) is up
      if (bpp == 4) {
        PaethRest<4>(row, prev, length);
      } else if (bpp == 3) {
        PaethRest<3>(row, prev, length);
      } else {
        for (size_t i = bpp; i < length; ++i) row[i] = uint8_t(row[i] + Paeth(row[i - bpp], prev[i], prev[i - bpp]));
      }
      break;
    default: break;
  }
  return true;
}

// What turns samples into pixels: the palette (with tRNS alphas) and the transparent colour of grey and RGB.
struct TColorKey {
  std::array<TBgra, 256> Palette{};
  std::optional<std::array<uint16_t, 3>> Transparent;
};

uint32_t Sample(const uint8_t* row, size_t index, uint8_t depth) {
  switch (depth) {
    case 8: return row[index];
    case 16: return (uint32_t(row[2 * index]) << 8) | row[2 * index + 1];
    default: {
      const size_t bit = index * depth;
      return (row[bit / 8] >> (8 - depth - bit % 8)) & ((1u << depth) - 1);
    }
  }
}

uint8_t To8(uint32_t v, uint8_t depth) {
  switch (depth) {
    case 8: return uint8_t(v);
    case 16: return uint8_t(v >> 8);
    default: return uint8_t(v * 255 / ((1u << depth) - 1));
  }
}

TBgra Pixel(const TPngHeader& h, const TColorKey& key, const uint8_t* row, uint32_t i) {
  const uint8_t d = h.BitDepth;
  switch (h.ColorType) {
    case 0: {
      const uint32_t g = Sample(row, i, d);
      const uint8_t g8 = To8(g, d);
      return {g8, g8, g8, uint8_t(key.Transparent && (*key.Transparent)[0] == g ? 0 : 255)};
    }
    case 2: {
      const uint32_t r = Sample(row, 3 * i, d), g = Sample(row, 3 * i + 1, d), b = Sample(row, 3 * i + 2, d);
      const bool clear =
          key.Transparent && (*key.Transparent)[0] == r && (*key.Transparent)[1] == g && (*key.Transparent)[2] == b;
      return {To8(b, d), To8(g, d), To8(r, d), uint8_t(clear ? 0 : 255)};
    }
    case 3: return key.Palette[Sample(row, i, d)];
    case 4: {
      const uint8_t g8 = To8(Sample(row, 2 * i, d), d);
      return {g8, g8, g8, To8(Sample(row, 2 * i + 1, d), d)};
    }
    default:
      return {To8(Sample(row, 4 * i + 2, d), d), To8(Sample(row, 4 * i + 1, d), d), To8(Sample(row, 4 * i, d), d),
              To8(Sample(row, 4 * i + 3, d), d)};
  }
}

void StoreRow(const TPngHeader& h, const TColorKey& key, const uint8_t* row, uint32_t width, TBgra* out, uint32_t dx) {
  if (h.BitDepth == 8 && h.ColorType == 6 && dx == 1) {  // the common skin picture, kept fast
    for (uint32_t i = 0; i < width; ++i, row += 4) out[i] = {row[2], row[1], row[0], row[3]};
    return;
  }
  for (uint32_t i = 0; i < width; ++i) out[size_t(i) * dx] = Pixel(h, key, row, i);
}

EPngError ReadColorKey(const TPngHeader& h, const TPngChunk* plte, const TPngChunk* trns, TColorKey& key) {
  if (h.ColorType == 3) {
    if (!plte) return EPngError::InvalidPalette;
    for (auto& c : key.Palette) c = {0, 0, 0, 255};
    const size_t entries = plte->Data.size() / 3;
    for (size_t i = 0; i < entries; ++i)
      key.Palette[i] = {plte->Data[3 * i + 2], plte->Data[3 * i + 1], plte->Data[3 * i], 255};
    // tRNS alphas beyond the palette are not meaningful and are left out.
    if (trns)
      for (size_t i = 0; i < std::min(entries, trns->Data.size()); ++i) key.Palette[i].A = trns->Data[i];
  } else if (trns) {
    const auto& t = trns->Data;
    const auto word = [&](size_t i) { return uint16_t((t[2 * i] << 8) | t[2 * i + 1]); };
    // A tRNS of the wrong size (or for a picture with alpha already) is ignored, as any ancillary fault.
    if (h.ColorType == 0 && t.size() == 2) key.Transparent = std::array<uint16_t, 3>{word(0), 0, 0};
    if (h.ColorType == 2 && t.size() == 6) key.Transparent = std::array<uint16_t, 3>{word(0), word(1), word(2)};
  }
  return EPngError::None;
}

}  // namespace

EPngError ReadPngHeader(const TPngChunk& ihdr, TPngHeader& header) {
  const auto& d = ihdr.Data;
  if (!ihdr.Is("IHDR") || d.size() != 13) return EPngError::InvalidIHDR;
  header.Width = ReadBigEndian32(&d[0]);
  header.Height = ReadBigEndian32(&d[4]);
  header.BitDepth = d[8];
  header.ColorType = d[9];
  if (header.Width == 0 || header.Height == 0 || header.Width > 0x7FFFFFFFu || header.Height > 0x7FFFFFFFu)
    return EPngError::InvalidIHDR;
  if (d[9] != 0 && d[9] != 2 && d[9] != 3 && d[9] != 4 && d[9] != 6) return EPngError::UnknownColorType;
  if (!DepthAllowed(header.ColorType, header.BitDepth)) return EPngError::UnknownBitDepth;
  if (d[10] != 0 || d[11] != 0) return EPngError::UnknownCompression;
  if (d[12] > 1) return EPngError::UnknownInterlace;
  header.Interlaced = d[12] == 1;
  if (header.Width > PngMaxSide || header.Height > PngMaxSide) return EPngError::SizeExceeds;
  return EPngError::None;
}

EPngError DecodePngChunks(const std::vector<TPngChunk>& chunks, TImage& image) {
  image = TImage();
  if (chunks.empty()) return EPngError::HeaderNotPresent;
  if (!chunks[0].Is("IHDR")) return EPngError::IHDRNotFirst;
  TPngHeader h;
  if (const EPngError e = ReadPngHeader(chunks[0], h); e != EPngError::None) return e;

  const TPngChunk *plte = nullptr, *trns = nullptr;
  std::vector<uint8_t> compressed;
  bool idatSeen = false, idatEnded = false, iendSeen = false;
  for (size_t i = 1; i < chunks.size() && !iendSeen; ++i) {
    const TPngChunk& c = chunks[i];
    const bool isIdat = c.Is("IDAT");
    if (idatSeen && !isIdat) idatEnded = true;
    if (isIdat) {
      if (idatEnded) return EPngError::MissingMultipleIDAT;
      idatSeen = true;
      compressed.insert(compressed.end(), c.Data.begin(), c.Data.end());
    } else if (c.Is("PLTE")) {
      const size_t entries = c.Data.size() / 3;
      if (plte || idatSeen || h.ColorType == 0 || h.ColorType == 4 || c.Data.size() % 3 != 0 || entries == 0 ||
          entries > 256 || (h.ColorType == 3 && entries > (size_t(1) << h.BitDepth)))
        return EPngError::InvalidPalette;
      plte = &c;
    } else if (c.Is("tRNS")) {
      if (!idatSeen) trns = &c;
    } else if (c.Is("IEND")) {
      iendSeen = true;
    } else if (c.Is("IHDR")) {
      return EPngError::InvalidIHDR;
    } else if (c.IsCritical()) {
      return EPngError::UnknownCriticalChunk;
    }
  }
  if (!iendSeen) return EPngError::MissingIEND;
  if (!idatSeen) return EPngError::MissingMultipleIDAT;
  TColorKey key;
  if (const EPngError e = ReadColorKey(h, plte, trns, key); e != EPngError::None) return e;

  // Deflate packs at most 1032 bytes into one, so image data too short for the picture is found before the
  // picture's memory is taken.
  const uint64_t rawSize = RawSize(h);
  if (rawSize > uint64_t(compressed.size()) * 1032 + 1024) return EPngError::NotEnoughImageData;
  std::vector<uint8_t> raw(rawSize);
  if (const EPngError e = Inflate(compressed, raw); e != EPngError::None) return e;

  TImage picture(int32_t(h.Width), int32_t(h.Height));
  const size_t bpp = std::max<size_t>(1, ChannelCount(h.ColorType) * h.BitDepth / 8);
  uint8_t* at = raw.data();
  for (const TPass& p : Passes(h)) {
    const TPassSize s = PassSize(h, p);
    const size_t length = size_t(RowBytes(h, s.Width));
    const uint8_t* prev = nullptr;
    for (uint32_t y = 0; y < s.Height; ++y) {
      const uint8_t filter = at[0];
      uint8_t* row = at + 1;
      if (!Unfilter(filter, row, prev, length, bpp)) return EPngError::InvalidFilter;
      StoreRow(h, key, row, s.Width, picture.View().Row(int32_t(p.Y0 + y * p.Dy)) + p.X0, p.Dx);
      prev = row;
      at += 1 + length;
    }
  }
  image = std::move(picture);
  return EPngError::None;
}

EPngError DecodePng(std::span<const uint8_t> file, TImage& image) {
  image = TImage();
  std::vector<TPngChunk> chunks;
  if (const EPngError e = ReadPngChunks(file, chunks); e != EPngError::None) return e;
  return DecodePngChunks(chunks, image);
}

}  // namespace qor
