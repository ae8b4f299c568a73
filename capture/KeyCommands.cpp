#include "capture/KeyCommands.h"

namespace qor {

TPoint NudgeDistance(TKey key, bool shift) {
  const int32_t step = shift ? 10 : 1;
  switch (key) {
    case TKey::Left: return {-step, 0};
    case TKey::Right: return {step, 0};
    case TKey::Up: return {0, -step};
    case TKey::Down: return {0, step};
    default: return {};
  }
}

TKeyAction TKeyCommands::OnKey(TKey key, TModifiers modifiers, const TKeyContext& context, uint32_t now) {
  const bool editable = !context.DetectionRunning && !context.OutputBusy;
  switch (key) {
    case TKey::Y:
      if (!modifiers.Ctrl || modifiers.Shift || modifiers.Alt || !editable || !context.RedoEnabled)
        return TKeyAction::None;
      return TKeyAction::Redo;
    case TKey::Delete:
      if (modifiers.Ctrl || modifiers.Shift || modifiers.Alt || !editable || !context.AnnotationSelected)
        return TKeyAction::None;
      return TKeyAction::DeleteAnnotation;
    case TKey::Left:
    case TKey::Right:
    case TKey::Up:
    case TKey::Down:
      if (modifiers.Ctrl || modifiers.Alt || !editable || !context.AnnotationSelected) return TKeyAction::None;
      return TKeyAction::NudgeAnnotation;
    case TKey::Z:
      if (modifiers.Ctrl && modifiers.Shift && !modifiers.Alt)
        return editable && context.RedoEnabled ? TKeyAction::Redo : TKeyAction::None;
      [[fallthrough]];
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
