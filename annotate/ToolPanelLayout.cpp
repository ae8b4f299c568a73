#include "annotate/ToolPanelLayout.h"

namespace qor {

namespace {

constexpr int32_t Margin = 10;    // left and right edge of the panel
constexpr int32_t PenTop = 10;    // the pens, and the - and + buttons
constexpr int32_t PenStep = 1;    // between two pens
constexpr int32_t BoxTop = 7;     // the font boxes
constexpr int32_t BoxGap = 7;     // between the font boxes, and before - and +
constexpr int32_t GroupGap = 12;  // between groups
constexpr int32_t PreviewGap = 8;
constexpr int32_t LabelTop = 14, SliderTop = 11, SliderGap = 5, SliderEndGap = 5;

}  // namespace

TToolPanelLayout LayoutToolPanel(TToolPanelContent content, TScale scale, const TToolPanelSizes& sizes) {
  TToolPanelLayout layout;
  layout.Content = content;
  layout.Height = scale(ToolPanelHeight);
  auto place = [&](TToolPanelChild child, int32_t left, int32_t top, TSize size) {
    const TSize s = scale(size);
    return layout.Children[int(child)] = TRect::FromSize(left, scale(top), s.Width, s.Height);
  };
  auto centred = [&](TSize size) { return (ToolPanelHeight - size.Height) / 2; };

  int32_t right = 0;  // the right edge of what is placed so far
  if (content == TToolPanelContent::Text) {
    right = place(TToolPanelChild::Font_combox, scale(Margin), BoxTop, sizes.FontSizeBox).Right;
    right = place(TToolPanelChild::FontText_combox, right + scale(BoxGap), BoxTop, sizes.FontNameBox).Right;
    right = place(TToolPanelChild::Btn_Jian, right + scale(BoxGap), PenTop, sizes.SizeButton).Right;
    right = place(TToolPanelChild::Btn_Jia, right + scale(PenStep), PenTop, sizes.SizeButton).Right;
  } else {
    right = scale(Margin) - scale(PenStep);
    for (TToolPanelChild pen : {TToolPanelChild::Btn_Pen_1, TToolPanelChild::Btn_Pen_2, TToolPanelChild::Btn_Pen_3})
      right = place(pen, right + scale(PenStep), PenTop, sizes.PenButton).Right;
  }

  if (content == TToolPanelContent::Pixelation) {
    right = place(TToolPanelChild::lbl_PixelSize, right + scale(GroupGap), LabelTop, sizes.PixelLabel).Right;
    right = place(TToolPanelChild::imgWebcamSize, right + scale(SliderGap), SliderTop, sizes.Slider).Right;
    layout.Width = right + scale(SliderEndGap);  // the slider's own ends leave room enough
    return layout;
  }

  right = place(TToolPanelChild::Image_show, right + scale(GroupGap), centred(sizes.Preview), sizes.Preview).Right;
  const TSize swatch = scale(sizes.Swatch);
  const int32_t pitchX = swatch.Width + scale(SwatchGap), pitchY = swatch.Height + scale(SwatchGap);
  const int32_t paletteLeft = right + scale(PreviewGap);
  const int32_t paletteTop = scale((ToolPanelHeight - PaletteRows * sizes.Swatch.Height - SwatchGap) / 2);
  for (int i = 0; i < PaletteSize; ++i) {
    const int32_t column = i % PaletteColumns, row = i / PaletteColumns;
    layout.Swatches[i] =
        TRect::FromSize(paletteLeft + column * pitchX, paletteTop + row * pitchY, swatch.Width, swatch.Height);
  }
  layout.Width = layout.Swatches[PaletteSize - 1].Right + scale(Margin);
  return layout;
}

TRect HoverFrameFor(const TRect& swatch, TScale scale) {
  return TRect::FromSize(swatch.Left - scale(HoverFrameMargin), swatch.Top - scale(HoverFrameMargin),
                         scale(HoverFrameSide), scale(HoverFrameSide));
}

}  // namespace qor
