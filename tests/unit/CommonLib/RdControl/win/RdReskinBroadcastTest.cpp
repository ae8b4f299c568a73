#include "CommonLib/RdControl/win/RdReskinBroadcast.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <thread>

#include "base/win/Form.h"
#include "tests/unit/base/win/PumpMessages.h"

namespace qor {
namespace {

using testing::PumpUntil;

// A window that counts the re-skin messages and its paints, and notes whether a paint followed a re-skin.
class TSkinnedWindowBase : public TForm {
 public:
  int Reskins = 0;
  int Paints = 0;
  int PaintsAfterReskin = 0;
  bool ZeroParameters = true;

  bool CreateTopLevel(int x) {
    return CreateForm(L"TRdReskinTestWindow", WS_EX_TOOLWINDOW, WS_POPUP | WS_VISIBLE, L"", x, 0, 60, 40);
  }
  bool CreateChild(HWND parent) {
    return CreateForm(L"TRdReskinTestWindow", 0, WS_CHILD | WS_VISIBLE, L"", 5, 5, 20, 20, parent);
  }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == RdReskinMessage) {
      ++Reskins;
      ZeroParameters = ZeroParameters && wParam == 0 && lParam == 0;
      FReskinPending = true;
      return 0;
    }
    if (message == WM_PAINT) {
      PAINTSTRUCT ps;
      ::BeginPaint(Handle(), &ps);
      ::EndPaint(Handle(), &ps);
      ++Paints;
      if (FReskinPending) ++PaintsAfterReskin;
      FReskinPending = false;
      return 0;
    }
    return TForm::HandleMessage(message, wParam, lParam);
  }

 private:
  bool FReskinPending = false;
};
using TSkinnedWindow = TFormOf<TSkinnedWindowBase>;

class RdReskinBroadcastTest : public ::testing::Test {
 protected:
  TSkinnedWindow First, Second, Child;
  void SetUp() override {
    ASSERT_TRUE(First.CreateTopLevel(0));
    ASSERT_TRUE(Second.CreateTopLevel(100));
    ASSERT_TRUE(Child.CreateChild(First.Handle()));
    // Let the first paints happen, so what follows is the broadcast's doing.
    ASSERT_TRUE(PumpUntil([&] { return First.Paints > 0 && Second.Paints > 0 && Child.Paints > 0; }));
  }
};

TEST_F(RdReskinBroadcastTest, EveryTopLevelWindowGetsTheMessageAndIsRepaintedWithItsChildrenAtOnce) {
  const int firstPaints = First.Paints, childPaints = Child.Paints;
  EXPECT_GE(BroadcastReskin(), 2);
  // Sent and redrawn before the call returns: no message pumping needed.
  EXPECT_EQ(First.Reskins, 1);
  EXPECT_EQ(Second.Reskins, 1);
  EXPECT_TRUE(First.ZeroParameters && Second.ZeroParameters);
  EXPECT_EQ(First.PaintsAfterReskin, 1);  // the repaint came after the message
  EXPECT_EQ(Second.PaintsAfterReskin, 1);
  EXPECT_EQ(First.Paints, firstPaints + 1);
  // Children are repainted but not told: their top-level window passes the news on as it sees fit.
  EXPECT_EQ(Child.Reskins, 0);
  EXPECT_EQ(Child.Paints, childPaints + 1);
}

TEST_F(RdReskinBroadcastTest, AWindowOfAnotherThreadOfTheProcessIsToldToo) {
  std::atomic<HWND> other{nullptr};
  std::atomic<int> otherReskins{0};
  std::atomic<bool> stop{false};
  std::thread thread([&] {
    TSkinnedWindow window;
    if (!window.CreateTopLevel(200)) return;
    other = window.Handle();
    PumpUntil(
        [&] {
          otherReskins = window.Reskins;
          return stop.load();
        },
        20000);
  });
  const bool created = PumpUntil([&] { return other.load() != nullptr; });
  EXPECT_TRUE(created);
  if (created) {
    BroadcastReskin();
    EXPECT_TRUE(PumpUntil([&] { return otherReskins.load() == 1; }));
  }
  stop = true;
  thread.join();
  EXPECT_EQ(First.Reskins, 1);
}

TEST_F(RdReskinBroadcastTest, TheSkinStylesReskinReachesTheWindowsWithTheirRedrawFlags) {
  TRdSkinStyles styles;
  InstallReskinBroadcast(styles);
  styles.Reskin(RdReskinRedrawErase);
  EXPECT_EQ(First.Reskins, 1);
  EXPECT_EQ(Second.Reskins, 1);
  EXPECT_EQ(Second.PaintsAfterReskin, 0);  // invalidated without an update: painted when messages are handled
  EXPECT_TRUE(PumpUntil([&] { return Second.PaintsAfterReskin == 1 && First.PaintsAfterReskin == 1; }));
}

}  // namespace
}  // namespace qor
