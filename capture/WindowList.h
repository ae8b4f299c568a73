#pragma once
// The top-level windows as they stood when the screen was frozen, for finding the window under the cursor and for
// the window capture mode. Built once per run from plain values that the Win32 side gathers; never rebuilt.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/Geometry.h"
#include "app/CommandLine.h"
#include "capture/Desktop.h"

namespace qor {

// One enumerated top-level window, as the platform reports it (rectangle in screen coordinates).
struct TWindowInfo {
  uintptr_t Handle = 0;
  TRect Rect;
  bool Visible = true;
  bool Child = false;      // style bit 0x40000000
  bool Suspended = false;  // its process is suspended (worked out by the Win32 side; any failure means false)
  std::u16string ClassName;
  std::u16string ParentClassName;  // the owner's/parent's class, empty when there is none
  std::u16string Caption;
};

// An accepted window, in overlay coordinates.
struct TWindowRecord {
  uintptr_t Handle = 0;
  TRect Rect;
  int64_t Area = 0;    // width x height; 64 bits so that huge parked windows cannot overflow
  int32_t ZOrder = 0;  // 1 for the top-most accepted window, then 2, 3, ...; the desktop is below them all
  std::u16string ClassName;
  std::u16string ParentClassName;
  std::u16string Caption;
};

// A lookup result: the rectangle, and the record it came from (none for an empty result or for the window-mode
// fallback to the whole desktop).
struct TWindowHit {
  TRect Rect;
  const TWindowRecord* Record = nullptr;
  uintptr_t Handle() const { return Record ? Record->Handle : 0; }
  friend bool operator==(const TWindowHit&, const TWindowHit&) = default;
};

// Class names of windows the window capture mode passes over.
inline constexpr std::u16string_view TaskbarClass = u"Shell_TrayWnd";
inline constexpr std::u16string_view SecondaryTaskbarClass = u"Shell_SecondaryTrayWnd";
// The desktop's program-manager window.
inline constexpr std::u16string_view ProgramManagerClass = u"Progman";
inline constexpr std::u16string_view ProgramManagerCaption = u"Program Manager";

class TWindowList {
 public:
  TWindowList() = default;

  // Filters the windows (given top to bottom, hidden ones included, as the platform enumerates them), converts the
  // accepted ones to overlay coordinates, appends the desktop record and sorts by area. In full-screen mode only
  // the desktop record is made.
  //
  // Window corners are not converted between logical and physical points: the process declares itself
  // per-monitor DPI aware before any window exists, so on Windows 10 and 11 the enumerated rectangles are already
  // physical pixels, the same pixels the grab copied. (The conversion functions would only matter for a
  // DPI-unaware process on Windows Vista to 8.1, which the program does not support.)
  static TWindowList Build(const std::vector<TWindowInfo>& topToBottom, const TDesktop& desktop,
                           uintptr_t desktopHandle, bool fullScreen);

  // Records sorted by area, smallest first (equal areas keep their top-to-bottom order); the desktop is last.
  const std::vector<TWindowRecord>& Records() const { return FRecords; }

  // The top-most window containing p (left/top inclusive, right/bottom exclusive); an empty rectangle and no
  // record when nothing contains it.
  TWindowHit WindowAt(TPoint p) const;

  // The top-most window suitable for the window capture mode; the whole desktop without a record when none is.
  TWindowHit WindowModePick() const;

  // Whether the window mode passes over a record (tiny, taskbar or one of the pin program's windows).
  static bool SkippedByWindowMode(const TWindowRecord& record);

 private:
  std::vector<TWindowRecord> FRecords;
};

// True when every pixel of r lies under the union of the covering rectangles.
bool IsFullyCovered(const TRect& r, const std::vector<TRect>& covering);

}  // namespace qor
