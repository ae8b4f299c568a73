#include "CommonLib/RdControl/RdImage.h"

#include <algorithm>

namespace qor {

bool TRdImage::SetPicture(std::u16string name) {
  if (name == FPicture) return false;
  FPicture = std::move(name);
  Invalidate();
  return true;
}

void TRdImage::SetImage(const TConstImageView& image) {
  FImage = image;
  Invalidate();
}

TRect TRdImage::PictureRect(TSize size) const {
  const TRect& b = Bounds();
  if (size.Width <= 0 || size.Height <= 0) return {};
  if (Stretch && !Proportional) return b;
  TSize s = size;
  const bool tooBig = s.Width > b.Width() || s.Height > b.Height();
  if (Proportional && (Stretch || tooBig) && b.Width() > 0 && b.Height() > 0) {
    // Fit the side that reaches the box first; the other keeps the picture's shape (at least 1 pixel).
    const int64_t w = s.Width, h = s.Height;
    if (w * b.Height() >= h * b.Width())
      s = {b.Width(), int32_t(std::max<int64_t>(1, h * b.Width() / w))};
    else
      s = {int32_t(std::max<int64_t>(1, w * b.Height() / h)), b.Height()};
  }
  if (Center)
    return TRect::FromSize(b.Left + (b.Width() - s.Width) / 2, b.Top + (b.Height() - s.Height) / 2, s.Width, s.Height);
  return TRect::FromSize(b.Left, b.Top, s.Width, s.Height);
}

void TRdImage::Paint(TRdCanvas& canvas) {
  if (!FImage.IsEmpty()) {
    canvas.DrawImage(FImage, PictureRect({FImage.Width, FImage.Height}));
    return;
  }
  if (FPicture.empty()) return;
  // Pictures with a nine-grid option always fill the box.
  const TRect dest = PictureOption.IsEmpty() ? PictureRect(canvas.PictureSize(FPicture)) : Bounds();
  canvas.DrawPicture(FPicture, dest, PictureOption);
}

}  // namespace qor
