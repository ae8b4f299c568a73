#include "output/SaveFlow.h"

#include "base/FileSystem.h"
#include "output/SaveFormat.h"

namespace qor {

bool RunSaveFlow(const TSaveRequest& request, TSaveFlowHost& host) {
  std::u16string folder = request.Folder;
  if (request.AlwaysSave && host.DirectoryExists(folder)) {
    host.Log(u"[savebtn]DirectoryExists and Checked," + folder);
    if (host.Write(folder + request.FileName + request.Extension)) return true;
  } else if (!host.DirectoryExists(folder)) {
    host.Log(u"[savebtn]not DirectoryExists," + folder);
  }
  for (;;) {
    const std::optional<TSaveChoice> chosen = host.AskForFile(folder, request.FileName);
    if (!chosen) return false;
    // A typed name that no writer knows gets the chosen type's extension, so the picture is written.
    const std::u16string path = PathWithWritableExtension(chosen->Path, chosen->FilterIndex);
    if (host.FileExists(path) && !host.ConfirmOverwrite(path)) return false;
    if (host.Write(path)) return true;
    // The dialog comes back where the write failed (dialog paths are Windows paths on every build).
    const std::u16string failedFolder = ExtractFileDir(path);
    if (!failedFolder.empty()) folder = failedFolder.back() == u'\\' ? failedFolder : failedFolder + u'\\';
  }
}

}  // namespace qor
