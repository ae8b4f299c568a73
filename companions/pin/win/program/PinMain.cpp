// QorScreenshotPin.exe /ZynMain: shows the picture the overlay handed over as a pin. The first start hosts every
// pin; a later start hands its pin to the running one and ends. The process ends when its last pin closes.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "app/Language.h"
#include "app/LogManage.h"
#include "app/MessageTexts.h"
#include "app/SafeIniFile.h"
#include "app/win/AppSeams.h"
#include "app/win/DpiAwareness.h"
#include "app/win/StartUp.h"
#include "base/Utf16Text.h"
#include "base/win/UniqueHandle.h"
#include "companions/pin/win/PinHandOverFile.h"
#include "companions/pin/win/PinHost.h"
#include "output/PinContract.h"

namespace {

constexpr const wchar_t* HostMutexName = L"QorScreenshotPinHost";
// How long a second start looks for the host that the first start is still creating.
constexpr int HostWaitTries = 100;
constexpr DWORD HostWaitStepMs = 50;

void LogFormError(const char* where, const char* what) {
  qor::WriteLog(u"[Pin]" + qor::Latin1ToUtf16(where) + u"," + qor::Utf8ToUtf16(what));
}

HWND WaitForHost() {
  for (int i = 0; i < HostWaitTries; ++i) {
    if (HWND host = qor::FindPinHost()) return host;
    ::Sleep(HostWaitStepMs);  // the first start is between its mutex and its window
  }
  return nullptr;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  qor::win::InstallAppSeams();
  qor::SetFormErrorSink(&LogFormError);
  qor::win::DeclareDpiAwareness();
  qor::win::MeasureSystemDpi();

  if (!qor::SameText(qor::FirstArgument(), qor::PinProgramSwitch)) {
    qor::WriteLog(u"[Pin]started without " + std::u16string(qor::PinProgramSwitch) + u": nothing to show");
    return 0;
  }
  // Picture and keys first, at once: a second pin may overwrite them any moment.
  std::u16string why;
  auto pin = qor::ReadPinHandOver(why);
  if (!pin) {
    qor::WriteLog(u"[Pin]no pin," + why);
    return 0;
  }

  qor::TKernelHandle mutex(::CreateMutexW(nullptr, FALSE, HostMutexName));
  if (mutex && ::GetLastError() == ERROR_ALREADY_EXISTS) {
    if (qor::SendPinToHost(WaitForHost(), *pin)) return 0;
    qor::WriteLog(u"[Pin]no running pin program took the pin: showing it here");
  }

  qor::AppLanguage().Load(qor::ReadConfigString(u"Main", u"Language", u"English"));
  qor::FillMessageTexts(qor::AppLanguage());
  qor::TFormOf<qor::TPinHost> host;
  if (!host.Create()) {
    qor::WriteLog(u"[Pin]the host window could not be created");
    return 0;
  }
  if (!host.AddPin(std::move(*pin))) return 0;

  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}
