#pragma once
// The launcher: the program's hidden main window. It carries the single-instance identity (class `TForm_ZynMain`,
// caption "Varnel Screenshot"), loads the shared texts and starts capture runs; it is 0 x 0 and never seen.
#include <functional>
#include <memory>
#include <string>

#include "CommonLib/RdControl/RdSkinStyle.h"
#include "app/CommandLine.h"
#include "base/win/Form.h"

namespace qor {

class TForm_ZynMain : public TForm {
 public:
  using TStartCaptureRun = std::function<void(TCaptureMode)>;

  // firstArgument: the first command-line argument (empty when there is none).
  TForm_ZynMain(std::u16string firstArgument, TStartCaptureRun startCaptureRun);
  bool Create();
  // The show event: evaluates the command line, then starts a capture run or ends the process.
  void FormShow();

 private:
  std::u16string FFirstArgument;
  TStartCaptureRun FStartCaptureRun;
  std::unique_ptr<TRdSkinStyle> RdSkinStyle_Main;  // the skin folder and packages of every window

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void FormCreate();
  void MountSkin();
  void LoadTexts();
};

}  // namespace qor
