#include "capture/WindowList.h"

#include <algorithm>

#include "capture/RectSet.h"
#include "output/PinContract.h"

namespace qor {

namespace {

bool IsParkedOffScreen(const TRect& screenRect, const TDesktop& desktop) {
  // Minimised windows are parked far off screen at negative coordinates. A window on a monitor left of and above
  // the primary one is negative too, so the window must also lie wholly outside the desktop to be skipped.
  const bool allNegative = screenRect.Left < 0 && screenRect.Top < 0 && screenRect.Right < 0 && screenRect.Bottom < 0;
  const TRect desktopRect = TRect::FromSize(desktop.Left, desktop.Top, desktop.Width, desktop.Height);
  return allNegative && screenRect.Intersect(desktopRect).IsEmpty();
}

int64_t AreaOf(const TRect& r) { return int64_t(r.Right - r.Left) * int64_t(r.Bottom - r.Top); }

}  // namespace

bool IsFullyCovered(const TRect& r, const std::vector<TRect>& covering) {
  TRectSet rest(r);
  for (const TRect& c : covering) {
    rest.Subtract(c);
    if (rest.IsEmpty()) return true;
  }
  return rest.IsEmpty();
}

TWindowList TWindowList::Build(const std::vector<TWindowInfo>& topToBottom, const TDesktop& desktop,
                               uintptr_t desktopHandle, bool fullScreen) {
  TWindowList list;
  int32_t zOrder = 0;
  if (!fullScreen) {
    // Rectangles of the visible windows met so far, that is of every visible window above the current one.
    std::vector<TRect> visibleAbove;
    for (const TWindowInfo& window : topToBottom) {
      if (!window.Visible) continue;
      const bool covered = !window.Child && IsFullyCovered(window.Rect, visibleAbove);
      visibleAbove.push_back(window.Rect);
      if (covered || window.Suspended || IsParkedOffScreen(window.Rect, desktop)) continue;
      TWindowRecord record;
      record.Handle = window.Handle;
      record.Rect = window.Rect.Offset(-desktop.Left, -desktop.Top);
      record.Area = AreaOf(record.Rect);
      record.ZOrder = ++zOrder;
      record.ClassName = window.ClassName;
      record.ParentClassName = window.ParentClassName;
      record.Caption = window.Caption;
      list.FRecords.push_back(std::move(record));
    }
  }
  // Stable, so that windows of equal area stay in top-to-bottom order (the platform's quicksort left it open).
  std::stable_sort(list.FRecords.begin(), list.FRecords.end(),
                   [](const TWindowRecord& a, const TWindowRecord& b) { return a.Area < b.Area; });
  TWindowRecord desktopRecord;
  desktopRecord.Handle = desktopHandle;
  desktopRecord.Rect = desktop.OverlayBounds();
  desktopRecord.Area = AreaOf(desktopRecord.Rect);
  // Strictly below every window: with the count itself the desktop would tie with the bottom window, and the
  // window mode, which only takes indexes smaller than its current choice, could never pick that window.
  desktopRecord.ZOrder = zOrder + 1;
  list.FRecords.push_back(std::move(desktopRecord));
  return list;
}

TWindowHit TWindowList::WindowAt(TPoint p) const {
  // The top-most candidate: indexes are unique, so one pass over the area-sorted records finds it.
  const TWindowRecord* choice = nullptr;
  for (const TWindowRecord& record : FRecords) {
    if (!record.Rect.Contains(p)) continue;
    if (choice == nullptr || record.ZOrder < choice->ZOrder) choice = &record;
  }
  if (choice == nullptr) return {};
  return {choice->Rect, choice};
}

bool TWindowList::SkippedByWindowMode(const TWindowRecord& record) {
  const int32_t width = record.Rect.Right - record.Rect.Left;
  const int32_t height = record.Rect.Bottom - record.Rect.Top;
  if (width < 55 && height < 55) return true;
  if (height < 10) return true;
  if (record.ClassName == TaskbarClass || record.ClassName == SecondaryTaskbarClass) return true;
  for (std::u16string_view pinClass : PinProgramClasses)
    if (record.ClassName == pinClass) return true;
  return record.ParentClassName == PinnedFormClass;
}

TWindowHit TWindowList::WindowModePick() const {
  if (FRecords.empty()) return {};
  const TWindowRecord& desktopRecord = FRecords.back();
  const TWindowRecord* choice = &desktopRecord;
  for (auto it = FRecords.rbegin(); it != FRecords.rend(); ++it) {
    if (it->ZOrder >= choice->ZOrder || SkippedByWindowMode(*it)) continue;
    choice = &*it;
  }
  if (choice == &desktopRecord) return {desktopRecord.Rect, nullptr};
  return {choice->Rect, choice};
}

}  // namespace qor
