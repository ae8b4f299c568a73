#include "output/TipLayout.h"

#include <cmath>

#include "app/SafeIniFile.h"

namespace qor {

namespace {
constexpr std::u16string_view Section = u"AIAssistant";
constexpr std::u16string_view Key = u"ScreenshotClipboardShow";
}  // namespace

TSize TipClientSize(TScale scale) { return scale(TSize{TipClientWidth, TipClientHeight}); }

TTipLayout LayoutTip(const TTipLayoutInput& in) {
  const TScale s = in.Scale;
  const int32_t width = in.Client.Width, height = in.Client.Height;
  TTipLayout out;

  const int32_t labelMargin = s(TipLabelMargin);
  out.Label_Tip = TRect::FromSize(labelMargin, labelMargin, width - 2 * labelMargin, in.LabelHeight);

  const int32_t okWidth = s(TipOkWidth), okHeight = s(TipOkHeight);
  const int32_t okMargin = s(TipOkMargin);
  out.Rd_btnOk = TRect::FromSize(width - okMargin - okWidth, height - okMargin - okHeight, okWidth, okHeight);

  out.CheckTextMargin = s(TipCheckTextMargin);
  const int32_t checkMargin = s(TipCheckMargin);
  const int32_t checkHeight = s(TipCheckHeight);
  int32_t checkWidth = out.CheckTextMargin + in.CheckTextWidth;
  if (checkMargin + checkWidth >= out.Rd_btnOk.Left) {
    checkWidth = width - okMargin - okWidth - TipCheckOkGap;
    out.CheckWidthLimited = true;
  }
  out.RdBtn_Check = TRect::FromSize(checkMargin, height - checkMargin - checkHeight, checkWidth, checkHeight);
  return out;
}

TRect CentreInArea(TSize window, const TRect& area) {
  // Halves rounded down also for negative offsets (a window larger than the area, areas left of the origin).
  auto half = [](int32_t v) { return v >= 0 ? v / 2 : -((-v + 1) / 2); };
  const int32_t left = area.Left + half(area.Width() - window.Width);
  const int32_t top = area.Top + half(area.Height() - window.Height);
  return TRect::FromSize(left, top, window.Width, window.Height);
}

bool ClipboardTipWanted() { return ReadConfigString(Section, Key, u"0") != u"1"; }

bool ConfirmClipboardTip(bool dontShowAgain) {
  if (!dontShowAgain) return true;
  return WriteConfigString(Section, Key, u"1");
}

std::u16string MessageTextOrDefault(std::u16string TMessageTexts::*field) {
  const std::u16string& text = MessageTexts().*field;
  if (!text.empty()) return text;
  for (const TMessageTextEntry& entry : MessageTextTable)
    if (entry.Field == field) return entry.DefaultText;
  return {};
}

}  // namespace qor
