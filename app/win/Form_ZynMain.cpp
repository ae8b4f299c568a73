#include "app/win/Form_ZynMain.h"

#include "app/win/AppLog.h"
#include "app/win/ProcessState.h"
#include "app/win/UsageReporter.h"

namespace qor {

TForm_ZynMain::TForm_ZynMain(std::u16string firstArgument, TStartCaptureRun startCaptureRun)
    : FFirstArgument(std::move(firstArgument)), FStartCaptureRun(std::move(startCaptureRun)) {}

bool TForm_ZynMain::Create() {
  // A tool window of size 0 x 0 that is never shown: no taskbar button, nothing on screen.
  if (!CreateForm(L"TForm_ZynMain", WS_EX_TOOLWINDOW, WS_POPUP, L"Varnel Screenshot", 0, 0, 0, 0)) return false;
  FormCreate();
  return true;
}

void TForm_ZynMain::FormCreate() {
  ProcessState().CaptureMode = TCaptureMode::Region;
  InitUsageReporting();
  if (IsScaleSwitch(FFirstArgument)) ProcessState().Scaled = true;
}

void TForm_ZynMain::FormShow() {
  if (auto mode = CaptureModeFromSwitch(FFirstArgument)) {
    FStartCaptureRun(*mode);
    return;
  }
  TerminateCapture();
}

LRESULT TForm_ZynMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WmSecondInstance:  // a second copy was started: the running capture goes on untouched
    case WmOutputDone:      // a copy or save finished: nothing to do here
      return 0;
    case WM_LBUTTONDOWN:
      // A press on the bar drags the window: the system moves it as if the caption was pressed.
      ::ReleaseCapture();
      ::SendMessageW(Handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
      return 0;
    case WM_CLOSE:
      TerminateCapture();
    default:
      return DefaultHandler(message, wParam, lParam);
  }
}

}  // namespace qor
