#include "app/win/CrashReporter.h"

#include <windows.h>

#include <cstdio>
#include <exception>

#include "app/CrashReport.h"
#include "app/LogManage.h"

namespace qor {

namespace {

std::u16string GVersion = u"4.0.0.0";

std::u16string Widen(const char* text) {
  std::u16string out;
  for (; text && *text; ++text) out.push_back(char16_t(static_cast<unsigned char>(*text)));
  return out;
}

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* info) {
  const DWORD code = info && info->ExceptionRecord ? info->ExceptionRecord->ExceptionCode : 0;
  char text[64];
  if (code == EXCEPTION_ACCESS_VIOLATION)
    std::snprintf(text, sizeof text, "Access violation");
  else if (code == EXCEPTION_PRIV_INSTRUCTION)
    std::snprintf(text, sizeof text, "Privileged instruction");
  else
    std::snprintf(text, sizeof text, "External exception %08lX", static_cast<unsigned long>(code));
  ReportError(Widen(text));
  // A system exception cannot be resumed here: an ignored one ends the process without a report.
  ::ExitProcess(1);
}

void OnTerminate() {
  std::u16string message = u"unknown error";
  if (auto current = std::current_exception()) {
    try {
      std::rethrow_exception(current);
    } catch (const std::exception& e) {
      message = Widen(e.what());
    } catch (...) {
    }
  }
  WriteLog(CrashReportLine(GVersion, message));
  ::ExitProcess(1);
}

}  // namespace

void InstallCrashReporter(std::wstring version) {
  GVersion.assign(version.begin(), version.end());
  ::SetUnhandledExceptionFilter(&OnUnhandledException);
  std::set_terminate(&OnTerminate);
}

void ReportError(std::u16string_view message) {
  if (IsIgnoredError(message)) return;
  WriteLog(CrashReportLine(GVersion, message));
  ::ExitProcess(1);
}

}  // namespace qor
