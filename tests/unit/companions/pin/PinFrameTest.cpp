#include "companions/pin/PinFrame.h"

#include <gtest/gtest.h>

namespace qor {
namespace {

TImage Noise(int32_t width, int32_t height) {
  TImage image(width, height);
  uint32_t seed = 12345;
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) {
      seed = seed * 1103515245u + 12345u;
      image.View().At(x, y) = {uint8_t(seed >> 8), uint8_t(seed >> 16), uint8_t(seed >> 24), 255};
    }
  return image;
}

TEST(ComposePinFrame, AtFullOpacityThePicturesPixelsAreExactlyInsideTheMargin) {
  const TImage picture = Noise(37, 23);
  for (bool focused : {false, true}) {
    const TImage frame = ComposePinFrame(picture.View(), {8, 255, focused});
    ASSERT_EQ(frame.Width(), 37 + 16);
    ASSERT_EQ(frame.Height(), 23 + 16);
    for (int32_t y = 0; y < 23; ++y)
      for (int32_t x = 0; x < 37; ++x) ASSERT_EQ(frame.View().At(x + 8, y + 8), picture.View().At(x, y));
  }
}

TEST(ComposePinFrame, TheAccentLineAndShadowLieOutsideThePicture) {
  TImage picture(10, 10, {200, 200, 200, 255});
  const TImage focused = ComposePinFrame(picture.View(), {6, 255, true});
  const TImage plain = ComposePinFrame(picture.View(), {6, 255, false});
  // The line just outside the picture is the accent colour, on every side, only for the focused pin.
  for (TPoint p : {TPoint{5, 10}, TPoint{16, 10}, TPoint{10, 5}, TPoint{10, 16}, TPoint{5, 5}}) {
    EXPECT_EQ(focused.View().At(p.X, p.Y), PinAccent);
    EXPECT_NE(plain.View().At(p.X, p.Y), PinAccent);
  }
  // The shadow is black, fades outwards and is gone at the window's edge; the focused one is stronger.
  const TBgra near = plain.View().At(10, 4), far = plain.View().At(10, 1);
  EXPECT_EQ(near.R, 0);
  EXPECT_GT(near.A, far.A);
  EXPECT_EQ(plain.View().At(10, 0).A, 0);
  EXPECT_EQ(plain.View().At(0, 0).A, 0);
  EXPECT_GT(focused.View().At(10, 3).A, plain.View().At(10, 3).A);
  // Without a shadow the margin is transparent, but for the focused pin's accent line.
  TPinLook bare{6, 255, true};
  bare.Shadow = false;
  const TImage unshaded = ComposePinFrame(picture.View(), bare);
  EXPECT_EQ(unshaded.View().At(5, 10), PinAccent);
  for (TPoint p : {TPoint{10, 4}, TPoint{10, 0}, TPoint{4, 4}, TPoint{17, 12}})
    EXPECT_EQ(unshaded.View().At(p.X, p.Y), TBgra{}) << p.X << "," << p.Y;
}

TEST(ComposePinFrame, OpacityPremultipliesEveryPixel) {
  TImage picture(4, 4, {40, 120, 250, 255});
  const TImage frame = ComposePinFrame(picture.View(), {3, 153, true});
  EXPECT_EQ(frame.View().At(4, 4), (TBgra{24, 72, 150, 153}));
  for (int32_t y = 0; y < frame.Height(); ++y)
    for (int32_t x = 0; x < frame.Width(); ++x) {
      const TBgra p = frame.View().At(x, y);
      ASSERT_LE(p.A, 153);
      ASSERT_LE(std::max({p.B, p.G, p.R}), p.A) << "not premultiplied at " << x << "," << y;
    }
}

TEST(ResamplePicture, CopiesExactlyAtTheSameSize) {
  const TImage picture = Noise(19, 7);
  TImage target(19, 7);
  ResamplePicture(picture.View(), target.View());
  for (int32_t y = 0; y < 7; ++y)
    for (int32_t x = 0; x < 19; ++x) ASSERT_EQ(target.View().At(x, y), picture.View().At(x, y));
}

TEST(ResamplePicture, SmoothsWhenSmallerAndRepeatsPixelsWhenLarger) {
  // A one-pixel checkerboard halved becomes its average grey, not one of its colours.
  TImage checker(8, 8);
  for (int32_t y = 0; y < 8; ++y)
    for (int32_t x = 0; x < 8; ++x)
      checker.View().At(x, y) = (x + y) % 2 ? TBgra{255, 255, 255, 255} : TBgra{1, 1, 1, 255};
  TImage half(4, 4);
  ResamplePicture(checker.View(), half.View());
  for (int32_t y = 0; y < 4; ++y)
    for (int32_t x = 0; x < 4; ++x) ASSERT_EQ(half.View().At(x, y), (TBgra{128, 128, 128, 255}));
  // Doubled, each source pixel fills a 2 x 2 block.
  const TImage picture = Noise(5, 3);
  TImage twice(10, 6);
  ResamplePicture(picture.View(), twice.View());
  for (int32_t y = 0; y < 6; ++y)
    for (int32_t x = 0; x < 10; ++x) ASSERT_EQ(twice.View().At(x, y), picture.View().At(x / 2, y / 2));
  // An odd shrink still reads every row and column it covers, up to the last.
  TImage wide(7, 1, {0, 0, 0, 255});
  wide.View().At(6, 0) = {255, 255, 255, 255};
  TImage three(3, 1);
  ResamplePicture(wide.View(), three.View());
  EXPECT_GT(three.View().At(2, 0).B, 0);
  EXPECT_EQ(three.View().At(0, 0).B, 0);
}

TEST(BlendReadout, BlendsWithItsAlphaAndClipsToTheFrame) {
  TImage frame(6, 4, {0, 0, 0, 0});
  TImage readout(4, 4, {200, 100, 50, 255});
  BlendReadout(frame.View(), readout.View(), {4, -2}, 255);
  EXPECT_EQ(frame.View().At(5, 1), (TBgra{200, 100, 50, 255}));
  EXPECT_EQ(frame.View().At(3, 1), (TBgra{0, 0, 0, 0}));
  EXPECT_EQ(frame.View().At(5, 2), (TBgra{0, 0, 0, 0}));
  TImage under(1, 1, {255, 255, 255, 255});
  BlendReadout(under.View(), readout.View(), {0, 0}, 128);
  EXPECT_EQ(under.View().At(0, 0), (TBgra{227, 177, 152, 255}));
  BlendReadout(under.View(), readout.View(), {0, 0}, 0);
  EXPECT_EQ(under.View().At(0, 0), (TBgra{227, 177, 152, 255}));
}

}  // namespace
}  // namespace qor
