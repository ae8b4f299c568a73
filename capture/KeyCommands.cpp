#include "capture/KeyCommands.h"

namespace qor {

TKeyAction TKeyCommands::OnKey(TKey key, TModifiers modifiers, const TKeyContext& context, uint32_t now) {
  switch (key) {
    case TKey::Z:
    case TKey::C:
    case TKey::S: {
      // Exactly Ctrl: Ctrl+Shift+S or Ctrl+Alt+S are not commands.
      if (!modifiers.Ctrl || modifiers.Shift || modifiers.Alt) return TKeyAction::None;
      if (context.DetectionRunning || context.OutputBusy) return TKeyAction::None;
      if (now - FLastCommand < 1) return TKeyAction::None;
      const bool enabled = key == TKey::Z   ? context.UndoEnabled
                           : key == TKey::C ? context.CopyEnabled
                                            : context.SaveEnabled;
      if (!enabled) return TKeyAction::None;
      FLastCommand = now;
      return key == TKey::Z ? TKeyAction::Undo : key == TKey::C ? TKeyAction::Copy : TKeyAction::Save;
    }
    case TKey::Escape:
      if (!context.OverlayVisible || context.OutputBusy) return TKeyAction::None;
      ++FEscapeCount;
      // With something drawn, the first ESC of the run only warns; the count is never reset, so any later ESC
      // closes, even after the tip has gone.
      if (context.SomethingDrawn && FEscapeCount == 1) {
        FExitTipShown = true;
        FExitTipSince = now;
        return TKeyAction::ShowExitTip;
      }
      return TKeyAction::Close;
    case TKey::LeftWindows:
      if (!context.OverlayVisible || context.OutputBusy) return TKeyAction::None;
      FWindowsKeyAt = now;
      FTopmostRunning = true;
      return TKeyAction::StartTopmostTimer;
    case TKey::Other: break;
  }
  return TKeyAction::None;
}

bool TKeyCommands::ExitTipTick(uint32_t now) {
  if (!FExitTipShown || now - FExitTipSince < ExitTipShownMs) return false;
  FExitTipShown = false;
  return true;
}

TTopmostTick TKeyCommands::TopmostTick(bool overlayVisible, bool outputBusy, uint32_t now) {
  TTopmostTick tick;
  if (!FTopmostRunning) return tick;
  if (!overlayVisible || outputBusy) {
    FTopmostRunning = false;
    tick.Stop = true;
    return tick;
  }
  tick.KeepTopmost = true;
  if (now - FWindowsKeyAt > TopmostDurationMs) {
    FTopmostRunning = false;
    tick.Stop = true;
    tick.Foreground = true;
  }
  return tick;
}

}  // namespace qor
