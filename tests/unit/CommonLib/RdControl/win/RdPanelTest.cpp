// clang-format off
#include <windows.h>
#include <commctrl.h>  // after windows.h
// clang-format on

#include <gtest/gtest.h>

#include "CommonLib/RdControl/RdGradient.h"
#include "CommonLib/RdControl/RdImageButton.h"
#include "CommonLib/RdControl/RdLabel.h"
#include "CommonLib/RdControl/RdPictureNames.h"
#include "CommonLib/RdControl/win/RdPanel.h"
#include "CommonLib/RdControl/win/RdPlainPictures.h"
#include "tests/unit/CommonLib/RdControl/win/PanelFixture.h"

namespace qor {
namespace {

using testing::At;
using testing::CountDifferent;
using testing::PumpUntil;
using testing::Render;

const TRect PanelRect = TRect::FromSize(10, 10, 200, 40);
const TRect ButtonRect = TRect::FromSize(50, 5, 30, 30);
const TPoint InButton{65, 20};
const TPoint Elsewhere{150, 20};

class RdPanelTest : public ::testing::Test {
 protected:
  testing::TParentForm Parent;
  TRdPlainPictureSource Pictures{TScale{}};
  std::unique_ptr<TRdPanel> Panel;
  TRdImageButton* Button = nullptr;
  int Clicks = 0;

