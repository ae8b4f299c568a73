#pragma once
// The look a layer takes the moment the user starts drawing it, from the tools' current colours and pen width.
// The look is a copy: later colour or pen changes do not reach layers already made.
#include "annotate/AnnotationTools.h"
#include "engine/LayerLook.h"

namespace qor {

// Shape layers: the rectangle, oval and line tools draw an outline of the pen width in the shape colour; the arrow
// tool (and any other) a filled arrow with a 1-pixel border whose head grows with the pen. Line and free-hand
// layers: a stroke of the pen width in the shape colour. Text and image layers keep the engine's default look.
TLayerLook NewLayerLook(const TAnnotationTools& tools, TLayerKind kind);

// The arrow head size index for a pen width: 0 for 1, 1 for 4, 2 for 8.
int32_t ArrowSizeFor(int32_t penWidth);

}  // namespace qor
