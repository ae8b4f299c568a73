#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "output/JpegWriter.h"
#include "tests/unit/base/TestImages.h"
#include "tests/unit/output/StbDecode.h"

namespace qor {
namespace {

using test::DecodeWithStb;

double Psnr(const TConstImageView& a, const TConstImageView& b) {
  double sum = 0;
  for (int32_t y = 0; y < a.Height; ++y)
    for (int32_t x = 0; x < a.Width; ++x) {
      const TBgra p = a.At(x, y), q = b.At(x, y);
      for (int d : {p.R - q.R, p.G - q.G, p.B - q.B}) sum += double(d) * d;
    }
  const double mse = sum / (3.0 * a.Width * a.Height);
  return mse == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / mse);
}

TEST(WriteJpeg, DecodesCloseToTheSourceAtAnySizeAndThroughTheStride) {
  for (const auto& [w, h] :
       {std::pair{1, 1}, std::pair{2, 1}, std::pair{1, 3}, std::pair{17, 9}, std::pair{101, 37}, std::pair{640, 360}}) {
    SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
    const TImage source = test::SmoothImage(w, h, /*flatBlock=*/w >= 64 && h >= 64);
    const TImage decoded = DecodeWithStb(WriteJpeg(source.View()));
    ASSERT_EQ(decoded.Width(), w);
    ASSERT_EQ(decoded.Height(), h);
    EXPECT_GT(Psnr(source.View(), decoded.View()), 35.0);
  }
  const TImage big = test::SmoothImage(64, 48, false);
  const TConstImageView window = big.View().Sub(TRect{8, 8, 40, 24});
  const TImage decoded = DecodeWithStb(WriteJpeg(window));
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
