#include "app/win/Form_ZynMain.h"

#include "CommonLib/RdControl/PWebRes.h"
#include "CommonLib/RdControl/win/RdReskinBroadcast.h"
#include "CommonLib/RdControl/win/WebResModule.h"
#include "app/AppPaths.h"
#include "app/DpiDecision.h"
#include "app/Language.h"
#include "app/MessageTexts.h"
#include "app/win/DpiAwareness.h"
#include "app/win/IniFile.h"
#include "app/win/ProcessState.h"
#include "app/win/StartUp.h"
#include "base/FileSystem.h"

namespace qor {

TForm_ZynMain::TForm_ZynMain(std::u16string firstArgument, TStartCaptureRun startCaptureRun)
    : FFirstArgument(std::move(firstArgument)), FStartCaptureRun(std::move(startCaptureRun)) {}

bool TForm_ZynMain::Create() {
  // A tool window that is never shown: no taskbar button, nothing on screen.
  if (!CreateForm(L"TForm_ZynMain", WS_EX_TOOLWINDOW, WS_POPUP, L"Varnel Screenshot", 0, 0, 422, 56)) return false;
  FormCreate();
  return true;
}

void TForm_ZynMain::FormCreate() {
  MarkStartUpStep(u"launcher window");
  ProcessState().CaptureMode = TCaptureMode::Region;
  // The scaled layout: decided once, for the monitor that holds this window; "/Scale" forces it.
  win::DecideScaledForWindow(Handle(), FFirstArgument);
  MarkStartUpStep(u"scale decision");
  if (IsScaled() && FileSystem().FileExists(ExecutableFolder() + u"skin\\ScreenShotSkin\\classic2.rcc"))
    ProcessState().SkinPackage = u"classic2.rcc";
  MountSkin();
  MarkStartUpStep(u"skin");
  LoadTexts();
  MarkStartUpStep(u"language");
  ::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm_ZynMain::MountSkin() {
  // The launcher's style is the main one: it mounts the public package and the skin, and a later change of either
  // re-skins every window. Without webres.dll or the packages every read is empty and the windows draw their own
  // pictures.
  SetSkinResourceCalls(win::WebResLibraryCalls());
  TRdSkinStyles& styles = RdSkinStyles();
  styles.SetResources(&SkinResources());
  styles.SetProgramFolder(ExecutableFolder());
  InstallReskinBroadcast(styles);
  RdSkinStyle_Main = std::make_unique<TRdSkinStyle>(styles, u"Form_ZynMain", u"RdSkinStyle_Main");
  RdSkinStyle_Main->BeginLoad();
  RdSkinStyle_Main->SetMainSkin(true);
  RdSkinStyle_Main->SetRuntimePath(u"skin\\ScreenShotSkin");
  RdSkinStyle_Main->SetPublicRccFiles({u"public.rcc"});
  RdSkinStyle_Main->SetSkinRccFile(ProcessState().SkinPackage);
  RdSkinStyle_Main->EndLoad();
}

void TForm_ZynMain::LoadTexts() {
  // The language name is read again through the profile functions (which also start a missing Config.ini as
  // UTF-16), the file reloaded, and the shared message texts filled from it.
  win::TIniFile config(ConfigIniPath());
  AppLanguage().Load(config.ReadString(u"Main", u"Language", u"English"));
  FillMessageTexts(AppLanguage());
}

void TForm_ZynMain::FormShow() {
  if (auto mode = CaptureModeFromSwitch(FFirstArgument)) {
    FStartCaptureRun(*mode);
    return;
  }
  TerminateCapture();
}

LRESULT TForm_ZynMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WmSecondInstance:  // a second copy was started: the running capture goes on untouched
    case WmOutputDone:      // a copy or save finished: nothing to do here
      return 0;
    case WM_LBUTTONDOWN:
      // A press on the bar drags the window: the system moves it as if the caption was pressed.
      ::ReleaseCapture();
      ::SendMessageW(Handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
      return 0;
    case WM_CLOSE: TerminateCapture();
    default: return DefaultHandler(message, wParam, lParam);
  }
}

}  // namespace qor
