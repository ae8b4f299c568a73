#include "base/win/Form.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

#include "tests/unit/base/win/PumpMessages.h"

using namespace qor;
using qor::testing::PumpFor;
using qor::testing::PumpUntil;

namespace {

class TProbeFormBase : public TForm {
 public:
  bool Create() { return CreateForm(L"TProbeForm", WS_EX_TOOLWINDOW, WS_POPUP, L"probe", 0, 0, 10, 10); }
  int Pings = 0;
  std::vector<UINT>* Seen = nullptr;  // where WM_DESTROY is recorded, read after the form is gone

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_DESTROY && Seen) Seen->push_back(message);
    if (message == WM_USER + 1) {
      ++Pings;
      return 42;
    }
    if (message == WM_USER + 2) throw std::runtime_error("handler failed");
    return DefaultHandler(message, wParam, lParam);
  }
};

using TProbeForm = TFormOf<TProbeFormBase>;
// A form class cannot be made except through TFormOf, whose destructor destroys the window first.
static_assert(std::is_abstract_v<TProbeFormBase>);

std::string GLastError;
void RecordError(const char* where, const char* what) { GLastError = std::string(where) + ":" + what; }

}  // namespace

TEST(Form, MessagesReachTheObjectBoundToTheWindow) {
  TProbeForm form;
  ASSERT_TRUE(form.Create());
  EXPECT_EQ(::SendMessageW(form.Handle(), WM_USER + 1, 0, 0), 42);
  EXPECT_EQ(form.Pings, 1);
  // Two forms of one class stay apart.
  TProbeForm other;
  ASSERT_TRUE(other.Create());
  ::SendMessageW(other.Handle(), WM_USER + 1, 0, 0);
  EXPECT_EQ(form.Pings, 1);
  EXPECT_EQ(other.Pings, 1);
}

TEST(Form, AnExceptionInAHandlerIsReportedAndDoesNotEscape) {
  SetFormErrorSink(&RecordError);
  TProbeForm form;
  ASSERT_TRUE(form.Create());
  EXPECT_EQ(::SendMessageW(form.Handle(), WM_USER + 2, 0, 0), 0);
  EXPECT_EQ(GLastError, "WndProc:handler failed");
  SetFormErrorSink(nullptr);
}

TEST(Form, TimersTickUntilStoppedAndMayStopThemselves) {
  TProbeForm form;
  ASSERT_TRUE(form.Create());
  int ticks = 0;
  form.StartTimer(7, 5, [&] {
    if (++ticks == 3) form.StopTimer(7);
  });
  ASSERT_TRUE(PumpUntil([&] { return ticks >= 3; }, 3000));
  EXPECT_EQ(ticks, 3);
  EXPECT_FALSE(form.TimerRunning(7));
  PumpFor(60);
  EXPECT_EQ(ticks, 3);
}

TEST(Form, DestroyingTheFormDestroysItsWindowWhileItsOwnHandlerStillRuns) {
  std::vector<UINT> seen;
  std::unique_ptr<TProbeFormBase> form = std::make_unique<TProbeForm>();
  ASSERT_TRUE(form->Create());
  form->Seen = &seen;
  HWND handle = form->Handle();
  form.reset();  // the form class itself never calls Destroy()
  EXPECT_FALSE(::IsWindow(handle));
  EXPECT_EQ(seen, std::vector<UINT>{WM_DESTROY});
}
