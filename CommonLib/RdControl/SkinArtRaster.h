#pragma once
// A small anti-aliased rasteriser for the skin pictures. A shape is a signed distance (negative inside, in pixels)
// with a box that holds it; painting takes each pixel's coverage from 8 x 8 samples where the edge passes through the
// pixel, and 0 or 1 elsewhere, and lays the colour over the picture (straight BGRA, "source over").
// Distances must never overstate the distance to the edge (exact, or a safe underestimate): the 0/1 shortcut
// relies on it. Coordinates are continuous: pixel (x, y) covers [x, x + 1) x [y, y + 1).
//
//   TImage picture(30, 30);
//   FillShape(picture.View(), RoundRectShape({0, 0, 30, 30}, 4), BgraFromColorRef(0x3E3E3E));
//   FillShape(picture.View(), StrokeShape({{4, 16}, {16, 4}}, 2, TArtCap::Round), BgraFromColorRef(0xFFFFFF));
#include <functional>
#include <vector>

#include "base/Image.h"

namespace qor {

struct TArtPoint {
  float X = 0, Y = 0;
};

struct TArtRect {
  float Left = 0, Top = 0, Right = 0, Bottom = 0;
  float Width() const { return Right - Left; }
  float Height() const { return Bottom - Top; }
  bool IsEmpty() const { return !(Right > Left && Bottom > Top); }
};

struct TArtShape {
  std::function<float(float x, float y)> Distance;
  TArtRect Bounds;  // nothing of the shape lies outside
  bool IsEmpty() const { return !Distance || Bounds.IsEmpty(); }
};

// How a stroke ends: a half disc, or a half square (the segment made longer by half the width at each end). Each
// segment of a polyline ends that way, so square caps give square corners to axis-aligned outlines.
enum class TArtCap { Round, Square };

TArtShape RectShape(const TArtRect& r);
TArtShape RoundRectShape(const TArtRect& r, float radius);
// The band of the given width centred on a rounded rectangle's edge.
TArtShape RoundRectOutline(const TArtRect& r, float radius, float width);
TArtShape CircleShape(TArtPoint centre, float radius);
// Polygon, even-odd filled; fewer than 3 points give nothing.
TArtShape PolygonShape(std::vector<TArtPoint> points);
// A stroke of the given width along the points (closed: back to the first point too).
TArtShape StrokeShape(std::vector<TArtPoint> points, float width, TArtCap cap, bool closed = false);
// The shapes together, and the first without the second.
TArtShape UnionShape(TArtShape a, TArtShape b);
TArtShape CutShape(TArtShape shape, TArtShape cut);

// Points along an elliptic arc, angles in degrees clockwise on screen from the +x axis (y grows downwards).
std::vector<TArtPoint> ArcPoints(TArtPoint centre, float rx, float ry, float fromDegrees, float sweepDegrees);
// A whole ellipse as a closed list of points, for PolygonShape or StrokeShape(..., closed = true).
std::vector<TArtPoint> EllipsePoints(TArtPoint centre, float rx, float ry);

// How much of pixel (x, y) the shape covers, 0 to 1.
float PixelCoverage(const TArtShape& shape, int32_t x, int32_t y);

// Lays color (straight alpha) over the pixels of picture that the shape covers, scaled by coverage; pixels
// outside the picture are left out.
void FillShape(const TImageView& picture, const TArtShape& shape, TBgra color);

}  // namespace qor
