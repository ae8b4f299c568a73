#include <gtest/gtest.h>

#include <cstring>
#include <algorithm>
#include <cstdint>
#include <random>
#include <string>

#include "base/BmpFile.h"
#include "tests/unit/base/TestImages.h"

namespace qor {
namespace {

using test::ExpectSamePixels;
using test::Pattern;

void Put32(std::vector<uint8_t>& file, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) file[at + i] = uint8_t(v >> (8 * i));
}

// Hand-made file images of the other layouts the reader accepts: top-down rows, and 32-bit bit fields with a
// 40-byte header plus masks or a V5 header with an alpha mask.
std::vector<uint8_t> TopDown(const TConstImageView& view, int bits) {
  std::vector<uint8_t> file(BmpHeadersSize);
  WriteBmpHeaders(file.data(), view.Width, view.Height, bits, true);
  for (int32_t y = 0; y < view.Height; ++y) {  // the top row first
    const std::vector<uint8_t> row = WriteBmp(view.Sub(TRect{0, y, view.Width, y + 1}), bits);
    file.insert(file.end(), row.begin() + BmpHeadersSize, row.end());
  }
  return file;
}

std::vector<uint8_t> Bitfields(const TConstImageView& view, uint32_t infoSize, uint32_t alphaMask) {
  const std::vector<uint8_t> plain = WriteBmp(view, 32);
  const size_t extra = infoSize == 40 ? 12 : infoSize - 40;
  std::vector<uint8_t> file(plain.size() + extra, 0);
  std::memcpy(file.data(), plain.data(), 54);
  std::memcpy(file.data() + 54 + extra, plain.data() + 54, plain.size() - 54);
  Put32(file, 2, uint32_t(file.size()));
  Put32(file, 10, uint32_t(54 + extra));
  Put32(file, 14, infoSize);
  Put32(file, 30, 3);
  Put32(file, 54, 0x00FF0000u);
  Put32(file, 58, 0x0000FF00u);
  Put32(file, 62, 0x000000FFu);
  if (infoSize >= 56) Put32(file, 66, alphaMask);
  return file;
}

TEST(BmpFileTest, WrittenAndHandMadeLayoutsReadBackExactly) {
  for (int bits : {24, 32}) {
    for (const auto& [w, h] : {std::pair{1, 1}, {3, 2}, {5, 7}, {64, 3}, {13, 1}}) {
      SCOPED_TRACE(testing::Message() << bits << " bits " << w << "x" << h);
      const TImage source = Pattern(w, h);
      const std::vector<uint8_t> file = WriteBmp(source.View(), bits);
      ASSERT_EQ(file.size(), BmpHeadersSize + BmpRowStride(w, bits) * size_t(h));
      for (const std::vector<uint8_t>& layout : {file, TopDown(source.View(), bits)}) {
        TImage read;
        ASSERT_EQ(ReadBmp(layout.data(), layout.size(), read), TBmpError::None);
        ExpectSamePixels(source.View(), read.View(), true);
      }
    }
  }
  // 32-bit bit fields with the standard masks; an alpha mask in a V5 header keeps alpha.
  const TImage withAlpha = Pattern(5, 3, true);
  const std::vector<uint8_t> v5 = Bitfields(withAlpha.View(), 124, 0xFF000000u);
  TImage read;
  ASSERT_EQ(ReadBmp(v5.data(), v5.size(), read), TBmpError::None);
  ExpectSamePixels(withAlpha.View(), read.View(), true);
}

TEST(BmpFileTest, ThirtyTwoBitPixelsWithoutAnAlphaMaskReadAsOpaqueWhateverTheFourthByte) {
  const TImage source = Pattern(5, 3, true);
  for (const std::vector<uint8_t>& file : {WriteBmp(source.View(), 32), Bitfields(source.View(), 40, 0)}) {
    TImage read;
    ASSERT_EQ(ReadBmp(file.data(), file.size(), read), TBmpError::None);
    for (int32_t y = 0; y < 3; ++y)
      for (int32_t x = 0; x < 5; ++x) {
        TBgra expected = source.View().At(x, y);
        expected.A = 255;
        EXPECT_EQ(read.View().At(x, y), expected);
      }
  }
}

TEST(BmpFileTest, WriterProducesTheStandardHeaderFieldsAndRefusesEmptyViewsAndOtherBitCounts) {
  const TImage source = Pattern(3, 2);
  const std::vector<uint8_t> file = WriteBmp(source.View(), 24);
  EXPECT_EQ(std::string(file.begin(), file.begin() + 2), "BM");
  auto get32 = [&](size_t at) {
    return uint32_t(file[at] | file[at + 1] << 8 | file[at + 2] << 16 | file[at + 3] << 24);
  };
  EXPECT_EQ(get32(2), file.size());
  EXPECT_EQ(get32(10), 54u);
  EXPECT_EQ(get32(14), 40u);
  EXPECT_EQ(int32_t(get32(18)), 3);
  EXPECT_EQ(int32_t(get32(22)), 2);  // bottom-up, which every reader accepts
  EXPECT_EQ(get32(30), 0u);
  EXPECT_EQ(get32(34), 2u * 12u);  // rows of 9 bytes padded to 12
  // The first stored row is the bottom row of the image.
  EXPECT_EQ(file[54], source.View().At(0, 1).B);
  // Empty views and other bit counts give nothing.
  EXPECT_TRUE(WriteBmp(TImageView{}, 24).empty());
  EXPECT_TRUE(WriteBmp(Pattern(2, 2).View(), 16).empty());
}

TEST(BmpFileTest, MalformedFilesAreRejectedWithTheirReason) {
  const TImage source = Pattern(8, 6);  // a 198-byte file: 54 header bytes, 6 rows of 24
  // Each case cuts the file to Size and then writes Value at byte At, in Width bytes.
  constexpr size_t Whole = SIZE_MAX;
  struct TPut {
    size_t At;
    uint32_t Value;
    int Width = 4;
  };
  const struct {
    const char* Name;
    size_t Size;
    std::vector<TPut> Puts;
    TBmpError Expected;
  } cases[] = {
      {"empty", 0, {}, TBmpError::Truncated},
      {"cut in the info header", 40, {}, TBmpError::Truncated},
      {"cut in the pixels", 197, {{2, 197}}, TBmpError::Truncated},
      {"file size larger than the data", Whole, {{2, 298}}, TBmpError::Truncated},
      {"file size smaller than its pixels", Whole, {{2, 60}}, TBmpError::BadHeader},
      {"height lies", Whole, {{22, 600}}, TBmpError::Truncated},
      {"width lies", Whole, {{18, 8000}, {2, 0}}, TBmpError::Truncated},
      {"signature", Whole, {{0, 'P', 1}}, TBmpError::NotBmp},
      {"width zero", Whole, {{18, 0}}, TBmpError::BadSize},
      {"negative width", Whole, {{18, uint32_t(-8)}}, TBmpError::BadSize},
      {"height zero", Whole, {{22, 0}}, TBmpError::BadSize},
      {"most negative height", Whole, {{22, 0x80000000u}}, TBmpError::BadSize},
      {"huge width", Whole, {{18, 0x7FFFFFFFu}}, TBmpError::BadSize},
      {"16 bits", Whole, {{28, 16, 2}}, TBmpError::UnsupportedBitCount},
      {"zero bits", Whole, {{28, 0, 2}}, TBmpError::UnsupportedBitCount},
      {"RLE8", Whole, {{30, 1}}, TBmpError::UnsupportedCompression},
      {"bit fields on 24 bits", Whole, {{30, 3}}, TBmpError::UnsupportedCompression},
      {"two planes", Whole, {{26, 2, 2}}, TBmpError::BadHeader},
      {"OS/2 core header", Whole, {{14, 12}}, TBmpError::BadHeader},
      {"info header larger than the file", Whole, {{14, 1000}}, TBmpError::Truncated},
      {"absurd info header size", Whole, {{14, 0xFFFFFFF0u}}, TBmpError::BadHeader},
      {"pixels inside the headers", Whole, {{10, 20}}, TBmpError::BadHeader},
      {"pixel offset past the end", Whole, {{10, 0xFFFFFF00u}, {2, 0}}, TBmpError::Truncated},
  };
  for (const auto& c : cases) {
    std::vector<uint8_t> file = WriteBmp(source.View(), 24);
    ASSERT_EQ(file.size(), 198u);
    file.resize(std::min(c.Size, file.size()));
    for (const TPut& put : c.Puts)
      for (int i = 0; i < put.Width; ++i) file[put.At + size_t(i)] = uint8_t(put.Value >> (8 * i));
    TImage read = Pattern(2, 2);
    EXPECT_EQ(ReadBmp(file.data(), file.size(), read), c.Expected) << c.Name;
    EXPECT_TRUE(read.IsEmpty()) << c.Name;
  }
  TImage read;
  EXPECT_EQ(ReadBmp(nullptr, 100, read), TBmpError::Truncated);
  // Bit fields other than the standard masks.
  std::vector<uint8_t> file = Bitfields(source.View(), 40, 0);
  Put32(file, 54, 0x000000FFu);  // red and blue swapped
  Put32(file, 62, 0x00FF0000u);
  EXPECT_EQ(ReadBmp(file.data(), file.size(), read), TBmpError::UnsupportedCompression);
  file = Bitfields(source.View(), 108, 0x000000FFu);
  EXPECT_EQ(ReadBmp(file.data(), file.size(), read), TBmpError::UnsupportedCompression);
}

TEST(BmpFileTest, RandomGarbageNeverReadsOutsideTheBuffer) {
  std::mt19937 random(7);
  const std::vector<uint8_t> good = WriteBmp(Pattern(9, 4).View(), 32);
  for (int round = 0; round < 2000; ++round) {
    std::vector<uint8_t> file = good;
    const int flips = 1 + int(random() % 6);
    for (int i = 0; i < flips; ++i) file[random() % 70] = uint8_t(random());
    file.resize(random() % (file.size() + 1));
    TImage read;
    if (ReadBmp(file.data(), file.size(), read) == TBmpError::None) {
      EXPECT_FALSE(read.IsEmpty());
    } else {
      EXPECT_TRUE(read.IsEmpty());
    }
  }
}

}  // namespace
}  // namespace qor
