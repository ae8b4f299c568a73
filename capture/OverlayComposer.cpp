#include "capture/OverlayComposer.h"

#include "base/PixelOps.h"
#include "capture/DashedBorder.h"

namespace qor {

namespace {

std::vector<TRect> Offset(std::vector<TRect> rects, int32_t dx, int32_t dy) {
  for (TRect& r : rects) r = r.Offset(dx, dy);
  return rects;
}

// Copies source's pixels inside area (overlay coordinates) into target, where target's top-left is origin.
void CopyArea(const TConstImageView& source, TPoint sourceAt, const TRect& area, const TImageView& target,
              TPoint origin) {
  const TRect sourceBounds = TRect::FromSize(sourceAt.X, sourceAt.Y, source.Width, source.Height);
  const TRect part = area.Intersect(sourceBounds);
  if (part.IsEmpty()) return;
  CopyPixels(source.Sub(part.Offset(-sourceAt.X, -sourceAt.Y)), target.Sub(part.Offset(-origin.X, -origin.Y)));
}

void FillArea(const std::vector<TRect>& rects, const TRect& area, const TImageView& target, TPoint origin,
              TBgra color) {
  std::vector<TRect> local;
  for (const TRect& r : rects) {
    const TRect part = r.Intersect(area);
    if (!part.IsEmpty()) local.push_back(part.Offset(-origin.X, -origin.Y));
  }
  FillRects(target, local, color);
}

}  // namespace

std::vector<TRect> FramePixels(const TRect& front, TFrameStyle style, int32_t phase) {
  if (front.IsEmpty()) return {};
  switch (style) {
    case TFrameStyle::MovingBorder:
      return Offset(MovingBorderDashes(front.Width(), front.Height(), phase), front.Left, front.Top);
    case TFrameStyle::Dashed: return Offset(FirstDragFrameDashes(front.Width(), front.Height()), front.Left, front.Top);
    case TFrameStyle::Solid: {
      const auto lines = FrameLines(front);
      return std::vector<TRect>(lines.begin(), lines.end());
    }
    case TFrameStyle::None: break;
  }
  return {};
}

bool OnlyMaskShows(const TOverlayLayers& layers, const TRect& area) {
  const auto touches = [&](const TRect& r) { return !r.Intersect(area).IsEmpty(); };
  if (touches(layers.Front)) return false;
  for (const TRect& r : FramePixels(layers.Front, layers.Frame, layers.BorderPhase))
    if (touches(r)) return false;
  if (layers.HandlesVisible)
    for (const TRect& r : layers.Handles)
      if (touches(r)) return false;
  return !(layers.MagnifierVisible && touches(layers.MagnifierPanel));
}

void ComposeOverlay(const TOverlayLayers& layers, const TRect& dirty, const TImageView& target, TPoint targetOrigin) {
  const TRect area = dirty.Intersect(TRect{0, 0, layers.Mask.Width, layers.Mask.Height})
                         .Intersect(TRect::FromSize(targetOrigin.X, targetOrigin.Y, target.Width, target.Height));
  if (area.IsEmpty()) return;

  CopyArea(layers.Mask, {0, 0}, area, target, targetOrigin);
  // The first drag is not clamped: only the part of the front that lies on the frozen screen is copied.
  const TRect front = layers.Front.Intersect(TRect{0, 0, layers.Screen.Width, layers.Screen.Height});
  if (!front.IsEmpty()) {
    CopyArea(layers.Screen.Sub(front), {front.Left, front.Top}, area, target, targetOrigin);
    FillArea(FramePixels(layers.Front, layers.Frame, layers.BorderPhase), area, target, targetOrigin, AccentBgra);
  }
  if (layers.HandlesVisible)
    FillArea(std::vector<TRect>(layers.Handles.begin(), layers.Handles.end()), area, target, targetOrigin, AccentBgra);
  if (layers.MagnifierVisible) {
    FillArea({layers.MagnifierPanel}, area, target, targetOrigin, MagnifierBackground);
    CopyArea(layers.MagnifierImage, layers.MagnifierImageAt, area, target, targetOrigin);
  }
}

}  // namespace qor
