#pragma once
// TRdLabel: windowless text. The caption is broken into lines here (at spaces, or at any character with WrapChar)
// and drawn line by line, one line height apart, so what is measured is what is drawn. With AutoSize the bounds
// follow the measured text within Constraints: a wrapping label keeps its width (MaxWidth when set) and grows
// downwards, a single-line label takes the text's width.
#include <string>
#include <vector>

#include "CommonLib/RdControl/RdControl.h"
// The windows that place labels place pictures beside them.
#include "CommonLib/RdControl/RdImage.h"

namespace qor {

// Limits of an auto-sized control; 0: no limit.
struct TRdSizeConstraints {
  int32_t MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
  friend bool operator==(const TRdSizeConstraints&, const TRdSizeConstraints&) = default;
};

class TRdLabel : public TRdControl {
 public:
  TRdLabel();

  const std::u16string& Caption() const { return FCaption; }
  bool SetCaption(std::u16string caption);
  const TRdFont& Font() const { return FFont; }
  bool SetFont(const TRdFont& font);
  TAlignment Alignment() const { return FAlignment; }
  bool SetAlignment(TAlignment alignment);
  TVerticalAlignment Layout() const { return FLayout; }
  bool SetLayout(TVerticalAlignment layout);
  bool WordWrap() const { return FWordWrap; }
  bool SetWordWrap(bool wordWrap);
  // Wrapped lines may break inside words (the notice labels turn it off to break at spaces only).
  bool WrapChar() const { return FWrapChar; }
  bool SetWrapChar(bool wrapChar);
  // Any position other than None ends the last visible line in "..." when the text does not fit.
  TRdEllipsisPosition EllipsisPosition() const { return FEllipsis; }
  bool SetEllipsisPosition(TRdEllipsisPosition position);
  bool AutoSize() const { return FAutoSize; }
  bool SetAutoSize(bool autoSize);
  const TRdSizeConstraints& Constraints() const { return FConstraints; }
  bool SetConstraints(const TRdSizeConstraints& constraints);
  int32_t MaxWidth() const { return FConstraints.MaxWidth; }
  bool SetMaxWidth(int32_t maxWidth);
  // Places the label at left, top keeping its size (AutoSize may change the size later).
  void SetPosition(TPoint topLeft);

  uint32_t FontHoverColor = ColorNotSet;
  uint32_t FontDownColor = ColorNotSet;
  uint32_t FontDisabledColor = clGrayText;
  uint32_t Color = ColorNone;  // background; none = transparent

  uint32_t ChooseTextColor() const;
  // The height of one line (measured when the host can measure).
  int32_t LineHeight() const;
  // The lines the caption breaks into at the label's width, cut to the label's height with "..." when asked.
  std::vector<std::u16string> VisibleLines(TRdTextMeasurer& measurer);
  // Results of the last layout: "..." was added, a line was broken, lines drawn.
  bool FoundTextEllipsis() const { return FFoundEllipsis; }
  bool FoundTextWordBreak() const { return FFoundWordBreak; }
  int32_t FoundTextDrawLine() const { return FFoundDrawLine; }

  // Re-measures now (a host that could not measure before calls this once it can).
  void UpdateLayout() override;

  void Paint(TRdCanvas& canvas) override;
  TRdMouseResult MouseEnter() override;
  TRdMouseResult MouseLeave() override;
  TRdMouseResult MouseDown(TPoint p) override;
  TRdMouseResult MouseUp(TPoint p, bool inside) override;

 private:
  std::u16string FCaption;
  TRdFont FFont;
  TAlignment FAlignment = TAlignment::taLeftJustify;
  TVerticalAlignment FLayout = TVerticalAlignment::vaTop;
  bool FWordWrap = false;
  bool FWrapChar = true;
  TRdEllipsisPosition FEllipsis = TRdEllipsisPosition::None;
  bool FAutoSize = true;
  TRdSizeConstraints FConstraints;
  bool FHover = false;
  bool FDown = false;
  bool FFoundEllipsis = false, FFoundWordBreak = false;
  int32_t FFoundDrawLine = 0;

  bool Relayout();
  std::vector<std::u16string> Lines(TRdTextMeasurer& measurer, int32_t width) const;
};

}  // namespace qor
