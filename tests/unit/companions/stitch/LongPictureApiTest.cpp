#include <gtest/gtest.h>

#include <algorithm>

#include "companions/stitch/LongPicture.h"
#include "companions/stitch/LongPictureApi.h"
#include "tests/unit/companions/stitch/StitchTestSupport.h"

namespace qor::stitch {
namespace {

corpus::TCaseRecipe Recipe() {
  return testing::PageRecipe("api", 300, 200, 24, 16, 1200, 0, std::vector<int32_t>(6, 70));
}

class LongPictureApiTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetEntryPoint(); }
  void TearDown() override { ResetEntryPoint(); }
  int32_t Call(int32_t direction, const std::vector<uint8_t>& frame) {
    FResult = nullptr;
    FResultSize = 0;
    return OpencvLongScreenShot(direction, frame.data(), int32_t(frame.size()), &FResult, &FResultSize);
  }
  uint8_t* FResult = nullptr;
  int32_t FResultSize = 0;
};

TEST_F(LongPictureApiTest, ReturnsTheWholePictureAfterEveryCall) {
  const corpus::TCase c = corpus::BuildCase(Recipe());
  int32_t lastHeight = 0;
  for (size_t i = 0; i < c.Frames.size(); ++i) {
    ASSERT_EQ(Call(c.Directions[i], c.Frames[i]), 1) << i;
    ASSERT_NE(FResult, nullptr);
    TImage picture;
    ASSERT_EQ(ReadBmp(FResult, size_t(FResultSize), picture), TBmpError::None);
    EXPECT_EQ(picture.Height(), 200 + int32_t(i) * 70);
    EXPECT_GT(picture.Height(), lastHeight);
    lastHeight = picture.Height();
  }
  EXPECT_TRUE(testing::MatchesIdeal(c, FResult, size_t(FResultSize)));
}

TEST_F(LongPictureApiTest, AFailedCallReturnsZeroAndTheUnchangedPicture) {
  const corpus::TCase c = corpus::BuildCase(Recipe());
  ASSERT_EQ(Call(1, c.Frames[0]), 1);
  const std::vector<uint8_t> before(FResult, FResult + FResultSize);
  std::vector<uint8_t> broken = c.Frames[1];
  broken.resize(broken.size() - 10);
  EXPECT_EQ(Call(1, broken), 0);
  ASSERT_NE(FResult, nullptr);
  EXPECT_EQ(std::vector<uint8_t>(FResult, FResult + FResultSize), before);
  EXPECT_EQ(Call(1, c.Frames[5]), 0);  // no overlap with the first frame
  EXPECT_EQ(std::vector<uint8_t>(FResult, FResult + FResultSize), before);
}

TEST_F(LongPictureApiTest, GarbageNullOrNegativeInputsAndMissingOutParametersStartNoPicture) {
  const corpus::TCase c = corpus::BuildCase(Recipe());
  const std::vector<uint8_t> garbage(300, 0x42);
  EXPECT_EQ(Call(1, garbage), 0);
  EXPECT_EQ(FResult, nullptr);
  EXPECT_EQ(FResultSize, 0);
  EXPECT_EQ(OpencvLongScreenShot(1, nullptr, 100, &FResult, &FResultSize), 0);
  EXPECT_EQ(OpencvLongScreenShot(1, garbage.data(), -5, &FResult, &FResultSize), 0);
  const int32_t size = int32_t(c.Frames[0].size());
  EXPECT_EQ(OpencvLongScreenShot(1, c.Frames[0].data(), size, nullptr, &FResultSize), 0);
  EXPECT_EQ(OpencvLongScreenShot(1, c.Frames[0].data(), size, &FResult, nullptr), 0);
  // None of these started a picture: the next frame is the first.
  EXPECT_EQ(Call(1, c.Frames[3]), 1);
  EXPECT_EQ(FResultSize, int32_t(BmpHeadersSize + BmpRowStride(300, 24) * 200));
}

// Pages as real windows show them, stitched through the entry point. A frame that a dialog covers fails and
// returns the picture as it was; every other frame joins, and the result is the ideal: fixed columns, bars and
// floating elements once, the page's rows each once and in order (where something changes by itself, either
// state of it).
class RealPageTest : public LongPictureApiTest, public ::testing::WithParamInterface<corpus::TCaseRecipe> {};

TEST_P(RealPageTest, StitchesThePageExactlyAndRecoversAfterFramesThatCannotJoin) {
  const corpus::TCase c = corpus::BuildCase(GetParam());
  std::vector<uint8_t> before;
  for (size_t i = 0; i < c.Frames.size(); ++i) {
    const bool covered = std::count(c.Recipe.Covered.begin(), c.Recipe.Covered.end(), i) > 0;
    const int32_t ok = Call(c.Directions[i], c.Frames[i]);
    const std::vector<uint8_t> now(FResult, FResult + FResultSize);
    if (covered) {
      EXPECT_EQ(ok, 0) << "frame " << i;
      EXPECT_EQ(now, before) << "frame " << i;
    } else {
      const TFrameMatch& m = EntryPointPicture().LastMatch();
      ASSERT_EQ(ok, 1) << "frame " << i << " displacement " << m.Displacement << " bands " << m.TopBand << "/"
                       << m.BottomBand << " evidence " << m.Evidence << " errors " << m.Errors;
    }
    before = now;
  }
  EXPECT_TRUE(testing::MatchesIdeal(c, FResult, size_t(FResultSize)));
}

INSTANTIATE_TEST_SUITE_P(Generated, RealPageTest, ::testing::ValuesIn(corpus::RealPageCases()),
                         [](const auto& info) { return info.param.Name; });

}  // namespace
}  // namespace qor::stitch
