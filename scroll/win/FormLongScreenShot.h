#pragma once
// TFormLongScreenShot: the scrolling run's window. It covers the virtual desktop with a dark veil that has the
// capture region cut out (so the live window shows through) and a thin blue frame around it; it watches the wheel
// and the keys through low-level hooks, takes one frame per accepted wheel step on its worker thread, hands each
// frame to the stitching library and shows the newest result in the preview.
// Frames and results: the worker grabs the region, calls the library, copies only the rows that changed into the
// program's copy of the long picture, updates a reduced copy for the preview and appends a record (with a snapshot
// of that reduced copy) to FmemoutList; the window then shows only the newest record. So the work per step, on
// either thread, does not grow with the length of the picture.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <mutex>

#include "base/win/DibImage.h"
#include "base/win/Form.h"
#include "scroll/LongResult.h"
#include "scroll/PreviewCopy.h"
#include "scroll/PreviewPlacement.h"
#include "scroll/QuickThreadPool.h"
#include "scroll/ResultList.h"
#include "scroll/RunGeometry.h"
#include "scroll/RunHookRules.h"
#include "scroll/ScrollFeedback.h"
#include "scroll/win/LongPictureLibrary.h"
#include "scroll/win/RunHooks.h"

namespace qor {

class TFormScrollWinsTools;
class TFormScrollWinsPreView;
class TFormScrollWinsTip;

// Private messages of the run.
inline constexpr UINT WmLongPicStep = 1225;       // wParam: the wheel delta of an accepted step
inline constexpr UINT WmLongPicProcessed = 1226;  // wParam: 0 stitched, 1 stitched but failed, 2 no output
inline constexpr UINT WmScrollToolsKey = 1227;    // to the toolbar; wParam: 0 Esc, 1 Ctrl+C, 2 Ctrl+S

// What makes the run busy: a save dialog is open, or a copy or pin runs.
struct TScrollBusy {
  bool Saving = false;
  bool Output = false;
  bool Any() const { return Saving || Output; }
};

// The run's companions, owned elsewhere; the run window shows, hides and raises them.
struct TScrollCompanions {
  TFormScrollWinsTools* Tools = nullptr;
  TFormScrollWinsPreView* Preview = nullptr;
  TFormScrollWinsTip* Tip = nullptr;
  const TScrollBusy* Busy = nullptr;
};

class TFormLongScreenShot : public TForm, public TRunHookSink {
 public:
  explicit TFormLongScreenShot(TScrollCompanions companions);
  ~TFormLongScreenShot() override;

  // Hidden, sized to the virtual desktop (screen coordinates), with the worker pool made.
  bool Create(const TRect& desktop);
  // The region of the run, from the overlay's selection.
  void SetRects(const TRunRects& rects) { FRects = rects; }
  const TRunRects& Rects() const { return FRects; }
  const TRect& Desktop() const { return FDesktop; }
  // Cuts the region out, draws the frame, loads the library and takes the first frame.
  void ShowRun(HWND target);
  HWND Target() const { return FTarget; }
  void InstallHooks();
  void RemoveHooks();
  // Lets the worker finish what it has (up to about 10 s) and frees the library; the run takes no more frames.
  void EndRun();
  // Waits until the worker is idle (outputs read the picture only then).
  void WaitForWorker();
  // The whole long picture for an output; call only while the worker is idle. Empty when nothing was stitched.
  TConstImageView WholeResult() const { return FLongResult.View(); }
  void SetTopmost(bool topmost);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  class TLongPicWorkDataObj;

  TScrollCompanions FCompanions;
  TRect FDesktop;
  TRunRects FRects;
  HWND FTarget = nullptr;
  TLongPictureLibrary FLongPictureModule;
  TRunHooks FHooks;
  std::unique_ptr<TWheelThrottle> FThrottle;
  TScrollFeedback FFeedback;
  TPreviewPlacement FPlacement;
  HWND FWindowUnderCursor = nullptr;
  std::unique_ptr<TQuickThreadPool> FPool;
  // Filled by the worker, trimmed by the window.
  TResultList FmemoutList;
  // The program's copy of the long picture and its reduced copy: written by the worker under FResultLock.
  mutable std::mutex FResultLock;
  TLongResult FLongResult;
  TPreviewCopy FPreviewCopy;
  bool FEnded = false;
  // The last frame taken (worker thread after the first): a grab after a step waits until the page has moved.
  TImage FFrameBefore;

  // TRunHookSink
  bool OnMouse(WPARAM message, const MSLLHOOKSTRUCT& event) override;
  bool OnKey(const KBDLLHOOKSTRUCT& event) override;

  void PaintLayered();
  void TakeFrame(bool downward, bool cursorTest);
  bool Grab(TDibImage& frame) const;
  void StepAccepted(int16_t delta);  // message 1225
  void FrameProcessed(int status);   // message 1226
  void ShowLongScreenShot(const TLongPicResult& result);
  void RdTimerHideTipTimer();
  void StopPool();
};

}  // namespace qor
