#include "output/BmpWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/BmpFile.h"
#include "tests/unit/base/TestImages.h"
#include "tests/unit/output/RecordingSink.h"

namespace qor {
namespace {

using test::TRecordingSink;

TEST(WriteBmpTo, StreamsTheBytesOfTheWholeFileWriterAtEveryPaddingAndBitCount) {
  const TImage big = test::NoiseImage(40, 30, 9);
  std::vector<TImage> images;
  for (TSize size : {TSize{1, 1}, TSize{2, 3}, TSize{3, 2}, TSize{7, 5}, TSize{1000, 300}})
    images.push_back(test::NoiseImage(size.Width, size.Height, uint32_t(size.Width)));
  std::vector<TConstImageView> views = {big.View().Sub(TRect{3, 4, 20, 27})};  // rows through a stride
  for (const TImage& image : images) views.push_back(image.View());
  for (const TConstImageView& view : views)
    for (int bits : {24, 32}) {
      SCOPED_TRACE(std::to_string(view.Width) + "x" + std::to_string(view.Height) + " " + std::to_string(bits));
      TRecordingSink sink;
      ASSERT_TRUE(WriteBmpTo(sink, view, bits));
      EXPECT_EQ(sink.Bytes, WriteBmp(view, bits));
      EXPECT_LE(sink.LargestWrite(), size_t(256 * 1024));
    }
}

TEST(WriteBmpTo, WritesAHundredThousandRowsThatReadBackInPlace) {
  const TImage source = test::NoiseImage(13, 100000, 4);  // 40 bytes a row with its padding
  TRecordingSink sink;
  ASSERT_TRUE(WriteBmpTo(sink, source.View(), 24));
  EXPECT_EQ(sink.Bytes.size(), BmpHeadersSize + 40u * 100000u);
  EXPECT_GT(sink.Sizes.size(), 10u) << "written in pieces, not as one block";
  TBmpLayout layout;
  ASSERT_EQ(ParseBmp(sink.Bytes.data(), sink.Bytes.size(), layout), TBmpError::None);
  EXPECT_EQ(layout.Width, 13);
  EXPECT_EQ(layout.Height, 100000);
  EXPECT_FALSE(layout.TopDown);
  TImage decoded(13, 100000);
  DecodeBmpPixels(sink.Bytes.data(), layout, decoded.View());
  for (int32_t y : {0, 1, 50000, 99998, 99999}) {
    SCOPED_TRACE(y);
    test::ExpectSamePixels(source.View().Sub(TRect{0, y, 13, y + 1}), decoded.View().Sub(TRect{0, y, 13, y + 1}));
  }
}

TEST(WriteBmpTo, WritesNothingForAnEmptyPictureAnUnknownBitCountOrMoreThanFourGigabytes) {
  const TImage pixel = test::NoiseImage(1, 1);
  for (const TConstImageView& empty : {TConstImageView{}, TConstImageView{pixel.View().Pixels, 1, 0, 4},
                                       TConstImageView{pixel.View().Pixels, -2, 1, 4}}) {
    TRecordingSink sink;
    EXPECT_FALSE(WriteBmpTo(sink, empty, 24));
    EXPECT_TRUE(sink.Sizes.empty());
  }
  TRecordingSink sixteen;
  EXPECT_FALSE(WriteBmpTo(sixteen, pixel.View(), 16));
  EXPECT_TRUE(sixteen.Sizes.empty());
  // 40000 x 40000 at 24 bits would be 4.8 GB: refused before a pixel is read (one pixel, stride 0).
  TRecordingSink huge;
  EXPECT_FALSE(WriteBmpTo(huge, TConstImageView{pixel.View().Pixels, 40000, 40000, 0}, 24));
  EXPECT_TRUE(huge.Sizes.empty());
}

TEST(WriteBmpTo, StopsAtTheFirstWriteTheSinkRefuses) {
  const TImage source = test::NoiseImage(500, 1000, 6);  // 1.5 MB
  TRecordingSink sink;
  sink.RefuseAfter = 600000;
  EXPECT_FALSE(WriteBmpTo(sink, source.View(), 24));
  EXPECT_EQ(sink.WritesRefused, 1);
}

TEST(BmpHoldsSize, AllowsFilesUpToFourGigabytes) {
  EXPECT_TRUE(BmpHoldsSize(1920, 100000));
  EXPECT_TRUE(BmpHoldsSize(1, 1));
  // Width 1 at 24 bits: 4 bytes a row; the file size field holds 2^32 - 1 bytes.
  EXPECT_TRUE(BmpHoldsSize(1, int32_t((UINT32_MAX - BmpHeadersSize) / 4)));
  EXPECT_FALSE(BmpHoldsSize(1, int32_t((UINT32_MAX - BmpHeadersSize) / 4 + 1)));
  EXPECT_FALSE(BmpHoldsSize(30000, 50000));
  EXPECT_FALSE(BmpHoldsSize(40000, 30000, 32));  // 4.8 GB
  EXPECT_TRUE(BmpHoldsSize(40000, 30000, 24));   // 3.6 GB
  EXPECT_FALSE(BmpHoldsSize(0, 5));
  EXPECT_FALSE(BmpHoldsSize(5, -1));
}

}  // namespace
}  // namespace qor
