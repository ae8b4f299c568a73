#pragma once
// TFormScrollWinsPreView: the long picture so far, squeezed into a box beside the region (the run window decides
// the box). It never takes the focus; the pointer entering it raises the toolbar again.
#include <functional>

#include "base/Geometry.h"
#include "base/win/DibImage.h"
#include "base/win/Form.h"

namespace qor {

class TFormScrollWinsPreView : public TForm {
 public:
  bool Create();
  // Shows the reduced long picture scaled into bounds (screen coordinates); false when no bitmap could be made.
  bool ShowScaled(const TConstImageView& reduced, const TRect& bounds);
  void MoveTo(const TRect& bounds);
  void Hide();
  bool Visible() const;
  TRect Bounds() const { return FBounds; }
  std::function<void()> OnMouseEnter;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  TDibImage FPicture;  // Image_Front
  TRect FBounds;
  bool FPointerInside = false;
};

}  // namespace qor
