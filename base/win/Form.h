#pragma once
// The small form layer every window of the program is built on: a top-level or child window bound to a C++ object
// at WM_NCCREATE and released at WM_NCDESTROY, with a noexcept window procedure that hands messages to the object
// and catches whatever it throws, and timers owned by the form.
// A form is always made as TFormOf<TMyForm>: its destructor destroys the window while the whole object (its
// overrides and members) is still alive, so WM_DESTROY work always runs and no message reaches a half-destroyed
// form. A form class made any other way does not compile (it is abstract).
//   qor::TFormOf<TNoticForm> notice(scale);
//   auto overlay = std::make_unique<qor::TFormOf<TScreenShotMainForm>>(mode);
#include <windows.h>

#include <functional>
#include <map>
#include <string>

namespace qor {

// Receives exceptions that a form's message handler let through (the program logs them and goes on).
using TFormErrorSink = void (*)(const char* where, const char* what);
void SetFormErrorSink(TFormErrorSink sink);

template <typename T>
class TFormOf;

class TForm {
 public:
  TForm() = default;
  virtual ~TForm();
  TForm(const TForm&) = delete;
  TForm& operator=(const TForm&) = delete;

  HWND Handle() const { return FHandle; }
  void Destroy();

  // A timer of this form: Start (re)arms it with a period in milliseconds, Stop disarms it.
  void StartTimer(UINT_PTR id, UINT periodMs, std::function<void()> onTick);
  void StopTimer(UINT_PTR id);
  bool TimerRunning(UINT_PTR id) const { return FTimers.count(id) != 0; }

 protected:
  // Only TFormOf can make one: the key that makes a form class concrete.
  class TFormKey {
    template <typename T>
    friend class TFormOf;
    TFormKey() = default;
  };
  virtual TFormKey MadeAsTFormOf() const = 0;

  // Registers the class (once per name) and creates the window; false when the system refuses.
  bool CreateForm(const wchar_t* className, DWORD exStyle, DWORD style, const wchar_t* caption, int x, int y, int width,
                  int height, HWND parent = nullptr, UINT classStyle = 0);
  // Messages not handled here go to DefWindowProc.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  HWND FHandle = nullptr;
  std::map<UINT_PTR, std::function<void()>> FTimers;

  static LRESULT CALLBACK WindowProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
};

template <typename T>
class TFormOf final : public T {
 public:
  using T::T;
  ~TFormOf() override { this->Destroy(); }

 private:
  typename TForm::TFormKey MadeAsTFormOf() const override { return {}; }
};

}  // namespace qor
