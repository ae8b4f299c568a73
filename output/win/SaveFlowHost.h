#pragma once
// The save flow's dialogs, questions and writes on a window: the save dialog with the program's filter and the
// format setting's file type, the overwrite question, and a write callback that tells the user why it failed.
// Usage:
//   qor::TWindowSaveHost host(owner, extension, [&](const std::u16string& path) { return WriteIt(path); });
//   const bool saved = qor::RunSaveFlow({folder, name, extension, alwaysSave}, host);
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "output/SaveFlow.h"

namespace qor {

class TWindowSaveHost : public TSaveFlowHost {
 public:
  TWindowSaveHost(HWND owner, std::u16string defaultExtension, std::function<bool(const std::u16string&)> write);

  bool DirectoryExists(const std::u16string& folder) override;
  bool FileExists(const std::u16string& path) override;
  std::optional<TSaveChoice> AskForFile(const std::u16string& folder, const std::u16string& fileName) override;
  bool ConfirmOverwrite(const std::u16string& path) override;
  bool Write(const std::u16string& path) override { return FWrite(path); }
  void Log(const std::u16string& line) override;

 private:
  HWND FOwner;
  std::u16string FDefaultExtension;
  std::function<bool(const std::u16string&)> FWrite;
};

// The user's pictures folder as the shell records it ("My Pictures" under the current user's Shell Folders).
std::u16string MyPicturesFolder();

}  // namespace qor