  void SetUp() override {
    ASSERT_TRUE(Parent.Create());
    Panel = std::make_unique<TFormOf<TRdPanel>>(&Pictures);
    ASSERT_TRUE(Panel->Create(Parent.Handle(), PanelRect));
    Button = Panel->Add(std::make_unique<TRdImageButton>());
    SetToolPictures(*Button, u"rectangle");
    Button->SetBounds(ButtonRect);
    Button->SetHint(u"Rectangle");
    Button->OnClick = [this](TRdControl&) { ++Clicks; };
  }
  void Send(UINT message, TPoint p, WPARAM keys = 0) { ::SendMessageW(Panel->Handle(), message, keys, At(p)); }
  void Click(TPoint down, TPoint up) {
    Send(WM_MOUSEMOVE, down);
    Send(WM_LBUTTONDOWN, down, MK_LBUTTON);
    Send(WM_MOUSEMOVE, up, MK_LBUTTON);
    Send(WM_LBUTTONUP, up);
  }
};

TEST_F(RdPanelTest, PaintsItsBackgroundAndOnePixelBorderInTheirColoursExactlyAlsoForPrintWindow) {
  for (uint32_t colour : {DarkPanelColor, MagnifierPanelColor}) {
    Panel->SetColor(colour);
    TDibImage image;
    ASSERT_TRUE(Render(*Panel, image));
    const TBgra expected = BgraFromColorRef(colour);
    for (TPoint p : {TPoint{0, 0}, TPoint{199, 39}, TPoint{5, 20}, TPoint{120, 2}})
      EXPECT_TRUE(testing::SameRgb(image.View().At(p.X, p.Y), expected)) << std::hex << colour << " at " << p.X;
  }
  Panel->SetColor(DarkPanelColor);
  Panel->SetBorderColor(0x3A3A3A);
  TDibImage image;
  ASSERT_TRUE(Render(*Panel, image));
  EXPECT_TRUE(testing::SameRgb(image.View().At(0, 20), BgraFromColorRef(0x3A3A3A)));
  EXPECT_TRUE(testing::SameRgb(image.View().At(199, 39), BgraFromColorRef(0x3A3A3A)));
  EXPECT_TRUE(testing::SameRgb(image.View().At(1, 20), BgraFromColorRef(DarkPanelColor)));
  // PrintWindow shows the same pixels.
  TDibImage printed;
  ASSERT_TRUE(printed.Create(200, 40));
  ASSERT_TRUE(::PrintWindow(Panel->Handle(), printed.Dc(), PW_CLIENTONLY));
  ::GdiFlush();
  EXPECT_EQ(CountDifferent(printed.View(), image.View(), TRect::FromSize(0, 0, 200, 40)), 0);
}

TEST_F(RdPanelTest, PressOnAControlCapturesTheMouseAndOnlyAReleaseInsideClicks) {
  Send(WM_LBUTTONDOWN, Elsewhere, MK_LBUTTON);  // on the empty panel: no capture
  EXPECT_EQ(::GetCapture(), nullptr);
  Send(WM_LBUTTONUP, Elsewhere);
  Send(WM_MOUSEMOVE, InButton);
  Send(WM_LBUTTONDOWN, InButton, MK_LBUTTON);
  EXPECT_EQ(::GetCapture(), Panel->Handle());
  EXPECT_EQ(Button->State(), TRdButtonState::Down);
  Send(WM_LBUTTONUP, InButton);
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_EQ(Clicks, 1);
  // Dragging out or losing the capture gives no click.
  Click(InButton, Elsewhere);
  Click(InButton, TPoint{-30, 200});  // outside the panel altogether, while captured
  Send(WM_LBUTTONDOWN, InButton, MK_LBUTTON);
  ::ReleaseCapture();
  Send(WM_LBUTTONUP, InButton);
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(Button->State(), TRdButtonState::Up);
  // The click handler may destroy the panel.
  Button->OnClick = [this](TRdControl&) { Panel.reset(); };
  Click(InButton, InButton);
  EXPECT_EQ(Panel, nullptr);
}

TEST_F(RdPanelTest, HoveredSelectedAndDisabledButtonsLookDifferentFromNormal) {
  TDibImage normal, hovered, selected, disabled;
  ASSERT_TRUE(Render(*Panel, normal));
  Send(WM_MOUSEMOVE, InButton);
  ASSERT_TRUE(Button->Hover());
  ASSERT_TRUE(Render(*Panel, hovered));
  Send(WM_MOUSELEAVE, Elsewhere);
  ASSERT_FALSE(Button->Hover());
  Button->SetSelected(true);
  ASSERT_TRUE(Render(*Panel, selected));
  Button->SetEnabled(false);
  ASSERT_TRUE(Render(*Panel, disabled));

  EXPECT_GT(CountDifferent(normal.View(), hovered.View(), ButtonRect), 100);  // the hover background
  EXPECT_GT(CountDifferent(normal.View(), selected.View(), ButtonRect), 100);
  EXPECT_GT(CountDifferent(normal.View(), disabled.View(), ButtonRect), 20);  // the dimmed glyph
  // Nothing outside the button changes.
  const TRect left = TRect::FromSize(0, 0, ButtonRect.Left, 40);
  EXPECT_EQ(CountDifferent(normal.View(), hovered.View(), left), 0);
  // The hover background is lighter than the panel, the selected one leans to the accent blue.
  const TBgra hoverCorner = hovered.View().At(ButtonRect.Left + 4, ButtonRect.Top + 2);
  EXPECT_GT(hoverCorner.R, 0x26);
  const TBgra selectedCorner = selected.View().At(ButtonRect.Left + 4, ButtonRect.Top + 2);
  EXPECT_GT(selectedCorner.B, selectedCorner.R + 0x10);
}

TEST_F(RdPanelTest, HoverRepaintsOnlyTheButton) {
  ::ShowWindow(Parent.Handle(), SW_SHOWNA);
  ::UpdateWindow(Panel->Handle());
  ::ValidateRect(Panel->Handle(), nullptr);
  Send(WM_MOUSEMOVE, InButton);
  RECT dirty{};
  ASSERT_TRUE(::GetUpdateRect(Panel->Handle(), &dirty, FALSE));
  EXPECT_EQ((TRect{dirty.left, dirty.top, dirty.right, dirty.bottom}), ButtonRect);
  ::ValidateRect(Panel->Handle(), nullptr);
  Send(WM_MOUSEMOVE, TPoint{InButton.X + 1, InButton.Y});  // no change, no repaint
  EXPECT_FALSE(::GetUpdateRect(Panel->Handle(), &dirty, FALSE));
  ::ShowWindow(Parent.Handle(), SW_HIDE);
}

TEST_F(RdPanelTest, EachHintIsATooltipToolOverItsControl) {
  auto* exit = Panel->Add(std::make_unique<TRdImageButton>());
  exit->SetBounds(TRect::FromSize(100, 5, 30, 30));
  exit->SetHint(u"Exit screenshot");
  auto* noHint = Panel->Add(std::make_unique<TRdImageButton>());
  noHint->SetBounds(TRect::FromSize(140, 5, 30, 30));
  HWND tip = Panel->TooltipHandle();
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(::SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 2);

  auto textOf = [&](UINT_PTR id) {
    wchar_t buffer[80] = {};
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = Panel->Handle();
    info.uId = id;
    info.lpszText = buffer;
    ::SendMessageW(tip, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&info));
    return std::wstring(buffer);
  };
  EXPECT_EQ(textOf(1), L"Rectangle");
  EXPECT_EQ(textOf(2), L"Exit screenshot");

