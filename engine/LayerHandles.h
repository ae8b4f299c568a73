#pragma once
// The handles of the selected layer: where they sit, which one a point grabs, the cursor over each, how they are
// drawn, and what dragging one does to the layer's geometry.
#include <cstdint>
#include <span>
#include <vector>

#include "base/Geometry.h"
#include "base/Image.h"
#include "engine/EditSurface.h"
#include "engine/LayerGeometry.h"

namespace qor {

enum class THandle { None, TopLeft, TopRight, BottomRight, BottomLeft, Top, Right, Bottom, Left, Start, End };

struct THandleSpot {
  THandle Which = THandle::None;
  TPoint Centre;
};

inline constexpr int32_t HandleSize = 7;  // at 1x; doubled with the layout
inline constexpr uint32_t HandleBorderColor = 0xFF7733;

// Corners first, so that on a tiny box a corner wins over the sides it covers.
std::vector<THandleSpot> HandleSpots(const TLayerGeometry& geometry, TLayerForm form);
// The square a handle covers.
TRect HandleSquare(TPoint centre, int32_t size = HandleSize);
// The first spot whose square holds p, or nullptr.
const THandleSpot* HandleAt(std::span<const THandleSpot> spots, TPoint p, int32_t size = HandleSize);
TSurfaceCursor CursorOf(THandle handle);
// White squares with a blue border, inside area (surface coordinates) of target, whose top-left pixel stands for
// surface point targetOrigin.
void DrawHandles(std::span<const THandleSpot> spots, int32_t size, const TRect& area, const TImageView& target,
                 TPoint targetOrigin);
// The geometry once handle has been dragged so that its centre lies on p; box sides dragged past each other mirror.
TLayerGeometry Reshaped(const TLayerGeometry& geometry, TLayerForm form, THandle handle, TPoint p);

}  // namespace qor
