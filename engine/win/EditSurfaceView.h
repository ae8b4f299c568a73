#pragma once
// Image_Front_ViewEdit: the window of the edit surface. A child of the overlay that lies exactly over the selection,
// takes the mouse while a drawing tool is chosen, and repaints only the rectangles the surface reports.
#include <functional>
#include <memory>

#include "base/win/DibImage.h"
#include "base/win/Form.h"
#include "engine/EditSurface.h"

namespace qor {

// The accent colour of the selection's frame (COLORREF).
inline constexpr COLORREF SelectionFrameColor = 0xFF7733;

class TEditSurfaceView : public TForm {
 public:
  // background becomes the surface's layer 0; bounds are the parent's client coordinates.
  TEditSurfaceView(TImage background, const TRect& bounds, TScale scale);
  // Creates the window hidden.
  bool Create(HWND parent);

  TEditSurface& Surface() { return *FSurface; }
  const TEditSurface& Surface() const { return *FSurface; }
  const TRect& Bounds() const { return FBounds; }
  void Show();
  // Repaints what an operation of the surface changed, and reports a change of the undo steps.
  void Apply(const TSurfaceUpdate& update);

  // Before a press reaches the surface; true when the caller took it (its release then goes nowhere either).
  std::function<bool(TPoint p)> OnPress;
  // A mouse move over the surface with no button held (surface coordinates).
  std::function<void(TPoint p)> OnHover;
  // After every release of the left button on the surface.
  std::function<void()> OnMouseUp;
  // Paints the surface's area (the parent's coordinates) into dc with the area's top-left at the dc's origin: what
  // lies under a window placed over the surface.
  void PaintArea(HDC dc, const TRect& area);
  // After every change of the number of undo or redo steps.
  std::function<void()> OnUndoChanged;

 private:
  std::unique_ptr<TEditSurface> FSurface;
  TRect FBounds;
  TDibImage FCompose;  // where the surface composes a dirty rectangle before it reaches the screen
  bool FPressTaken = false;

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  TPoint MessagePoint() const;
  void OnPaint();
  void DrawFrame(const TRect& area);
  bool OnSetCursor();
};

}  // namespace qor
