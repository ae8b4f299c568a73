#include <gtest/gtest.h>

#include "companions/stitch/PictureRows.h"
#include "tests/unit/companions/stitch/StitchTestSupport.h"

namespace qor::stitch {
namespace {

// The signature of a frame of noise whose row y shows page row top + y.
TFrameSignature NoiseSignature(int64_t top, int32_t height) {
  TImage image(64, height);
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < 64; ++x) image.View().At(x, y) = testing::NoisePixel(uint64_t(top + y), uint64_t(x));
  TFrameSignature signature;
  signature.Compute(image.View());
  return signature;
}

TEST(PictureRowsTest, RowsJoinedAtBothEndsThroughManyGrowthsReadBackAsOneFrameWould) {
  TPictureRows rows;
  rows.JoinBelow(NoiseSignature(1000, 40), 0, 0, 40);  // page rows 1000 .. 1039
  for (int i = 1; i <= 30; ++i) {
    // Below: drop 5 rows (a band) and add them again with 25 new ones; above: 20 new rows, nothing dropped.
    rows.JoinBelow(NoiseSignature(1000 + i * 25, 40), 5, 10, 40);
    rows.JoinAbove(NoiseSignature(1000 - i * 20, 40), 0, 0, 20);
  }
  ASSERT_EQ(rows.Height(), 40 + 30 * 25 + 30 * 20);
  TFrameSignature window;
  for (int64_t top : {int64_t(400), int64_t(1000), int64_t(1700)}) {  // page rows; the picture starts at 400
    rows.Window(int32_t(top - 400), 40, 64, 8, window);
    const TFrameSignature expected = NoiseSignature(top, 40);
    for (int32_t y = 0; y < 40; ++y) {
      ASSERT_EQ(window.DiffMask(y, expected, y), 0u) << top << " " << y;
      ASSERT_EQ(window.RowKey(y), expected.RowKey(y)) << top << " " << y;
    }
  }
}

}  // namespace
}  // namespace qor::stitch
