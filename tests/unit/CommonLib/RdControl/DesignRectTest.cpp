#include "CommonLib/RdControl/DesignRect.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace qor {
namespace {

using enum TSuperStretchMode;

// How many pieces cover each target pixel, after checking that every piece is well formed: a source inside the
// picture, and a plain copy (equal sizes) wherever a piece was tiled or is a corner.
std::vector<int> Coverage(TSize picture, const TRect& dest, const std::vector<TDesignPiece>& pieces) {
  std::vector<int> count(size_t(dest.Width()) * size_t(dest.Height()), 0);
  for (const TDesignPiece& p : pieces) {
    EXPECT_FALSE(p.Source.IsEmpty());
    EXPECT_FALSE(p.Dest.IsEmpty());
    EXPECT_GE(p.Source.Left, 0);
    EXPECT_GE(p.Source.Top, 0);
    EXPECT_LE(p.Source.Right, picture.Width);
    EXPECT_LE(p.Source.Bottom, picture.Height);
    EXPECT_EQ(p.Dest.Intersect(dest), p.Dest) << "piece outside the target";
    for (int32_t y = std::max(p.Dest.Top, dest.Top); y < std::min(p.Dest.Bottom, dest.Bottom); ++y)
      for (int32_t x = std::max(p.Dest.Left, dest.Left); x < std::min(p.Dest.Right, dest.Right); ++x)
        ++count[size_t(y - dest.Top) * size_t(dest.Width()) + size_t(x - dest.Left)];
  }
  return count;
}

// With gaps allowed, a part whose source is empty (margins eating the whole picture) leaves its target bare.
void ExpectCoveredOnce(TSize picture, const TRect& dest, const TDesignRect& option, bool gapsAllowed = false) {
  const auto count = Coverage(picture, dest, LayoutDesignRect(picture, dest, option));
  EXPECT_TRUE(std::all_of(count.begin(), count.end(), [&](int c) { return c == 1 || (gapsAllowed && c == 0); }))
      << "picture " << picture.Width << "x" << picture.Height << " into " << dest.Width() << "x" << dest.Height()
      << " margins " << option.Left() << "," << option.Top() << "," << option.Right() << "," << option.Bottom()
      << " mode " << int(option.StretchMode());
}

bool Has(const std::vector<TDesignPiece>& pieces, const TDesignPiece& piece) {
  return std::find(pieces.begin(), pieces.end(), piece) != pieces.end();
}

TEST(DesignRect, NineGridKeepsTheFourCornersUnscaledAndStretchesEdgesAndCentre) {
  const TRect dest = TRect::FromSize(10, 20, 200, 40);
  const auto pieces = LayoutDesignRect({20, 20}, dest, TDesignRect(4, 4, 4, 4));
  ASSERT_EQ(pieces.size(), 9u);
  EXPECT_TRUE(Has(pieces, {{0, 0, 4, 4}, {10, 20, 14, 24}}));
  EXPECT_TRUE(Has(pieces, {{16, 0, 20, 4}, {206, 20, 210, 24}}));
  EXPECT_TRUE(Has(pieces, {{0, 16, 4, 20}, {10, 56, 14, 60}}));
  EXPECT_TRUE(Has(pieces, {{16, 16, 20, 20}, {206, 56, 210, 60}}));
  EXPECT_TRUE(Has(pieces, {{4, 4, 16, 16}, {14, 24, 206, 56}}));  // the 12 x 12 centre
  EXPECT_TRUE(Has(pieces, {{4, 0, 16, 4}, {14, 20, 206, 24}}));   // top edge, stretched along the width only
  EXPECT_TRUE(Has(pieces, {{0, 4, 4, 16}, {10, 24, 14, 56}}));    // left edge, along the height only
  ExpectCoveredOnce({20, 20}, dest, TDesignRect(4, 4, 4, 4));
}

TEST(DesignRect, WithoutMarginsThePictureIsStretchedWhole) {
  const auto pieces = LayoutDesignRect({20, 10}, TRect::FromSize(0, 0, 50, 30), TDesignRect());
  ASSERT_EQ(pieces.size(), 1u);
  EXPECT_EQ(pieces[0], (TDesignPiece{{0, 0, 20, 10}, {0, 0, 50, 30}}));
}

TEST(DesignRect, StretchModesCopyAnAxisWholeWhenTheTargetHasThePicturesLengthThere) {
  // Same height: top and bottom margins count as 0, so only three columns remain.
  const auto pieces = LayoutDesignRect({20, 20}, TRect::FromSize(0, 0, 200, 20), TDesignRect(4, 4, 4, 4, sdmStretch));
  ASSERT_EQ(pieces.size(), 3u);
  EXPECT_TRUE(Has(pieces, {{0, 0, 4, 20}, {0, 0, 4, 20}}));
  EXPECT_TRUE(Has(pieces, {{4, 0, 16, 20}, {4, 0, 196, 20}}));
  // At its own size the picture is one copy.
  EXPECT_EQ(LayoutDesignRect({20, 20}, TRect::FromSize(5, 5, 20, 20), TDesignRect(4, 4, 4, 4)),
            (std::vector<TDesignPiece>{{{0, 0, 20, 20}, {5, 5, 25, 25}}}));
  // sdmFill keeps its margins at the picture's own size.
  EXPECT_EQ(LayoutDesignRect({20, 20}, TRect::FromSize(0, 0, 20, 20), TDesignRect(4, 4, 4, 4, sdmFill)).size(), 9u);
}

TEST(DesignRect, FillTilesPartsLongerThanThreePixelsAndStretchesShorterOnes) {
  // A 3 x 3 centre and 3-pixel edges are stretched, as with sdmStretch.
  const TDesignRect small(4, 4, 4, 4, sdmFill);
  const auto stretched = LayoutDesignRect({11, 11}, TRect::FromSize(0, 0, 100, 50), small);
  ASSERT_EQ(stretched.size(), 9u);
  EXPECT_TRUE(Has(stretched, {{4, 4, 7, 7}, {4, 4, 96, 46}}));
  // The centre is tiled only when both of its sides are longer than 3 pixels.
  EXPECT_TRUE(Has(LayoutDesignRect({12, 11}, TRect::FromSize(0, 0, 100, 50), small), {{4, 4, 8, 7}, {4, 4, 96, 46}}));
  EXPECT_TRUE(Has(LayoutDesignRect({11, 12}, TRect::FromSize(0, 0, 100, 50), small), {{4, 4, 7, 8}, {4, 4, 96, 46}}));
  // A 4 x 4 centre is tiled from the top-left; the last column and row are clipped, never scaled.
  const TDesignRect tiled(2, 2, 2, 2, sdmFill);
  const TRect dest = TRect::FromSize(0, 0, 14, 11);  // centre 10 x 7: tiles 4,4,2 across and 4,3 down
  const auto pieces = LayoutDesignRect({8, 8}, dest, tiled);
  for (const TDesignPiece& p : pieces) EXPECT_EQ(p.Source.Size(), p.Dest.Size());
  EXPECT_TRUE(Has(pieces, {{2, 2, 6, 6}, {2, 2, 6, 6}}));
  EXPECT_TRUE(Has(pieces, {{2, 2, 4, 5}, {10, 6, 12, 9}}));  // last column and row, clipped
  EXPECT_TRUE(Has(pieces, {{2, 0, 4, 2}, {10, 0, 12, 2}}));  // top edge, its last tile clipped
  EXPECT_TRUE(Has(pieces, {{0, 2, 2, 5}, {0, 6, 2, 9}}));    // left edge along the height
  EXPECT_EQ(pieces.size(), 6u + 4u + 3u + 3u + 2u + 2u);     // centre, corners, top, bottom, left, right
  ExpectCoveredOnce({8, 8}, dest, tiled);
}

TEST(DesignRect, TilingCoversTheAreaExactlyOnce) {
  for (int32_t width : {1, 4, 5, 13, 64})
    for (int32_t height : {1, 3, 4, 9}) {
      std::vector<TDesignPiece> pieces;
      const TRect dest = TRect::FromSize(-3, 7, width, height);
      TileDesignPiece({1, 2, 5, 6}, dest, pieces);
      const auto count = Coverage({8, 8}, dest, pieces);
      EXPECT_TRUE(std::all_of(count.begin(), count.end(), [](int c) { return c == 1; })) << width << "x" << height;
      for (const TDesignPiece& p : pieces) {
        EXPECT_EQ(p.Source.Size(), p.Dest.Size());
        EXPECT_EQ(p.Source.Left, 1);  // every tile starts at the tile's own corner
        EXPECT_EQ(p.Source.Top, 2);
      }
    }
}

TEST(DesignRect, FrameDrawsNoCentreAndCornerOnlyTheCorners) {
  const TRect dest = TRect::FromSize(0, 0, 200, 40);
  const auto frame = LayoutDesignRect({20, 20}, dest, TDesignRect(4, 4, 4, 4, sdmFrame));
  EXPECT_EQ(frame.size(), 8u);
  EXPECT_FALSE(Has(frame, {{4, 4, 16, 16}, {4, 4, 196, 36}}));
  const auto corners = LayoutDesignRect({20, 20}, dest, TDesignRect(4, 4, 4, 4, sdmCorner));
  ASSERT_EQ(corners.size(), 4u);
  for (const TDesignPiece& p : corners) EXPECT_EQ(p.Source.Size(), (TSize{4, 4}));
  // A corner is drawn only when both of its margins are above 0.
  EXPECT_EQ(LayoutDesignRect({20, 20}, dest, TDesignRect(4, 0, 4, 4, sdmCorner)).size(), 2u);
}

TEST(DesignRect, OversizedOrNegativeMarginsNeverOverlapNorGoNegative) {
  const TSuperStretchMode modes[] = {sdmDefault, sdmStretch, sdmFill};
  const int32_t margins[] = {-5, 0, 3, 9, 30};
  for (TSuperStretchMode mode : modes)
    for (int32_t l : margins)
      for (int32_t r : margins)
        for (TSize dest : {TSize{6, 5}, TSize{25, 40}, TSize{8, 8}}) {
          const TDesignRect option(l, r, r, l, mode);
          // Margins that leave some of the picture between them cover the target; others may leave gaps.
          const bool fits = std::max(l, 0) + std::max(r, 0) < 8;
          ExpectCoveredOnce({8, 8}, TRect::FromSize(1, 2, dest.Width, dest.Height), option, !fits);
        }
  // Left wins over right when both do not fit: a 10-pixel wide target keeps 8 left pixels and 2 on the right.
  const auto pieces = LayoutDesignRect({12, 10}, TRect::FromSize(0, 0, 10, 30), TDesignRect(8, 0, 8, 0));
  EXPECT_EQ(pieces, (std::vector<TDesignPiece>{{{0, 0, 8, 10}, {0, 0, 8, 30}}, {{10, 0, 12, 10}, {8, 0, 10, 30}}}));
}

TEST(DesignRect, NothingForAnEmptyPictureOrTarget) {
  EXPECT_TRUE(LayoutDesignRect({0, 20}, TRect::FromSize(0, 0, 10, 10), TDesignRect(1, 1, 1, 1)).empty());
  EXPECT_TRUE(LayoutDesignRect({20, 20}, TRect{10, 10, 5, 20}, TDesignRect()).empty());
}

TEST(DesignRect, MarginSetterKeepsOrCopiesAPairAndEmptyFollowsMarginsAndMode) {
  TDesignRect option;
  int changes = 0;
  option.OnChange = [&] { ++changes; };
  EXPECT_TRUE(option.Empty());
  option.SetMargins(4, 6, DesignMarginSameAsLeft, DesignMarginSameAsLeft);
  EXPECT_EQ(option, TDesignRect(4, 6, 4, 6));
  option.SetMargins(1, 2, DesignMarginKeepPair, 9);  // left and right stay
  EXPECT_EQ(option, TDesignRect(4, 2, 4, 9));
  option.SetMargins(1, 2, 3, DesignMarginKeepPair);  // top and bottom stay
  EXPECT_EQ(option, TDesignRect(1, 2, 3, 9));
  EXPECT_EQ(changes, 3);
  option.SetMargins(1, 2, 3, 9);  // no change, no notice
  EXPECT_EQ(changes, 3);
  option.SetMargins(0, 0, 0, 0);
  option.SetStretchMode(sdmFill);
  EXPECT_FALSE(option.Empty());
  option.SetEmpty(false);
  EXPECT_EQ(option.StretchMode(), sdmFill);
  option.SetEmpty(true);
  EXPECT_TRUE(option.Empty());
  EXPECT_EQ(changes, 6);
}

}  // namespace
}  // namespace qor
