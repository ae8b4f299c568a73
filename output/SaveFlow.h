#pragma once
// How one Save goes, free of windows. With "always save" on and the default folder present, the picture goes
// straight into it without a question; otherwise it goes through the save dialog and, for an existing file, the
// overwrite question. A write that fails never ends the flow: the dialog opens in the folder that failed, so the
// user can choose another place, until something is written or the user gives up.
// Usage:
//   class TOverlaySaveHost : public qor::TSaveFlowHost { ... dialogs, message boxes, SaveNewBitmap ... };
//   if (qor::RunSaveFlow({folder, fileName, extension, alwaysSave}, host)) { tell the launcher, close }
#include <optional>
#include <string>

namespace qor {

struct TSaveRequest {
  std::u16string Folder;     // the default folder, with its trailing separator
  std::u16string FileName;   // "ScreenShot_" + stamp, without extension
  std::u16string Extension;  // from the format setting, with its dot
  bool AlwaysSave = true;
};

struct TSaveChoice {
  std::u16string Path;  // as typed or picked in the dialog
  int FilterIndex = 0;  // the file type chosen, counted from 1
};

class TSaveFlowHost {
 public:
  virtual ~TSaveFlowHost() = default;
  virtual bool DirectoryExists(const std::u16string& folder) = 0;
  virtual bool FileExists(const std::u16string& path) = 0;
  // The save dialog opened in folder with fileName offered; nothing when the user cancels.
  virtual std::optional<TSaveChoice> AskForFile(const std::u16string& folder, const std::u16string& fileName) = 0;
  // The overwrite question: true only for Yes.
  virtual bool ConfirmOverwrite(const std::u16string& path) = 0;
  // Writes the picture; on failure the user has been told why and false comes back.
  virtual bool Write(const std::u16string& path) = 0;
  virtual void Log(const std::u16string& line) = 0;
};

// True when the picture was written.
bool RunSaveFlow(const TSaveRequest& request, TSaveFlowHost& host);

}  // namespace qor