  exit->SetHint(u"Exit");
  EXPECT_EQ(textOf(2), L"Exit");
  exit->SetVisible(false);  // a hidden control shows no hint
  EXPECT_EQ(::SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
}

TEST_F(RdPanelTest, LabelAndImageControlsDrawTheirTextAndPixels) {
  auto* label = Panel->Add(std::make_unique<TRdLabel>());
  TRdFont font;
  font.Height = 20;
  font.Color = 0x00FF00;
  font.Bold = true;
  label->SetFont(font);
  label->SetPosition({2, 2});
  label->SetCaption(u"MMMM");
  TDibImage image;
  ASSERT_TRUE(Render(*Panel, image));
  int green = 0;
  const TRect b = label->Bounds();
  for (int32_t y = b.Top; y < b.Bottom; ++y)
    for (int32_t x = b.Left; x < b.Right; ++x) {
      const TBgra p = image.View().At(x, y);
      green += p.G == 0xFF && p.R < 0x40 && p.B < 0x40 ? 1 : 0;
    }
  EXPECT_GT(green, 20);
  // An image control shows its owner's pixels, stretched.
  TImage pixels(14, 10, TBgra{0x33, 0x77, 0xFF, 255});
  auto* picture = Panel->Add(std::make_unique<TRdImage>());
  picture->SetBounds(TRect::FromSize(157, 7, 28, 20));  // clear of the label
  picture->Stretch = true;
  picture->SetImage(pixels.View());
  TDibImage shown;
  ASSERT_TRUE(Render(*Panel, shown));
  EXPECT_TRUE(testing::SameRgb(shown.View().At(157, 7), TBgra{0x33, 0x77, 0xFF, 255}));
  EXPECT_TRUE(testing::SameRgb(shown.View().At(184, 26), TBgra{0x33, 0x77, 0xFF, 255}));
  EXPECT_TRUE(testing::SameRgb(shown.View().At(185, 27), BgraFromColorRef(DarkPanelColor)));
}

TEST_F(RdPanelTest, GradientBackgroundSpansTheWholePanelAlsoWhenOnlyAPartIsRepainted) {
  Panel->Remove(Button);
  Panel->SetColor(0x102030);
  Panel->SetColorTo(0x90A0B0);
  for (bool vertical : {false, true}) {
    Panel->SetColorToVert(vertical);
    TDibImage whole;
    ASSERT_TRUE(Render(*Panel, whole));
    const int32_t count = vertical ? 40 : 200;
    for (int32_t i : {0, 17, count - 1}) {
      const TPoint p = vertical ? TPoint{120, i} : TPoint{i, 20};
      EXPECT_TRUE(
          testing::SameRgb(whole.View().At(p.X, p.Y), BgraFromColorRef(GradientColor(0x102030, 0x90A0B0, i, count))))
          << vertical << " " << i;
    }
    // A repaint of a strip in the middle continues the same gradient.
    TDibImage part;
    ASSERT_TRUE(part.Create(200, 40));
    const TRect strip = TRect::FromSize(60, 10, 30, 12);
    Panel->PaintTo(part.Dc(), strip);
    ::GdiFlush();
    EXPECT_EQ(CountDifferent(part.View(), whole.View(), strip), 0) << vertical;
  }
  Panel->SetColorTo(ColorNotSet);
  TDibImage plain;
  ASSERT_TRUE(Render(*Panel, plain));
  EXPECT_TRUE(testing::SameRgb(plain.View().At(199, 39), BgraFromColorRef(0x102030)));
}

TEST_F(RdPanelTest, TheCursorIsTheControlsOwnOverItAndThePanelsElsewhere) {
  ::ShowWindow(Parent.Handle(), SW_SHOW);
  Button->Cursor = crHandPoint;
  auto cursorAt = [&](TPoint p) {
    POINT screen{p.X, p.Y};
    ::ClientToScreen(Panel->Handle(), &screen);
    ::SetCursorPos(screen.x, screen.y);
    ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));  // so that a panel that sets nothing is seen
    ::SendMessageW(Panel->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Panel->Handle()),
                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return ::GetCursor();
  };
  EXPECT_EQ(cursorAt(InButton), ::LoadCursorW(nullptr, IDC_HAND));
  EXPECT_NE(cursorAt(Elsewhere), ::LoadCursorW(nullptr, IDC_HAND));
  Button->Cursor = crDefault;
  EXPECT_NE(cursorAt(InButton), ::LoadCursorW(nullptr, IDC_HAND));
}

TEST_F(RdPanelTest, AWordPictureLooksPressedWhileItsButtonIsPressedUnderIt) {
  SetBlueButtonPictures(*Button, u"save", 14);
  Button->SetBounds(TRect::FromSize(50, 0, 89, 40));
  auto* word = Panel->Add(std::make_unique<TRdImageButton>());
  SetWordPictures(*word, u"save", *Button);
  const TRect wordRect = TRect::FromSize(90, 11, 30, 18);
  word->SetBounds(wordRect);
  const TPoint onWord{100, 20};
  Send(WM_MOUSEMOVE, onWord);
  TDibImage hovered, pressed, released;
  ASSERT_TRUE(Render(*Panel, hovered));
  Send(WM_LBUTTONDOWN, onWord, MK_LBUTTON);
  EXPECT_EQ(Button->State(), TRdButtonState::Down);  // the word leaves the mouse to its button
  ASSERT_TRUE(Render(*Panel, pressed));
  Send(WM_LBUTTONUP, onWord);
  EXPECT_EQ(Clicks, 1);
  ASSERT_TRUE(Render(*Panel, released));
  EXPECT_EQ(CountDifferent(hovered.View(), released.View(), wordRect), 0);
  // The same press with a word that has no pressed picture: what differs is the word's own pressed look.
  word->SetImageDown(u"");
  Send(WM_LBUTTONDOWN, onWord, MK_LBUTTON);
  TDibImage plainWord;
  ASSERT_TRUE(Render(*Panel, plainWord));
  Send(WM_LBUTTONUP, onWord);
  EXPECT_GT(CountDifferent(plainWord.View(), pressed.View(), wordRect), 20);
}

}  // namespace
}  // namespace qor
