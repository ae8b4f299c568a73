#pragma once
// The capture overlay: a borderless topmost window over the whole virtual desktop that shows the frozen screen,
// dimmed, with the selection undimmed. It photographs the screen before it becomes visible; closing it ends the
// process.
#include <memory>

#include "app/win/ProcessState.h"
#include "base/win/DibImage.h"
#include "base/win/Form.h"
#include "capture/CaptureRun.h"

namespace qor {

class TScreenShotMainForm : public TForm {
 public:
  explicit TScreenShotMainForm(TCaptureMode mode);
  // Grabs the screen and shows the (still empty) window; the first tick of tmr1 lays out the rest.
  bool Create();

  const TDibImage& ScreenCopy() const { return FScreenCopy; }

 private:
  std::unique_ptr<TCaptureRun> FRun;
  TDibImage FScreenCopy;  // the frozen screen; never changed after the grab
  TDibImage FMask;        // Image_Meng: the screen copy dimmed

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void FormCreate();
  void tmr1Timer();
  void tmr2Timer();
  void DrawImage_BackGround();
  void OnPaint();
  void OnKeyDown(WPARAM key);
  void OnRightButtonUp();
  void Invalidate(const TRect& r);
  void Close();
};

// Timer ids of the overlay.
inline constexpr UINT_PTR Tmr1Id = 1;  // start-up, 10 ms, runs once
inline constexpr UINT_PTR Tmr2Id = 2;  // right-button close, 10 ms

}  // namespace qor
