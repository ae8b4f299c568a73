#include "engine/LayerHandles.h"

namespace qor {

std::vector<THandleSpot> HandleSpots(const TLayerGeometry& geometry, TLayerForm form) {
  if (form == TLayerForm::Ends) return {{THandle::Start, geometry.A}, {THandle::End, geometry.B}};
  const TRect box = HandleBox(geometry, form);
  if (box.IsEmpty()) return {};
  const int32_t left = box.Left, top = box.Top, right = box.Right - 1, bottom = box.Bottom - 1;
  const int32_t midX = left + (right - left) / 2, midY = top + (bottom - top) / 2;
  return {
      {THandle::TopLeft, {left, top}},       {THandle::TopRight, {right, top}}, {THandle::BottomRight, {right, bottom}},
      {THandle::BottomLeft, {left, bottom}}, {THandle::Top, {midX, top}},       {THandle::Right, {right, midY}},
      {THandle::Bottom, {midX, bottom}},     {THandle::Left, {left, midY}}};
}

TRect HandleSquare(TPoint centre, int32_t size) {
  return TRect::FromSize(centre.X - size / 2, centre.Y - size / 2, size, size);
}

const THandleSpot* HandleAt(std::span<const THandleSpot> spots, TPoint p, int32_t size) {
  for (const THandleSpot& spot : spots)
    if (HandleSquare(spot.Centre, size).Contains(p)) return &spot;
  return nullptr;
}

TSurfaceCursor CursorOf(THandle handle) {
  switch (handle) {
    case THandle::TopLeft:
    case THandle::BottomRight: return TSurfaceCursor::SizeNwse;
    case THandle::TopRight:
    case THandle::BottomLeft: return TSurfaceCursor::SizeNesw;
    case THandle::Top:
    case THandle::Bottom: return TSurfaceCursor::SizeNs;
    case THandle::Left:
    case THandle::Right: return TSurfaceCursor::SizeWe;
    case THandle::Start:
    case THandle::End: return TSurfaceCursor::Move;
    case THandle::None: break;
  }
  return TSurfaceCursor::Arrow;
}

void DrawHandles(std::span<const THandleSpot> spots, int32_t size, const TRect& area, const TImageView& target,
                 TPoint targetOrigin) {
  const TBgra white{255, 255, 255, 255};
  const TBgra border = BgraFromColorRef(HandleBorderColor);
  const TRect targetArea = TRect::FromSize(targetOrigin.X, targetOrigin.Y, target.Width, target.Height);
  for (const THandleSpot& spot : spots) {
    const TRect square = HandleSquare(spot.Centre, size);
    const TRect visible = square.Intersect(area).Intersect(targetArea);
    for (int32_t y = visible.Top; y < visible.Bottom; ++y) {
      TBgra* row = target.Row(y - targetOrigin.Y) - targetOrigin.X;
      for (int32_t x = visible.Left; x < visible.Right; ++x) {
        const bool edge = x == square.Left || x == square.Right - 1 || y == square.Top || y == square.Bottom - 1;
        row[x] = edge ? border : white;
      }
    }
  }
}

TLayerGeometry Reshaped(const TLayerGeometry& geometry, TLayerForm form, THandle handle, TPoint p) {
  TLayerGeometry reshaped = geometry;
  if (form == TLayerForm::Ends) {
    if (handle == THandle::Start) reshaped.A = p;
    if (handle == THandle::End) reshaped.B = p;
    return reshaped;
  }
  // The pixels of the box's first and last corner; each handle moves the sides it sits on.
  const TRect box = HandleBox(geometry, form);
  TPoint first{box.Left, box.Top}, last{box.Right - 1, box.Bottom - 1};
  switch (handle) {
    case THandle::TopLeft: first = p; break;
    case THandle::TopRight: first.Y = p.Y, last.X = p.X; break;
    case THandle::BottomRight: last = p; break;
    case THandle::BottomLeft: first.X = p.X, last.Y = p.Y; break;
    case THandle::Top: first.Y = p.Y; break;
    case THandle::Right: last.X = p.X; break;
    case THandle::Bottom: last.Y = p.Y; break;
    case THandle::Left: first.X = p.X; break;
    default: return reshaped;
  }
  if (form == TLayerForm::Box) {
    reshaped.A = first;
    reshaped.B = last;
  } else {
    reshaped.Path = MapPath(geometry.Path, box, first, last);
  }
  return reshaped;
}

}  // namespace qor
