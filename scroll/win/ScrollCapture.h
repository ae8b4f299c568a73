#pragma once
// One scrolling capture: the run window, the toolbar, the preview and the tip, made when the overlay starts the run,
// and the actions that end it (exit, pin, copy, save). Every ending leaves no hook behind and lets the worker finish
// before the stitching library is freed; the process then ends like every capture.
// Usage (the overlay, after the selection):
//   FScroll = std::make_unique<qor::TScrollCapture>(scale);
//   FScroll->Start({selection, desktop, detectedWindow, folder, alwaysSave, extension});
#include <memory>
#include <string>

#include "base/Geometry.h"
#include "base/Scale.h"
#include "scroll/ScrollToolbarLayout.h"
#include "scroll/win/FormLongScreenShot.h"
#include "scroll/win/FormScrollWinsPreView.h"
#include "scroll/win/FormScrollWinsTip.h"
#include "scroll/win/FormScrollWinsTools.h"

namespace qor {

struct TScrollStartRequest {
  TRect Selection;        // overlay coordinates (the overlay covers the virtual desktop)
  TRect Desktop;          // the virtual desktop, screen coordinates
  HWND Target = nullptr;  // the window detection found, or null
  // The overlay's save settings.
  std::u16string SaveFolder;
  bool AlwaysSave = true;
  std::u16string SaveExtension;
};

class TScrollCapture {
 public:
  explicit TScrollCapture(TScale scale);
  ~TScrollCapture();
  // Makes the four windows (hidden) and starts the run; false when a window could not be made.
  bool Start(const TScrollStartRequest& request);

 private:
  TScale FScale;
  TScrollStartRequest FRequest;
  TScrollBusy FBusy;
  std::unique_ptr<TFormOf<TFormScrollWinsPreView>> FPreview;
  std::unique_ptr<TFormOf<TFormScrollWinsTip>> FTip;
  std::unique_ptr<TFormOf<TFormScrollWinsTools>> FTools;
  std::unique_ptr<TFormOf<TFormLongScreenShot>> FRun;

  void Act(TScrollAction action);
  void Exit();
  void Pin();
  void Copy();
  void Save();
  bool WriteResult(const std::u16string& path);
  // Ends the run and the process.
  [[noreturn]] void CloseAll();
};

}  // namespace qor
