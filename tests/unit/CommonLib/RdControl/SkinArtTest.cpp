#include "CommonLib/RdControl/SkinArt.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "CommonLib/RdControl/RdPictureNames.h"

namespace qor {
namespace {

std::string Ascii(std::u16string_view name) { return std::string(name.begin(), name.end()); }

bool SamePixels(const TImage& a, const TImage& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int32_t y = 0; y < a.Height(); ++y)
    for (int32_t x = 0; x < a.Width(); ++x)
      if (!(a.View().At(x, y) == b.View().At(x, y))) return false;
  return true;
}

TImage Art(std::u16string_view name, int32_t scale) {
  const TSkinArtPicture* art = FindSkinArt(name);
  EXPECT_NE(art, nullptr) << Ascii(name);
  return art ? DrawSkinArt(*art, scale) : TImage{};
}

// The box around the pixels with at least the given alpha; Right/Bottom exclusive, empty when there are none.
TRect InkBox(const TImage& image, uint8_t alpha = 0x40) {
  TRect box{image.Width(), image.Height(), 0, 0};
  for (int32_t y = 0; y < image.Height(); ++y)
    for (int32_t x = 0; x < image.Width(); ++x)
      if (image.View().At(x, y).A >= alpha) {
        box.Left = std::min(box.Left, x), box.Top = std::min(box.Top, y);
        box.Right = std::max(box.Right, x + 1), box.Bottom = std::max(box.Bottom, y + 1);
      }
  return box;
}

TEST(SkinArt, NamesAreUniqueAndUnknownNamesHaveNoPicture) {
  std::set<std::u16string> seen;
  for (const TSkinArtPicture& p : SkinArtPictures()) {
    EXPECT_TRUE(seen.insert(p.Name).second) << Ascii(p.Name);
    EXPECT_TRUE(p.Name.starts_with(u"images/") && p.Name.ends_with(u".png")) << Ascii(p.Name);
    EXPECT_GT(p.Size.Width, 0);
    EXPECT_GT(p.Size.Height, 0);
  }
  EXPECT_EQ(FindSkinArt(u"images/no_such_picture.png"), nullptr);
  EXPECT_EQ(FindSkinArt(u"images/ICON_RECTANGLE_NORMAL.PNG"), nullptr) << "names are exact, as in the packages";
}

TEST(SkinArt, DrawsAtItsScaledSizeOrAnyAskedSizeAndNothingWithoutPixels) {
  const TSkinArtPicture& tool = *FindSkinArt(ToolPictureName(u"rectangle", u"over"));
  for (int32_t scale : {1, 2, 3}) {
    const TImage image = DrawSkinArt(tool, scale);
    EXPECT_EQ(image.Width(), 30 * scale);
    EXPECT_EQ(image.Height(), 30 * scale);
  }
  EXPECT_EQ(DrawSkinArt(tool, {18, 18}, 1.0).Width(), 18);
  EXPECT_TRUE(DrawSkinArt(tool, {0, 30}, 1.0).IsEmpty());
  EXPECT_TRUE(DrawSkinArt(tool, {30, -4}, 1.0).IsEmpty());
  EXPECT_TRUE(DrawSkinArt(tool, 0).IsEmpty());
  // Every picture draws at both scales and shows something.
  for (const TSkinArtPicture& p : SkinArtPictures())
    for (int32_t scale : {1, 2})
      EXPECT_FALSE(InkBox(DrawSkinArt(p, scale), 1).IsEmpty()) << Ascii(p.Name) << " " << scale;
}

TEST(SkinArt, EveryStateOfAButtonLooksDifferent) {
  auto expectAllDifferent = [](const std::vector<std::u16string>& names) {
    for (int32_t scale : {1, 2})
      for (size_t i = 0; i < names.size(); ++i)
        for (size_t j = i + 1; j < names.size(); ++j)
          EXPECT_FALSE(SamePixels(Art(names[i], scale), Art(names[j], scale)))
              << Ascii(names[i]) << " and " << Ascii(names[j]) << " at " << scale << "x";
  };
  for (std::u16string_view tool : ToolPictureTools) {
    std::vector<std::u16string> states;
    for (std::u16string_view state : ToolPictureStates) states.push_back(ToolPictureName(tool, state));
    expectAllDifferent(states);
  }
  std::vector<std::u16string> combo;
  for (std::u16string_view state : ComboBoxPictureStates) combo.push_back(ComboBoxPictureName(state));
  expectAllDifferent(combo);
  expectAllDifferent(
      {u"images/btn_blue_small_normal.png", u"images/btn_blue_small_over.png", u"images/btn_blue_small_press.png"});
  expectAllDifferent({std::u16string(CheckedNormalPicture), std::u16string(CheckedOverPicture),
                      std::u16string(UncheckedNormalPicture), std::u16string(UncheckedOverPicture)});
  expectAllDifferent(
      {std::u16string(GrayNormalPicture), std::u16string(GrayOverPicture), std::u16string(GrayPressPicture)});
  expectAllDifferent(
      {std::u16string(FlatButtonOver), std::u16string(FlatButtonPress), std::u16string(FlatButtonSelected)});
  expectAllDifferent(
      {WordPictureName(u"copy", false), WordPictureName(u"copy", true), WordPictureName(u"save", false)});
  // Tools differ from each other too.
  std::vector<std::u16string> tools;
  for (std::u16string_view tool : ToolPictureTools) tools.push_back(ToolPictureName(tool, u"normal"));
  expectAllDifferent(tools);
}

TEST(SkinArt, NineGridPicturesHaveOpaqueBordersAndAnEvenMiddle) {
  int checked = 0;
  for (const TSkinArtPicture& p : SkinArtPictures()) {
    if (p.NineGrid == 0) continue;
    ++checked;
    for (int32_t scale : {1, 2}) {
      SCOPED_TRACE(Ascii(p.Name) + " at " + std::to_string(scale) + "x");
      const TImage image = DrawSkinArt(p, scale);
      const int32_t border = p.NineGrid * scale, w = image.Width(), h = image.Height();
      ASSERT_LT(2 * border, std::min(w, h) + 1) << "the corners must not overlap";
      // Across each edge's middle, the border band is solid: stretched edges show no seams.
      for (int32_t i = 0; i < border; ++i) {
        EXPECT_GE(image.View().At(w / 2, i).A, 0xF0) << "top " << i;
        EXPECT_GE(image.View().At(w / 2, h - 1 - i).A, 0xF0) << "bottom " << i;
        EXPECT_GE(image.View().At(i, h / 2).A, w > 2 * border + 2 ? 0xF0 : 0) << "left " << i;
      }
      // The middle is stretched both ways: one colour throughout.
      const TBgra centre = image.View().At(w / 2, h / 2);
      for (int32_t y = border; y < h - border; ++y)
        for (int32_t x = border; x < w - border; ++x) ASSERT_EQ(image.View().At(x, y), centre) << x << "," << y;
    }
  }
  EXPECT_GE(checked, 3);
  // The window background is square: every border pixel is opaque, so no corner shows what lies behind.
  const TImage window = Art(WindowBackgroundPicture, 1);
  for (int32_t y = 0; y < window.Height(); ++y)
    for (int32_t x = 0; x < window.Width(); ++x) EXPECT_EQ(window.View().At(x, y).A, 255);
}

TEST(SkinArt, StraightStrokesLieOnWholePixelsAtBothScales) {
  // The rectangle glyph's left side: full columns two design pixels wide, with clear columns beside them.
  for (int32_t scale : {1, 2}) {
    SCOPED_TRACE(std::to_string(scale) + "x");
    const TImage image = Art(ToolPictureName(u"rectangle", u"over"), scale);
    const TBgra back = image.View().At(1 * scale, image.Height() / 2);
    const int32_t y = image.Height() / 2;
    int32_t inked = 0, blended = 0;
    for (int32_t x = 0; x < image.Width() / 2; ++x) {
      const TBgra p = image.View().At(x, y);
      if (p == back) continue;
      if (p.R == 255 && p.G == 255 && p.B == 255)
        ++inked;
      else
        ++blended;
    }
    EXPECT_EQ(inked, 2 * scale) << "the stroke is 2 design pixels wide";
    EXPECT_EQ(blended, 0) << "no half-covered column beside a straight stroke";
  }
}

TEST(SkinArt, GlyphsAreCentredAndTheDoubledPictureIsDrawnAnewNotEnlarged) {
  for (std::u16string_view tool : ToolPictureTools) {
    SCOPED_TRACE(Ascii(tool));
    const TImage one = Art(ToolPictureName(tool, u"normal"), 1), two = Art(ToolPictureName(tool, u"normal"), 2);
    const TRect box = InkBox(one);
    ASSERT_FALSE(box.IsEmpty());
    EXPECT_GE(box.Left, 4);
    EXPECT_GE(box.Top, 4);
    EXPECT_LE(box.Right, 26);
    EXPECT_LE(box.Bottom, 26);
    EXPECT_LE(std::abs(box.Left + box.Right - 30), 4);
    EXPECT_LE(std::abs(box.Top + box.Bottom - 30), 4);
    // At 2x the glyph covers the same place, twice as large...
    const TRect box2 = InkBox(two);
    EXPECT_LE(std::abs(box2.Left - 2 * box.Left), 1);
    EXPECT_LE(std::abs(box2.Right - 2 * box.Right), 1);
    // ...but an edge pixel of the 1x picture is not a 2 x 2 block there: the edges are drawn at 2x. (The mosaic's
    // squares sit on whole pixels: its faint squares are the same blocks either way.)
    if (tool == u"mosaic") continue;
    int32_t blocks = 0, edges = 0;
    for (int32_t y = 0; y < 30; ++y)
      for (int32_t x = 0; x < 30; ++x) {
        const uint8_t a = one.View().At(x, y).A;
        if (a == 0 || a == 255) continue;
        ++edges;
        const TBgra q = two.View().At(2 * x, 2 * y);
        if (q == two.View().At(2 * x + 1, 2 * y) && q == two.View().At(2 * x, 2 * y + 1) &&
            q == two.View().At(2 * x + 1, 2 * y + 1) && q.A == a)
          ++blocks;
      }
    EXPECT_LT(blocks, edges / 2 + 1);
  }
}

TEST(SkinArt, CaptionWordsFitTheirPicturesAndSitInTheMiddle) {
  for (bool pressed : {false, true})
    for (std::u16string_view word : {u"copy", u"save"})
      for (int32_t scale : {1, 2}) {
        SCOPED_TRACE(Ascii(word) + " " + std::to_string(scale));
        const TImage image = Art(WordPictureName(word, pressed), scale);
        const TRect box = InkBox(image);
        ASSERT_FALSE(box.IsEmpty());
        EXPECT_GE(box.Left, 0);
        EXPECT_LE(std::abs(box.Left - (image.Width() - box.Right)), 2 * scale);
        EXPECT_GE(box.Height(), 8 * scale) << "letters as tall as a 13-pixel font's";
        EXPECT_GT(box.Width(), image.Width() * 3 / 4);
      }
}

}  // namespace
}  // namespace qor
