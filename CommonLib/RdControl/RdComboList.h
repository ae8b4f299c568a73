#pragma once
// The open list of a combo box as a model: which rows show (the first visible item), which item is hot (under the
// pointer or moved to by the keys), where items and the scroll bar lie in the list's own coordinates, and how keys,
// the wheel and the scroll bar's thumb move it. The list window only paints it and feeds it input.
#include <cstdint>

#include "CommonLib/RdControl/RdControl.h"

namespace qor {

class TRdComboList {
 public:
  int32_t ItemHeight = 24;
  int32_t Border = 1;  // the frame around the items
  int32_t ScrollBarWidth = 10;
  int32_t MinThumbHeight = 16;

  // Opens on count items, showing at most maxRows of them, width pixels wide; the selected item is hot and shown.
  void Open(int32_t count, int32_t maxRows, int32_t width, int32_t selected);

  int32_t Count() const { return FCount; }
  int32_t Rows() const { return FRows; }  // visible rows
  int32_t Top() const { return FTop; }    // the first visible item
  int32_t Hot() const { return FHot; }    // -1: none
  TSize Size() const { return {FWidth, FRows * ItemHeight + 2 * Border}; }
  bool HasScrollBar() const { return FCount > FRows; }

  // An item's row (empty when scrolled out of view) and the item at a point (-1 when none).
  TRect ItemRect(int32_t index) const;
  int32_t ItemAt(TPoint p) const;
  // The scroll bar's track and thumb (empty without a scroll bar).
  TRect TrackRect() const;
  TRect ThumbRect() const;

  // Each returns whether anything changed.
  bool SetTop(int32_t top);  // clamped so that the rows stay filled
  bool Scroll(int32_t rows);
  bool EnsureVisible(int32_t index);
  bool SetHot(int32_t index);
  // Up, Down, Home, End, PageUp, PageDown move the hot item (kept in view, stopping at the ends); false for other
  // keys.
  bool MoveHot(TRdKey key);

  // The scroll bar under the pointer: a press on the thumb starts a drag, a press on the track pages toward it.
  // Returns false when p is not on the track.
  bool PressScrollBar(TPoint p);
  bool DraggingThumb() const { return FDragging; }
  bool DragThumb(TPoint p);
  void EndThumbDrag() { FDragging = false; }

 private:
  int32_t FCount = 0, FRows = 0, FWidth = 0, FTop = 0, FHot = -1;
  bool FDragging = false;
  int32_t FGrabY = 0;  // pointer y minus thumb top when the drag began

  int32_t MaxTop() const { return FCount - FRows; }
};

}  // namespace qor
