#pragma once
// TRdImage: a windowless picture box showing a named picture, or pixels the owner keeps (the magnifier's view, the
// scrolling preview). Where the picture goes:
//   own size at the top-left, or centred with Center;
//   Stretch: filling the box;
//   Proportional: scaled down to fit the box keeping its shape (with Stretch also scaled up), at the top-left or
//   centred with Center;
//   a picture with a nine-grid option fills the box.
#include <string>

#include "CommonLib/RdControl/RdControl.h"

namespace qor {

class TRdImage : public TRdControl {
 public:
  const std::u16string& Picture() const { return FPicture; }
  bool SetPicture(std::u16string name);
  TRdDesignRect PictureOption;
  bool Stretch = false;
  bool Center = false;
  bool Proportional = false;
  // Pixels drawn instead of the picture; the owner keeps the memory alive and calls Invalidate after changing it.
  void SetImage(const TConstImageView& image);
  const TConstImageView& Image() const { return FImage; }

  // Where a picture of that size goes.
  TRect PictureRect(TSize size) const;
  void Paint(TRdCanvas& canvas) override;

 private:
  std::u16string FPicture;
  TConstImageView FImage;
};

}  // namespace qor
