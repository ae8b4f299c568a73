#include <windows.h>

#include <gtest/gtest.h>

#include "CommonLib/RdControl/RdComboBox.h"
#include "CommonLib/RdControl/RdPictureNames.h"
#include "CommonLib/RdControl/win/RdComboListForm.h"
#include "CommonLib/RdControl/win/RdPanel.h"
#include "CommonLib/RdControl/win/RdPlainPictures.h"
#include "tests/unit/CommonLib/RdControl/win/PanelFixture.h"

namespace qor {
namespace {

using testing::At;
using testing::Render;

using testing::TKeyCountingParentBase;

// The font-size box on a dark panel, with its list window.
class RdComboBoxWinTest : public ::testing::Test {
 protected:
  TFormOf<TKeyCountingParentBase> Parent;
  TRdPlainPictureSource Pictures{TScale{}};
  std::unique_ptr<TRdPanel> Panel;
  TRdComboBox* Box = nullptr;
  std::vector<std::u16string> Selected;
  int Shows = 0;
  const TRect BoxRect = TRect::FromSize(20, 2, 64, 36);
  const TPoint OnBox{50, 20};

  void SetUp() override {
    ASSERT_TRUE(Parent.Create(400, 300));
    ::SetWindowPos(Parent.Handle(), nullptr, 100, 100, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    ::ShowWindow(Parent.Handle(), SW_SHOW);
    Panel = std::make_unique<TFormOf<TRdPanel>>(&Pictures);
    ASSERT_TRUE(Panel->Create(Parent.Handle(), TRect::FromSize(0, 0, 200, 40)));
    Box = Panel->Add(std::make_unique<TRdComboBox>());
    Box->SetBounds(BoxRect);
    SetComboBoxPictures(*Box);
    Box->SetItems(
        {u"8", u"9", u"10", u"11", u"12", u"14", u"16", u"18", u"20", u"22", u"24", u"26", u"28", u"36", u"48", u"72"});
    Box->SetItemIndex(4);
    Box->OnSelect = [this](TRdControl& c) { Selected.push_back(static_cast<TRdComboBox&>(c).Text()); };
    Box->OnDropDownShow = [this](TRdControl&) { ++Shows; };
  }
  void TearDown() override {
    Panel.reset();
    EXPECT_EQ(ListWindow(), nullptr) << "the list window goes with the box";
  }
  void SendPanel(UINT message, TPoint p, WPARAM keys = 0) { ::SendMessageW(Panel->Handle(), message, keys, At(p)); }
  static HWND ListWindow() { return ::FindWindowW(L"TRdComboboxListForm", nullptr); }
  void Open() {
    SendPanel(WM_MOUSEMOVE, OnBox);
    SendPanel(WM_LBUTTONDOWN, OnBox, MK_LBUTTON);
    ASSERT_TRUE(Box->DroppedDown());
    HWND list = ListWindow();
    ASSERT_NE(list, nullptr);
    // The button comes up over the list, which holds the mouse now.
    ::SendMessageW(::GetCapture(), WM_LBUTTONUP, 0, At(ListPoint(OnBox)));
  }
  // A panel point in the list window's coordinates.
  TPoint ListPoint(TPoint panel) const {
    POINT p{panel.X, panel.Y};
    ::MapWindowPoints(Panel->Handle(), ListWindow(), &p, 1);
    return {p.x, p.y};
  }
  TPoint RowOf(int32_t index) const {
    const TRect r = Box->List().ItemRect(index);
    return {r.Left + 10, r.Top + r.Height() / 2};
  }
  void SendList(UINT message, TPoint p, WPARAM keys = 0) { ::SendMessageW(ListWindow(), message, keys, At(p)); }
  void Key(WPARAM vk) { ::SendMessageW(::GetFocus(), WM_KEYDOWN, vk, 1); }
};

TEST_F(RdComboBoxWinTest, ClosedBoxShowsItsTextOnTheBoxPicture) {
  TDibImage shown, empty;
  ASSERT_TRUE(Render(*Panel, shown));
  Box->SetItemIndex(-1);
  ASSERT_TRUE(Render(*Panel, empty));
  const TRect text = Box->TextRect();
  EXPECT_GT(testing::CountDifferent(shown.View(), empty.View(), text), 10) << "the text \"12\"";
  EXPECT_EQ(
      testing::CountDifferent(shown.View(), empty.View(), {text.Right, BoxRect.Top, BoxRect.Right, BoxRect.Bottom}), 0)
      << "the arrow's part has no text";
  EXPECT_FALSE(testing::SameRgb(empty.View().At(BoxRect.Right - 12, 20), BgraFromColorRef(PlainComboFillColor)))
      << "the arrow";
}

TEST_F(RdComboBoxWinTest, APressOpensAToolListBelowTheBoxHoldingTheMouseAndAClickOnAnItemChoosesIt) {
  Open();
  HWND list = ListWindow();
  EXPECT_TRUE(::IsWindowVisible(list));
  EXPECT_EQ(::GetCapture(), list);
  EXPECT_EQ(Shows, 1);
  EXPECT_TRUE(::GetWindowLongW(list, GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT listRect{}, boxRect{BoxRect.Left, BoxRect.Top, BoxRect.Right, BoxRect.Bottom};
  ::GetWindowRect(list, &listRect);
  ::MapWindowPoints(Panel->Handle(), HWND_DESKTOP, reinterpret_cast<POINT*>(&boxRect), 2);
  EXPECT_EQ(listRect.left, boxRect.left);
  EXPECT_EQ(listRect.top, boxRect.bottom);
  EXPECT_EQ(listRect.right - listRect.left, 64);
  EXPECT_EQ(listRect.bottom - listRect.top, 8 * 24 + 2);

  // The hot row shows in its colours.
  SendList(WM_MOUSEMOVE, RowOf(6));
  TDibImage image;
  ASSERT_TRUE(image.Create(64, 194));
  ::SendMessageW(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(image.Dc()), PRF_CLIENT);
  ::GdiFlush();
  const TRect hot = Box->List().ItemRect(6);
  EXPECT_TRUE(testing::SameRgb(image.View().At(hot.Right - 3, hot.Top + 2), BgraFromColorRef(30763)));
  EXPECT_TRUE(testing::SameRgb(image.View().At(0, 100), BgraFromColorRef(0x333333))) << "the border";

  SendList(WM_LBUTTONDOWN, RowOf(6), MK_LBUTTON);
  SendList(WM_LBUTTONUP, RowOf(6));
  EXPECT_EQ(Selected, std::vector<std::u16string>{u"16"});
  EXPECT_FALSE(Box->DroppedDown());
  EXPECT_FALSE(::IsWindowVisible(list));
  EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(RdComboBoxWinTest, KeysGoThroughThePanelToTheOpenListAndEscapeStaysThere) {
  Open();
  EXPECT_EQ(::GetFocus(), Panel->Handle()) << "the list does not take the focus";
  Key(VK_DOWN);
  Key(VK_DOWN);
  EXPECT_EQ(Box->List().Hot(), 6);
  Key(VK_ESCAPE);
  EXPECT_FALSE(Box->DroppedDown());
  EXPECT_FALSE(::IsWindowVisible(ListWindow()));
  EXPECT_EQ(Parent.KeysPassedOn, 0) << "the Esc that closes the list does not reach the window";
  EXPECT_TRUE(Selected.empty());

  Key(VK_DOWN);  // closed: picks directly
  EXPECT_EQ(Box->Text(), u"14");
  Open();
  Key(VK_END);
  Key(VK_RETURN);
  EXPECT_EQ(Selected, (std::vector<std::u16string>{u"14", u"72"}));
  EXPECT_FALSE(Box->DroppedDown());
  Key(VK_ESCAPE);
  EXPECT_EQ(Parent.KeysPassedOn, 1);
}

TEST_F(RdComboBoxWinTest, APressElsewhereOrALostCaptureClosesWithoutChoosing) {
  Open();
  SendList(WM_LBUTTONDOWN, {-40, -40}, MK_LBUTTON);  // outside the list, which holds the mouse
  EXPECT_FALSE(Box->DroppedDown());
  EXPECT_EQ(::GetCapture(), nullptr);
  Open();
  ::SetCapture(Parent.Handle());  // another window takes the mouse
  EXPECT_FALSE(Box->DroppedDown());
  ::ReleaseCapture();
  Open();
  SendPanel(WM_LBUTTONUP, OnBox);
  EXPECT_TRUE(Box->DroppedDown()) << "the panel let go of the press when the list opened";
  EXPECT_EQ(Shows, 3);
  EXPECT_TRUE(Selected.empty());
}

TEST_F(RdComboBoxWinTest, ALongFontListScrollsByWheelAndThumbDrag) {
  std::vector<std::u16string> fonts;
  for (int i = 0; i < 300; ++i) fonts.push_back(u"Font " + std::u16string(1, char16_t(u'A' + i % 26)));
  Box->SetItems(fonts);
  Box->SetItemIndex(0);
  Open();
  EXPECT_EQ(Box->List().Top(), 0);
  POINT screen{OnBox.X, OnBox.Y};
  ::ClientToScreen(Panel->Handle(), &screen);
  ::SendMessageW(Panel->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(screen.x, screen.y));
  EXPECT_EQ(Box->List().Top(), 3);
  const TRect thumb = Box->List().ThumbRect();
  SendList(WM_LBUTTONDOWN, {thumb.Left + 2, thumb.Top + 2}, MK_LBUTTON);
  SendList(WM_MOUSEMOVE, {thumb.Left + 2, 1000}, MK_LBUTTON);
  SendList(WM_LBUTTONUP, {thumb.Left + 2, 1000});
  EXPECT_EQ(Box->List().Top(), 292);
  EXPECT_TRUE(Box->DroppedDown());
  SendList(WM_MOUSEMOVE, RowOf(299));
  SendList(WM_LBUTTONDOWN, RowOf(299), MK_LBUTTON);
  SendList(WM_LBUTTONUP, RowOf(299));
  EXPECT_EQ(Box->ItemIndex(), 299);
}

TEST_F(RdComboBoxWinTest, AChoiceThatDestroysThePanelIsSafe) {
  Box->OnSelect = [this](TRdControl&) { Panel.reset(); };
  Open();
  SendList(WM_LBUTTONDOWN, RowOf(5), MK_LBUTTON);
  SendList(WM_LBUTTONUP, RowOf(5));
  EXPECT_EQ(Panel, nullptr);
}

}  // namespace
}  // namespace qor
