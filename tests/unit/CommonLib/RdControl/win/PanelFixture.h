#pragma once
// A hidden top-level window to parent panels, message pumping, and reading back what a panel paints.
#include <windows.h>

#include "CommonLib/RdControl/win/RdPanel.h"
#include "base/win/DibImage.h"
#include "base/win/Form.h"
#include "tests/unit/base/win/PumpMessages.h"

namespace qor::testing {

class TParentForm : public TForm {
 public:
  bool Create(int width = 800, int height = 300) {
    return CreateForm(L"TRdPanelTestParent", WS_EX_TOOLWINDOW, WS_POPUP | WS_CLIPCHILDREN, L"", 0, 0, width, height);
  }
};

inline LPARAM At(TPoint p) { return MAKELPARAM(p.X, p.Y); }

// Everything the panel shows, painted through its own paint routine into a DIB of its client size.
inline bool Render(TRdPanel& panel, TDibImage& into) {
  RECT client{};
  ::GetClientRect(panel.Handle(), &client);
  if (!into.Create(client.right, client.bottom)) return false;
  panel.PaintTo(into.Dc(), TRect::FromSize(0, 0, client.right, client.bottom));
  ::GdiFlush();
  return true;
}

inline bool SameRgb(TBgra a, TBgra b) { return a.R == b.R && a.G == b.G && a.B == b.B; }

// Pixels whose colour differs between two renders inside r.
inline int CountDifferent(const TImageView& a, const TImageView& b, const TRect& r) {
  int n = 0;
  for (int32_t y = r.Top; y < r.Bottom; ++y)
    for (int32_t x = r.Left; x < r.Right; ++x) n += SameRgb(a.At(x, y), b.At(x, y)) ? 0 : 1;
  return n;
}

}  // namespace qor::testing
