#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "output/PngWriter.h"
#include "tests/unit/base/TestImages.h"
#include "tests/unit/output/StbDecode.h"

namespace qor {
namespace {

uint32_t U32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }

// The chunk types of a PNG file image, checking the signature, every length and every CRC on the way (the decoder
// below does not check CRCs, which other readers reject files for).
std::vector<std::string> ChunkTypes(const std::vector<uint8_t>& file) {
  std::vector<std::string> types;
  if (file.size() < 8 || std::memcmp(file.data(), "\x89PNG\r\n\x1A\n", 8) != 0) {
    ADD_FAILURE() << "no PNG signature";
    return types;
  }
  for (size_t pos = 8; pos < file.size();) {
    const uint32_t length = file.size() - pos >= 12 ? U32(&file[pos]) : 0;
    if (file.size() - pos < 12 || file.size() - pos - 12 < length) {
      ADD_FAILURE() << "chunk cut at " << pos;
      break;
    }
    types.emplace_back(reinterpret_cast<const char*>(&file[pos + 4]), 4);
    EXPECT_EQ(U32(&file[pos + 8 + length]), uint32_t(crc32(0, &file[pos + 4], uInt(4 + length)))) << types.back();
    pos += 12 + length;
  }
  return types;
}

// Decoded by stb_image after the chunk checks: IHDR first, then image data, IEND last.
TImage DecodeRgbPng(const std::vector<uint8_t>& file) {
  const std::vector<std::string> types = ChunkTypes(file);
  EXPECT_TRUE(types.size() >= 3 && types.front() == "IHDR" && types.back() == "IEND");
  for (size_t i = 1; i + 1 < types.size(); ++i) EXPECT_EQ(types[i], "IDAT");
  return test::DecodeWithStb(file);
}

const auto ExpectSameRgb = [](const TConstImageView& e, const TConstImageView& a) { test::ExpectSamePixels(e, a); };

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
    TImage source = test::NoiseImage(c.Width, c.Height, uint32_t(c.Width * 31 + c.Height));
    // Flat runs too, so the filters have something to predict.
    for (int32_t y = 0; y < c.Height; y += 2)
      for (int32_t x = 0; x < c.Width / 2; ++x) source.View().At(x, y) = TBgra{10, 20, 30, 0};
    ExpectSameRgb(source.View(), DecodeRgbPng(WritePng(source.View(), {c.Level, c.Filter})).View());
  }
  const TImage smooth = test::SmoothImage(101, 37);
  ExpectSameRgb(smooth.View(), DecodeRgbPng(WritePng(smooth.View())).View());  // default options
}

TEST(WritePng, ReadsRowsThroughTheStride) {
  const TImage big = test::NoiseImage(40, 30, 7);
  // A window inside a larger picture, and the same rows seen bottom-up.
  const TConstImageView window = big.View().Sub(TRect{5, 3, 22, 19});
  ExpectSameRgb(window, DecodeRgbPng(WritePng(window)).View());
  TConstImageView flipped = big.View();
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
  const std::vector<std::string> types = ChunkTypes(file);
  EXPECT_GT(std::count(types.begin(), types.end(), "IDAT"), 1);
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
