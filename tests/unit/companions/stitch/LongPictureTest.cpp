#include <gtest/gtest.h>

#include <cstring>

#include "companions/stitch/LongPicture.h"
#include "tests/unit/companions/stitch/StitchTestSupport.h"

namespace qor::stitch {
namespace {

using corpus::BuildCase;
using corpus::TCase;
using corpus::TCaseRecipe;
using testing::MatchesIdeal;

std::vector<uint8_t> Snapshot(const TLongPicture& picture) {
  return std::vector<uint8_t>(picture.Data(), picture.Data() + picture.Size());
}

TStitchStatus Add(TLongPicture& picture, const TCase& c, size_t frame, bool downward) {
  return picture.AddFrame(downward, c.Frames[frame].data(), c.Frames[frame].size());
}

// Every generated case is rebuilt exactly: the toolbar once at the top, the footer once at the bottom, no row
// missing or repeated, every frame reported as a success.
class CorpusTest : public ::testing::TestWithParam<TCaseRecipe> {};

TEST_P(CorpusTest, StitchesThePageExactly) {
  const TCase c = BuildCase(GetParam());
  TLongPicture picture;
  for (size_t i = 0; i < c.Frames.size(); ++i) {
    const TStitchStatus status = Add(picture, c, i, c.Directions[i] == 1);
    const TFrameMatch& m = picture.LastMatch();
    ASSERT_TRUE(IsSuccess(status)) << "frame " << i << " status " << int(status) << " displacement " << m.Displacement
                                   << " bands " << m.TopBand << "/" << m.BottomBand << " evidence " << m.Evidence
                                   << " errors " << m.Errors;
  }
  EXPECT_TRUE(MatchesIdeal(c, picture.Data(), picture.Size()));
}

INSTANTIATE_TEST_SUITE_P(Generated, CorpusTest, ::testing::ValuesIn(corpus::StandardCases()),
                         [](const auto& info) { return info.param.Name; });

TCaseRecipe SmallArticle(std::vector<int32_t> offsets) {
  TCaseRecipe recipe = testing::PageRecipe("small", 320, 240, 30, 20, 2400);
  recipe.Offsets = std::move(offsets);
  return recipe;
}

TEST(LongPictureTest, TheFirstFrameIsThePictureAndResetStartsANewOne) {
  const TCase c = BuildCase(SmallArticle({0, 100}));
  TLongPicture picture;
  EXPECT_EQ(picture.Data(), nullptr);
  EXPECT_EQ(picture.Size(), 0u);
  ASSERT_EQ(Add(picture, c, 0, true), TStitchStatus::Started);
  EXPECT_EQ(picture.Height(), 240);
  EXPECT_TRUE(MatchesIdeal(BuildCase(SmallArticle({0})), picture.Data(), picture.Size()));
  EXPECT_EQ(Add(picture, c, 1, true), TStitchStatus::Joined);
  picture.Reset();
  EXPECT_EQ(picture.Size(), 0u);
  EXPECT_EQ(Add(picture, c, 1, true), TStitchStatus::Started);
  EXPECT_EQ(picture.Height(), 240);
}

TEST(LongPictureTest, RepeatedUnrelatedOrResizedFramesLeaveThePictureUnchangedAndTheNextGoodFrameJoins) {
  TCaseRecipe unrelated = SmallArticle({0}), resized = SmallArticle({100});
  unrelated.Seed = 99;
  unrelated.Page = corpus::TPageKind::Chat;
  resized.Height = 241;
  const TCase c = BuildCase(SmallArticle({0, 100, 1500, 180})), other = BuildCase(unrelated),
              bigger = BuildCase(resized);
  const struct {
    const char* Name;
    const TCase& Source;
    size_t Frame;
    bool Downward;
    TStitchStatus Expected;
  } cases[] = {
      {"the same frame again", c, 1, true, TStitchStatus::NothingNew},
      {"the same frame again, upward", c, 1, false, TStitchStatus::NothingNew},
      {"no overlap", c, 2, true, TStitchStatus::NoMatch},
      {"an unrelated page", other, 0, true, TStitchStatus::NoMatch},
      {"an unrelated page, upward", other, 0, false, TStitchStatus::NoMatch},
      {"another size", bigger, 0, true, TStitchStatus::SizeChanged},
  };
  TLongPicture picture;
  Add(picture, c, 0, true);
  Add(picture, c, 1, true);
  const std::vector<uint8_t> before = Snapshot(picture);
  for (const auto& k : cases) {
    EXPECT_EQ(Add(picture, k.Source, k.Frame, k.Downward), k.Expected) << k.Name;
    EXPECT_EQ(Snapshot(picture), before) << k.Name;
  }
  // Still matched against the last frame that was accepted.
  EXPECT_EQ(Add(picture, c, 3, true), TStitchStatus::Joined);
}

void Put32(std::vector<uint8_t>& f, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) f[at + size_t(i)] = uint8_t(v >> (8 * i));
}

TEST(LongPictureTest, MalformedFramesFailWithoutTouchingThePictureEvenAsTheFirstFrame) {
  const TCase c = BuildCase(SmallArticle({0, 100}));
  const std::vector<uint8_t>& good = c.Frames[1];
  std::vector<std::pair<std::string, std::vector<uint8_t>>> bad;
  bad.emplace_back("empty", std::vector<uint8_t>{});
  bad.emplace_back("truncated", std::vector<uint8_t>(good.begin(), good.begin() + ptrdiff_t(good.size() / 2)));
  auto spoiled = [&](const char* name, auto spoil) {
    std::vector<uint8_t> f = good;
    spoil(f);
    bad.emplace_back(name, f);
  };
  spoiled("height lies", [](auto& f) { Put32(f, 22, 5000); });
  spoiled("width zero", [](auto& f) { Put32(f, 18, 0); });
  spoiled("16 bits", [](auto& f) { f[28] = 16; });
  spoiled("not a BMP", [](auto& f) { f[0] = 'X'; });

  TLongPicture picture;
  Add(picture, c, 0, true);
  const std::vector<uint8_t> before = Snapshot(picture);
  for (const auto& [name, frame] : bad) {
    const TStitchStatus status = picture.AddFrame(true, frame.data(), frame.size());
    EXPECT_FALSE(IsSuccess(status)) << name;
    EXPECT_EQ(Snapshot(picture), before) << name;
  }
  EXPECT_EQ(Add(picture, c, 1, true), TStitchStatus::Joined);

  // A malformed first frame leaves no picture; the next good frame starts one.
  TLongPicture fresh;
  EXPECT_EQ(fresh.AddFrame(true, good.data(), 100), TStitchStatus::BadFrame);
  EXPECT_EQ(fresh.Data(), nullptr);
  EXPECT_EQ(Add(fresh, c, 0, true), TStitchStatus::Started);
}

TEST(LongPictureTest, OnePixelFramesStartAndRepeatButNeverJoin) {
  TImage pixel(1, 1, TBgra{10, 20, 30, 255});
  const std::vector<uint8_t> file = WriteBmp(pixel.View(), 32);
  TLongPicture picture;
  EXPECT_EQ(picture.AddFrame(true, file.data(), file.size()), TStitchStatus::Started);
  EXPECT_EQ(picture.AddFrame(true, file.data(), file.size()), TStitchStatus::NothingNew);
  TImage other(1, 1, TBgra{11, 20, 30, 255});
  const std::vector<uint8_t> otherFile = WriteBmp(other.View(), 32);
  EXPECT_EQ(picture.AddFrame(true, otherFile.data(), otherFile.size()), TStitchStatus::NoMatch);
  EXPECT_EQ(picture.Height(), 1);
}

// A frame of an endless page of noise whose top row is page row `top`: every row is unique.
std::vector<uint8_t> NoiseFrame(int32_t width, int32_t height, int64_t top) {
  TImage frame(width, height);
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) frame.View().At(x, y) = testing::NoisePixel(uint64_t(top + y), uint64_t(x));
  return WriteBmp(frame.View(), 32);
}

