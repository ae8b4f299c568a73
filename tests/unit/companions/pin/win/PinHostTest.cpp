#include "companions/pin/win/PinHost.h"

#include <gtest/gtest.h>

#include "companions/pin/PinPayload.h"
#include "companions/pin/PinZoom.h"

namespace qor {
namespace {

TPinRequest TestPin(TRect rect) {
  TPinRequest pin{rect, TImage(rect.Width(), rect.Height(), {10, 20, 30, 255})};
  return pin;
}

LRESULT SendCopyData(HWND host, ULONG_PTR id, const std::vector<uint8_t>& bytes, DWORD claimedSize) {
  COPYDATASTRUCT data{id, claimedSize, const_cast<uint8_t*>(bytes.data())};
  return ::SendMessageW(host, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}

// Delivers what is queued; true when WM_QUIT came.
bool PumpUntilQuit() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) return true;
    ::DispatchMessageW(&msg);
  }
  return false;
}

TRect ClientOnScreen(HWND wnd) {
  RECT client{};
  ::GetClientRect(wnd, &client);
  POINT origin{0, 0};
  ::ClientToScreen(wnd, &origin);
  return TRect::FromSize(origin.x, origin.y, client.right, client.bottom);
}

TEST(PinHost, RejectsCopyDataWhoseSizesDoNotAddUp) {
  TFormOf<TPinHost> host;
  ASSERT_TRUE(host.Create());
  EXPECT_EQ(FindPinHost(), host.Handle());
  const TPinRequest pin = TestPin({100, 100, 140, 130});
  const std::vector<uint8_t> good = PackPinRequest(pin.Rect, pin.Picture.View());
  EXPECT_FALSE(SendCopyData(host.Handle(), 12345, good, DWORD(good.size())));
  EXPECT_FALSE(SendCopyData(host.Handle(), PinCopyDataId, good, DWORD(good.size() - 4)));
  EXPECT_FALSE(SendCopyData(host.Handle(), PinCopyDataId, good, 10));
  std::vector<uint8_t> lying = good;
  lying[20] = 0xFF;  // a width that the bytes do not hold
  EXPECT_FALSE(SendCopyData(host.Handle(), PinCopyDataId, lying, DWORD(lying.size())));
  EXPECT_EQ(host.PinCount(), 0u);
  EXPECT_EQ(::FindWindowW(L"TFormPinned", nullptr), nullptr);

  EXPECT_TRUE(SendCopyData(host.Handle(), PinCopyDataId, good, DWORD(good.size())));
  ASSERT_EQ(host.PinCount(), 1u);
  EXPECT_EQ(ClientOnScreen(host.Pin(0)->Handle()), pin.Rect);
}

TEST(FormPinned, ClientAreaIsTheHandedRectangleAndTheMarginLiesAround) {
  TFormOf<TPinHost> host;
  ASSERT_TRUE(host.Create());
  const TRect rect{200, 150, 520, 390};
  ASSERT_TRUE(host.AddPin(TestPin(rect)));
  HWND wnd = host.Pin(0)->Handle();
  wchar_t className[64] = {};
  ::GetClassNameW(wnd, className, 64);
  EXPECT_STREQ(className, L"TFormPinned");
  EXPECT_TRUE(::IsWindowVisible(wnd));
  const LONG_PTR exStyle = ::GetWindowLongPtrW(wnd, GWL_EXSTYLE);
  EXPECT_TRUE(exStyle & WS_EX_LAYERED);
  EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
  EXPECT_EQ(ClientOnScreen(wnd), rect);
  RECT window{};
  ::GetWindowRect(wnd, &window);
  EXPECT_LT(window.left, rect.Left);
  EXPECT_EQ(rect.Left - window.left, window.right - rect.Right);
  EXPECT_EQ(rect.Top - window.top, window.bottom - rect.Bottom);
}

TEST(FormPinned, ZoomingKeepsTheClientAreaOnThePictureAndTheCursorPoint) {
  TFormOf<TPinHost> host;
  ASSERT_TRUE(host.Create());
  ASSERT_TRUE(host.AddPin(TestPin({100, 100, 300, 200})));
  TFormPinned* pin = host.Pin(0);
  pin->ZoomBy(2, {150, 120});  // picture point (50, 20)
  EXPECT_DOUBLE_EQ(pin->Zoom(), 1.21);
  EXPECT_EQ(pin->Shown(), (TRect{90, 96, 332, 217}));
  EXPECT_EQ(ClientOnScreen(pin->Handle()), pin->Shown());
  pin->ZoomBy(-2, {150, 120});
  EXPECT_EQ(pin->Zoom(), 1.0);
  EXPECT_EQ(ClientOnScreen(pin->Handle()), (TRect{100, 100, 300, 200}));
  pin->SetOpacity(40);
  EXPECT_EQ(pin->Opacity(), 40);
  pin->SetOpacity(5);
  EXPECT_EQ(pin->Opacity(), PinMinOpacity);
}

TEST(PinHost, ClosingTheLastPinEndsTheMessageLoop) {
  TFormOf<TPinHost> host;
  ASSERT_TRUE(host.Create());
  ASSERT_TRUE(host.AddPin(TestPin({10, 10, 60, 60})));
  ASSERT_TRUE(host.AddPin(TestPin({100, 10, 160, 60})));
  host.Pin(0)->ClosePin();
  EXPECT_FALSE(PumpUntilQuit());
  EXPECT_EQ(host.PinCount(), 1u);
  // Esc on the remaining pin closes it, and with it the program.
  ::SendMessageW(host.Pin(0)->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(PumpUntilQuit());
  EXPECT_EQ(host.PinCount(), 0u);
}

}  // namespace
}  // namespace qor
