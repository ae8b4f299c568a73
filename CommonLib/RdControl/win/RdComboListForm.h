#pragma once
// The open list of a TRdComboBox: a top-level popup window of class "TRdComboboxListForm", topmost and owned by no
// window, shown without taking activation just below the box (above it when the screen has no room). It holds the
// mouse capture while open, so a press anywhere else reaches it first and closes the list; losing the capture
// (another window took the mouse, the program was switched away from) closes it too. The keys stay with the box's
// panel, which passes them to the box.
#include <windows.h>

#include "CommonLib/RdControl/RdComboBox.h"
#include "CommonLib/RdControl/win/RdGdiCanvas.h"
#include "base/win/DibImage.h"
#include "base/win/Form.h"

namespace qor {

class TRdPanel;

class TRdComboListForm : public TForm, public TRdDropDownList {
 public:
  // panel: the box's host, for its window, pictures and fonts; it outlives the list (the box is one of its controls).
  TRdComboListForm(TRdComboBox& box, TRdPanel& panel);

  void Show(const TRect& anchor, TSize size) override;
  void Hide() override;
  void Refresh() override;

  // Paints the list as it shows it, into dc at its client coordinates.
  void PaintTo(HDC dc);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  TRdComboBox& FBox;
  TRdPanel& FPanel;
  TDibImage FBuffer;
  TRdFontCache FFonts;
  bool FHiding = false;  // capture and visibility change on purpose: no close-up from their messages

  void CloseFromOutside();
};

}  // namespace qor
