#pragma once
// The typing window of a TRdEdit: a standard EDIT control laid on the field's text area inside its panel. It
// follows the field (text, place, visibility, enabled state, font and colours) and reports back what the user
// does (typed text, focus, the pointer over it, text copied out). Create it after the panel's window; destroy it
// before the panel, or let the field's removal end it.
#include <windows.h>

#include "CommonLib/RdControl/RdEdit.h"
#include "CommonLib/RdControl/win/RdGdiCanvas.h"
#include "CommonLib/RdControl/win/RdPanel.h"
#include "base/win/UniqueHandle.h"

namespace qor {

class TRdEditWindow : public TRdEditPeer, public TRdChildWindow {
 public:
  TRdEditWindow(TRdPanel& panel, TRdEdit& edit);
  ~TRdEditWindow() override;
  TRdEditWindow(const TRdEditWindow&) = delete;
  TRdEditWindow& operator=(const TRdEditWindow&) = delete;

  bool Create();
  HWND Handle() const { return FWindow.Get(); }

  // TRdEditPeer
  void EditChanged() override;
  void FocusRequested() override;
  void EditDestroyed() override;
  // TRdChildWindow
  void OnCommand(WORD code) override;
  HBRUSH OnCtlColor(HDC dc) override;

 private:
  TRdPanel& FPanel;
  TRdEdit* FEdit;
  TUniqueWindow FWindow;
  TRdFontCache FFonts;
  TGdiObject FBrush;
  uint32_t FBrushColor = ColorNone;
  bool FTrackingLeave = false;
  bool FSyncing = false;  // the window is being set from the field

  void Sync();
  void Destroy();
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR self);
  LRESULT OnSubclassMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace qor
