#include "companions/pin/win/PinHost.h"

#include "app/LogManage.h"
#include "base/Utf16Text.h"
#include "companions/pin/PinPayload.h"

namespace qor {

bool TPinHost::Create() { return CreateForm(PinHostClass, 0, 0, L"", 0, 0, 0, 0, HWND_MESSAGE); }

bool TPinHost::AddPin(TPinRequest pin) {
  auto form = std::make_unique<TFormOf<TFormPinned>>(
      std::move(pin), [this](TFormPinned* closed) { ::PostMessageW(Handle(), WmPinClosed, 0, (LPARAM)closed); });
  if (!form->Create()) {
    WriteLog(u"[Pin]the pin window could not be created");
    return false;
  }
  FPins.push_back(std::move(form));
  return true;
}

LRESULT TPinHost::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COPYDATA: return OnCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam)) ? TRUE : FALSE;
    case WmPinClosed: OnPinClosed(reinterpret_cast<TFormPinned*>(lParam)); return 0;
    default: return DefaultHandler(message, wParam, lParam);
  }
}

bool TPinHost::OnCopyData(const COPYDATASTRUCT* data) {
  if (!data || data->dwData != PinCopyDataId) {
    WriteLog(u"[Pin]ignored a message that is no pin");
    return false;
  }
  auto pin = UnpackPinRequest(static_cast<const uint8_t*>(data->lpData), data->cbData);
  if (!pin) {
    WriteLog(u"[Pin]rejected a pin of " + IntToText(data->cbData) + u" bytes");
    return false;
  }
  WriteLog(u"[Pin]pin handed over by a second start");
  return AddPin(std::move(*pin));
}

void TPinHost::OnPinClosed(TFormPinned* pin) {
  std::erase_if(FPins, [pin](const auto& p) { return p.get() == pin; });
  if (FPins.empty()) {
    WriteLog(u"[Pin]last pin closed");
    ::PostQuitMessage(0);
  }
}

HWND FindPinHost() { return ::FindWindowExW(HWND_MESSAGE, nullptr, PinHostClass, nullptr); }

bool SendPinToHost(HWND host, const TPinRequest& pin) {
  if (!host) return false;
  std::vector<uint8_t> bytes = PackPinRequest(pin.Rect, pin.Picture.View());
  if (bytes.size() > MAXDWORD) return false;
  // The new pin should take the focus, though the host's process is not the one the user just started.
  DWORD hostProcess = 0;
  if (::GetWindowThreadProcessId(host, &hostProcess)) ::AllowSetForegroundWindow(hostProcess);
  COPYDATASTRUCT data{PinCopyDataId, DWORD(bytes.size()), bytes.data()};
  DWORD_PTR result = 0;
  return ::SendMessageTimeoutW(host, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 10000,
                               &result) &&
         result == TRUE;
}

}  // namespace qor
