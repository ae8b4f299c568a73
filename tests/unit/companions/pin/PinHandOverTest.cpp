#include "companions/pin/PinHandOver.h"

#include <gtest/gtest.h>

#include "base/BmpFile.h"
#include "companions/pin/PinPayload.h"

namespace qor {
namespace {

std::string BmpBytes(int32_t width, int32_t height, int bits = 32) {
  TImage image(width, height);
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) image.View().At(x, y) = {uint8_t(x), uint8_t(y), uint8_t(x + y), 0};
  const std::vector<uint8_t> bytes = WriteBmp(image.View(), bits);
  return std::string(bytes.begin(), bytes.end());
}

TEST(PinRectFromTexts, ReadsDecimalKeysWithExclusiveEdgesAndNegativeOrigins) {
  std::u16string why;
  EXPECT_EQ(PinRectFromTexts(u"-1900", u"20", u"-1800", u"70", why), (TRect{-1900, 20, -1800, 70}));
  EXPECT_EQ(PinRectFromTexts(u" 10 ", u"0", u"11", u"1", why), (TRect{10, 0, 11, 1}));
}

TEST(PinRectFromTexts, MissingGarbageEmptyOrAbsurdValuesGiveNoPin) {
  std::u16string why;
  EXPECT_FALSE(PinRectFromTexts(u"", u"0", u"10", u"10", why));
  EXPECT_FALSE(why.empty());
  EXPECT_FALSE(PinRectFromTexts(u"abc", u"0", u"10", u"10", why));
  EXPECT_FALSE(PinRectFromTexts(u"0", u"0", u"10px", u"10", why));
  EXPECT_FALSE(PinRectFromTexts(u"10", u"0", u"10", u"10", why));  // right == left
  EXPECT_FALSE(PinRectFromTexts(u"20", u"0", u"10", u"10", why));  // right < left
  EXPECT_FALSE(PinRectFromTexts(u"0", u"10", u"10", u"5", why));   // bottom < top
  EXPECT_FALSE(PinRectFromTexts(u"0", u"0", u"99999999999", u"10", why));
  EXPECT_FALSE(PinRectFromTexts(u"-16000000", u"0", u"16000000", u"10", why));  // wider than any picture
}

TEST(PinFromHandOver, KeepsItsOwnOpaqueCopyOfThePixels) {
  std::string bytes = BmpBytes(5, 3);
  std::u16string why;
  auto pin = PinFromHandOver(bytes, u"100", u"200", u"105", u"203", why);
  ASSERT_TRUE(pin) << std::string(why.begin(), why.end());
  bytes.assign(bytes.size(), '\0');  // a second pin overwrites the file
  EXPECT_EQ(pin->Rect, (TRect{100, 200, 105, 203}));
  ASSERT_EQ(pin->Picture.Width(), 5);
  ASSERT_EQ(pin->Picture.Height(), 3);
  EXPECT_EQ(pin->Picture.View().At(4, 2), (TBgra{4, 2, 6, 255}));
  EXPECT_EQ(pin->Picture.View().At(0, 0), (TBgra{0, 0, 0, 255}));
}

TEST(PinFromHandOver, BrokenFilesAndBadKeysGiveNoPinAndSayWhy) {
  std::u16string why;
  EXPECT_FALSE(PinFromHandOver("", u"0", u"0", u"5", u"3", why));
  EXPECT_NE(why.find(u"picture"), std::u16string::npos);
  const std::string good = BmpBytes(5, 3);
  EXPECT_FALSE(PinFromHandOver(good.substr(0, good.size() - 1), u"0", u"0", u"5", u"3", why));
  EXPECT_FALSE(PinFromHandOver(std::string(4096, '\x5a'), u"0", u"0", u"5", u"3", why));
  EXPECT_FALSE(PinFromHandOver(good, u"0", u"0", u"x", u"3", why));
  EXPECT_EQ(why.find(u"picture"), std::u16string::npos);
}

TEST(PinPayload, RoundTripsRectangleAndPixels) {
  TImage picture(3, 2);
  picture.View().At(2, 1) = {1, 2, 3, 255};
  const auto bytes = PackPinRequest({-1920, 5, -1917, 7}, picture.View());
  EXPECT_EQ(bytes.size(), PinPayloadHeaderSize + 3 * 2 * 4);
  auto pin = UnpackPinRequest(bytes.data(), bytes.size());
  ASSERT_TRUE(pin);
  EXPECT_EQ(pin->Rect, (TRect{-1920, 5, -1917, 7}));
  EXPECT_EQ(pin->Picture.View().At(2, 1), (TBgra{1, 2, 3, 255}));
}

TEST(PinPayload, RejectsEverySizeThatDoesNotAddUp) {
  TImage picture(3, 2);
  const auto good = PackPinRequest({0, 0, 3, 2}, picture.View());
  EXPECT_FALSE(UnpackPinRequest(nullptr, 0));
  EXPECT_FALSE(UnpackPinRequest(good.data(), PinPayloadHeaderSize - 1));
  EXPECT_FALSE(UnpackPinRequest(good.data(), good.size() - 1));  // one byte short
  std::vector<uint8_t> longer = good;
  longer.push_back(0);
  EXPECT_FALSE(UnpackPinRequest(longer.data(), longer.size()));
  const auto patched = [&](size_t offset, uint32_t value) {
    std::vector<uint8_t> b = good;
    for (int i = 0; i < 4; ++i) b[offset + i] = uint8_t(value >> (8 * i));
    return UnpackPinRequest(b.data(), b.size()).has_value();
  };
  EXPECT_FALSE(patched(0, 0x12345678));  // not a pin
  EXPECT_FALSE(patched(20, 0));          // width 0
  EXPECT_FALSE(patched(24, uint32_t(-2)));
  // A width and height whose product wraps around 32 bits must not pass for the bytes present.
  EXPECT_FALSE(patched(20, 0x40000001));
  EXPECT_FALSE(patched(12, 0));  // right < left
  EXPECT_FALSE(patched(4, 0x7FFFFFF0));
  EXPECT_TRUE(patched(4, 1));  // a different, still valid left edge
}

}  // namespace
}  // namespace qor
