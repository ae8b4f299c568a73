#include <gtest/gtest.h>

#include <algorithm>

#include "CommonLib/RdControl/RdGrayMode.h"
#include "CommonLib/RdControl/RdPngImage.h"
#include "tests/unit/CommonLib/RdControl/PngSamples.h"

namespace qor {
namespace {

const testing::TPngSample& Sample(int colorType, int depth) {
  return *std::find_if(testing::PngSamples.begin(), testing::PngSamples.end(),
                       [&](const auto& s) { return s.ColorType == colorType && s.BitDepth == depth; });
}

TEST(RdPngImage, LoadsPixelsAndTellsWhetherAnyPixelIsTransparent) {
  TPngImage rgba;
  ASSERT_EQ(rgba.LoadFromBytes(Sample(6, 8).File), EPngError::None);
  EXPECT_EQ(rgba.Width(), testing::SampleWidth);
  EXPECT_EQ(rgba.Height(), testing::SampleHeight);
  EXPECT_EQ(rgba.Pixels().At(1, 0), (TBgra{65, 36, 7, 94}));  // the maker wrote R 7, G 36, B 65, A 94 there
  EXPECT_TRUE(rgba.HasTransparency());
  TPngImage rgb;
  ASSERT_EQ(rgb.LoadFromBytes(Sample(2, 8).File), EPngError::None);
  EXPECT_FALSE(rgb.HasTransparency());
}

TEST(RdPngImage, DrawnPixelsFollowTheFilesGreyAndOpacityOptions) {
  TPngImage plain;
  ASSERT_EQ(plain.LoadFromBytes(Sample(6, 8).File), EPngError::None);
  EXPECT_EQ(plain.DrawnPixels().View().At(1, 0), (TBgra{65, 36, 7, 94}));
  // Options written into the file come back with it and change only the drawn copy.
  TPngImage marked = plain;
  marked.SetOptions({.AlphaBlendValue = 128, .GrayMode = true});
  const std::vector<uint8_t> file = marked.SaveToBytes();
  TPngImage loaded;
  ASSERT_EQ(loaded.LoadFromBytes(file), EPngError::None);
  const uint8_t grey = GrayLevel(7, 36, 65);
  EXPECT_EQ(loaded.DrawnPixels().View().At(1, 0), (TBgra{grey, grey, grey, uint8_t((94 * 128 + 127) / 255)}));
  EXPECT_EQ(loaded.Pixels().At(1, 0), (TBgra{65, 36, 7, 94}));
  EXPECT_TRUE(TPngImage().DrawnPixels().View().IsEmpty());
}

TEST(RdPngImage, AFailedLoadLeavesTheImageEmpty) {
  TPngImage image;
  ASSERT_EQ(image.LoadFromBytes(Sample(6, 8).File), EPngError::None);
  auto bad = Sample(6, 8).File;
  bad[bad.size() - 20] ^= 0x40;
  EXPECT_EQ(image.LoadFromBytes(bad), EPngError::InvalidCRC);
  EXPECT_TRUE(image.IsEmpty());
  EXPECT_TRUE(image.Pixels().IsEmpty());
  EXPECT_FALSE(image.HasTransparency());
  EXPECT_TRUE(image.SaveToBytes().empty());
}

TEST(RdPngImage, CopiesShareTheDecodedPixels) {
  TPngImage image;
  ASSERT_EQ(image.LoadFromBytes(Sample(6, 8).File), EPngError::None);
  const TPngImage copy = image;
  EXPECT_EQ(copy.Pixels().Pixels, image.Pixels().Pixels);
  image.SetOptions({.GrayMode = true});
  EXPECT_FALSE(copy.Options().GrayMode);
}

TEST(RdPngImage, SavingKeepsTheFileAndCarriesChangedOptionsToTheNextLoad) {
  const auto& file = Sample(3, 4).File;
  TPngImage image;
  ASSERT_EQ(image.LoadFromBytes(file), EPngError::None);
  EXPECT_EQ(image.SaveToBytes(), file);
  image.SetOptions({.AlphaBlendValue = 40, .SmoothFilter = TPngSmoothFilter::FastSmooth});
  const std::vector<uint8_t> saved = image.SaveToBytes();
  EXPECT_EQ(saved.size(), file.size() + 12 + 6 + 34);  // one tEXt chunk with the two lines
  TPngImage again;
  ASSERT_EQ(again.LoadFromBytes(saved), EPngError::None);
  EXPECT_EQ(again.Options(), (TPngDrawOptions{40, false, TPngSmoothFilter::FastSmooth}));
  EXPECT_EQ(again.Pixels().At(5, 5), image.Pixels().At(5, 5));
  EXPECT_EQ(again.SaveToBytes(), saved);
  again.SetOptions({});
  EXPECT_EQ(again.SaveToBytes(), file);
}

}  // namespace
}  // namespace qor
