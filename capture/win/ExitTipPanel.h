#pragma once
// Panel_ExitTip: "Press "ESC" again to exit this screenshot.", centred on the selection after the first ESC of a
// run in which something was drawn, hidden again 3000 ms later.
#include <memory>

#include "CommonLib/RdControl/RdLabel.h"
#include "CommonLib/RdControl/win/RdPanel.h"
#include "base/Geometry.h"
#include "base/Scale.h"

namespace qor {

class TExitTipPanel {
 public:
  explicit TExitTipPanel(TScale scale);
  bool Create(HWND overlay);
  void ShowCentredOn(const TRect& selection);
  void Hide();

 private:
  TScale FScale;
  int32_t FWidth;
  TFormOf<TRdPanel> FPanel;
  TRdLabel* lbl_ExitTipCap = nullptr;
};

}  // namespace qor
