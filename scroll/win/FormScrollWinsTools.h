#pragma once
// TFormScrollWinsTools: the scroll toolbar beside the region with the actions that end the run: exit, pin, copy
// and save. Keys pressed anywhere during the run reach it as message 1227 from the run's keyboard hook.
#include <functional>

#include "CommonLib/RdControl/RdImageButton.h"
#include "CommonLib/RdControl/win/RdPanel.h"
#include "CommonLib/RdControl/win/RdPlainPictures.h"
#include "base/Geometry.h"
#include "base/Scale.h"
#include "base/win/Form.h"
#include "scroll/ScrollToolbarLayout.h"

namespace qor {

class TFormScrollWinsTools : public TForm {
 public:
  explicit TFormScrollWinsTools(TScale scale, bool saveDropVisible = false);
  bool Create();
  // Places the toolbar for the region (screen coordinates) on the desktop and shows it on top.
  void ShowFor(const TRect& region, const TRect& desktop);
  void Hide();
  bool Visible() const;
  void BringToFront();
  void SetTopmost(bool topmost);
  // True for the toolbar's own windows (the button panel and the toolbar).
  bool Owns(HWND window) const;
  void ShowSavePressed(bool pressed);
  TSize Size() const { return FLayout.Client; }

  // An action chosen with the mouse or a key; CanAct says whether one may run now.
  std::function<void(TScrollAction)> OnAction;
  std::function<bool()> CanAct;
  // Whether the preview shows (the keys pressed on the focused toolbar need a result to act on).
  std::function<bool()> PreviewVisible;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  TScale FScale;
  TScrollToolbarLayout FLayout;
  TRdPlainPictureSource FPictures;
  TFormOf<TRdPanel> FPanel;
  TRdImageButton* FButtons[ScrollToolbarChildCount] = {};
  TRect FRegion;
  bool FInside = false;

  void Act(TScrollAction action);
  void KeyFromHook(WPARAM which);
};

}  // namespace qor
