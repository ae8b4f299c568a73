// Pin: the picture (annotations and an open text included) and its screen rectangle are handed to the pin program,
// which shows it on the desktop where it was taken; the overlay then ends.
#include <windows.h>

#include "app/win/ProcessState.h"
#include "capture/win/ScreenShotMainForm.h"
#include "output/win/PinLaunch.h"

namespace qor {

void TScreenShotMainForm::Btn_Rd_PinnedClick() {
  if (!FRun->HasSelection()) return;
  FlattenAnnotations();  // commits a text being typed first
  ::ShowWindow(Handle(), SW_HIDE);
  switch (HandPictureToPin(FrontImage(), {FDesktop.Left, FDesktop.Top}, FRun->Selection().Image())) {
    case TPinHandOver::NoTempFolder:
      // Nothing can be handed over: the run ends rather than staying hidden for good.
      ::PostMessageW(ProcessState().LauncherHandle, WmOutputDone, 0, 0);
      break;
    case TPinHandOver::NotWritten:
      // The pin program would show an older picture or none: the capture comes back, to be copied or saved instead.
      ::ShowWindow(Handle(), SW_SHOW);
      return;
    case TPinHandOver::Started: break;
  }
  Close();
}

}  // namespace qor
