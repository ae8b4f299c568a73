#pragma once
// TFormScrollWinsTip: the small tip centred on the region: how to use the run (until the first wheel step), or that
// a frame did not stitch.
#include <memory>

#include "CommonLib/RdControl/RdLabel.h"
#include "CommonLib/RdControl/win/RdPanel.h"
#include "CommonLib/RdControl/win/RdSkinPictures.h"
#include "base/Geometry.h"
#include "base/Scale.h"
#include "base/win/Form.h"
#include "scroll/ScrollTipLayout.h"

namespace qor {

class TFormScrollWinsTip : public TForm {
 public:
  explicit TFormScrollWinsTip(TScale scale);
  bool Create();
  // target: the region in screen coordinates.
  void ShowMode(TScrollTipMode mode, const TRect& target);
  void Hide();
  bool Visible() const;
  TScrollTipMode Mode() const { return FMode; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  TScale FScale;
  TScrollTipMode FMode = TScrollTipMode::Usage;
  TRdSkinPictureSource FPictures;
  TFormOf<TRdPanel> FPanel;
  TRdLabel* lbl_ScrollTipCap = nullptr;
};

}  // namespace qor
