#pragma once
// The default-path panel (pnl_defSavePath) beside the toolbar: where its children go, and how a folder picked with
// Browse becomes the default folder of the run.
//   qor::TSavePathPanelLayout layout = qor::LayoutSavePathPanel(toolbarWidth, scale);
//   qor::TBrowsedFolder picked = qor::ResolveBrowsedFolder(chosen, [](const std::u16string& root) {
//     return ::GetDriveTypeW(root) == DRIVE_FIXED; });
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "base/Geometry.h"
#include "base/Scale.h"

namespace qor {

inline constexpr int32_t SavePathPanelHeight = 72;  // at scale 1
inline constexpr int32_t SavePathPanelMinWidth = 320;

// The height of the panel's caption and field fonts.
inline constexpr int32_t SavePathFontHeight = 13;

struct TSavePathPanelLayout {
  TSize Client;
  TRect chbtn_always;      // the check box and its caption, across the top
  TRect btn_pthpnl_close;  // the close button at the top right
  TRect edit_savepath;     // the read-only folder field
  TRect btn_browseSavePath;
};

// The panel as wide as the toolbar it hangs off (at least SavePathPanelMinWidth), every number doubled when scaled.
TSavePathPanelLayout LayoutSavePathPanel(int32_t width, TScale scale);

// The root whose drive type decides whether a folder can take screenshots: "C:\" for "c:\Users\x" or "C:", the
// share "\\server\share\" for a network path; empty for anything else (a relative path, garbage).
std::u16string FolderDriveRoot(std::u16string_view folder);

enum class TBrowseOutcome { NothingChosen, NotFixedDisk, Accepted };
struct TBrowsedFolder {
  TBrowseOutcome Outcome = TBrowseOutcome::NothingChosen;
  std::u16string Folder;  // Accepted: the trimmed folder with a trailing separator
};

// What the folder browser's answer does: nothing for an empty (or blank) answer; refused unless the folder's root
// is a fixed disk (a folder without a root never is); otherwise the folder kept with a trailing separator.
TBrowsedFolder ResolveBrowsedFolder(std::u16string_view chosen,
                                    const std::function<bool(const std::u16string& root)>& isFixedDisk);

}  // namespace qor
