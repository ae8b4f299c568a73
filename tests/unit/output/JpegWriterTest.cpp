#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "output/JpegWriter.h"
#include "tests/unit/output/OutputTestImages.h"

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#endif
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#include <stb_image.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace qor {
namespace {

// Decodes with stb_image; an empty image when it cannot.
TImage DecodeJpeg(const std::vector<uint8_t>& file) {
  int w = 0, h = 0, comp = 0;
  unsigned char* rgb = stbi_load_from_memory(file.data(), int(file.size()), &w, &h, &comp, 3);
  if (!rgb) return {};
  TImage image(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const unsigned char* p = rgb + 3 * (size_t(y) * size_t(w) + size_t(x));
      image.View().At(x, y) = TBgra{p[2], p[1], p[0], 255};
    }
  stbi_image_free(rgb);
  return image;
}

double Psnr(const TImageView& a, const TImageView& b) {
  double sum = 0;
  for (int32_t y = 0; y < a.Height; ++y)
    for (int32_t x = 0; x < a.Width; ++x) {
      const TBgra p = a.At(x, y), q = b.At(x, y);
      for (int d : {p.R - q.R, p.G - q.G, p.B - q.B}) sum += double(d) * d;
    }
  const double mse = sum / (3.0 * a.Width * a.Height);
  return mse == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / mse);
}

// The segments before the scan, by marker.
std::multimap<int, std::vector<uint8_t>> ReadSegments(const std::vector<uint8_t>& file) {
  std::multimap<int, std::vector<uint8_t>> segments;
  EXPECT_GE(file.size(), 4u);
  EXPECT_EQ(file[0], 0xFF);
  EXPECT_EQ(file[1], 0xD8) << "SOI";
  EXPECT_EQ(file[file.size() - 2], 0xFF);
  EXPECT_EQ(file[file.size() - 1], 0xD9) << "EOI";
  size_t pos = 2;
  while (pos + 4 <= file.size() && file[pos] == 0xFF) {
    const int marker = file[pos + 1];
    const size_t length = size_t(file[pos + 2]) << 8 | file[pos + 3];
    if (length < 2 || pos + 2 + length > file.size()) break;
    segments.emplace(marker, std::vector<uint8_t>(file.begin() + long(pos + 4), file.begin() + long(pos + 2 + length)));
    if (marker == 0xDA) break;  // start of scan: entropy-coded data follows
    pos += 2 + length;
  }
  return segments;
}

// The example tables of the JPEG standard (Annex K), in natural order, scaled as every IJG-compatible encoder
// scales them for a quality, in the zig-zag order a DQT segment stores them.
std::vector<int> ExpectedTable(bool chroma, int quality) {
  static const int Luma[64] = {16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
                               14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
                               18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
                               49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
  static const int Chroma[64] = {17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99, 24, 26, 56, 99, 99, 99,
                                 99, 99, 47, 66, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
                                 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};
  static const int ZigZagToNatural[64] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                                          12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                                          35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                                          58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};
  const int scale = quality < 50 ? 5000 / quality : 200 - 2 * quality;
  std::vector<int> table(64);
  for (int k = 0; k < 64; ++k) {
    const int v = ((chroma ? Chroma : Luma)[ZigZagToNatural[k]] * scale + 50) / 100;
    table[size_t(k)] = v < 1 ? 1 : v > 255 ? 255 : v;
  }
  return table;
}

TEST(WriteJpeg, WritesABaselineFrameWithTheStandardTablesScaledForQuality90) {
  const TImage source = test::SmoothImage(301, 7);
  const auto segments = ReadSegments(WriteJpeg(source.View(), 90));
  std::map<int, std::vector<int>> tables;  // by table id
  auto [begin, end] = segments.equal_range(0xDB);
  for (auto it = begin; it != end; ++it) {
    const auto& d = it->second;
    for (size_t pos = 0; pos + 65 <= d.size(); pos += 65) {
      ASSERT_EQ(d[pos] >> 4, 0) << "8-bit precision";
      tables[d[pos] & 15] = std::vector<int>(d.begin() + long(pos + 1), d.begin() + long(pos + 65));
    }
  }
  ASSERT_EQ(tables.size(), 2u);
  EXPECT_EQ(tables[0], ExpectedTable(false, 90));
  EXPECT_EQ(tables[1], ExpectedTable(true, 90));
  EXPECT_EQ(tables[0][0], 3);  // the DC step of quality 90: (16 * 20 + 50) / 100
  ASSERT_EQ(segments.count(0xC0), 1u) << "baseline SOF0";
  const auto& sof = segments.find(0xC0)->second;
  EXPECT_EQ(std::vector<int>(sof.begin(), sof.begin() + 6), (std::vector<int>{8, 0, 7, 1, 301 - 256, 3}))
      << "precision, height, width (big-endian) and three components";
}

TEST(WriteJpeg, DecodesCloseToTheSourceAtAnySizeAndThroughTheStride) {
  for (const auto& [w, h] :
       {std::pair{1, 1}, std::pair{2, 1}, std::pair{1, 3}, std::pair{17, 9}, std::pair{101, 37}, std::pair{640, 360}}) {
    SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
    const TImage source = test::SmoothImage(w, h, /*flatBlock=*/w >= 64 && h >= 64);
    const TImage decoded = DecodeJpeg(WriteJpeg(source.View()));
    ASSERT_EQ(decoded.Width(), w);
    ASSERT_EQ(decoded.Height(), h);
    EXPECT_GT(Psnr(source.View(), decoded.View()), 35.0);
  }
  const TImage big = test::SmoothImage(64, 48, false);
  const TImageView window = big.View().Sub(TRect{8, 8, 40, 24});
  const TImage decoded = DecodeJpeg(WriteJpeg(window));
  ASSERT_EQ(decoded.Width(), 32);
  EXPECT_GT(Psnr(window, decoded.View()), 35.0);
}

TEST(WriteJpeg, IgnoresTheAlphaByte) {
  TImage a = test::SmoothImage(24, 24), b = test::SmoothImage(24, 24);
  for (int32_t y = 0; y < 24; ++y)
    for (int32_t x = 0; x < 24; ++x) b.View().At(x, y).A = uint8_t(x * 10);
  EXPECT_EQ(WriteJpeg(a.View()), WriteJpeg(b.View()));
}

TEST(WriteJpeg, GivesNothingForAnEmptyOrOversizedImage) {
  EXPECT_TRUE(WriteJpeg(TImageView{}).empty());
  EXPECT_TRUE(WriteJpeg(TImage(0, 0).View()).empty());
  TBgra pixel{};
  EXPECT_TRUE(WriteJpeg(TImageView{reinterpret_cast<uint8_t*>(&pixel), 70000, 1, 0}).empty());
}

}  // namespace
}  // namespace qor
