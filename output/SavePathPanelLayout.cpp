#include "output/SavePathPanelLayout.h"

#include <algorithm>

#include "base/FileSystem.h"
#include "base/Utf16Text.h"

namespace qor {

namespace {

bool IsDriveLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
bool IsBackslash(char16_t c) { return c == u'\\' || c == u'/'; }

}  // namespace

TSavePathPanelLayout LayoutSavePathPanel(int32_t width, TScale scale) {
  TSavePathPanelLayout layout;
  layout.Client = {std::max(width, scale(SavePathPanelMinWidth)), scale(SavePathPanelHeight)};
  const int32_t w = layout.Client.Width, margin = scale(12), gap = scale(8);
  layout.btn_pthpnl_close = TRect::FromSize(w - margin - scale(18), scale(11), scale(18), scale(18));
  layout.chbtn_always = TRect{margin, scale(10), layout.btn_pthpnl_close.Left - gap, scale(30)};
  layout.btn_browseSavePath = TRect::FromSize(w - margin - scale(85), scale(38), scale(85), scale(26));
  layout.edit_savepath = TRect{margin, scale(38), layout.btn_browseSavePath.Left - gap, scale(64)};
  return layout;
}

std::u16string FolderDriveRoot(std::u16string_view folder) {
  if (folder.size() >= 2 && IsDriveLetter(folder[0]) && folder[1] == u':') {
    std::u16string root{char16_t(folder[0] >= u'a' ? folder[0] - (u'a' - u'A') : folder[0]), u':', u'\\'};
    return root;
  }
  // \\server\share\...: the root is the share, which must name both parts.
  if (folder.size() > 2 && IsBackslash(folder[0]) && IsBackslash(folder[1])) {
    const size_t serverEnd = folder.find_first_of(u"\\/", 2);
    if (serverEnd == std::u16string_view::npos || serverEnd == 2) return {};
    const size_t shareEnd = std::min(folder.find_first_of(u"\\/", serverEnd + 1), folder.size());
    if (shareEnd == serverEnd + 1) return {};
    std::u16string root(folder.substr(0, shareEnd));
    for (char16_t& c : root)
      if (c == u'/') c = u'\\';
    return root + u'\\';
  }
  return {};
}

TBrowsedFolder ResolveBrowsedFolder(std::u16string_view chosen,
                                    const std::function<bool(const std::u16string& root)>& isFixedDisk) {
  TBrowsedFolder result;
  const std::u16string folder = Trim(chosen);
  if (folder.empty()) return result;
  const std::u16string root = FolderDriveRoot(folder);
  if (root.empty() || !isFixedDisk(root)) {
    result.Outcome = TBrowseOutcome::NotFixedDisk;
    return result;
  }
  result.Outcome = TBrowseOutcome::Accepted;
  result.Folder = IncludeTrailingSeparator(folder);
  return result;
}

}  // namespace qor
