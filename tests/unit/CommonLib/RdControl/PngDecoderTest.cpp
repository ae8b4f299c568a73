#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>

#include "CommonLib/RdControl/PngDecoder.h"
#include "tests/unit/CommonLib/RdControl/PngSamples.h"

namespace qor {
namespace {

using testing::PngSamples;
using testing::PngTrnsSamples;
using testing::SampleHeight;
using testing::SampleWidth;
using testing::TPngSample;

// The value the sample maker wrote for channel c of pixel (x, y) at the given depth.
uint32_t SampleValue(int x, int y, int c, int depth) {
  const uint32_t v = uint32_t(x * 7 + y * 13 + c * 29 + x * y * 3);
  return depth == 16 ? (v * 611) % 65536 : v % (1u << depth);
}

uint8_t To8(uint32_t v, int depth) {
  if (depth == 16) return uint8_t(v >> 8);
  return uint8_t(v * 255 / ((1u << depth) - 1));
}

int PaletteEntries(int depth) { return std::min(1 << depth, 200); }

TBgra Expected(const TPngSample& s, int x, int y) {
  const int d = s.BitDepth;
  const auto v = [&](int c) { return To8(SampleValue(x, y, c, d), d); };
  switch (s.ColorType) {
    case 0: return {v(0), v(0), v(0), 255};
    case 2: return {v(2), v(1), v(0), 255};
    case 3: {
      const int i = int(SampleValue(x, y, 0, d)) % PaletteEntries(d);
      return {uint8_t((i * 7) % 256), uint8_t(255 - i), uint8_t((i * 3) % 256), 255};
    }
    case 4: return {v(0), v(0), v(0), v(1)};
    default: return {v(2), v(1), v(0), v(3)};
  }
}

std::string Describe(const TPngSample& s) {
  return "colour type " + std::to_string(s.ColorType) + ", depth " + std::to_string(s.BitDepth) +
         (s.Interlaced ? ", interlaced" : "");
}

std::vector<TPngChunk> Chunks(const std::vector<uint8_t>& file) {
  std::vector<TPngChunk> chunks;
  EXPECT_EQ(ReadPngChunks(file, chunks), EPngError::None);
  return chunks;
}

EPngError Decode(const std::vector<TPngChunk>& chunks) {
  TImage image;
  const EPngError e = DecodePng(WritePngChunks(chunks), image);
  EXPECT_EQ(image.IsEmpty(), e != EPngError::None);
  return e;
}

TPngChunk MakeChunk(const char* type, std::vector<uint8_t> data) {
  TPngChunk c;
  std::memcpy(c.Type.data(), type, 4);
  c.Data = std::move(data);
  return c;
}

size_t IndexOf(const std::vector<TPngChunk>& chunks, const char* type) {
  return size_t(std::find_if(chunks.begin(), chunks.end(), [&](const TPngChunk& c) { return c.Is(type); }) -
                chunks.begin());
}

// The sample's image data inflated, and a compressor to put changed data back as one IDAT.
std::vector<uint8_t> RawOf(const std::vector<TPngChunk>& chunks) {
  std::vector<uint8_t> z;
  for (const auto& c : chunks)
    if (c.Is("IDAT")) z.insert(z.end(), c.Data.begin(), c.Data.end());
  std::vector<uint8_t> raw(1 << 16);
  uLongf size = uLongf(raw.size());
  EXPECT_EQ(uncompress(raw.data(), &size, z.data(), uLong(z.size())), Z_OK);
  raw.resize(size);
  return raw;
}

std::vector<TPngChunk> WithRaw(std::vector<TPngChunk> chunks, const std::vector<uint8_t>& raw) {
  std::vector<uint8_t> z(compressBound(uLong(raw.size())));
  uLongf size = uLongf(z.size());
  EXPECT_EQ(compress(z.data(), &size, raw.data(), uLong(raw.size())), Z_OK);
  z.resize(size);
  std::erase_if(chunks, [](const TPngChunk& c) { return c.Is("IDAT"); });
  chunks.insert(chunks.end() - 1, MakeChunk("IDAT", z));
  return chunks;
}

const TPngSample& Rgba8() {
  return PngSamples[std::size_t(
      std::find_if(PngSamples.begin(), PngSamples.end(),
                   [](auto& s) { return s.ColorType == 6 && s.BitDepth == 8 && !s.Interlaced; }) -
      PngSamples.begin())];
}

TEST(PngDecoder, EveryColourTypeDepthAndInterlaceGivesTheEncodedPixelsExactly) {
  ASSERT_EQ(PngSamples.size(), 30u);
  for (const TPngSample& s : PngSamples) {
    SCOPED_TRACE(Describe(s));
    TImage image;
    ASSERT_EQ(DecodePng(s.File, image), EPngError::None);
    ASSERT_EQ(image.Width(), SampleWidth);
    ASSERT_EQ(image.Height(), SampleHeight);
    int wrong = 0;
    for (int y = 0; y < SampleHeight; ++y)
      for (int x = 0; x < SampleWidth; ++x)
        if (!(image.View().At(x, y) == Expected(s, x, y)) && wrong++ < 3) ADD_FAILURE() << "pixel " << x << "," << y;
    EXPECT_EQ(wrong, 0);
  }
}

TEST(PngDecoder, TrnsMakesTheKeyColourOrThePaletteEntriesTransparent) {
  for (const TPngSample& s : PngTrnsSamples) {
    SCOPED_TRACE(Describe(s));
    TImage image;
    ASSERT_EQ(DecodePng(s.File, image), EPngError::None);
    int clear = 0;
    for (int y = 0; y < SampleHeight; ++y)
      for (int x = 0; x < SampleWidth; ++x) {
        TBgra want = Expected(s, x, y);
        if (s.ColorType == 3) {
          const int i = int(SampleValue(x, y, 0, s.BitDepth)) % PaletteEntries(s.BitDepth);
          if (i < 3) want.A = uint8_t(i * 60);
        } else {
          const int channels = s.ColorType == 2 ? 3 : 1;
          bool same = true;
          for (int c = 0; c < channels; ++c)
            same =
                same && SampleValue(x, y, c, s.BitDepth) == SampleValue(testing::TrnsX, testing::TrnsY, c, s.BitDepth);
          if (same) want.A = 0;
        }
        clear += want.A == 0;
        ASSERT_EQ(image.View().At(x, y), want) << x << "," << y;
      }
    EXPECT_GT(clear, 0);
  }
}

TEST(PngDecoder, TrnsOfTheWrongSizeOrForAPictureWithAlphaIsIgnored) {
  auto chunks = Chunks(Rgba8().File);
  chunks.insert(chunks.begin() + 1, MakeChunk("tRNS", {0, 1, 0, 2, 0, 3}));
  TImage image;
  ASSERT_EQ(DecodePng(WritePngChunks(chunks), image), EPngError::None);
  EXPECT_EQ(image.View().At(0, 0), Expected(Rgba8(), 0, 0));
  auto gray = Chunks(PngTrnsSamples[2].File);  // grey 8 with a key
  gray[IndexOf(gray, "tRNS")].Data = {0, 1, 2};
  ASSERT_EQ(DecodePng(WritePngChunks(gray), image), EPngError::None);
  EXPECT_EQ(image.View().At(testing::TrnsX, testing::TrnsY).A, 255);
}

TEST(PngDecoder, ChunkLayerFaultsAreNamed) {
  const std::vector<uint8_t>& good = Rgba8().File;
  TImage image;
  auto bad = good;
  bad[1] = 'p';
  EXPECT_EQ(DecodePng(bad, image), EPngError::InvalidFileHeader);
  EXPECT_EQ(DecodePng(std::span(good).first(8), image), EPngError::HeaderNotPresent);
  bad = good;
  bad[good.size() - 30] ^= 0x01;  // a byte of the last IDAT's data
  EXPECT_EQ(DecodePng(bad, image), EPngError::InvalidCRC);
  bad = good;
  bad[8] = 0xFF;  // IHDR length lies: far past the end
  EXPECT_EQ(DecodePng(bad, image), EPngError::Truncated);
  bad = good;
  bad[12] = '1';
  EXPECT_EQ(DecodePng(bad, image), EPngError::InvalidChunkType);
  // Every cut of the file is refused (the sanitizers watch the reads).
  for (size_t n = 0; n < good.size(); ++n) {
    const EPngError e = DecodePng(std::span(good).first(n), image);
    ASSERT_NE(e, EPngError::None) << n;
    EXPECT_TRUE(image.IsEmpty());
  }
  EXPECT_EQ(DecodePng(std::span(good).first(good.size() - 12), image), EPngError::MissingIEND);
}

TEST(PngDecoder, BadHeadersAreRefusedBeforeAnyPixelMemory) {
  const auto chunks = Chunks(Rgba8().File);
  const auto withHeader = [&](size_t at, std::vector<uint8_t> bytes) {
    auto c = chunks;
    std::copy(bytes.begin(), bytes.end(), c[0].Data.begin() + ptrdiff_t(at));
    return Decode(c);
  };
  EXPECT_EQ(withHeader(0, {0, 0, 0, 0}), EPngError::InvalidIHDR);
  EXPECT_EQ(withHeader(4, {0x80, 0, 0, 1}), EPngError::InvalidIHDR);
  EXPECT_EQ(withHeader(0, {0, 0, 0x40, 0x01}), EPngError::SizeExceeds);  // 16385 wide
  EXPECT_EQ(withHeader(9, {5}), EPngError::UnknownColorType);
  EXPECT_EQ(withHeader(8, {4}), EPngError::UnknownBitDepth);  // RGBA has no 4-bit samples
  EXPECT_EQ(withHeader(8, {16, 3}), EPngError::UnknownBitDepth);
  EXPECT_EQ(withHeader(10, {1}), EPngError::UnknownCompression);
  EXPECT_EQ(withHeader(11, {1}), EPngError::UnknownCompression);
  EXPECT_EQ(withHeader(12, {2}), EPngError::UnknownInterlace);
  // 16384 x 16384 claimed with a few hundred bytes of data: refused without inflating 1 GiB.
  EXPECT_EQ(withHeader(0, {0, 0, 0x40, 0, 0, 0, 0x40, 0}), EPngError::NotEnoughImageData);
  auto c = chunks;
  c[0].Data.push_back(0);
  EXPECT_EQ(Decode(c), EPngError::InvalidIHDR);
  c = chunks;
  std::swap(c[0], c[1]);
  EXPECT_EQ(Decode(c), EPngError::IHDRNotFirst);
  c = chunks;
  c.insert(c.begin() + 2, c[0]);
  EXPECT_EQ(Decode(c), EPngError::InvalidIHDR);
}

TEST(PngDecoder, ChunkOrderFaultsAreNamedAndUnknownAncillaryChunksSkipped) {
  const auto chunks = Chunks(Rgba8().File);  // IHDR gAMA tEXt IDAT IDAT IEND
  auto c = chunks;
  c.insert(c.begin() + 1, MakeChunk("abCd", {1, 2, 3}));
  EXPECT_EQ(Decode(c), EPngError::None);
  c = chunks;
  c.insert(c.begin() + 1, MakeChunk("AbCd", {1, 2, 3}));
  EXPECT_EQ(Decode(c), EPngError::UnknownCriticalChunk);
  c = chunks;
  c.insert(c.begin() + ptrdiff_t(IndexOf(c, "IDAT")) + 1, MakeChunk("tEXt", {'a', 0, 'b'}));
  EXPECT_EQ(Decode(c), EPngError::MissingMultipleIDAT);
  c = chunks;
  std::erase_if(c, [](const TPngChunk& k) { return k.Is("IDAT"); });
  EXPECT_EQ(Decode(c), EPngError::MissingMultipleIDAT);
  c = chunks;
  c.pop_back();
  EXPECT_EQ(DecodePngChunks(c, *std::make_unique<TImage>()), EPngError::MissingIEND);
}

TEST(PngDecoder, PaletteFaultsAreNamed) {
  const TPngSample& indexed = PngSamples[std::size_t(
      std::find_if(PngSamples.begin(), PngSamples.end(), [](auto& s) { return s.ColorType == 3 && s.BitDepth == 2; }) -
      PngSamples.begin())];
  const auto chunks = Chunks(indexed.File);
  const size_t plte = IndexOf(chunks, "PLTE");
  auto c = chunks;
  c.erase(c.begin() + ptrdiff_t(plte));
  EXPECT_EQ(Decode(c), EPngError::InvalidPalette);
  c = chunks;
  c[plte].Data.push_back(0);
  EXPECT_EQ(Decode(c), EPngError::InvalidPalette);
  c = chunks;
  c[plte].Data.insert(c[plte].Data.end(), {1, 2, 3});  // 5 entries for 2-bit indices
  EXPECT_EQ(Decode(c), EPngError::InvalidPalette);
  c = chunks;
  c.insert(c.begin() + ptrdiff_t(plte), c[plte]);
  EXPECT_EQ(Decode(c), EPngError::InvalidPalette);
  auto gray = Chunks(PngSamples[6].File);  // grey 8: a palette is not allowed
  ASSERT_EQ(PngSamples[6].ColorType, 0);
  gray.insert(gray.begin() + 1, MakeChunk("PLTE", {1, 2, 3}));
  EXPECT_EQ(Decode(gray), EPngError::InvalidPalette);
  // A palette shorter than the indices used: the missing entries are opaque black, whatever tRNS says.
  c = chunks;
  c[plte].Data.resize(3);
  c.insert(c.begin() + ptrdiff_t(plte) + 1, MakeChunk("tRNS", {10, 20, 30, 40}));
  TImage image;
  ASSERT_EQ(DecodePng(WritePngChunks(c), image), EPngError::None);
  for (int x = 0; x < SampleWidth; ++x) {
    const TBgra first = Expected(indexed, 0, 0);  // pixel (0, 0) has index 0
    const bool entry0 = SampleValue(x, 0, 0, 2) == 0;
    const TBgra want = entry0 ? TBgra{first.B, first.G, first.R, 10} : TBgra{0, 0, 0, 255};
    EXPECT_EQ(image.View().At(x, 0), want) << x;
  }
}

TEST(PngDecoder, ImageDataFaultsAreNamed) {
  const auto chunks = Chunks(Rgba8().File);
  const std::vector<uint8_t> raw = RawOf(chunks);
  EXPECT_EQ(Decode(WithRaw(chunks, raw)), EPngError::None);
  auto bad = raw;
  bad[(bad.size() / SampleHeight) * 4] = 5;  // filter type of row 4
  EXPECT_EQ(Decode(WithRaw(chunks, bad)), EPngError::InvalidFilter);
  EXPECT_EQ(Decode(WithRaw(chunks, std::vector<uint8_t>(raw.begin(), raw.end() - 1))), EPngError::NotEnoughImageData);
  auto longer = raw;
  longer.push_back(0);  // extra data after the last row is ignored
  EXPECT_EQ(Decode(WithRaw(chunks, longer)), EPngError::None);
  auto c = WithRaw(chunks, raw);
  auto& z = c[IndexOf(c, "IDAT")].Data;
  z.resize(z.size() / 2);  // the zlib stream stops half way
  EXPECT_EQ(Decode(c), EPngError::NotEnoughImageData);
  z.assign(200, 0xFF);
  EXPECT_EQ(Decode(c), EPngError::ZlibError);
}

TEST(PngChunks, ReadingAndWritingGiveTheSameFileByteForByte) {
  for (const TPngSample& s : PngSamples) {
    std::vector<TPngChunk> chunks;
    ASSERT_EQ(ReadPngChunks(s.File, chunks), EPngError::None);
    EXPECT_EQ(WritePngChunks(chunks), s.File);
  }
  auto withTail = Rgba8().File;
  withTail.insert(withTail.end(), {1, 2, 3});  // bytes after IEND are not part of the picture
  std::vector<TPngChunk> chunks;
  ASSERT_EQ(ReadPngChunks(withTail, chunks), EPngError::None);
  EXPECT_EQ(WritePngChunks(chunks), Rgba8().File);
}

}  // namespace
}  // namespace qor
