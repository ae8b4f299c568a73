#include "engine/AnnotationLayer.h"

#include <algorithm>
#include <cmath>

#include "engine/DrawnRects.h"
#include "engine/Rasterizer.h"
#include "engine/ShapeOutline.h"

namespace qor {

namespace {

TRect UnionOf(const TRect& a, const TRect& b) {
  if (a.IsEmpty()) return b;
  if (b.IsEmpty()) return a;
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)};
}

TPolygon BoxPolygon(const TRect& r) {
  return {{double(r.Left), double(r.Top)},
          {double(r.Right), double(r.Top)},
          {double(r.Right), double(r.Bottom)},
          {double(r.Left), double(r.Bottom)}};
}

}  // namespace

TAnnotationLayer::TAnnotationLayer(TLayerKind kind, const TLayerLook& look, TLayerGeometry geometry, const TRect& clip)
    : FKind(kind), FLook(look), FGeometry(std::move(geometry)), FClip(clip) {
  Rasterise();
}

TAnnotationLayer::TAnnotationLayer(TTextStamp stamp, TPoint at, int32_t tag)
    : FKind(TLayerKind::Text),
      FGeometry{at, {at.X + stamp.Size().Width - 1, at.Y + stamp.Size().Height - 1}, {}},
      FStamp(std::move(stamp)),
      FTag(tag) {
  Rasterise();
}

void TAnnotationLayer::SetLook(const TLayerLook& look) {
  FLook = look;
  Rasterise();
}

void TAnnotationLayer::SetGeometry(TLayerGeometry geometry) {
  FGeometry = std::move(geometry);
  Rasterise();
}

void TAnnotationLayer::CommitOffset() {
  if (FOffset == TPoint{}) return;
  FGeometry = Moved(FGeometry, FOffset);
  FOffset = {};
  Rasterise();
}

TRect TAnnotationLayer::ExtendPath(TPointF point) {
  FGeometry.Path.push_back(point);
  FHandles.reset();
  const size_t n = FGeometry.Path.size();
  const std::span<const TPointF> segment(FGeometry.Path.data() + (n >= 2 ? n - 2 : 0), n >= 2 ? 2 : 1);
  if (FLook.BorderColor == NoColor || FLook.BorderWidth <= 0) return {};
  StrokePolyline(segment, FLook.BorderWidth, FClip, FBorder);
  FDrawnRects.reset();
  // The segment's box grown by half the width and a pixel of anti-aliasing.
  const double reach = FLook.BorderWidth / 2.0 + 1;
  const TPointF a = segment.front(), b = segment.back();
  const TRect area{int32_t(std::floor(std::min(a.X, b.X) - reach)), int32_t(std::floor(std::min(a.Y, b.Y) - reach)),
                   int32_t(std::ceil(std::max(a.X, b.X) + reach)), int32_t(std::ceil(std::max(a.Y, b.Y) + reach))};
  const TRect drawn = area.Intersect(FClip);
  FBounds = UnionOf(FBounds, drawn);
  return drawn.Offset(FOffset.X, FOffset.Y);
}

