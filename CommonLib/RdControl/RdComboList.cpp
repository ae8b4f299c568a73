#include "CommonLib/RdControl/RdComboList.h"

#include <algorithm>
#include <cmath>

namespace qor {

void TRdComboList::Open(int32_t count, int32_t maxRows, int32_t width, int32_t selected) {
  FCount = std::max(0, count);
  FRows = std::clamp(maxRows, std::min(1, FCount), FCount);
  FWidth = width;
  FTop = 0;
  FDragging = false;
  FHot = selected >= 0 && selected < FCount ? selected : -1;
  if (FHot >= 0) {
    // The chosen item opens in the middle of the rows where the list allows.
    SetTop(FHot - FRows / 2);
  }
}

TRect TRdComboList::ItemRect(int32_t index) const {
  if (index < FTop || index >= FTop + FRows || index >= FCount) return {};
  const int32_t right = FWidth - Border - (HasScrollBar() ? ScrollBarWidth : 0);
  return TRect::FromSize(Border, Border + (index - FTop) * ItemHeight, right - Border, ItemHeight);
}

int32_t TRdComboList::ItemAt(TPoint p) const {
  if (ItemHeight <= 0 || p.Y < Border) return -1;
  const int32_t index = FTop + (p.Y - Border) / ItemHeight;
  return ItemRect(index).Contains(p) ? index : -1;
}

TRect TRdComboList::TrackRect() const {
  if (!HasScrollBar()) return {};
  const TSize size = Size();
  return {size.Width - Border - ScrollBarWidth, Border, size.Width - Border, size.Height - Border};
}

TRect TRdComboList::ThumbRect() const {
  const TRect track = TrackRect();
  if (track.IsEmpty()) return {};
  const int32_t height =
      std::clamp(track.Height() * FRows / FCount, std::min(MinThumbHeight, track.Height()), track.Height());
  const int32_t top = track.Top + int32_t(std::lround(double(track.Height() - height) * FTop / MaxTop()));
  return {track.Left, top, track.Right, top + height};
}

bool TRdComboList::SetTop(int32_t top) {
  top = std::clamp(top, 0, std::max(0, MaxTop()));
  if (top == FTop) return false;
  FTop = top;
  return true;
}

bool TRdComboList::Scroll(int32_t rows) { return SetTop(FTop + rows); }

bool TRdComboList::EnsureVisible(int32_t index) {
  if (index < 0 || index >= FCount) return false;
  if (index < FTop) return SetTop(index);
  if (index >= FTop + FRows) return SetTop(index - FRows + 1);
  return false;
}

bool TRdComboList::SetHot(int32_t index) {
  if (index < -1 || index >= FCount || index == FHot) return false;
  FHot = index;
  return true;
}

bool TRdComboList::MoveHot(TRdKey key) {
  if (FCount == 0) return false;
  const int32_t page = std::max(1, FRows - 1);
  int32_t to = FHot;
  switch (key) {
    case TRdKey::Up: to = FHot < 0 ? 0 : FHot - 1; break;
    case TRdKey::Down: to = FHot + 1; break;
    case TRdKey::Home: to = 0; break;
    case TRdKey::End: to = FCount - 1; break;
    case TRdKey::PageUp: to = FHot < 0 ? 0 : FHot - page; break;
    case TRdKey::PageDown: to = FHot < 0 ? page : FHot + page; break;
    default: return false;
  }
  SetHot(std::clamp(to, 0, FCount - 1));
  EnsureVisible(FHot);
  return true;
}

bool TRdComboList::PressScrollBar(TPoint p) {
  const TRect track = TrackRect();
  if (!track.Contains(p)) return false;
  const TRect thumb = ThumbRect();
  if (p.Y >= thumb.Top && p.Y < thumb.Bottom) {
    FDragging = true;
    FGrabY = p.Y - thumb.Top;
  } else {
    Scroll(p.Y < thumb.Top ? -FRows : FRows);
  }
  return true;
}

bool TRdComboList::DragThumb(TPoint p) {
  if (!FDragging) return false;
  const TRect track = TrackRect(), thumb = ThumbRect();
  const int32_t travel = track.Height() - thumb.Height();
  if (travel <= 0) return false;
  const double part = double(p.Y - FGrabY - track.Top) / travel;
  return SetTop(int32_t(std::lround(part * MaxTop())));
}

}  // namespace qor
