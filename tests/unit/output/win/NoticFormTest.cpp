#include <gtest/gtest.h>

#include "app/MessageTexts.h"
#include "output/NoticePlacement.h"
#include "output/win/NoticForm.h"
#include "tests/unit/CommonLib/RdControl/win/PanelFixture.h"
#include "tests/unit/app/SettingsTest.h"

namespace qor {
namespace {

constexpr std::u16string_view Key = u"ScreenshotCapTip";
const TRect Desktop{0, 0, 1024, 768};

using NoticForm = test::TSettingsTest;

TRect WindowRect(HWND wnd) {
  RECT r{};
  ::GetWindowRect(wnd, &r);
  return {r.left, r.top, r.right, r.bottom};
}

TEST_F(NoticForm, IsCreatedHiddenWithTheLanguageTextsStacked) {
  TFormOf<TNoticForm> notice(TScale{1.0});
  ASSERT_TRUE(notice.Create(Desktop));
  EXPECT_FALSE(notice.Visible());
  EXPECT_EQ(notice.Label2Text(), u"Exit Capture: Right click or press ESC to exit.");  // fits: unchanged
  EXPECT_GT(notice.Label1Bounds().Height(), 20);  // GDI wraps the first line at 370
  RECT client{};
  ::GetClientRect(notice.Handle(), &client);
  EXPECT_EQ((TSize{int32_t(client.right), int32_t(client.bottom)}), (TSize{400, notice.Label2Bounds().Bottom + 15}));
  EXPECT_EQ(notice.WindowSize(), (TSize{400, notice.Label2Bounds().Bottom + 15}));
}

TEST_F(NoticForm, ShowsBesideTheCursorWithoutTakingFocusOrMouseAndFlipsNearTheEdges) {
  HWND focus =
      ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(focus, nullptr);
  ::SetForegroundWindow(focus);
  ::SetActiveWindow(focus);
  TFormOf<TNoticForm> notice(TScale{1.0});
  ASSERT_TRUE(notice.Create(Desktop));
  const TSize size = notice.WindowSize();
  notice.ShowAt(100, 200, 150);
  testing::PumpFor(50);
  EXPECT_TRUE(notice.Visible());
  EXPECT_EQ(WindowRect(notice.Handle()), TRect::FromSize(120, 370, size.Width, size.Height));
  EXPECT_NE(::GetActiveWindow(), notice.Handle());
  EXPECT_NE(::GetForegroundWindow(), notice.Handle());
  EXPECT_TRUE(::GetWindowLongW(notice.Handle(), GWL_EXSTYLE) & WS_EX_TRANSPARENT);
  // Near the right edge: its right edge at the cursor. Band near the bottom: 20 above it.
  notice.MoveTo(900, 700, 60);
  EXPECT_EQ(WindowRect(notice.Handle()), TRect::FromSize(500, 700 - size.Height - 20, size.Width, size.Height));
  EXPECT_EQ(notice.LastPosition(), (TPoint{500, 700 - size.Height - 20}));
  ::DestroyWindow(focus);
}

TEST_F(NoticForm, LongSecondLineIsShortenedToTheLabelWidth) {
  const std::u16string kept = MessageTexts().M_NoticeInfo_ACNew;
  MessageTexts().M_NoticeInfo_ACNew =
      u"Exit Capture: Right click or press ESC to exit, or wait, or do any of the many other things one might do.";
  TFormOf<TNoticForm> notice(TScale{1.0});
  ASSERT_TRUE(notice.Create(Desktop));
  MessageTexts().M_NoticeInfo_ACNew = kept;
  const std::u16string shown = notice.Label2Text();
  EXPECT_NE(shown.find(u"..."), std::u16string::npos);
  EXPECT_EQ(shown.substr(0, 5), u"Exit ");
  EXPECT_EQ(shown.substr(shown.size() - 3), u"do.");
  EXPECT_LE(notice.Label2Bounds().Width(), 370);
}

TEST_F(NoticForm, CaptureNoticeIsNotCreatedWhenTheKeyIsOne) {
  SetSetting(Key, u"1");
  TCaptureNotice notice;
  notice.Create(Desktop, TScale{});
  EXPECT_FALSE(notice.ShowNotice());
  EXPECT_EQ(notice.Form(), nullptr);
  notice.Start(0);
  EXPECT_EQ(notice.Tick(100, 50, 50, 50), TNoticeTick::None);
  notice.FirstPress();
  EXPECT_EQ(Setting(Key), u"1");
}

TEST_F(NoticForm, CaptureNoticeFollowsTheCursorForSixSecondsThenClosesAndALaterPressWritesNothing) {
  TCaptureNotice notice;
  notice.Create(Desktop, TScale{});
  ASSERT_NE(notice.Form(), nullptr);
  EXPECT_FALSE(notice.Form()->Visible());  // until the first tick
  notice.Start(5000);
  EXPECT_EQ(notice.Tick(5035, 100, 200, 150), TNoticeTick::Moved);
  EXPECT_TRUE(notice.Form()->Visible());
  EXPECT_EQ(notice.Form()->LastPosition(), (TPoint{120, 370}));
  EXPECT_EQ(notice.Tick(5000 + 6999, 140, 200, 150), TNoticeTick::Moved);
  EXPECT_EQ(notice.Form()->LastPosition(), (TPoint{160, 370}));
  HWND wnd = notice.Form()->Handle();
  EXPECT_EQ(notice.Tick(5000 + 7000, 140, 200, 150), TNoticeTick::Closed);
  EXPECT_EQ(notice.Form(), nullptr);
  EXPECT_FALSE(::IsWindow(wnd));
  EXPECT_EQ(notice.Tick(5000 + 7035, 140, 200, 150), TNoticeTick::None);  // gone for this run
  notice.FirstPress();
  EXPECT_EQ(Setting(Key), u"<missing>");
}

TEST_F(NoticForm, FirstPressWritesOneOnlyWhenTheNoticeWasShown) {
  for (const bool shown : {false, true}) {
    SetSetting(Key, u"0");
    TCaptureNotice notice;
    notice.Create(Desktop, TScale{});
    ASSERT_NE(notice.Form(), nullptr);
    if (shown) {
      ASSERT_EQ(notice.Tick(35, 100, 200, 150), TNoticeTick::Moved);  // the first tick starts the clock
    }
    notice.FirstPress();
    EXPECT_EQ(notice.Form(), nullptr);
    EXPECT_EQ(Setting(Key), shown ? u"1" : u"0");
  }
}

}  // namespace
}  // namespace qor
