#include "base/win/Form.h"

#include <exception>
#include <set>

namespace qor {

namespace {
TFormErrorSink GErrorSink = nullptr;
}

void SetFormErrorSink(TFormErrorSink sink) { GErrorSink = sink; }

TForm::~TForm() { Destroy(); }

void TForm::Destroy() {
  if (FHandle) {
    HWND wnd = FHandle;
    ::DestroyWindow(wnd);  // WM_NCDESTROY clears FHandle
    FHandle = nullptr;
  }
  FTimers.clear();
}

bool TForm::CreateForm(const wchar_t* className, DWORD exStyle, DWORD style, const wchar_t* caption, int x, int y,
                       int width, int height, HWND parent, UINT classStyle) {
  static std::set<std::wstring> registered;
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  if (!registered.count(className)) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = classStyle;
    wc.lpfnWndProc = &TForm::WindowProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(1));
    wc.lpszClassName = className;
    if (!::RegisterClassExW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
    registered.insert(className);
  }
  return ::CreateWindowExW(exStyle, className, caption, style, x, y, width, height, parent, nullptr, instance, this) !=
         nullptr;
}

void TForm::StartTimer(UINT_PTR id, UINT periodMs, std::function<void()> onTick) {
  FTimers[id] = std::move(onTick);
  if (FHandle) ::SetTimer(FHandle, id, periodMs, nullptr);
}

void TForm::StopTimer(UINT_PTR id) {
  if (FHandle) ::KillTimer(FHandle, id);
  FTimers.erase(id);
}

LRESULT TForm::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcW(FHandle, message, wParam, lParam);
}

LRESULT TForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefaultHandler(message, wParam, lParam);
}

LRESULT CALLBACK TForm::WindowProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  TForm* form = nullptr;
  if (message == WM_NCCREATE) {
    form = static_cast<TForm*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    form->FHandle = wnd;
    ::SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  } else {
    form = reinterpret_cast<TForm*>(::GetWindowLongPtrW(wnd, GWLP_USERDATA));
  }
  if (!form) return ::DefWindowProcW(wnd, message, wParam, lParam);

  LRESULT result = 0;
  try {
    if (message == WM_TIMER) {
      auto found = form->FTimers.find(wParam);
      if (found != form->FTimers.end()) {
        auto onTick = found->second;  // the handler may stop or restart its own timer
        onTick();
        return 0;
      }
    }
    result = form->HandleMessage(message, wParam, lParam);
  } catch (const std::exception& e) {
    if (GErrorSink) GErrorSink("WndProc", e.what());
  } catch (...) {
    if (GErrorSink) GErrorSink("WndProc", "unknown error");
  }
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(wnd, GWLP_USERDATA, 0);
    form->FHandle = nullptr;
  }
  return result;
}

}  // namespace qor
