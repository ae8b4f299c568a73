#include <gtest/gtest.h>

#include "output/win/TipForm.h"
#include "tests/unit/CommonLib/RdControl/win/PanelFixture.h"
#include "tests/unit/app/SettingsTest.h"

namespace qor {
namespace {

using testing::Centre;
using testing::PumpUntil;

constexpr std::u16string_view Key = u"ScreenshotClipboardShow";

// The tip goes to the top-left corner: the pointer of a fresh X server rests in the middle, where it would count
// as hovering and hold the close timer.
TTipOptions Options(double scale, UINT closePeriodMs = TipClosePeriodMs) {
  TTipOptions options;
  options.Scale = TScale{scale};
  options.ClosePeriodMs = closePeriodMs;
  options.Screen = TRect{0, 0, 400 * int32_t(scale), 200 * int32_t(scale)};
  return options;
}

class TipForm : public test::TSettingsTest {
 protected:
  // Wherever an earlier test left it, the pointer goes to a corner the tips keep clear of.
  void SetUp() override {
    test::TSettingsTest::SetUp();
    ::SetCursorPos(0, 0);
  }
};

// The layout's numbers are checked on the portable layout; here what only real windows show: the client size, the
// centring, and the captions measured by GDI.
TEST_F(TipForm, ShowsCentredWithMeasuredCaptionsAtEachScale) {
  for (const double scale : {1.0, 2.0}) {
    SCOPED_TRACE(scale);
    TTipOptions options = Options(scale);
    options.Screen = TRect{100, 50, 1100, 850};
    TFormOf<TTipForm> tip(options);
    ASSERT_TRUE(tip.Create(nullptr));
    tip.Show();
    RECT client{}, window{};
    ::GetClientRect(tip.Handle(), &client);
    ::GetWindowRect(tip.Handle(), &window);
    EXPECT_EQ((TSize{int32_t(client.right), int32_t(client.bottom)}), TipClientSize(TScale{scale}));
    EXPECT_EQ(window.left, 100 + (1000 - (window.right - window.left)) / 2);
    EXPECT_EQ(window.top, 50 + (800 - (window.bottom - window.top)) / 2);
    EXPECT_LT(tip.CheckBounds().Right, tip.OkBounds().Left);        // the English caption fits beside OK
    EXPECT_GT(tip.CheckBounds().Width(), TScale{scale}(21 + 100));  // text margin and a measured caption
    EXPECT_GT(tip.LabelBounds().Height(), 14 * scale);              // the text wraps onto a full line
    EXPECT_TRUE(::IsWindowVisible(tip.Handle()));
    EXPECT_TRUE(tip.CloseTimerRunning());
    EXPECT_TRUE(tip.Checked());  // ticked at first
  }
}

// What each setting value means is checked on the portable code; here the clicks reach it.
TEST_F(TipForm, CheckBoxTogglesAndOkWritesOneOnlyWhenTicked) {
  SetSetting(Key, u"7");
  for (const bool untick : {true, false}) {
    TFormOf<TTipForm> tip(Options(1.0));
    ASSERT_TRUE(tip.Create(nullptr));
    tip.Show();
    testing::Click(tip.MainPanel()->Handle(), Centre(tip.CheckBounds()));
    EXPECT_FALSE(tip.Checked());
    if (!untick) testing::Click(tip.MainPanel()->Handle(), Centre(tip.CheckBounds()));
    EXPECT_EQ(tip.Checked(), !untick);
    EXPECT_FALSE(tip.Closed());
    testing::Click(tip.MainPanel()->Handle(), Centre(tip.OkBounds()));
    ASSERT_TRUE(PumpUntil([&] { return tip.Closed(); }));
    EXPECT_FALSE(::IsWindowVisible(tip.Handle()));
    EXPECT_FALSE(tip.CloseTimerRunning());
    EXPECT_EQ(Setting(Key), untick ? u"7" : u"1");
  }
}

TEST_F(TipForm, TimerClosesTheTipWritingOneOnlyWhenTickedAndPausesWhileThePointerIsOverIt) {
  for (const bool ticked : {false, true}) {
    TFormOf<TTipForm> tip(Options(1.0, 50));
    ASSERT_TRUE(tip.Create(nullptr));
    tip.SetChecked(ticked);
    tip.Show();
    ASSERT_TRUE(PumpUntil([&] { return tip.Closed(); }));
    EXPECT_EQ(Setting(Key), ticked ? u"1" : u"<missing>");
  }
  // The pointer over the tip stops the timer, leaving restarts it.
  SetSetting(Key, u"0");
  TFormOf<TTipForm> tip(Options(1.0, 50));
  ASSERT_TRUE(tip.Create(nullptr));
  tip.Show();
  HWND panel = tip.MainPanel()->Handle();
  ::SendMessageW(panel, WM_MOUSEMOVE, 0, testing::At({5, 5}));
  EXPECT_FALSE(tip.CloseTimerRunning());
  testing::PumpFor(300);  // six periods: the hovered tip stays
  EXPECT_FALSE(tip.Closed());
  ::SendMessageW(panel, WM_MOUSELEAVE, 0, 0);  // the pointer is far away (SetUp)
  EXPECT_TRUE(tip.CloseTimerRunning());
  ASSERT_TRUE(PumpUntil([&] { return tip.Closed(); }));
  EXPECT_EQ(Setting(Key), u"1");
}

// Samples, from inside the modal loop, whether the tip is up and its owner disabled.
bool GSawShowing = false, GSawOwnerDisabled = false;
HWND GSawWindow = nullptr, GOwner = nullptr;
void CALLBACK Sample(HWND, UINT, UINT_PTR, DWORD) {
  GSawShowing = GSawShowing || ClipboardTipShowing();
  GSawOwnerDisabled = GSawOwnerDisabled || !::IsWindowEnabled(GOwner);
  if (!GSawWindow) GSawWindow = ::FindWindowW(L"TTipForm", nullptr);
}

TEST_F(TipForm, ModalTipDisablesItsOwnerUntilItsTimerClosesItAndIsNotShownAgain) {
  GOwner = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(GOwner, nullptr);
  GSawShowing = GSawOwnerDisabled = false;
  GSawWindow = nullptr;
  const UINT_PTR sampler = ::SetTimer(nullptr, 0, 10, Sample);
  // Should the close timer never fire, a quit message every 5 s ends the modal loops and the check below fails.
  const UINT_PTR guard = ::SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR, DWORD) { ::PostQuitMessage(99); });
  EXPECT_TRUE(ShowClipboardTipIfWanted(GOwner, Options(1.0, 150)));
  ::KillTimer(nullptr, sampler);
  MSG quit;
  EXPECT_FALSE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the close timer never fired";
  EXPECT_TRUE(GSawShowing);
  EXPECT_TRUE(GSawOwnerDisabled);
  EXPECT_TRUE(::IsWindowEnabled(GOwner));
  EXPECT_NE(GSawWindow, nullptr);
  EXPECT_FALSE(::IsWindow(GSawWindow));  // released after closing
  EXPECT_FALSE(ClipboardTipShowing());
  EXPECT_EQ(Setting(Key), u"1");
  EXPECT_FALSE(ShowClipboardTipIfWanted(nullptr, Options(1.0, 150)));  // the next copy shows no tip
  ::KillTimer(nullptr, guard);
  ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  EXPECT_FALSE(ClipboardTipShowing());
  ::DestroyWindow(GOwner);
}

