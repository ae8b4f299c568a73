#pragma once
// One annotation layer: its kind, look and geometry, and the coverage its border and fill were rasterised into.
// Moving is an offset applied when blending until the move ends; then the layer is rasterised at its new place, so
// parts the clip had cut off come back. A text layer instead holds the pixels of a committed text, with the tag of
// the editor that typed it; the mouse never picks it (the text tool reopens it in its editor), and it is hidden while
// open there.
#include <optional>
#include <vector>

#include "base/Geometry.h"
#include "base/Image.h"
#include "engine/Coverage.h"
#include "engine/LayerGeometry.h"
#include "engine/LayerHandles.h"
#include "engine/LayerLook.h"
#include "engine/TextStamp.h"

namespace qor {

class TAnnotationLayer {
 public:
  // clip bounds what is rasterised (the surface with a margin).
  TAnnotationLayer(TLayerKind kind, const TLayerLook& look, TLayerGeometry geometry, const TRect& clip);
  // A text layer: the stamp with its top-left at `at`.
  TAnnotationLayer(TTextStamp stamp, TPoint at, int32_t tag);

  TLayerKind Kind() const { return FKind; }
  const TLayerLook& Look() const { return FLook; }
  const TLayerGeometry& Geometry() const { return FGeometry; }
  TLayerForm Form() const { return FormOf(FKind, FLook.Shape); }
  int32_t Tag() const { return FTag; }
  const TTextStamp& Stamp() const { return FStamp; }
  bool Hidden() const { return FHidden; }
  void SetHidden(bool hidden) { FHidden = hidden; }

  // Each rasterises the layer afresh.
  void SetLook(const TLayerLook& look);
  void SetGeometry(TLayerGeometry geometry);
  // Adds a point to a free-hand path and strokes only the new segment; returns the area it may have drawn on.
  TRect ExtendPath(TPointF point);

  TPoint Offset() const { return FOffset; }
  void SetOffset(TPoint offset) { FOffset = offset; }
  // Moves the geometry by the offset and rasterises it there.
  void CommitOffset();

  // Everything below is where the layer shows, its offset included.
  TRect Bounds() const { return FBounds.Offset(FOffset.X, FOffset.Y); }
  // Rectangles around the drawn pixels: what to repaint when the layer appears, changes or goes.
  std::vector<TRect> DrawnRects() const;
  // Whether a drawn pixel lies within radius of p.
  bool Hits(TPoint p, int32_t radius) const;
  std::vector<THandleSpot> Handles() const;
  // Blends fill, then border, over target inside area.
  void Blend(const TRect& area, const TImageView& target, TPoint targetOrigin) const;

 private:
  void Rasterise();

  TLayerKind FKind;
  TLayerLook FLook;
  TLayerGeometry FGeometry;
  TRect FClip;
  TCoverage FBorder;
  TCoverage FFill;
  TTextStamp FStamp;  // text layers
  int32_t FTag = 0;
  bool FHidden = false;
  TRect FBounds;  // of both coverages (of the stamp for a text); may be larger while a free-hand path grows
  TPoint FOffset;
  mutable std::optional<std::vector<TRect>> FDrawnRects;  // found on demand, dropped whenever the coverage changes
  // Likewise the handles: every composed area draws them, and a long path's box takes a while to find.
  mutable std::optional<std::vector<THandleSpot>> FHandles;
};

}  // namespace qor
