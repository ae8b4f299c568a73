#pragma once
// TRdLabel: windowless text. With AutoSize the bounds follow the measured caption: a wrapping label keeps its
// width (MaxWidth when set) and grows downwards, a single-line label takes the text's width (at most MaxWidth).
#include <string>

#include "CommonLib/RdControl/RdControl.h"

namespace qor {

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
  bool AutoSize() const { return FAutoSize; }
  bool SetAutoSize(bool autoSize);
  int32_t MaxWidth() const { return FMaxWidth; }  // Constraints.MaxWidth; 0: none
  bool SetMaxWidth(int32_t maxWidth);
  // Places the label at left, top keeping its size (AutoSize may change the size later).
  void SetPosition(TPoint topLeft);

  uint32_t FontHoverColor = ColorNotSet;
  uint32_t FontDownColor = ColorNotSet;
  uint32_t FontDisabledColor = clGrayText;
  uint32_t Color = ColorNone;  // background; none = transparent

  uint32_t ChooseTextColor() const;
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
  bool FAutoSize = true;
  int32_t FMaxWidth = 0;
  bool FHover = false;
  bool FDown = false;

  bool Relayout();
};

// TRdImage: a windowless picture box showing a named picture, or pixels the owner keeps (the magnifier's view).
class TRdImage : public TRdControl {
 public:
  const std::u16string& Picture() const { return FPicture; }
  bool SetPicture(std::u16string name);
  TRdDesignRect PictureOption;
  bool Stretch = false;  // else drawn at its own size at the top-left (or centred with Center)
  bool Center = false;
  // Pixels drawn instead of the picture; the owner keeps the memory alive and calls Invalidate after changing it.
  void SetImage(const TConstImageView& image);
  const TConstImageView& Image() const { return FImage; }

  // Where the picture of that size goes.
  TRect PictureRect(TSize size) const;
  void Paint(TRdCanvas& canvas) override;

 private:
  std::u16string FPicture;
  TConstImageView FImage;
};

}  // namespace qor