TEST_F(TipForm, QuitMessageEndsTheModalTipAndIsPassedOn) {
  ::PostQuitMessage(3);
  EXPECT_TRUE(ShowClipboardTipIfWanted(nullptr, Options(1.0, 60000)));
  EXPECT_FALSE(ClipboardTipShowing());
  MSG msg;
  ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 3u);
  EXPECT_EQ(Setting(Key), u"<missing>");  // neither OK nor the timer
}

HWND GReleaseTarget = nullptr;
void CALLBACK ReleaseButton(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  ::PostMessageW(GReleaseTarget, WM_LBUTTONUP, 0, 0);
  ::PostMessageW(GReleaseTarget, WM_KEYDOWN, VK_ESCAPE, 0);
}

// A press on the text or the background starts moving the window (and returns once the button is up); it never
// counts as a click on the check box or OK.
TEST_F(TipForm, PressOnTheTextDragsInsteadOfClicking) {
  TFormOf<TTipForm> tip(Options(1.0));
  ASSERT_TRUE(tip.Create(nullptr));
  tip.Show();
  GReleaseTarget = tip.Handle();
  const UINT_PTR release = ::SetTimer(nullptr, 0, 50, ReleaseButton);
  ::SendMessageW(tip.MainPanel()->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, testing::At(Centre(tip.LabelBounds())));
  ::KillTimer(nullptr, release);
  EXPECT_TRUE(tip.Checked());
  EXPECT_FALSE(tip.Closed());
  EXPECT_EQ(tip.MainPanel()->PressedControl(), nullptr);
}

}  // namespace
}  // namespace qor
