#include "base/Image.h"

#include <algorithm>
#include <cstring>

namespace qor {

namespace {

template <typename TView>
TView SubView(const TView& view, const TRect& r) {
  const TRect clipped = r.Intersect(TRect{0, 0, view.Width, view.Height});
  if (clipped.IsEmpty()) return {};
  return TView{view.Pixels + view.Stride * clipped.Top + ptrdiff_t(clipped.Left) * 4, clipped.Width(), clipped.Height(),
               view.Stride};
}

}  // namespace

TImageView TImageView::Sub(const TRect& r) const { return SubView(*this, r); }
TConstImageView TConstImageView::Sub(const TRect& r) const { return SubView(*this, r); }

TImage::TImage(int32_t width, int32_t height, TBgra fill) {
  if (width <= 0 || height <= 0) return;
  FOwned.assign(size_t(width) * size_t(height), fill);
  FView = TImageView{reinterpret_cast<uint8_t*>(FOwned.data()), width, height, ptrdiff_t(width) * 4};
}

TImage::TImage(TImageView memory, std::shared_ptr<void> keeper) : FKeeper(std::move(keeper)), FView(memory) {}

TImage TImage::Clone() const {
  TImage copy(Width(), Height());
  for (int32_t y = 0; y < Height(); ++y) std::memcpy(copy.FView.Row(y), FView.Row(y), size_t(Width()) * 4);
  return copy;
}

}  // namespace qor
