#pragma once
// The one process that hosts every pin: a hidden message window of a known class that a second start of the
// program finds and hands its pin to (WM_COPYDATA, checked as outside data). The process ends when its last pin
// closes.
// Usage:
//   qor::TFormOf<qor::TPinHost> host;
//   if (host.Create() && host.AddPin(std::move(pin))) ... message loop until WM_QUIT
//   // a second start:
//   qor::SendPinToHost(qor::FindPinHost(), pin);
#include <windows.h>

#include <memory>
#include <vector>

#include "base/win/Form.h"
#include "companions/pin/PinHandOver.h"
#include "companions/pin/win/FormPinned.h"

namespace qor {

inline constexpr const wchar_t* PinHostClass = L"TQorPinHost";

class TPinHost : public TForm {
 public:
  bool Create();
  // Shows a new pin; false when its window could not be made.
  bool AddPin(TPinRequest pin);
  size_t PinCount() const { return FPins.size(); }
  TFormPinned* Pin(size_t index) const { return FPins[index].get(); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Leaves the pin's window alone until its own message handling is over.
  static constexpr UINT WmPinClosed = WM_APP + 1;
  bool OnCopyData(const COPYDATASTRUCT* data);
  void OnPinClosed(TFormPinned* pin);

  std::vector<std::unique_ptr<TFormOf<TFormPinned>>> FPins;
};

// The running host's window (a message-only window), or null.
HWND FindPinHost();
// True when the host took the pin.
bool SendPinToHost(HWND host, const TPinRequest& pin);

}  // namespace qor
