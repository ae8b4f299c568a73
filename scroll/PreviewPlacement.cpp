#include "scroll/PreviewPlacement.h"

#include <algorithm>

#include "base/Utf16Text.h"

namespace qor {

namespace {

// The side for a first result of width x height, and the height it gets there.
TPreviewSide ChooseSide(const TPreviewInput& in, int32_t width, int32_t height) {
  const TRect& r = in.Region;
  if (r.Right + PreviewGap + width <= in.RunWindow.Width) return TPreviewSide::Right;
  if (r.Left - width - PreviewGap >= 0) return TPreviewSide::Left;
  if (r.Top - height - 2 * PreviewGap >= 0) return TPreviewSide::Above;
  if (r.Bottom + height + PreviewGap <= in.RunWindow.Height) return TPreviewSide::Below;
  return TPreviewSide::Inside;
}

// The box's top on its side; the height matters only above the region and inside it.
int32_t TopOn(TPreviewSide side, const TRect& r, int32_t height, bool downward) {
  switch (side) {
    case TPreviewSide::Above: return r.Top - height - PreviewGap;
    case TPreviewSide::Below: return r.Bottom + PreviewGap;
    case TPreviewSide::Inside: return downward ? r.Top + PreviewGap : r.Bottom - height - PreviewGap;
    default: return r.Top;
  }
}

int32_t LeftOn(TPreviewSide side, const TRect& r, int32_t width) {
  switch (side) {
    case TPreviewSide::Right: return r.Right + PreviewGap;
    case TPreviewSide::Left: return r.Left - width - PreviewGap;
    case TPreviewSide::Inside: return r.Right - width - PreviewGap;
    default: return r.Right - width;  // above and below: right-aligned with the region
  }
}

// A later result's height on its side: the whole result as far as there is room.
int32_t LaterHeight(TPreviewSide side, const TPreviewInput& in) {
  const TRect& r = in.Region;
  const int32_t h = in.Result.Height;
  switch (side) {
    case TPreviewSide::Above: return r.Top - h - 2 * PreviewGap < 1 ? r.Top - 2 * PreviewGap : h;
    case TPreviewSide::Inside: return std::min(h / 4, r.Height() / 3);
    default: return std::min(h, in.WorkAreaBottom - PreviewGap - TopOn(side, r, h, in.Downward));
  }
}

// Narrow run windows and regions at an edge could push the box off the run window; it moves back in.
TRect KeptIn(TSize runWindow, int32_t left, int32_t top, int32_t width, int32_t height) {
  width = std::min(width, runWindow.Width);
  height = std::min(height, runWindow.Height);
  left = std::clamp(left, 0, std::max(0, runWindow.Width - width));
  top = std::clamp(top, 0, std::max(0, runWindow.Height - height));
  return TRect::FromSize(left, top, width, height);
}

void Log(std::vector<std::u16string>* log, std::u16string_view text, int32_t value) {
  if (log) log->push_back(std::u16string(text) + IntToText(value));
}

}  // namespace

TRect TPreviewPlacement::Place(const TPreviewInput& in, std::vector<std::u16string>* log) {
  const int32_t h = in.Result.Height;
  TPreviewSide side = FSide;
  int32_t width = FWidth, height = 0;
  bool downward = in.Downward;
  if (side == TPreviewSide::None) {
    width = std::min(in.Result.Width, PreviewMaxWidth);
    height = h > PreviewHalvedAbove ? h / 2 : h;
    side = ChooseSide(in, width, height);
    if (side == TPreviewSide::Inside) height = h / 4;
    downward = true;  // the first box inside the region sits at its top
  } else {
    height = LaterHeight(side, in);
  }

  if (height < 1) {
    Log(log, u"ShowLongScreenShot1 img_longpic.Heigh: ", height);
    Log(log, u"ShowLongScreenShot1 iHeight: ", h);
    height = h;
  }
  if (h < 1 || width < 1) {
    Log(log, u"ShowLongScreenShot2 img_longpic.Heigh: ", height);
    Log(log, u"ShowLongScreenShot2 img_longpic.Width: ", width);
    return {};
  }
  FSide = side;
  FWidth = width;
  const TRect& r = in.Region;
  return KeptIn(in.RunWindow, LeftOn(side, r, width), TopOn(side, r, height, downward), width, height);
}

TRect TPreviewPlacement::MoveAside(const TRect& box, const TRect& region, bool upward) const {
  if (FSide != TPreviewSide::Inside) return box;
  const int32_t top = upward ? region.Bottom - box.Height() - PreviewGap : region.Top + PreviewGap;
  return TRect::FromSize(box.Left, top, box.Width(), box.Height());
}

}  // namespace qor
