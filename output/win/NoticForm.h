#pragma once
// TNoticForm: the hint that follows the cursor during the first seconds of a capture run ("Capture: Left click or
// drag..." / "Exit Capture: Right click or press ESC to exit."). It never takes the focus and lets the mouse through
// to the overlay. TCaptureNotice is what the overlay holds: it decides whether the notice is wanted at all, moves
// it on the detection tick, closes it after 6 s or on the first press, and remembers a press that saw it.
// Usage (in the overlay):
//   FNotice.Create(desktopScreenRect);                       // at overlay creation (reads "ScreenshotCapTip")
//   FNotice.Start(::GetTickCount());                         // when the frozen screen is first shown
//   // detection tick, magnifier band in screen coordinates:
//   if (FNotice.Tick(::GetTickCount(), cursor.X, desktop.Top + magnifier.Top, magnifier.Height) ==
//       qor::TNoticeTick::Closed) GiveFocusBack();
//   FNotice.FirstPress();                                   // first mouse press in the overlay
//   FNotice.Close();                                        // overlay closing
#include <windows.h>

#include <cstdint>
#include <memory>

#include "CommonLib/RdControl/RdLabel.h"
#include "CommonLib/RdControl/win/RdPanel.h"
#include "app/DpiDecision.h"
#include "base/Geometry.h"
#include "base/win/Form.h"

namespace qor {

class TRdSkinPictureSource;

class TNoticForm : public TForm {
 public:
  explicit TNoticForm(TScale scale = CurrentScale());
  ~TNoticForm() override;

  // FormCreate: the hidden window with its texts and layout. desktop: the virtual desktop in screen coordinates
  // (empty: asked from the system).
  bool Create(const TRect& desktop = {});
  // Place and show: x the cursor's screen x, the band [bandTop, bandTop + bandHeight) the notice must not cover.
  // Nothing when the window does not exist.
  void ShowAt(int32_t x, int32_t bandTop, int32_t bandHeight);
  void MoveTo(int32_t x, int32_t bandTop, int32_t bandHeight) { ShowAt(x, bandTop, bandHeight); }
  bool Visible() const;
  // Closes the window (the object may be created again).
  void Close();

  TPoint LastPosition() const { return FLastPosition; }
  TSize WindowSize() const { return FSize; }
  TRect Label1Bounds() const { return Label_1 ? Label_1->Bounds() : TRect{}; }
  TRect Label2Bounds() const { return Label_2 ? Label_2->Bounds() : TRect{}; }
  const std::u16string& Label2Text() const;
  TRdPanel* MainPanel() const { return pnl1.get(); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  TScale FScale;
  TRect FDesktop;
  TSize FSize;
  TPoint FLastPosition;
  bool FShown = false;
  std::unique_ptr<TRdSkinPictureSource> FPictures;
  std::unique_ptr<TRdPanel> pnl1;
  TRdLabel* Label_1 = nullptr;
  TRdLabel* Label_2 = nullptr;

  void FormShow();
  void ApplyTextsAndLayout();
};

enum class TNoticeTick {
  None,    // no notice (not wanted, or already gone)
  Moved,   // placed beside the cursor and shown
  Closed,  // its time ran out and it was closed now: the overlay takes the focus back
};

class TCaptureNotice {
 public:
  TCaptureNotice() = default;
  ~TCaptureNotice() { Close(); }
  TCaptureNotice(const TCaptureNotice&) = delete;
  TCaptureNotice& operator=(const TCaptureNotice&) = delete;

  // Reads "ScreenshotCapTip" once (the show-notice flag) and, when the notice is wanted, creates its hidden
  // window. desktop: the virtual desktop in screen coordinates (empty: asked from the system).
  void Create(const TRect& desktop = {}, TScale scale = CurrentScale());
  // The start of the run (the overlay first shows the frozen screen); without it the first tick starts the clock.
  void Start(uint32_t tick);
  // The overlay's detection tick: closes the notice once more than 6 whole seconds have passed, else moves it
  // beside the cursor and the magnifier band (screen coordinates).
  TNoticeTick Tick(uint32_t nowTick, int32_t cursorX, int32_t bandTop, int32_t bandHeight);
  // The first mouse press in the overlay: "ScreenshotCapTip" = "1" when the notice was on screen; closed always.
  void FirstPress();
  // Closes and forgets the notice (the overlay closing).
  void Close();

  bool ShowNotice() const { return FShowNotice; }
  TNoticForm* Form() const { return FForm.get(); }

 private:
  bool FShowNotice = false;
  bool FStarted = false;
  uint32_t FStartTick = 0;
  std::unique_ptr<TNoticForm> FForm;
};

}  // namespace qor
