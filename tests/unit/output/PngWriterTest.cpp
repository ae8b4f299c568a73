#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "output/PngWriter.h"
#include "tests/unit/base/TestImages.h"
#include "tests/unit/output/PngReference.h"
#include "tests/unit/output/RecordingSink.h"
#include "tests/unit/output/StbDecode.h"

namespace qor {
namespace {

std::vector<std::string> ChunkTypes(const std::vector<uint8_t>& file) {
  std::vector<std::string> types;
  for (const test::TPngChunk& chunk : test::PngChunks(file)) types.push_back(chunk.Type);
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

// Straight RGBA as stb_image reads it; empty unless the file holds four channels.
TImage DecodeRgbaWithStb(const std::vector<uint8_t>& file) {
  int w = 0, h = 0, channels = 0;
  unsigned char* rgba = stbi_load_from_memory(file.data(), int(file.size()), &w, &h, &channels, 4);
  if (!rgba) return {};
  TImage image(channels == 4 ? w : 0, channels == 4 ? h : 0);
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < w; ++x) {
      const unsigned char* p = rgba + 4 * (size_t(y) * size_t(w) + size_t(x));
      image.View().At(x, y) = TBgra{p[2], p[1], p[0], p[3]};
    }
  stbi_image_free(rgba);
  return image;
}

TEST(WritePng, KeepsStraightAlphaWhenAskedForEveryFilter) {
  TImage source = test::NoiseImage(23, 11, 5);
  for (int32_t y = 0; y < 11; ++y)
    for (int32_t x = 0; x < 23; ++x) source.View().At(x, y).A = uint8_t(x * 37 + y * 11);
  for (int32_t x = 0; x < 23; ++x) source.View().At(x, 4) = TBgra{200, 100, 50, 0};  // colour under no alpha stays
  for (TPngFilter f : {TPngFilter::None, TPngFilter::Sub, TPngFilter::Up, TPngFilter::Average, TPngFilter::Paeth,
                       TPngFilter::Adaptive}) {
    SCOPED_TRACE(int(f));
    const std::vector<uint8_t> file = WritePng(source.View(), {.Level = 9, .Filter = f, .Alpha = true});
    ASSERT_GT(file.size(), 26u);
    EXPECT_EQ(file[25], 6) << "colour type RGBA";
    test::ExpectSamePixels(source.View(), DecodeRgbaWithStb(file).View(), true);
  }
  EXPECT_EQ(WritePng(source.View())[25], 2) << "opaque RGB unless alpha is asked for";
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

using test::TRecordingSink;

TEST(WritePngTo, StreamsTheSameFileAsInMemoryAndAReferenceDecoderReadsItForEveryFilter) {
  TImage source = test::NoiseImage(57, 23, 11);
  for (int32_t y = 3; y < 23; y += 3)  // flat runs and repeated rows, so that every filter predicts something
    for (int32_t x = 0; x < 57; ++x) source.View().At(x, y) = y % 2 ? TBgra{9, 8, 7, 0} : source.View().At(x, y - 1);
  for (TPngFilter filter : {TPngFilter::None, TPngFilter::Sub, TPngFilter::Up, TPngFilter::Average, TPngFilter::Paeth,
                            TPngFilter::Adaptive}) {
    SCOPED_TRACE(int(filter));
    TRecordingSink sink;
    ASSERT_TRUE(WritePngTo(sink, source.View(), {6, filter}));
    EXPECT_EQ(sink.Bytes, WritePng(source.View(), {6, filter}));
    ExpectSameRgb(source.View(), test::ReferenceDecodePng(sink.Bytes).View());
  }
}

TEST(WritePngTo, WritesAHundredThousandRowsInPiecesOfAtMostOneChunk) {
  const TImage source = test::NoiseImage(16, 100000, 5);  // 4.8 MB of rows that do not compress
  TRecordingSink sink;
  ASSERT_TRUE(WritePngTo(sink, source.View(), {1, TPngFilter::Up}));
  // The file leaves the writer as it is made, one chunk at a time, never as one block.
  EXPECT_LE(sink.LargestWrite(), size_t(256 * 1024));
  EXPECT_GT(sink.Sizes.size(), 3 * 18u) << "IDAT chunks of 256 KiB, each as length and type, data, CRC";
  const TImage decoded = test::ReferenceDecodePng(sink.Bytes);
  ASSERT_EQ(decoded.Width(), 16);
  ASSERT_EQ(decoded.Height(), 100000);
  for (int32_t y : {0, 1, 65535, 65536, 99998, 99999}) {
    SCOPED_TRACE(y);
    ExpectSameRgb(source.View().Sub(TRect{0, y, 16, y + 1}), decoded.View().Sub(TRect{0, y, 16, y + 1}));
  }
  ExpectSameRgb(source.View(), decoded.View());
}

TEST(WritePngTo, SingleRowsAndColumnsRoundTrip) {
  for (TSize size : {TSize{1, 1}, TSize{5000, 1}, TSize{1, 5000}, TSize{2, 2}}) {
    SCOPED_TRACE(std::to_string(size.Width) + "x" + std::to_string(size.Height));
    const TImage source = test::NoiseImage(size.Width, size.Height, 3);
    TRecordingSink sink;
    ASSERT_TRUE(WritePngTo(sink, source.View()));
    ExpectSameRgb(source.View(), test::ReferenceDecodePng(sink.Bytes).View());
  }
}

TEST(WritePngTo, StopsAtTheFirstWriteTheSinkRefusesAndWritesNothingForAnEmptyPicture) {
  const TImage source = test::NoiseImage(300, 900, 2);  // about 800 KB: several chunks
  TRecordingSink refusing;
  refusing.RefuseAfter = 300000;
  EXPECT_FALSE(WritePngTo(refusing, source.View(), {0, TPngFilter::None}));
  EXPECT_GT(refusing.Bytes.size(), 0u);
  EXPECT_EQ(refusing.WritesRefused, 1) << "no write after the refusal";
  TRecordingSink atOnce;
  atOnce.RefuseAfter = 0;
  EXPECT_FALSE(WritePngTo(atOnce, source.View()));
  EXPECT_EQ(atOnce.WritesRefused, 1);
  for (const TConstImageView& empty :
       {TConstImageView{}, TConstImageView(TImage(0, 0).View()), TConstImageView{source.View().Pixels, 300, 0, 1200},
        TConstImageView{nullptr, 4, 4, 16}}) {
    TRecordingSink sink;
    EXPECT_FALSE(WritePngTo(sink, empty));
    EXPECT_TRUE(sink.Sizes.empty());
  }
}

}  // namespace
}  // namespace qor
