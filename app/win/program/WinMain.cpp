// QorScreenshot.exe: one process, one capture. Start-up order: units, crash reporter, single instance,
// "/testbugreport", debug privilege, then the hidden launcher and the message loop.
#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "app/CommandLine.h"
#include "app/LogManage.h"
#include "app/win/AppSeams.h"
#include "app/win/DpiAwareness.h"
#include "app/win/CrashReporter.h"
#include "app/win/Form_ZynMain.h"
#include "app/win/ProcessState.h"
#include "app/win/StartUp.h"
#include "base/Utf16Text.h"
#include "base/win/Form.h"
#include "capture/win/ScreenShotMainForm.h"

namespace {

void LogFormError(const char* where, const char* what) {
  // Appended piece by piece: GCC 12 warns about a false overlap in u"[" + std::u16string&&.
  std::u16string line = u"[";
  line += qor::Latin1ToUtf16(where);
  line += u"]";
  line += qor::Utf8ToUtf16(what);
  qor::WriteLog(line);
}

// The capture windows of the current run.
std::unique_ptr<qor::TScreenShotMainForm> GOverlay;

void StartCaptureRun(qor::TCaptureMode mode, HWND launcher) {
  qor::ProcessState().CaptureMode = mode;
  qor::ProcessState().LauncherHandle = launcher;
  GOverlay.reset();
  GOverlay = std::make_unique<qor::TFormOf<qor::TScreenShotMainForm>>(mode);
  if (!GOverlay->Create()) {
    qor::WriteLog(u"[StartCaptureRun]overlay could not be created");
    qor::TerminateCapture();
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  // The units: files, folders and log; DPI awareness before any window exists. The launcher loads the language.
  qor::MarkStartUpStep(u"process start");
  qor::win::InstallAppSeams();
  qor::SetFormErrorSink(&LogFormError);
  qor::MarkStartUpStep(u"units");
  qor::win::DeclareDpiAwareness();
  qor::MarkStartUpStep(u"dpi awareness");
  qor::InstallCrashReporter(qor::ParentProductVersion());
  qor::MarkStartUpStep(u"crash reporter");
  if (!qor::ClaimSingleInstance()) return 0;
  qor::MarkStartUpStep(u"mutex");

  const std::u16string firstArgument = qor::FirstArgument();
  try {
    if (qor::IsTestBugReportSwitch(firstArgument)) throw std::runtime_error("/testbugreport");
  } catch (const std::exception& e) {
    qor::ReportError(qor::Utf8ToUtf16(e.what()));
  }
  qor::EnableDebugPrivilege();
  qor::MarkStartUpStep(u"debug privilege");

  HWND launcherHandle = nullptr;
  qor::TFormOf<qor::TForm_ZynMain> launcher(firstArgument,
                                            [&](qor::TCaptureMode mode) { StartCaptureRun(mode, launcherHandle); });
  if (!launcher.Create()) return 0;
  launcherHandle = launcher.Handle();
  qor::MarkStartUpStep(u"launcher");
  launcher.FormShow();

  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    // The overlay sees every key press first, whichever of its windows has the focus.
    if (GOverlay && GOverlay->PreviewKey(msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}
