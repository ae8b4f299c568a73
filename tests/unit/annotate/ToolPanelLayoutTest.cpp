#include "annotate/ToolPanelLayout.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

using namespace qor;

namespace {

using C = TToolPanelChild;
constexpr TToolPanelContent Contents[] = {TToolPanelContent::Pens, TToolPanelContent::Text,
                                          TToolPanelContent::Pixelation};

// Centred in the panel's height, to the pixel or within half a pixel.
bool CentredIn(const TRect& r, int32_t height) { return std::abs((r.Top + r.Bottom) - height) <= 1; }

}  // namespace

TEST(ToolPanelLayout, EachContentShowsOnlyItsControlsWithoutOverlapInsideThePanel) {
  for (TToolPanelContent content : Contents) {
    SCOPED_TRACE(int(content));
    const TToolPanelLayout layout = LayoutToolPanel(content, TScale::Of(false));
    const bool text = content == TToolPanelContent::Text, pixel = content == TToolPanelContent::Pixelation;
    EXPECT_EQ(layout.Shows(C::Btn_Pen_2), !text);
    EXPECT_EQ(layout.Shows(C::Btn_Jia), text);
    EXPECT_EQ(layout.Shows(C::Btn_Jian), text);
    EXPECT_EQ(layout.Shows(C::FontText_combox), text);
    EXPECT_EQ(layout.Shows(C::imgWebcamSize), pixel);
    EXPECT_EQ(layout.Shows(C::Image_show), !pixel);
    EXPECT_EQ(layout.ShowsPalette(), !pixel);

    std::vector<TRect> shown;
    for (const TRect& r : layout.Children)
      if (!r.IsEmpty()) {
        EXPECT_TRUE(CentredIn(r, layout.Height)) << int(shown.size());
        shown.push_back(r);
      }
    if (layout.ShowsPalette()) {
      EXPECT_TRUE(CentredIn({0, layout.Swatches[0].Top, 0, layout.Swatches[PaletteSize - 1].Bottom}, layout.Height));
      shown.insert(shown.end(), layout.Swatches.begin(), layout.Swatches.end());
    }
    const TRect panel = TRect::FromSize(0, 0, layout.Width, layout.Height);
    for (size_t i = 0; i < shown.size(); ++i) {
      EXPECT_EQ(shown[i].Intersect(panel), shown[i]) << i;
      for (size_t j = i + 1; j < shown.size(); ++j) EXPECT_TRUE(shown[i].Intersect(shown[j]).IsEmpty()) << i << j;
    }
  }
}

TEST(ToolPanelLayout, TheHoverFrameRingsEverySwatchWithoutTouchingItsNeighboursOrLeavingThePanel) {
  for (const bool scaled : {false, true}) {
    SCOPED_TRACE(scaled);
    const TScale scale = TScale::Of(scaled);
    const TToolPanelLayout layout = LayoutToolPanel(TToolPanelContent::Pens, scale);
    const TRect panel = TRect::FromSize(0, 0, layout.Width, layout.Height);
    for (int i = 0; i < PaletteSize; ++i) {
      const TRect& swatch = layout.Swatches[i];
      const TRect frame = HoverFrameFor(swatch, scale);
      EXPECT_EQ(frame, swatch.Inflate(scale(2), scale(2))) << i;
      EXPECT_EQ(frame.Intersect(panel), frame) << i;
      EXPECT_TRUE(frame.Intersect(layout.Child(C::Image_show)).IsEmpty()) << i;
      for (int j = 0; j < PaletteSize; ++j) {
        if (j == i) continue;
        EXPECT_TRUE(frame.Intersect(layout.Swatches[j]).IsEmpty()) << i << " " << j;
      }
    }
    // Two rows of ten, left to right.
    EXPECT_EQ(layout.Swatches[9].Top, layout.Swatches[0].Top);
    EXPECT_GT(layout.Swatches[10].Top, layout.Swatches[0].Bottom);
    EXPECT_EQ(layout.Swatches[10].Left, layout.Swatches[0].Left);
    EXPECT_EQ(layout.Swatches[0].Size(), scale(TSize{12, 12}));
  }
}

TEST(ToolPanelLayout, ScaledModeDoublesEveryNumber) {
  for (TToolPanelContent content : Contents) {
    SCOPED_TRACE(int(content));
    const TToolPanelLayout plain = LayoutToolPanel(content, TScale::Of(false));
    const TToolPanelLayout scaled = LayoutToolPanel(content, TScale::Of(true));
    EXPECT_EQ(scaled.Width, 2 * plain.Width);
    EXPECT_EQ(scaled.Height, 2 * plain.Height);
    auto doubled = [](const TRect& r) { return TRect{2 * r.Left, 2 * r.Top, 2 * r.Right, 2 * r.Bottom}; };
    for (int i = 0; i < ToolPanelChildCount; ++i) EXPECT_EQ(scaled.Children[i], doubled(plain.Children[i])) << i;
    for (int i = 0; i < PaletteSize; ++i) EXPECT_EQ(scaled.Swatches[i], doubled(plain.Swatches[i])) << i;
  }
}
