#pragma once
// pnl_defSavePath: the small panel under (or over) the toolbar that holds the default-folder choice of the Save
// action: the check box chbtn_always ("Always save screenshots to:", ticked at first), the read-only field
// edit_savepath with the folder, Browse (the shell's folder browser, fixed disks only) and the close button. The
// state lives in the object, so Save reads it whether or not the window was ever shown.
//   TSavePathPanel panel(scale, defaultFolder);
//   panel.Create(overlay.Handle(), toolbarWidth);        // hidden
//   panel.OnClose = [&] { btn_pthpnl_closeClick(); };
//   panel.ShowAt(PlaceBesideToolbar(...));
//   if (panel.AlwaysSave() && DirectoryExists(panel.Folder())) ...
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "CommonLib/RdControl/RdImageButton.h"
#include "CommonLib/RdControl/win/RdDialogPictures.h"
#include "CommonLib/RdControl/win/RdPanel.h"
#include "base/win/UniqueHandle.h"
#include "output/SavePathPanelLayout.h"

namespace qor {

// The shell's folder browser: owner the active window, title "Varnel Screenshot", file-system folders only, no
// network domain levels, new dialog style. No value when nothing was chosen.
std::optional<std::u16string> BrowseForFolder(HWND owner);

class TSavePathPanel {
 public:
  TSavePathPanel(TScale scale, std::u16string folder);
  ~TSavePathPanel();

  // A hidden child of parent, as wide as width (the toolbar's width).
  bool Create(HWND parent, int32_t width);

  bool AlwaysSave() const;
  void SetAlwaysSave(bool always);
  // The default folder, with a trailing separator.
  const std::u16string& Folder() const { return FFolder; }
  void SetFolder(std::u16string folder);

  void ShowAt(TPoint p);  // parent's client coordinates
  void Hide();
  bool Visible() const;
  TSize Size() const { return FLayout.Client; }
  TRect Bounds() const;
  const TSavePathPanelLayout& Layout() const { return FLayout; }
  HWND Handle() const;
  HWND FolderField() const { return FFolderField; }

  // Browse: the folder browser, then the fixed-disk check (M_PathWrongDesc when it fails, old folder kept).
  void btn_browseSavePathClick();
  // The close button; the owner hides the panel and places the toolbar again.
  std::function<void()> OnClose;
  // Asks the user for a folder (the shell's folder browser unless replaced); no value when nothing was chosen.
  std::function<std::optional<std::u16string>(HWND owner)> ChooseFolder = BrowseForFolder;

 private:
  class TPanelWindow;

  TScale FScale;
  std::u16string FFolder;
  bool FAlwaysSave = true;
  TSavePathPanelLayout FLayout;
  TRdDialogPictureSource FPictures;
  TFontHandle FFieldFont;  // declared before the panel, so the field is gone before its font
  std::unique_ptr<TPanelWindow> FPanel;
  TRdImageButton* chbtn_always = nullptr;
  TRdImageButton* btn_pthpnl_close = nullptr;
  TRdImageButton* btn_browseSavePath = nullptr;
  HWND FFolderField = nullptr;  // edit_savepath

  void SetOverlayTopmost(bool topmost) const;
};

}  // namespace qor