void TAnnotationLayer::Rasterise() {
  FBorder.Clear();
  FFill.Clear();
  FDrawnRects.reset();
  FHandles.reset();
  if (FKind == TLayerKind::Text) {
    FBounds = TRect::FromSize(FGeometry.A.X, FGeometry.A.Y, FStamp.Size().Width, FStamp.Size().Height);
    return;
  }
  const bool border = FLook.BorderColor != NoColor && FLook.BorderWidth > 0;
  const bool fill = FLook.FillColor != NoColor;
  const int32_t width = FLook.BorderWidth;
  const TPointF a = PixelCentre(FGeometry.A), b = PixelCentre(FGeometry.B);
  const TRect box = DragBox(FGeometry.A, FGeometry.B);
  // A fill reaches halfway under the border, so neither a seam inside nor a fringe outside the border shows.
  const TRect fillBox = box.Inflate(-(std::max(width, 0) / 2), -(std::max(width, 0) / 2));
  if (FKind == TLayerKind::FreeHand) {
    if (border) StrokePolyline(FGeometry.Path, width, FClip, FBorder);
  } else if (FKind == TLayerKind::Line || (FKind == TLayerKind::Shape && FLook.Shape == TShapeKind::Line)) {
    const TPointF ends[] = {a, b};
    if (border) StrokePolyline(ends, width, FClip, FBorder);
  } else if (FKind == TLayerKind::Shape && FLook.Shape == TShapeKind::Arrow) {
    TPolygon outline = ArrowOutline(a, b, FLook.ArrowSize);
    if (fill) FillPolygons(std::span<const TPolygon>(&outline, 1), FClip, FFill);
    if (border && !outline.empty()) {
      outline.push_back(outline.front());
      StrokePolyline(outline, width, FClip, FBorder);
    }
  } else if (FKind == TLayerKind::Shape && FLook.Shape == TShapeKind::Ellipse) {
    if (fill && !fillBox.IsEmpty()) FillPolygons(EllipseFill(fillBox), FClip, FFill);
    if (border) FillPolygons(EllipseBorder(box, width), FClip, FBorder);
  } else if (FKind == TLayerKind::Shape) {
    if (fill && !fillBox.IsEmpty()) {
      const TPolygon inside = BoxPolygon(fillBox);
      FillPolygons(std::span<const TPolygon>(&inside, 1), FClip, FFill);
    }
    if (border) FillPolygons(RectangleBorder(box, width), FClip, FBorder);
  }
  FBounds = UnionOf(FBorder.Bounds(), FFill.Bounds());
}

std::vector<TRect> TAnnotationLayer::DrawnRects() const {
  if (FKind == TLayerKind::Text) return {Bounds()};
  if (!FDrawnRects) {
    FDrawnRects = qor::DrawnRects(FBorder);
    const std::vector<TRect> fill = qor::DrawnRects(FFill);
    FDrawnRects->insert(FDrawnRects->end(), fill.begin(), fill.end());
  }
  std::vector<TRect> rects = *FDrawnRects;
  for (TRect& r : rects) r = r.Offset(FOffset.X, FOffset.Y);
  return rects;
}

bool TAnnotationLayer::Hits(TPoint p, int32_t radius) const {
  if (FKind == TLayerKind::Text) return false;
  if (!Bounds().Inflate(radius, radius).Contains(p)) return false;
  const TPoint q{p.X - FOffset.X, p.Y - FOffset.Y};
  for (int32_t dy = -radius; dy <= radius; ++dy)
    for (int32_t dx = -radius; dx <= radius; ++dx) {
      if (dx * dx + dy * dy > radius * radius) continue;
      const TPoint r{q.X + dx, q.Y + dy};
      if (FBorder.At(r) > 0 || FFill.At(r) > 0) return true;
    }
  return false;
}

std::vector<THandleSpot> TAnnotationLayer::Handles() const {
  if (FKind == TLayerKind::Text) return {};
  if (!FHandles) FHandles = HandleSpots(FGeometry, Form());
  std::vector<THandleSpot> spots = *FHandles;
  for (THandleSpot& s : spots) s.Centre = {s.Centre.X + FOffset.X, s.Centre.Y + FOffset.Y};
  return spots;
}

void TAnnotationLayer::Blend(const TRect& area, const TImageView& target, TPoint targetOrigin) const {
  if (FHidden || area.Intersect(Bounds()).IsEmpty()) return;
  if (FKind == TLayerKind::Text) {
    BlendStamp(FStamp, {FBounds.Left + FOffset.X, FBounds.Top + FOffset.Y}, area, target, targetOrigin);
    return;
  }
  if (FLook.FillColor != NoColor)
    BlendCoverage(FFill, FOffset, BgraFromColorRef(FLook.FillColor), area, target, targetOrigin);
  if (FLook.BorderColor != NoColor)
    BlendCoverage(FBorder, FOffset, BgraFromColorRef(FLook.BorderColor), area, target, targetOrigin);
}

}  // namespace qor
