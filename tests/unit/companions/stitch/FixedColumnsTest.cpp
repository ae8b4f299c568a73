#include <gtest/gtest.h>

#include <vector>

#include "companions/stitch/FixedColumns.h"
#include "tests/unit/companions/stitch/StitchTestSupport.h"

namespace qor::stitch {
namespace {

constexpr int32_t Width = 200, Height = 120;

// A frame of a noise page from page row `top`, with columns [0, left) and [Width - right, Width) that stay.
TImage Frame(int64_t top, int32_t left, int32_t right) {
  TImage image(Width, Height);
  for (int32_t y = 0; y < Height; ++y)
    for (int32_t x = 0; x < Width; ++x) {
      const bool stays = x < left || x >= Width - right;
      image.View().At(x, y) = testing::NoisePixel(stays ? uint64_t(5000 + y) : uint64_t(top + y), uint64_t(x));
    }
  for (int32_t y = 90; y < Height; ++y)  // the left column's empty lower part
    for (int32_t x = 0; x < left; ++x) image.View().At(x, y) = TBgra{10, 20, 30, 255};
  return image;
}

TEST(FixedColumnsTest, FindsColumnsThatStayToThePixelAndFillsOnlyBesideRowsTheFirstFrameDidNotShow) {
  const TImage first = Frame(0, 37, 11), second = Frame(30, 37, 11);
  std::vector<uint8_t> rows(size_t(Width) * 3 * Height);  // the first frame as the picture holds it: 24-bit
  for (int32_t y = 0; y < Height; ++y)
    for (int32_t x = 0; x < Width; ++x) {
      const TBgra p = first.View().At(x, y);
      uint8_t* out = &rows[(size_t(y) * Width + size_t(x)) * 3];
      out[0] = p.B, out[1] = p.G, out[2] = p.R;
    }
  TFrameMatch match;
  match.Kind = TMatchKind::Shifted;
  match.Displacement = 30;
  match.FixedStrips = 1u | (1u << 24);  // as the matcher reports them: one strip at each side
  const TFixedColumns fixed = FindFixedColumns(TBgrRows{rows.data(), ptrdiff_t(Width) * 3}, second.View(), match, 25);
  EXPECT_EQ(fixed.Left, 37);
  EXPECT_EQ(fixed.Right, 11);
  EXPECT_EQ(fixed.LeftFill, (TBgra{10, 20, 30, 255}));  // the commonest colour of the column

  std::vector<uint8_t> row(size_t(Width) * 3, 0);
  fixed.Fill(row.data(), second.View(), 100, 200);  // beside a row the first frame never showed: the fill
  EXPECT_EQ(row[0], 10);
  EXPECT_EQ(row[36 * 3 + 2], 30);
  EXPECT_EQ(row[37 * 3], 0);                       // the page beyond the column is left alone
  fixed.Fill(row.data(), second.View(), 100, 40);  // beside the first frame's row 40: the column as it stays
  const TBgra shown = second.View().At(5, 40);
  EXPECT_EQ(row[5 * 3], shown.B);
  EXPECT_EQ(row[5 * 3 + 1], shown.G);
  // Only what an unchanged pair of frames shows: no fixed strips reported, nothing found.
  match.FixedStrips = 0;
  EXPECT_FALSE(FindFixedColumns(TBgrRows{rows.data(), ptrdiff_t(Width) * 3}, second.View(), match, 25).Any());
}

}  // namespace
}  // namespace qor::stitch