TEST(LongPictureTest, StopsCleanlyAtTheHeightLimit) {
  constexpr int32_t height = 40, step = 30;
  TLongPicture picture;
  std::vector<uint8_t> frame = NoiseFrame(64, height, 0);
  ASSERT_EQ(picture.AddFrame(true, frame.data(), frame.size()), TStitchStatus::Started);
  int64_t top = 0;
  TStitchStatus status = TStitchStatus::Started;
  while (status == TStitchStatus::Started || status == TStitchStatus::Joined) {
    top += step;
    frame = NoiseFrame(64, height, top);
    status = picture.AddFrame(true, frame.data(), frame.size());
  }
  EXPECT_EQ(status, TStitchStatus::TooLarge);
  EXPECT_LE(picture.Height(), MaxPictureRows);
  EXPECT_GT(picture.Height() + step, MaxPictureRows);
  // Refused, not half done: the picture is unchanged, still a whole BMP, and still refuses the next step.
  const std::vector<uint8_t> before = Snapshot(picture);
  EXPECT_EQ(picture.AddFrame(true, frame.data(), frame.size()), TStitchStatus::TooLarge);
  EXPECT_EQ(Snapshot(picture), before);
  TImage decoded;
  EXPECT_EQ(ReadBmp(before.data(), before.size(), decoded), TBmpError::None);
  EXPECT_EQ(decoded.Height(), picture.Height());
}

TEST(LongPictureTest, NoiseRunsJoinInBothDirections) {
  constexpr int32_t height = 60;
  TLongPicture picture;
  const int64_t tops[] = {500, 520, 560, 530, 490, 450, 465, 500, 540, 580, 620, 600, 560, 520, 480, 440, 400};
  for (size_t i = 0; i < std::size(tops); ++i) {
    const std::vector<uint8_t> frame = NoiseFrame(64, height, tops[i]);
    const bool downward = i == 0 || tops[i] > tops[i - 1];
    ASSERT_TRUE(IsSuccess(picture.AddFrame(downward, frame.data(), frame.size()))) << tops[i];
  }
  // The picture holds page rows 400 .. 680, each exactly once.
  const std::vector<uint8_t> whole = NoiseFrame(64, 280, 400);
  TImage decoded, result;
  ASSERT_EQ(ReadBmp(whole.data(), whole.size(), decoded), TBmpError::None);
  ASSERT_EQ(ReadBmp(picture.Data(), picture.Size(), result), TBmpError::None);
  ASSERT_EQ(result.Height(), 280);
  for (int32_t y = 0; y < 280; ++y)
    ASSERT_EQ(std::memcmp(result.View().Row(y), decoded.View().Row(y), 64 * 4), 0) << "row " << y;
}

}  // namespace
}  // namespace qor::stitch
