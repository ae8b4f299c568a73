// The options panel as the overlay hosts it: real mouse messages on its swatches, pens and size buttons, driving a
// real tools state, and what the panel then paints.
#include "annotate/win/ToolPanel.h"

#include <gtest/gtest.h>

#include <vector>

#include "annotate/Palette.h"
#include "base/win/UniqueHandle.h"
#include "tests/unit/CommonLib/RdControl/win/PanelFixture.h"

namespace qor {
namespace {

using testing::At;
using testing::Centre;
using testing::Click;

TUniqueWindow Parent() {
  return TUniqueWindow(::CreateWindowExW(0, L"STATIC", L"overlay", WS_POPUP | WS_VISIBLE, 0, 0, 1200, 300, nullptr,
                                         nullptr, nullptr, nullptr));
}

void MoveTo(TToolPanel& panel, TPoint p) { ::SendMessageW(panel.Panel().Handle(), WM_MOUSEMOVE, 0, At(p)); }

// The panel wired to a tools state the way the overlay wires it.
struct TWiredPanel {
  TAnnotationTools Tools;
  TToolPanel Panel;
  std::vector<uint32_t> Colors;
  std::vector<int32_t> Pens;
  int Minus = 0, Plus = 0;

  explicit TWiredPanel(TScale scale) : Panel(scale) {
    Panel.OnColor = [this](uint32_t c) {
      Colors.push_back(c);
      Tools.ChooseColor(c);
      Panel.Apply(Tools);
    };
    Panel.OnPen = [this](int32_t pen) {
      Pens.push_back(pen);
      Tools.PressPen(pen);
      Panel.Apply(Tools);
    };
    Panel.OnMinus = [this] {
      ++Minus;
      Tools.FontSmaller();
      Panel.Apply(Tools);
    };
    Panel.OnPlus = [this] {
      ++Plus;
      Tools.FontLarger();
      Panel.Apply(Tools);
    };
  }
  void Choose(TDrawingTool tool) {
    Tools.ChooseTool(tool);
    Panel.Apply(Tools);
  }
  TPoint Swatch(int index) const { return Centre(Panel.Layout().Swatches[index]); }
  TPoint Child(TToolPanelChild child) const { return Centre(Panel.Layout().Child(child)); }
};

TBgra PixelAt(TToolPanel& panel, TPoint p) {
  TDibImage shot;
  EXPECT_TRUE(testing::Render(panel.Panel(), shot));
  return shot.View().At(p.X, p.Y);
}

bool Shows(TBgra pixel, uint32_t color) {
  return pixel.R == (color & 0xFF) && pixel.G == ((color >> 8) & 0xFF) && pixel.B == ((color >> 16) & 0xFF);
}

TEST(ToolPanel, SwatchClicksReportTheirColourAndTheHoverFrameRingsTheSwatchUnderThePointer) {
  TUniqueWindow parent = Parent();
  ASSERT_TRUE(parent.Get());
  for (const bool scaled : {false, true}) {
    SCOPED_TRACE(scaled ? "scaled" : "1x");
    const TScale scale = TScale::Of(scaled);
    TWiredPanel wired(scale);
    TToolPanel& panel = wired.Panel;
    ASSERT_TRUE(panel.Create(parent.Get()));
    EXPECT_FALSE(panel.Visible());
    wired.Choose(TDrawingTool::Rectangle);
    panel.ShowAt({5, 6});
    EXPECT_TRUE(panel.Visible());
    EXPECT_EQ(panel.Bounds(), TRect::FromSize(5, 6, panel.Size().Width, panel.Size().Height));
    EXPECT_TRUE(Shows(PixelAt(panel, wired.Child(TToolPanelChild::Image_show)), InitialAnnotationColor));

    Click(panel.Panel().Handle(), wired.Swatch(3));
    Click(panel.Panel().Handle(), wired.Swatch(19));
    EXPECT_EQ(wired.Colors, (std::vector<uint32_t>{Palette[3].Color, Palette[19].Color}));
    EXPECT_EQ(wired.Tools.ShapeColor(), Palette[19].Color);
    EXPECT_TRUE(Shows(PixelAt(panel, wired.Child(TToolPanelChild::Image_show)), Palette[19].Color));

    // Hover: the frame goes 2 (scaled) pixels out from the swatch, follows the pointer and goes with it.
    MoveTo(panel, wired.Swatch(12));
    const TRect swatch = panel.Layout().Swatches[12];
    ASSERT_TRUE(panel.HoverFrame()->Visible());
    EXPECT_EQ(panel.HoverFrame()->Bounds(),
              TRect::FromSize(swatch.Left - scale(2), swatch.Top - scale(2), scale(16), scale(16)));
    EXPECT_TRUE(Shows(PixelAt(panel, {swatch.Left - scale(2), swatch.Top + 3}), 0xFFFFFF));  // the ring
    EXPECT_TRUE(Shows(PixelAt(panel, Centre(swatch)), Palette[12].Color));                   // the swatch on top
    MoveTo(panel, wired.Swatch(13));
    EXPECT_EQ(panel.HoverFrame()->Bounds().Left, panel.Layout().Swatches[13].Left - scale(2));
    MoveTo(panel, {1, 1});
    EXPECT_FALSE(panel.HoverFrame()->Visible());
    EXPECT_TRUE(Shows(PixelAt(panel, {swatch.Left - scale(2), swatch.Top + 3}), DarkPanelColor));
    MoveTo(panel, wired.Swatch(0));
    ::SendMessageW(panel.Panel().Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(panel.HoverFrame()->Visible());

    panel.Hide();
    EXPECT_FALSE(panel.Visible());
  }
}

TEST(ToolPanel, PenButtonsSetPenWidthsOrWithPixelationBrushSizesAndShowTheirBars) {
  TUniqueWindow parent = Parent();
  TWiredPanel wired(TScale::Of(false));
  TToolPanel& panel = wired.Panel;
  ASSERT_TRUE(panel.Create(parent.Get()));
  wired.Choose(TDrawingTool::Arrow);
  panel.ShowAt({0, 0});
  EXPECT_EQ(panel.PenButton(2)->State(), TRdButtonState::Selected);  // pen width 4

  std::vector<int32_t> widths;
  for (TToolPanelChild pen : {TToolPanelChild::Btn_Pen_3, TToolPanelChild::Btn_Pen_1, TToolPanelChild::Btn_Pen_2}) {
    Click(panel.Panel().Handle(), wired.Child(pen));
    widths.push_back(wired.Tools.PenWidth());
  }
  EXPECT_EQ(wired.Pens, (std::vector<int32_t>{3, 1, 2}));
  EXPECT_EQ(widths, (std::vector<int32_t>{8, 1, 4}));
  EXPECT_EQ(panel.PenButton(1)->State(), TRdButtonState::Up);
  EXPECT_EQ(panel.PenButton(2)->State(), TRdButtonState::Selected);

  // Each pen shows a light bar as thick as its pen: more light pixels from pen to pen.
  MoveTo(panel, {1, 1});
  TDibImage shot;
  ASSERT_TRUE(testing::Render(panel.Panel(), shot));
  auto lightPixels = [&](TToolPanelChild pen) {
    int count = 0;
    const TRect r = panel.Layout().Child(pen);
    for (int32_t y = r.Top; y < r.Bottom; ++y)
      for (int32_t x = r.Left; x < r.Right; ++x) count += shot.View().At(x, y).G > 0xA0;
    return count;
  };
  const int light = lightPixels(TToolPanelChild::Btn_Pen_1), semibold = lightPixels(TToolPanelChild::Btn_Pen_2),
            bold = lightPixels(TToolPanelChild::Btn_Pen_3);
  EXPECT_GT(light, 0);
  EXPECT_GT(semibold, 2 * light);
  EXPECT_GT(bold, semibold);

  // Pixelation: the pens pick the brush, and the palette gives way to the slider, the panel taking its width.
  const TPoint where = wired.Swatch(0);
  wired.Choose(TDrawingTool::Pixelation);
  EXPECT_EQ(panel.Bounds().Width(), panel.Size().Width);
  EXPECT_TRUE(panel.BlockSizeSlider()->Visible());
  EXPECT_FALSE(panel.Swatch(0)->Visible());
  Click(panel.Panel().Handle(), wired.Child(TToolPanelChild::Btn_Pen_3));
  EXPECT_EQ(wired.Tools.BrushSize(), 40);
  EXPECT_EQ(wired.Tools.PenWidth(), 4);
  EXPECT_EQ(panel.PenButton(3)->State(), TRdButtonState::Selected);
  Click(panel.Panel().Handle(), where);
  EXPECT_TRUE(wired.Colors.empty());
}

TEST(ToolPanel, TheTextToolShowsMinusAndPlusInsteadOfPensAndMinusGoesDeadAtEight) {
  TUniqueWindow parent = Parent();
  TWiredPanel wired(TScale::Of(false));
  TToolPanel& panel = wired.Panel;
  ASSERT_TRUE(panel.Create(parent.Get()));
  wired.Choose(TDrawingTool::Text);
  panel.ShowAt({0, 0});
  EXPECT_FALSE(panel.PenButton(1)->Visible());
  EXPECT_TRUE(panel.MinusButton()->Visible());
  EXPECT_EQ(panel.PlusButton()->Bounds(), panel.Layout().Child(TToolPanelChild::Btn_Jia));

  const HWND window = panel.Panel().Handle();
  for (int i = 0; i < 4; ++i) Click(window, wired.Child(TToolPanelChild::Btn_Jian));
  EXPECT_EQ(wired.Minus, 3);  // the fourth press met a disabled button
  EXPECT_EQ(wired.Tools.FontSize(), 8);
  EXPECT_FALSE(panel.MinusButton()->Enabled());
  Click(window, wired.Child(TToolPanelChild::Btn_Jia));
  EXPECT_EQ(wired.Tools.FontSize(), 12);
  EXPECT_TRUE(panel.MinusButton()->Enabled());
  EXPECT_EQ(panel.PlusButton()->State(), TRdButtonState::Selected);

  Click(window, wired.Swatch(7));
  EXPECT_EQ(wired.Tools.TextColor(), Palette[7].Color);
  EXPECT_EQ(wired.Tools.ShapeColor(), InitialAnnotationColor);
  wired.Choose(TDrawingTool::Rectangle);  // the preview shows the shape colour again, and the pens come back
  EXPECT_TRUE(Shows(PixelAt(panel, wired.Child(TToolPanelChild::Image_show)), InitialAnnotationColor));
  EXPECT_TRUE(panel.PenButton(1)->Visible());
  EXPECT_FALSE(panel.PlusButton()->Visible());
}

}  // namespace
}  // namespace qor
