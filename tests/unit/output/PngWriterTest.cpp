#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "output/PngWriter.h"
#include "tests/unit/base/TestImages.h"

namespace qor {
namespace {

const auto ExpectSameRgb = [](const TImageView& e, const TImageView& a) { test::ExpectSamePixels(e, a); };

uint32_t U32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }

struct TChunk {
  std::string Type;
  std::vector<uint8_t> Data;
};

// Splits a PNG file image into chunks, checking the signature, every length and every CRC on the way.
std::vector<TChunk> ReadChunks(const std::vector<uint8_t>& file) {
  static const uint8_t Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<TChunk> chunks;
  EXPECT_GE(file.size(), 8u);
  if (file.size() < 8 || std::memcmp(file.data(), Signature, 8) != 0) {
    ADD_FAILURE() << "no PNG signature";
    return chunks;
  }
  size_t pos = 8;
  while (pos < file.size()) {
    if (file.size() - pos < 12) {
      ADD_FAILURE() << "truncated chunk at " << pos;
      break;
    }
    const uint32_t length = U32(&file[pos]);
    if (file.size() - pos - 12 < length) {
      ADD_FAILURE() << "chunk longer than the file at " << pos;
      break;
    }
    TChunk chunk;
    chunk.Type.assign(reinterpret_cast<const char*>(&file[pos + 4]), 4);
    chunk.Data.assign(file.begin() + long(pos + 8), file.begin() + long(pos + 8 + length));
    const uint32_t crc = uint32_t(crc32(0, &file[pos + 4], uInt(4 + length)));
    EXPECT_EQ(U32(&file[pos + 8 + length]), crc) << "CRC of " << chunk.Type;
    chunks.push_back(std::move(chunk));
    pos += 12 + length;
  }
  return chunks;
}

uint8_t Paeth(int a, int b, int c) {
  const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  return uint8_t(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

// Decodes an 8-bit RGB, non-interlaced PNG by the format's rules (independent of the writer's code).
TImage DecodeRgbPng(const std::vector<uint8_t>& file, std::vector<int>* filtersUsed = nullptr) {
  const auto chunks = ReadChunks(file);
  if (chunks.size() < 3 || chunks.front().Type != "IHDR" || chunks.back().Type != "IEND") {
    ADD_FAILURE() << "IHDR first and IEND last expected";
    return {};
  }
  const auto& ihdr = chunks.front().Data;
  EXPECT_EQ(ihdr.size(), 13u);
  EXPECT_TRUE(chunks.back().Data.empty());
  const int32_t width = int32_t(U32(&ihdr[0])), height = int32_t(U32(&ihdr[4]));
  EXPECT_EQ(ihdr[8], 8) << "bit depth";
  EXPECT_EQ(ihdr[9], 2) << "colour type RGB";
  EXPECT_EQ(ihdr[10], 0) << "compression";
  EXPECT_EQ(ihdr[11], 0) << "filter method";
  EXPECT_EQ(ihdr[12], 0) << "interlace";
  std::vector<uint8_t> compressed;
  for (size_t i = 1; i + 1 < chunks.size(); ++i) {
    EXPECT_EQ(chunks[i].Type, "IDAT");
    compressed.insert(compressed.end(), chunks[i].Data.begin(), chunks[i].Data.end());
  }
  const size_t rowBytes = size_t(width) * 3;
  std::vector<uint8_t> raw((rowBytes + 1) * size_t(height));
  uLongf rawSize = uLongf(raw.size());
  EXPECT_EQ(uncompress(raw.data(), &rawSize, compressed.data(), uLong(compressed.size())), Z_OK);
  EXPECT_EQ(rawSize, raw.size());

  TImage image(width, height);
  std::vector<uint8_t> prior(rowBytes, 0), row(rowBytes);
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* in = &raw[size_t(y) * (rowBytes + 1)];
    const int filter = in[0];
    if (filtersUsed) filtersUsed->push_back(filter);
    EXPECT_LE(filter, 4);
    for (size_t i = 0; i < rowBytes; ++i) {
      const int a = i >= 3 ? row[i - 3] : 0, b = prior[i], c = i >= 3 ? prior[i - 3] : 0;
      const int predicted = filter == 1   ? a
                            : filter == 2 ? b
                            : filter == 3 ? (a + b) / 2
                            : filter == 4 ? Paeth(a, b, c)
                                          : 0;
      row[i] = uint8_t(in[1 + i] + predicted);
    }
    for (int32_t x = 0; x < width; ++x)
      image.View().At(x, y) = TBgra{row[3 * size_t(x) + 2], row[3 * size_t(x) + 1], row[3 * size_t(x)], 255};
    prior = row;
  }
  return image;
}

TEST(WritePng, RoundTripsEverySizeFilterAndLevel) {
  const struct {
    int32_t Width, Height;
    TPngFilter Filter;
    int Level;  // out of range levels are clamped
  } cases[] = {{1, 1, TPngFilter::Paeth, 1}, {2, 1, TPngFilter::Sub, 6},        {7, 5, TPngFilter::None, 0},
               {7, 5, TPngFilter::Up, 1},    {7, 5, TPngFilter::Average, 6},    {33, 17, TPngFilter::Paeth, 9},
               {1, 9, TPngFilter::Paeth, 6}, {33, 17, TPngFilter::Adaptive, 1}, {301, 3, TPngFilter::Up, 6},
               {9, 4, TPngFilter::Sub, 42},  {9, 4, TPngFilter::Up, -3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.Width) + "x" + std::to_string(c.Height) + " filter " + std::to_string(int(c.Filter)) +
                 " level " + std::to_string(c.Level));
    const TImage source = test::NoiseImage(c.Width, c.Height, uint32_t(c.Width * 31 + c.Height));
    // Flat runs too, so the filters have something to predict.
    for (int32_t y = 0; y < c.Height; y += 2)
      for (int32_t x = 0; x < c.Width / 2; ++x) source.View().At(x, y) = TBgra{10, 20, 30, 0};
    std::vector<int> filters;
    ExpectSameRgb(source.View(), DecodeRgbPng(WritePng(source.View(), {c.Level, c.Filter}), &filters).View());
    for (int f : filters)
      if (c.Filter != TPngFilter::Adaptive) {
        EXPECT_EQ(f, int(c.Filter));
      }
  }
  const TImage smooth = test::SmoothImage(101, 37);
  ExpectSameRgb(smooth.View(), DecodeRgbPng(WritePng(smooth.View())).View());  // default options
}

TEST(WritePng, ReadsRowsThroughTheStride) {
  const TImage big = test::NoiseImage(40, 30, 7);
  // A window inside a larger picture, and the same rows seen bottom-up.
  const TImageView window = big.View().Sub(TRect{5, 3, 22, 19});
  ExpectSameRgb(window, DecodeRgbPng(WritePng(window)).View());
  TImageView flipped = big.View();
  flipped.Pixels = big.View().Pixels + big.View().Stride * (big.Height() - 1);
  flipped.Stride = -big.View().Stride;
  const TImage decoded = DecodeRgbPng(WritePng(flipped));
  ASSERT_EQ(decoded.Height(), 30);
  EXPECT_EQ(decoded.View().At(3, 0).R, big.View().At(3, 29).R);
  EXPECT_EQ(decoded.View().At(3, 29).G, big.View().At(3, 0).G);
}

TEST(WritePng, SplitsLargeImageDataIntoSeveralChunksAndGivesNothingForAnEmptyImage) {
  const TImage source = test::NoiseImage(400, 300, 3);  // 360 000 bytes that do not compress
  const auto file = WritePng(source.View(), {0, TPngFilter::None});
  int idat = 0;
  for (const auto& chunk : ReadChunks(file)) idat += chunk.Type == "IDAT";
  EXPECT_GT(idat, 1);
  ExpectSameRgb(source.View(), DecodeRgbPng(file).View());
  // Nothing for an empty image.
  EXPECT_TRUE(WritePng(TImageView{}).empty());
  EXPECT_TRUE(WritePng(TImage(0, 0).View()).empty());
  TBgra pixel{};
  EXPECT_TRUE(WritePng(TImageView{reinterpret_cast<uint8_t*>(&pixel), 0, 1, 4}).empty());
  EXPECT_TRUE(WritePng(TImageView{reinterpret_cast<uint8_t*>(&pixel), 1, -3, 4}).empty());
  EXPECT_TRUE(WritePng(TImageView{nullptr, 5, 5, 20}).empty());
}

}  // namespace
}  // namespace qor
