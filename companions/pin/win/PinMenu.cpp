// A pin's right-click menu: copy, save as, zoom 100%, the opacity presets, keep on top and close, with the texts of
// the language file's "Pin" section.
#include <windows.h>

#include <string>

#include "app/Language.h"
#include "base/Utf16Text.h"
#include "base/win/UniqueHandle.h"
#include "base/win/WinConvert.h"
#include "companions/pin/PinTexts.h"
#include "companions/pin/win/FormPinned.h"

namespace qor {

namespace {

inline void DestroyMenuHandle(HMENU h) noexcept { ::DestroyMenu(h); }
using TMenuHandle = TUniqueHandle<TNullHandleTraits<HMENU, DestroyMenuHandle>>;

enum TPinCommand : UINT { CmdCopy = 1, CmdSave, CmdZoom100, CmdKeepOnTop, CmdClose, CmdOpacityFirst = 100 };

std::u16string Text(const TPinText& text) {
  return AppLanguage().WindowText(PinTextsWindow, text.Key).value_or(std::u16string(text.English));
}

void Append(HMENU menu, UINT flags, UINT_PTR id, const std::u16string& text) {
  ::AppendMenuW(menu, flags, id, Wide(text));
}

}  // namespace

void TFormPinned::OnContextMenu(TPoint at) {
  TMenuHandle menu(::CreatePopupMenu());
  TMenuHandle opacity(::CreatePopupMenu());
  if (!menu || !opacity) return;
  for (int percent : PinOpacityPresets) {
    Append(opacity.Get(), MF_STRING | (percent == FOpacity ? MF_CHECKED : 0u), CmdOpacityFirst + percent,
           IntToText(percent) + u"%");
  }
  Append(menu.Get(), MF_STRING, CmdCopy, Text(PinTextCopy));
  Append(menu.Get(), MF_STRING, CmdSave, Text(PinTextSaveAs));
  Append(menu.Get(), MF_SEPARATOR, 0, u"");
  Append(menu.Get(), MF_STRING, CmdZoom100, Text(PinTextZoom100));
  // The submenu belongs to the menu from here on.
  Append(menu.Get(), MF_POPUP, reinterpret_cast<UINT_PTR>(opacity.Release()), Text(PinTextOpacity));
  Append(menu.Get(), MF_STRING | (FKeepOnTop ? MF_CHECKED : 0u), CmdKeepOnTop, Text(PinTextKeepOnTop));
  Append(menu.Get(), MF_SEPARATOR, 0, u"");
  Append(menu.Get(), MF_STRING, CmdClose, Text(PinTextClose));
  const UINT command = UINT(
      ::TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.X, at.Y, 0, Handle(), nullptr));
  switch (command) {
    case CmdCopy: CopyPicture(); break;
    case CmdSave: SavePicture(); break;
    case CmdZoom100: SetZoom(1.0, {FShown.Left, FShown.Top}); break;
    case CmdKeepOnTop: SetKeepOnTop(!FKeepOnTop); break;
    case CmdClose: ClosePin(); break;
    default:
      if (command > CmdOpacityFirst) SetOpacity(int(command - CmdOpacityFirst));
  }
}

}  // namespace qor
