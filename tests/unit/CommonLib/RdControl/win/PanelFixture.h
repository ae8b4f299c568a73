#pragma once
// A hidden top-level window to parent panels, message pumping, and reading back what a panel paints.
#include <windows.h>

#include "CommonLib/RdControl/win/RdPanel.h"
#include "base/win/DibImage.h"
#include "base/win/Form.h"
#include "tests/unit/base/TestImages.h"
#include "tests/unit/base/win/PumpMessages.h"

namespace qor::testing {

using test::CountDifferent;
using test::SameRgb;

class TParentFormBase : public TForm {
 public:
  bool Create(int width = 800, int height = 300) {
    return CreateForm(L"TRdPanelTestParent", WS_EX_TOOLWINDOW, WS_POPUP | WS_CLIPCHILDREN, L"", 0, 0, width, height);
  }
};
using TParentForm = TFormOf<TParentFormBase>;

// A parent that counts the keys its panel passes on.
class TKeyCountingParentBase : public TParentFormBase {
 public:
  int KeysPassedOn = 0;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_KEYDOWN) {
      ++KeysPassedOn;
      return 0;
    }
    return TParentFormBase::HandleMessage(message, wParam, lParam);
  }
};

inline LPARAM At(TPoint p) { return MAKELPARAM(p.X, p.Y); }
inline TPoint Centre(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

// A left click at p (client coordinates), as a window receives it.
inline void Click(HWND window, TPoint p) {
  ::SendMessageW(window, WM_MOUSEMOVE, 0, At(p));
  ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(p));
  ::SendMessageW(window, WM_LBUTTONUP, 0, At(p));
}

// Everything the panel shows, painted through its own paint routine into a DIB of its client size.
inline bool Render(TRdPanel& panel, TDibImage& into) {
  RECT client{};
  ::GetClientRect(panel.Handle(), &client);
  if (!into.Create(client.right, client.bottom)) return false;
  panel.PaintTo(into.Dc(), TRect::FromSize(0, 0, client.right, client.bottom));
  ::GdiFlush();
  return true;
}

}  // namespace qor::testing
