#include "CommonLib/RdControl/win/RdEditWindow.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "CommonLib/RdControl/win/RdPanel.h"
#include "tests/unit/CommonLib/RdControl/win/PanelFixture.h"

namespace qor {
namespace {

// The save folder's field: a frame drawn by the field, the folder typed in the edit window inside it.
class RdEditWindowTest : public ::testing::Test {
 protected:
  testing::TParentForm Parent;
  std::unique_ptr<TRdPanel> Panel;
  TRdEdit* Field = nullptr;
  std::unique_ptr<TRdEditWindow> Window;
  std::vector<std::u16string> Changes;
  int Copies = 0;

  void SetUp() override {
    ASSERT_TRUE(Parent.Create(400, 100));
    ::ShowWindow(Parent.Handle(), SW_SHOW);
    Panel = std::make_unique<TFormOf<TRdPanel>>(nullptr);
    ASSERT_TRUE(Panel->Create(Parent.Handle(), TRect::FromSize(0, 0, 400, 60)));
    Field = Panel->Add(std::make_unique<TRdEdit>());
    Field->SetBounds(TRect::FromSize(10, 10, 300, 30));
    Field->BorderWidth = 1;
    Field->TextLeftMargin = 5;
    Field->Color = 0x1C1C1C;
    Field->FontNormal.Color = 0xE6E6E6;
    Field->SetText(u"C:\\Pictures");
    Field->OnChange = [this](TRdControl&) { Changes.push_back(Field->Text()); };
    Field->OnTextCopy = [this](TRdControl&) { ++Copies; };
    Window = std::make_unique<TRdEditWindow>(*Panel, *Field);
    ASSERT_TRUE(Window->Create());
  }

  TRect WindowRect() const {
    RECT r{};
    ::GetWindowRect(Window->Handle(), &r);
    ::MapWindowPoints(HWND_DESKTOP, Panel->Handle(), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right, r.bottom};
  }
  // The colours the panel gives the edit window when it paints.
  std::pair<COLORREF, COLORREF> Colours() {
    HDC dc = ::GetDC(Window->Handle());
    const UINT message = Field->ReadOnly ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
    const LRESULT brush = ::SendMessageW(Panel->Handle(), message, reinterpret_cast<WPARAM>(dc),
                                         reinterpret_cast<LPARAM>(Window->Handle()));
    const std::pair<COLORREF, COLORREF> colours{::GetTextColor(dc), brush ? ::GetBkColor(dc) : CLR_INVALID};
    ::ReleaseDC(Window->Handle(), dc);
    return colours;
  }
};

TEST_F(RdEditWindowTest, TheEditWindowLiesOnTheTextAreaShowsTheTextAndFollowsTheField) {
  ASSERT_TRUE(::IsWindowVisible(Window->Handle()));
  EXPECT_EQ(::GetParent(Window->Handle()), Panel->Handle());
  const TRect r = WindowRect();
  EXPECT_EQ(r.Left, 10 + 1 + 5);
  EXPECT_EQ(r.Right, 310 - 1);
  EXPECT_GT(r.Top, 11);
  EXPECT_LT(r.Bottom, 39);
  wchar_t text[64]{};
  ::GetWindowTextW(Window->Handle(), text, 64);
  EXPECT_STREQ(text, L"C:\\Pictures");

  Field->SetText(u"D:\\Shots");
  ::GetWindowTextW(Window->Handle(), text, 64);
  EXPECT_STREQ(text, L"D:\\Shots");
  Field->SetBounds(TRect::FromSize(50, 10, 200, 30));
  EXPECT_EQ(WindowRect().Left, 50 + 1 + 5);
  Field->SetEnabled(false);
  EXPECT_FALSE(::IsWindowEnabled(Window->Handle()));
  Field->SetEnabled(true);
  Field->SetVisible(false);
  EXPECT_FALSE(::IsWindowVisible(Window->Handle()));
}

TEST_F(RdEditWindowTest, TypingFocusAndTheMouseReachTheFieldAndItsFramePicture) {
  Field->Pictures = {u"normal", u"over", u"focus", u"", u"", u""};
  ::SetFocus(Window->Handle());
  EXPECT_TRUE(Field->Editing());
  EXPECT_EQ(Field->ChooseFrame(), u"focus");
  ::SendMessageW(Window->Handle(), EM_SETSEL, 11, 11);
  ::SendMessageW(Window->Handle(), WM_CHAR, L'2', 1);
  EXPECT_EQ(Field->Text(), u"C:\\Pictures2");
  EXPECT_EQ(Changes, std::vector<std::u16string>{u"C:\\Pictures2"});  // one change, not echoed back
  ::SetFocus(Parent.Handle());
  EXPECT_FALSE(Field->Editing());
  ::SendMessageW(Window->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(Field->ChooseFrame(), u"over");
  ::SendMessageW(Window->Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(Field->ChooseFrame(), u"normal");
  // A press on the frame around the text hands the keyboard to the edit window.
  testing::Click(Panel->Handle(), {12, 12});
  EXPECT_EQ(::GetFocus(), Window->Handle());
  ::SendMessageW(Window->Handle(), EM_SETSEL, 0, 3);
  ::SendMessageW(Window->Handle(), WM_COPY, 0, 0);
  EXPECT_EQ(Copies, 1);
}

TEST_F(RdEditWindowTest, ColoursFollowTheStateAlsoWhenReadOnly) {
  EXPECT_EQ(Colours(), std::make_pair(COLORREF(0xE6E6E6), COLORREF(0x1C1C1C)));
  Field->SetErrorMode(true);
  EXPECT_EQ(Colours().first, COLORREF(13421772));
  Field->SetErrorMode(false);
  Field->ReadOnly = true;  // the save folder's field: a read-only edit asks as a static
  Field->SetText(u"E:\\");
  EXPECT_NE(::GetWindowLongW(Window->Handle(), GWL_STYLE) & ES_READONLY, 0);
  EXPECT_EQ(Colours(), std::make_pair(COLORREF(0xE6E6E6), COLORREF(0x1C1C1C)));
}

TEST_F(RdEditWindowTest, RemovingTheFieldEndsItsWindowAndEitherMayGoFirst) {
  HWND handle = Window->Handle();
  Panel->Remove(Field);
  EXPECT_FALSE(::IsWindow(handle));
  Window.reset();  // after its field: nothing left to do
  // And the other way round: the window goes first, the field paints its text itself again.
  auto* field = Panel->Add(std::make_unique<TRdEdit>());
  field->SetBounds(TRect::FromSize(10, 10, 300, 30));
  auto window = std::make_unique<TRdEditWindow>(*Panel, *field);
  ASSERT_TRUE(window->Create());
  handle = window->Handle();
  window.reset();
  EXPECT_FALSE(::IsWindow(handle));
  field->SetText(u"still alive");
  Panel->Remove(field);
  // The panel may go first as well.
  field = Panel->Add(std::make_unique<TRdEdit>());
  window = std::make_unique<TRdEditWindow>(*Panel, *field);
  ASSERT_TRUE(window->Create());
  handle = window->Handle();
  Panel.reset();
  EXPECT_FALSE(::IsWindow(handle));
  window.reset();
}

}  // namespace
}  // namespace qor
