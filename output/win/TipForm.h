#pragma once
// TTipForm: the small modal tip shown after a copy ("The screenshot has been saved to clipboard..."), with the
// check box "Don't show this message again" (ticked at first) and OK. It closes itself after 10 s unless the
// pointer rests on it; OK and the timer both write "ScreenshotClipboardShow" = "1" when the box is ticked. A press
// anywhere but the check box and OK drags the tip.
// Usage (the copy action, after the picture is on the clipboard and the overlay is hidden):
//   qor::ShowClipboardTipIfWanted(overlay.Handle());   // modal; returns once the tip is gone
// A tip of its own (tests, other callers):
//   qor::TTipForm tip({.ClosePeriodMs = 200});
//   tip.Create(nullptr);
//   tip.ShowModal();
#include <windows.h>

#include <functional>
#include <memory>

#include "CommonLib/RdControl/RdImageButton.h"
#include "CommonLib/RdControl/RdLabel.h"
#include "CommonLib/RdControl/win/RdPanel.h"
#include "app/DpiDecision.h"
#include "base/Geometry.h"
#include "base/win/Form.h"
#include "output/TipLayout.h"

namespace qor {

struct TTipOptions {
  TScale Scale = CurrentScale();
  UINT ClosePeriodMs = TipClosePeriodMs;  // tmrClose
  TRect Screen;                           // where the tip is centred; empty: the primary screen
};

class TTipForm : public TForm {
 public:
  explicit TTipForm(TTipOptions options = {});
  ~TTipForm() override;

  // FormCreate: the hidden window, its controls and pictures at the scale. owner may be null.
  bool Create(HWND owner);
  // FormShow: texts, layout, centred on the screen, shown and activated, tmrClose started.
  void Show();
  // Show, then handles messages until the tip has closed (a WM_QUIT met on the way is posted again).
  void ShowModal();
  // Closes the tip without touching the setting.
  void Close();
  bool Closed() const { return FClosed; }

  // Handlers.
  void Rd_btnOkClick();
  void tmrCloseTimer();
  void pnlMainMouseEnter();
  void pnlMainMouseLeave();
  void pnlMainMouseDown();  // also a press on Label_Tip and on the background

  bool Checked() const;
  void SetChecked(bool checked);
  bool CloseTimerRunning() const { return TimerRunning(CloseTimerId); }
  // Client coordinates of the children (the panel fills the client area).
  TRect LabelBounds() const;
  TRect CheckBounds() const;
  TRect OkBounds() const;
  TRdPanel* MainPanel() const;
  TScale Scale() const { return FScale; }

  static constexpr UINT_PTR CloseTimerId = 1;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  class TTipPanel;

  TTipOptions FOptions;
  TScale FScale;
  HWND FOwner = nullptr;
  std::unique_ptr<TRdPictureSource> FPictures;
  std::unique_ptr<TTipPanel> pnlMain;
  TRdImage* RdBtn_MainBg = nullptr;
  TRdLabel* Label_Tip = nullptr;
  TRdImageButton* RdBtn_Check = nullptr;
  TRdImageButton* Rd_btnOk = nullptr;
  bool FClosing = false;
  bool FClosed = false;

  void ApplyTexts();
  void ApplyLayout();
  void UpdateCheckIcons();
  void Dismiss();
};

// True while the copy tip is open (process-wide, user-interface thread).
bool ClipboardTipShowing();

// The copy action's tip: unless "ScreenshotClipboardShow" holds "1", creates the tip, shows it modally and
// releases it, with ClipboardTipShowing() true meanwhile. True when the tip was shown.
bool ShowClipboardTipIfWanted(HWND owner, const TTipOptions& options = {});

}  // namespace qor
