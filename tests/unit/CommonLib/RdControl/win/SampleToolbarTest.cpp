// Paints the capture toolbar's children with the plain pictures at 1x and 2x, in several states, into
// "rdcontrol_toolbar.bmp" in the working directory, to look at; and checks the layout it paints.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "CommonLib/RdControl/RdImageButton.h"
#include "CommonLib/RdControl/RdLabel.h"
#include "CommonLib/RdControl/RdPictureNames.h"
#include "CommonLib/RdControl/win/RdPlainPictures.h"
#include "base/BmpFile.h"
#include "base/PixelOps.h"
#include "tests/unit/CommonLib/RdControl/win/PanelFixture.h"

namespace qor {
namespace {

struct TSampleToolbar {
  std::unique_ptr<TRdPanel> Panel;
  std::vector<TRdImageButton*> Tools;  // rectangle .. pin, in order
  TRdImageButton* Copy = nullptr;
  TRdImageButton* Save = nullptr;
  int32_t Width = 0;
};

// The toolbar's children left to right with the gap before each (the size readout, three dividers, nine tool
// buttons, Copy and Save with their caption pictures), every number times k.
TSampleToolbar BuildToolbar(HWND parent, const TRdPictureSource& pictures, int32_t k, int32_t top) {
  TSampleToolbar bar;
  bar.Panel = std::make_unique<TRdPanel>(&pictures);
  const int32_t height = 40 * k;
  auto* size = bar.Panel->Add(std::make_unique<TRdLabel>());
  size->SetAutoSize(false);
  size->SetAlignment(TAlignment::taCenter);
  size->SetLayout(TVerticalAlignment::vaCenter);
  TRdFont font;
  font.Height = 13 * k;
  font.Color = 0xE8E8E8;
  size->SetFont(font);
  size->SetBounds(TRect::FromSize(0, 0, 110 * k, height));
  size->SetCaption(u"1920 x 1080");

  int32_t right = 110 * k;
  auto divider = [&](int32_t gap) {
    auto* d = bar.Panel->Add(std::make_unique<TRdImage>());
    d->SetPicture(u"images/cutline_a.png");
    d->Stretch = true;
    const int32_t left = right == 110 * k ? right : right + gap * k;
    d->SetBounds(TRect::FromSize(left, (height - 20 * k) / 2, k, 20 * k));
    right = d->Bounds().Right;
  };
  auto tool = [&](std::u16string_view name, int32_t gap) {
    auto* b = bar.Panel->Add(std::make_unique<TRdImageButton>());
    SetToolPictures(*b, name);
    b->SetBounds(TRect::FromSize(right + gap * k, (height - 30 * k) / 2, 30 * k, 30 * k));
    b->SetHint(std::u16string(name));
    right = b->Bounds().Right;
    bar.Tools.push_back(b);
  };
  divider(0);
  tool(u"rectangle", 19);
  for (auto name : {u"ellipse", u"line", u"arrow", u"brush", u"mosaic", u"text"}) tool(name, 12);
  divider(19);
  tool(u"undo", 19);
  tool(u"delete", 12);
  divider(19);
  tool(u"scroll", 19);
  tool(u"pin", 12);

  auto textButton = [&](int32_t left, std::u16string_view icon, int32_t iconOffset, std::u16string_view word,
                        int32_t wordOffset, int32_t wordWidth) {
    auto* b = bar.Panel->Add(std::make_unique<TRdImageButton>());
    SetBlueButtonPictures(*b, icon, iconOffset * k);
    b->SetBounds(TRect::FromSize(left, 0, 89 * k, height));
    auto* w = bar.Panel->Add(std::make_unique<TRdImage>());
    w->SetPicture(WordPictureName(word, false));
    w->Stretch = true;
    w->SetHitTest(false);  // the button below takes the mouse
    w->SetBounds(TRect::FromSize(left + wordOffset * k, 11 * k, wordWidth * k, 18 * k));
    return b;
  };
  bar.Copy = textButton(right + 8 * k, u"saveas", 14, u"copy", 36, 33);
  bar.Save = textButton(bar.Copy->Bounds().Right - 4 * k, u"save", 18, u"save", 40, 30);
  bar.Width = bar.Save->Bounds().Right;
  if (!bar.Panel->Create(parent, TRect::FromSize(0, top, bar.Width, height))) bar.Panel.reset();
  return bar;
}

// The sheet as a 24-bit BMP (GDI leaves the fourth byte 0, which 24 bits drop).
bool WriteSheet(const char* path, const TImageView& image) {
  const std::vector<uint8_t> bytes = WriteBmp(image);
  FILE* f = std::fopen(path, "wb");
  if (!f) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

TEST(SampleToolbar, PaintsTheToolbarInItsStatesAtBothScales) {
  testing::TParentForm parent;
  ASSERT_TRUE(parent.Create(1600, 900));
  std::vector<TImage> rows;
  for (int32_t k : {1, 2}) {
    TRdPlainPictureSource pictures(k == 2);
    TSampleToolbar bar = BuildToolbar(parent.Handle(), pictures, k, 0);
    ASSERT_NE(bar.Panel, nullptr);
    EXPECT_EQ(
        bar.Width,
        (110 + 1 + 19 + 7 * 30 + 6 * 12 + 19 + 1 + 19 + 2 * 30 + 12 + 19 + 1 + 19 + 2 * 30 + 12 + 8 + 89 - 4 + 89) * k);
    EXPECT_EQ(bar.Tools[0]->Bounds().Left, 130 * k);
    auto snap = [&] {
      TDibImage image;
      EXPECT_TRUE(testing::Render(*bar.Panel, image));
      rows.push_back(CropImage(image.View(), TRect::FromSize(0, 0, image.Width(), image.Height())));
    };
    auto send = [&](UINT message, TPoint p) { ::SendMessageW(bar.Panel->Handle(), message, 0, testing::At(p)); };
    auto centre = [](TRdControl* c) {
      const TRect& r = c->Bounds();
      return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    };
    snap();                                    // all normal
    bar.Tools[0]->SetSelected(true);           // the active tool
    bar.Tools[7]->SetEnabled(false);           // nothing to undo
    send(WM_MOUSEMOVE, centre(bar.Tools[1]));  // hover over the oval tool
    snap();
    send(WM_LBUTTONDOWN, centre(bar.Tools[2]));  // pressing the line tool
    snap();
    send(WM_LBUTTONUP, centre(bar.Tools[2]));
    send(WM_MOUSEMOVE, centre(bar.Save));  // hover over Save
    snap();
  }
  int32_t width = 0, height = 10;
  for (auto& r : rows) width = std::max(width, r.Width() + 20), height += r.Height() + 10;
  TImage sheet(width, height, TBgra{0x70, 0x70, 0x70, 255});
  int32_t y = 10;
  for (auto& r : rows) {
    CopyPixels(r.View(), sheet.View().Sub(TRect::FromSize(10, y, r.Width(), r.Height())));
    y += r.Height() + 10;
  }
  EXPECT_TRUE(WriteSheet("rdcontrol_toolbar.bmp", sheet.View()));
}

}  // namespace
}  // namespace qor
