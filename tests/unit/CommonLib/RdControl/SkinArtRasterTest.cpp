#include "CommonLib/RdControl/SkinArtRaster.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace qor {
namespace {

const TBgra White{255, 255, 255, 255};

int64_t AlphaSum(const TImage& image) {
  int64_t sum = 0;
  for (int32_t y = 0; y < image.Height(); ++y)
    for (int32_t x = 0; x < image.Width(); ++x) sum += image.View().At(x, y).A;
  return sum;
}

TImage Painted(TSize size, const TArtShape& shape, TBgra color = White) {
  TImage image(size.Width, size.Height);
  FillShape(image.View(), shape, color);
  return image;
}

// Coverage counted at every one of the 8 x 8 sample points, without the 0/1 shortcut of whole pixels.
float SampledCoverage(const TArtShape& shape, int32_t x, int32_t y) {
  int inside = 0;
  for (int sy = 0; sy < 8; ++sy)
    for (int sx = 0; sx < 8; ++sx)
      if (shape.Distance(x + (sx + 0.5f) / 8, y + (sy + 0.5f) / 8) < 0) ++inside;
  return inside / 64.0f;
}

TEST(SkinArtRaster, ARectangleOnWholePixelsIsExactAndHalfPixelEdgesGiveHalfCoverage) {
  const TImage whole = Painted({8, 8}, RectShape({2, 3, 6, 5}));
  for (int32_t y = 0; y < 8; ++y)
    for (int32_t x = 0; x < 8; ++x)
      EXPECT_EQ(whole.View().At(x, y).A, (x >= 2 && x < 6 && y >= 3 && y < 5) ? 255 : 0) << x << "," << y;

  const TImage half = Painted({8, 8}, RectShape({1.5f, 1.5f, 6, 6}));
  EXPECT_EQ(half.View().At(1, 3).A, 128) << "left edge through the pixel's middle";
  EXPECT_EQ(half.View().At(3, 1).A, 128) << "top edge";
  EXPECT_EQ(half.View().At(1, 1).A, 64) << "a quarter of the corner pixel";
  EXPECT_EQ(half.View().At(2, 2).A, 255);
  EXPECT_EQ(half.View().At(6, 3).A, 0);
  EXPECT_EQ(half.View().At(1, 3).R, 255) << "straight colour: coverage lowers alpha only";
}

TEST(SkinArtRaster, ACircleCoversItsAreaAndIsSymmetric) {
  const TImage disc = Painted({20, 20}, CircleShape({10, 10}, 7.3f));
  const double area = AlphaSum(disc) / 255.0;
  EXPECT_NEAR(area, std::numbers::pi * 7.3 * 7.3, 0.5);
  for (int32_t y = 0; y < 20; ++y)
    for (int32_t x = 0; x < 20; ++x) {
      EXPECT_EQ(disc.View().At(x, y).A, disc.View().At(19 - x, y).A);
      EXPECT_EQ(disc.View().At(x, y).A, disc.View().At(y, x).A);
    }
  EXPECT_EQ(disc.View().At(10, 10).A, 255);
  EXPECT_EQ(disc.View().At(0, 0).A, 0);
}

TEST(SkinArtRaster, SquareCapsReachHalfAWidthFurtherThanTheEndsAndRoundCapsRoundThem) {
  const TImage square = Painted({12, 10}, StrokeShape({{3, 5}, {8, 5}}, 2, TArtCap::Square));
  const TImage round = Painted({12, 10}, StrokeShape({{3, 5}, {8, 5}}, 2, TArtCap::Round));
  for (int32_t x = 0; x < 12; ++x)
    for (int32_t y = 0; y < 10; ++y)
      EXPECT_EQ(square.View().At(x, y).A, (x >= 2 && x < 9 && y >= 4 && y < 6) ? 255 : 0) << x << "," << y;
  EXPECT_EQ(AlphaSum(square), 14 * 255);
  EXPECT_EQ(round.View().At(5, 4).A, 255);
  EXPECT_GT(round.View().At(2, 4).A, 0);
  EXPECT_LT(round.View().At(2, 4).A, 255) << "the cap is a half disc";
  const double roundArea = AlphaSum(round) / 255.0;
  EXPECT_NEAR(roundArea, 5 * 2 + std::numbers::pi, 0.15);
}

TEST(SkinArtRaster, ASquareCappedClosedOutlineHasSquareCorners) {
  const TImage frame = Painted({10, 10}, StrokeShape({{2, 2}, {8, 2}, {8, 8}, {2, 8}}, 2, TArtCap::Square, true));
  for (int32_t y = 0; y < 10; ++y)
    for (int32_t x = 0; x < 10; ++x) {
      const bool band = x >= 1 && x < 9 && y >= 1 && y < 9 && !(x >= 3 && x < 7 && y >= 3 && y < 7);
      EXPECT_EQ(frame.View().At(x, y).A, band ? 255 : 0) << x << "," << y;
    }
}

TEST(SkinArtRaster, ShapesReachingOutOfThePictureAreClippedToIt) {
  // Half the rectangle lies left of and above the picture, part of it beyond the right edge.
  const TImage clipped = Painted({6, 4}, RectShape({-3, -3, 9, 2}));
  EXPECT_EQ(AlphaSum(clipped), 6 * 2 * 255);
  const TImage far = Painted({6, 4}, CircleShape({100, 100}, 5));
  EXPECT_EQ(AlphaSum(far), 0);
  const TImage huge = Painted({3, 3}, RectShape({-1e9f, -1e9f, 1e9f, 1e9f}));
  EXPECT_EQ(AlphaSum(huge), 9 * 255);
}

TEST(SkinArtRaster, EmptyAndNegativeSizesPaintNothing) {
  EXPECT_TRUE(RectShape({4, 4, 4, 8}).IsEmpty());
  EXPECT_TRUE(RoundRectShape({6, 4, 2, 8}, 2).IsEmpty());
  EXPECT_TRUE(RoundRectOutline({0, 0, 5, 5}, 1, 0).IsEmpty());
  EXPECT_TRUE(RoundRectOutline({0, 0, 5, 5}, 1, -2).IsEmpty());
  EXPECT_TRUE(CircleShape({3, 3}, 0).IsEmpty());
  EXPECT_TRUE(CircleShape({3, 3}, -1).IsEmpty());
  EXPECT_TRUE(PolygonShape({{0, 0}, {5, 5}}).IsEmpty());
  EXPECT_TRUE(StrokeShape({}, 2, TArtCap::Round).IsEmpty());
  EXPECT_TRUE(StrokeShape({{1, 1}, {4, 4}}, 0, TArtCap::Round).IsEmpty());
  EXPECT_EQ(PixelCoverage(TArtShape{}, 0, 0), 0);

  TImage none;
  FillShape(none.View(), RectShape({0, 0, 5, 5}), White);  // no pixels: nothing to do, nothing to crash
  const TImage image = Painted({6, 6}, RoundRectShape({5, 5, 1, 1}, 1));
  EXPECT_EQ(AlphaSum(image), 0);
  const TImage transparent = Painted({6, 6}, RectShape({0, 0, 6, 6}), TBgra{255, 255, 255, 0});
  EXPECT_EQ(AlphaSum(transparent), 0);
  // A radius larger than the rectangle is cut to half its side: a disc, never more than the rectangle.
  const TImage pill = Painted({10, 10}, RoundRectShape({0, 0, 10, 10}, 50));
  EXPECT_NEAR(AlphaSum(pill) / 255.0, std::numbers::pi * 25, 0.5);
}

TEST(SkinArtRaster, ColoursLayOverWithStraightAlpha) {
  TImage image(2, 1);
  image.View().At(1, 0) = TBgra{0, 0, 255, 255};                            // opaque red under the right pixel
  FillShape(image.View(), RectShape({0, 0, 2, 1}), TBgra{255, 0, 0, 128});  // half-transparent blue
  const TBgra onEmpty = image.View().At(0, 0), onRed = image.View().At(1, 0);
  EXPECT_EQ(onEmpty, (TBgra{255, 0, 0, 128})) << "over nothing the colour stays as it is";
  EXPECT_EQ(onRed.A, 255);
  EXPECT_NEAR(onRed.B, 128, 1);
  EXPECT_NEAR(onRed.R, 127, 1);
  // Two half layers make three quarters.
  TImage twice(1, 1);
  FillShape(twice.View(), RectShape({0, 0, 1, 1}), TBgra{0, 0, 0, 128});
  FillShape(twice.View(), RectShape({0, 0, 1, 1}), TBgra{0, 0, 0, 128});
  EXPECT_NEAR(twice.View().At(0, 0).A, 192, 1);
}

TEST(SkinArtRaster, WholePixelShortcutAgreesWithSamplingEverywhere) {
  // The 0/1 answer for pixels far from an edge must be what sampling says, for every kind of shape.
  const TArtShape shapes[] = {
      PolygonShape(EllipsePoints({10, 9}, 8.3f, 5.1f)),
      StrokeShape(EllipsePoints({10, 10}, 7, 6), 2, TArtCap::Round, true),
      StrokeShape({{2, 17}, {9, 3}, {17, 15}}, 3, TArtCap::Square),
      RoundRectOutline({2.5f, 3, 17, 16.5f}, 3, 2),
      CutShape(CircleShape({10, 10}, 8), RoundRectShape({6, 6, 14, 14}, 2)),
      UnionShape(CircleShape({6, 6}, 4), PolygonShape({{10, 2}, {18, 18}, {4, 15}})),
      StrokeShape(ArcPoints({10, 10}, 6, 6, -90, 180), 2, TArtCap::Round),
  };
  for (size_t i = 0; i < std::size(shapes); ++i)
    for (int32_t y = 0; y < 20; ++y)
      for (int32_t x = 0; x < 20; ++x)
        ASSERT_EQ(PixelCoverage(shapes[i], x, y), SampledCoverage(shapes[i], x, y))
            << "shape " << i << " at " << x << "," << y;
}

TEST(SkinArtRaster, PolygonsFillEvenOddAndCutsLeaveHoles) {
  // A five-pointed star drawn in one line: its centre is crossed twice, so it stays empty.
  std::vector<TArtPoint> star;
  for (int i = 0; i < 5; ++i) {
    const float a = (-90 + i * 144) * std::numbers::pi_v<float> / 180;
    star.push_back({20 + 18 * std::cos(a), 20 + 18 * std::sin(a)});
  }
  const TImage drawn = Painted({40, 40}, PolygonShape(star));
  EXPECT_EQ(drawn.View().At(20, 20).A, 0);
  EXPECT_EQ(drawn.View().At(20, 6).A, 255) << "a point of the star";

  const TImage ring = Painted({20, 20}, CutShape(CircleShape({10, 10}, 8), CircleShape({10, 10}, 4)));
  EXPECT_EQ(ring.View().At(10, 10).A, 0);
  EXPECT_EQ(ring.View().At(10, 3).A, 255);
  EXPECT_NEAR(AlphaSum(ring) / 255.0, std::numbers::pi * (64 - 16), 0.6);
}

TEST(SkinArtRaster, ArcsFollowTheEllipseAndTurnTheWayAsked) {
  const std::vector<TArtPoint> arc = ArcPoints({10, 10}, 4, 2, 0, 90);
  ASSERT_GE(arc.size(), 2u);
  EXPECT_NEAR(arc.front().X, 14, 1e-4);
  EXPECT_NEAR(arc.front().Y, 10, 1e-4);
  EXPECT_NEAR(arc.back().X, 10, 1e-4);
  EXPECT_NEAR(arc.back().Y, 12, 1e-4) << "positive angles turn clockwise on screen (downwards)";
  for (const TArtPoint& p : arc) EXPECT_NEAR((p.X - 10) * (p.X - 10) / 16 + (p.Y - 10) * (p.Y - 10) / 4, 1, 1e-4);
  const std::vector<TArtPoint> ellipse = EllipsePoints({0, 0}, 5, 5);
  EXPECT_GT(ellipse.size(), 16u);
  EXPECT_FALSE(ellipse.back().X == ellipse.front().X && ellipse.back().Y == ellipse.front().Y)
      << "the closing point is left to the closed shapes";
}

}  // namespace
}  // namespace qor
