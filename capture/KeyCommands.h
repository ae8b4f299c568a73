#pragma once
// The overlay's keyboard commands and the timers they drive, free of windows: Ctrl+Z, Ctrl+C, Ctrl+S, ESC with its
// "again to exit" tip, and the left Windows key that keeps the overlay on top; for the selected annotation, redo
// (Ctrl+Y, Ctrl+Shift+Z), Delete and the arrow keys that nudge it. Tick counts are the platform's
// millisecond counter; differences are taken unsigned, so its wrap after 49.7 days does no harm.
#include <cstdint>

#include "base/Geometry.h"

namespace qor {

enum class TKey { Other, Z, C, S, Y, Escape, LeftWindows, Delete, Left, Right, Up, Down };

struct TModifiers {
  bool Ctrl = false;
  bool Shift = false;
  bool Alt = false;
};

// What the overlay knows when a key arrives.
struct TKeyContext {
  bool DetectionRunning = false;
  bool OverlayVisible = true;
  bool OutputBusy = false;
  bool UndoEnabled = false;     // Btn_Rd_Return
  bool CopyEnabled = false;     // Rd_Copy
  bool SaveEnabled = false;     // Rd_Save
  bool SomethingDrawn = false;  // the edit surface holds at least one undo step
  bool RedoEnabled = false;     // the edit surface holds a step to redo
  bool AnnotationSelected = false;
};

enum class TKeyAction {
  None,
  Undo,
  Redo,
  Copy,
  Save,
  ShowExitTip,
  Close,
  StartTopmostTimer,
  DeleteAnnotation,
  NudgeAnnotation,  // by NudgeDistance(key, shift)
};

// An arrow key moves the selected annotation by 1 pixel, by 10 with Shift.
TPoint NudgeDistance(TKey key, bool shift);

inline constexpr uint32_t ExitTipTimerMs = 50;
inline constexpr uint32_t ExitTipShownMs = 3000;
inline constexpr uint32_t TopmostTimerMs = 5;
inline constexpr uint32_t TopmostDurationMs = 1000;

// What one tick of the Windows-key timer asks for.
struct TTopmostTick {
  bool KeepTopmost = false;  // put the overlay at the top of the topmost band (no move, size or activation)
  bool Stop = false;         // stop the 5 ms timer
  bool Foreground = false;   // bring the overlay to the foreground, restoring it first if minimised
};

class TKeyCommands {
 public:
  // now: the tick count when the overlay was created (the time of the last keyboard command).
  explicit TKeyCommands(uint32_t now) : FLastCommand(now) {}

  // A key press seen by the overlay (ESC through the application-wide hook). Returns the action to run; a command
  // that runs records the time.
  TKeyAction OnKey(TKey key, TModifiers modifiers, const TKeyContext& context, uint32_t now);

  int EscapeCount() const { return FEscapeCount; }
  bool ExitTipShown() const { return FExitTipShown; }
  // The exit tip's 50 ms timer: true when the tip must be hidden now (and the timer stopped).
  bool ExitTipTick(uint32_t now);

  bool TopmostTimerRunning() const { return FTopmostRunning; }
  TTopmostTick TopmostTick(bool overlayVisible, bool outputBusy, uint32_t now);

 private:
  uint32_t FLastCommand;
  int FEscapeCount = 0;
  bool FExitTipShown = false;
  uint32_t FExitTipSince = 0;
  bool FTopmostRunning = false;
  uint32_t FWindowsKeyAt = 0;
};

}  // namespace qor
