#pragma once
// The copy tip's portable rules: its sizes, where its children go for a given scale and measured text, where the
// window goes on the screen, and the setting that turns it off.
// Usage (the tip window measures its texts, then places its children):
//   qor::TTipLayout layout = qor::LayoutTip({qor::TipClientSize(scale), scale, labelHeight, checkTextWidth});
//   label->SetBounds(layout.Label_Tip);
//   if (qor::ClipboardTipWanted()) ShowTheTip();
//   qor::ConfirmClipboardTip(checkBox->Checked());   // OK or the timer: "1" only when ticked
#include <cstdint>
#include <string>

#include "app/MessageTexts.h"
#include "base/Geometry.h"
#include "base/Scale.h"

namespace qor {

// Design values at scale 1.
inline constexpr int32_t TipClientWidth = 380;
inline constexpr int32_t TipClientHeight = 120;
inline constexpr int32_t TipOkWidth = 85;
inline constexpr int32_t TipOkHeight = 34;
inline constexpr int32_t TipCheckHeight = 20;
inline constexpr int32_t TipLabelMargin = 15;      // Label_Tip's left and top
inline constexpr int32_t TipCheckMargin = 15;      // RdBtn_Check's left and its distance from the bottom
inline constexpr int32_t TipCheckTextMargin = 21;  // from the check box's left edge to its caption
inline constexpr int32_t TipOkMargin = 10;         // Rd_btnOk from the right and the bottom
inline constexpr int32_t TipCheckOkGap = 10;       // kept by the width limit of a long check box caption (unscaled)
inline constexpr int32_t TipFontHeight = 14;
inline constexpr int32_t TipCheckFontHeight = 13;
inline constexpr uint32_t TipClosePeriodMs = 10000;

// The tip's client size at a scale (380 x 120 at 1).
TSize TipClientSize(TScale scale);

struct TTipLayoutInput {
  TSize Client;                // the tip's client size
  TScale Scale;                // 1, or the scale factor in scaled mode
  int32_t LabelHeight = 0;     // height of the wrapped tip text at Label_Tip's width
  int32_t CheckTextWidth = 0;  // width of the check box caption on one line
};

struct TTipLayout {
  TRect Label_Tip;
  TRect RdBtn_Check;
  int32_t CheckTextMargin = 0;     // caption's distance from the check box's left edge
  bool CheckWidthLimited = false;  // the caption would have run into OK: the check box was cut short
  TRect Rd_btnOk;
};

// Label_Tip at (15, 15)·s across the window less both margins; RdBtn_Check at 15·s from the left with its bottom
// 15·s above the client's, as wide as its text margin and caption; Rd_btnOk (85 x 34)·s at 10·s from the right and
// the bottom. A check box that reaches OK's left edge is limited to the window width less OK's distance from the
// right, OK's width and 10.
TTipLayout LayoutTip(const TTipLayoutInput& in);

// A window of that size centred in area (left and top rounded down).
TRect CentreInArea(TSize window, const TRect& area);

// "ScreenshotClipboardShow" in section "AIAssistant": the tip is shown unless it holds "1" (default "0").
bool ClipboardTipWanted();
// What dismissing the tip does to the setting: a ticked box writes "1"; an unticked one leaves the key as it is.
// False only when a needed write failed.
bool ConfirmClipboardTip(bool dontShowAgain);

// A text of the language table, or its English default while the table has not been filled (the output windows
// never show an empty text).
std::u16string MessageTextOrDefault(std::u16string TMessageTexts::*field);

}  // namespace qor
