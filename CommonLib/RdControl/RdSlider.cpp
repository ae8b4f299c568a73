#include "CommonLib/RdControl/RdSlider.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qor {

namespace {

int32_t ClampAdd(int32_t value, int64_t delta) {
  const int64_t sum = int64_t(value) + delta;
  return int32_t(std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

}  // namespace

void TRdSlider::SetRange(int32_t minValue, int32_t maxValue) {
  FMin = minValue;
  FMax = std::max(minValue, maxValue);
  FValue = std::clamp(FValue, FMin, FMax);
  Invalidate();
}

bool TRdSlider::SetValue(int32_t value) {
  value = std::clamp(value, FMin, FMax);
  if (value == FValue) return false;
  FValue = value;
  Invalidate();
  return true;
}

bool TRdSlider::UserSetValue(int32_t value) {
  if (!SetValue(value)) return false;
  if (OnChange) OnChange(*this);
  return true;
}

bool TRdSlider::Step(int32_t value) {
  if (!UserSetValue(value)) return false;
  if (OnChanged) OnChanged(*this);
  return true;
}

int32_t TRdSlider::Page() const {
  if (PageIncrement > 0) return PageIncrement;
  return std::max<int32_t>(Increment, int32_t((int64_t(FMax) - FMin) / 5));
}

TRect TRdSlider::RulerRect() const {
  const TRect& b = Bounds();
  return {b.Left + RulerIndent, b.Top, std::max(b.Left + RulerIndent, b.Right - RulerIndent), b.Bottom};
}

int32_t TRdSlider::ThumbSize() const { return ThumbWidth > 0 ? ThumbWidth : std::max(1, Bounds().Height() * 7 / 10); }

// The thumb stays on the ruler: its centre travels between half a thumb inside either end.
int32_t TRdSlider::ThumbCentre(int32_t value) const {
  const TRect ruler = RulerRect();
  const int32_t start = ruler.Left + ThumbSize() / 2;
  const int32_t span = std::max(0, ruler.Width() - ThumbSize());
  if (FMax == FMin) return start;
  const double part = double(int64_t(std::clamp(value, FMin, FMax)) - FMin) / double(int64_t(FMax) - FMin);
  return start + int32_t(std::lround(part * span));
}

int32_t TRdSlider::ValueAt(int32_t x) const {
  const TRect ruler = RulerRect();
  const int32_t start = ruler.Left + ThumbSize() / 2;
  const int32_t span = std::max(0, ruler.Width() - ThumbSize());
  if (span == 0) return FMin;
  const double part = std::clamp(double(x - start) / span, 0.0, 1.0);
  return int32_t(FMin + std::llround(part * (double(int64_t(FMax) - FMin))));
}

TRect TRdSlider::ThumbRect() const {
  const int32_t size = ThumbSize();
  const TRect& b = Bounds();
  return TRect::FromSize(ThumbCentre(FValue) - size / 2, b.Top + (b.Height() - size) / 2, size, size);
}

void TRdSlider::Paint(TRdCanvas& canvas) {
  // The ruler keeps its picture's own height (all of the control's when it has none), centred.
  const TRect full = RulerRect();
  const int32_t pictureHeight = canvas.PictureSize(ImageHRuler).Height;
  const int32_t height = pictureHeight > 0 ? std::min(pictureHeight, full.Height()) : full.Height();
  const TRect ruler{full.Left, full.Top + (full.Height() - height) / 2, full.Right,
                    full.Top + (full.Height() - height) / 2 + height};
  if (!ImageHRuler.empty()) canvas.DrawPicture(ImageHRuler, ruler, RulerOption);
  const int32_t selectedEnd = std::min(ruler.Right, ThumbCentre(FValue) + RulerSelectAdd);
  if (!ImageRulerSelect.empty() && selectedEnd > ruler.Left)
    canvas.DrawPicture(ImageRulerSelect, {ruler.Left, ruler.Top, selectedEnd, ruler.Bottom}, RulerOption);
  if (!ImageHThumb.empty()) canvas.DrawPicture(ImageHThumb, ThumbRect(), {});
}

TRdMouseResult TRdSlider::MouseDown(TPoint p) {
  if (ReadOnly) return {};
  FPressed = true;
  FMovedWhilePressed = false;
  const TRect thumb = ThumbRect();
  if (p.X >= thumb.Left && p.X < thumb.Right) {
    FDragging = true;
    FGrab = p.X - ThumbCentre(FValue);
    return {};
  }
  if (AllowClickJump) {
    FDragging = true;  // the thumb, now under the pointer, follows it until the release
    FGrab = 0;
    FMovedWhilePressed = UserSetValue(ValueAt(p.X));
    return {};
  }
  const int64_t towards = p.X < ThumbCentre(FValue) ? -int64_t(Increment) : Increment;
  FMovedWhilePressed = UserSetValue(ClampAdd(FValue, towards));
  return {};
}

TRdMouseResult TRdSlider::MouseMove(TPoint p) {
  if (!FDragging) return {};
  if (UserSetValue(ValueAt(p.X - FGrab))) FMovedWhilePressed = true;
  return {};
}

TRdMouseResult TRdSlider::MouseUp(TPoint, bool inside) {
  if (!FPressed) return {};
  FPressed = FDragging = false;
  if (FMovedWhilePressed && OnChanged) OnChanged(*this);
  FMovedWhilePressed = false;
  return {false, inside};
}

bool TRdSlider::KeyDown(TRdKey key) {
  if (ReadOnly) return false;
  switch (key) {
    case TRdKey::Left:
    case TRdKey::Down: Step(ClampAdd(FValue, -int64_t(Increment))); return true;
    case TRdKey::Right:
    case TRdKey::Up: Step(ClampAdd(FValue, Increment)); return true;
    case TRdKey::PageDown: Step(ClampAdd(FValue, -int64_t(Page()))); return true;
    case TRdKey::PageUp: Step(ClampAdd(FValue, Page())); return true;
    case TRdKey::Home: Step(FMin); return true;
    case TRdKey::End: Step(FMax); return true;
    default: return false;
  }
}

bool TRdSlider::MouseWheel(TPoint, int32_t notches) {
  if (ReadOnly || notches == 0) return false;
  Step(ClampAdd(FValue, int64_t(notches) * Increment));
  return true;
}

}  // namespace qor
