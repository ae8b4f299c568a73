#pragma once
// The undo and redo steps of the edit surface. A step that adds or removes a layer keeps the removed layer itself
// (with its look and coverage), so undo and redo put back the very same layer at the same index; a move or resize
// keeps both geometries, so either direction restores a geometry exactly rather than recomputing it. A replaced layer
// (an edited text) keeps the other version of the layer. A pixelation stroke keeps the picture's pixels it replaced
// and the colours it put there.
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/AnnotationLayer.h"
#include "engine/LayerGeometry.h"
#include "engine/Pixelation.h"

namespace qor {

// Annotation layers; element i holds surface layer i + 1.
using TLayerList = std::vector<std::unique_ptr<TAnnotationLayer>>;

enum class TStepKind { Create, Delete, Move, Resize, Replace, Pixelate };

struct TUndoStep {
  TStepKind Kind = TStepKind::Create;
  int32_t Layer = 0;                           // surface index (1 and up)
  std::unique_ptr<TAnnotationLayer> SetAside;  // the layer while it is out of the list, or the other version
  TLayerGeometry Before;                       // move and resize
  TLayerGeometry After;
  TPixelatedArea Pixels;  // pixelation: what the stroke changed in the picture (layer 0)
};

// What applying a step did to the list, so that the caller can repaint and keep its selection right.
struct TStepEffect {
  int32_t Layer = 0;
  bool Inserted = false;  // the layer came into the list at Layer
  bool Removed = false;   // the layer left the list from Layer
};

class TUndoList {
 public:
  int32_t UndoCount() const { return int32_t(FDone.size()); }
  int32_t RedoCount() const { return int32_t(FUndone.size()); }
  // Records a step that has been done; the redo steps are dropped.
  void Push(TUndoStep step);
  // The last step of either list; nullptr when there is none.
  const TUndoStep* LastDone() const { return FDone.empty() ? nullptr : &FDone.back(); }
  const TUndoStep* LastUndone() const { return FUndone.empty() ? nullptr : &FUndone.back(); }
  // Apply the last step backwards or forwards to layers and picture (layer 0), moving it to the other list. Call only
  // with a step there.
  TStepEffect Undo(TLayerList& layers, const TImageView& picture);
  TStepEffect Redo(TLayerList& layers, const TImageView& picture);
  void Clear();

 private:
  std::vector<TUndoStep> FDone;
  std::vector<TUndoStep> FUndone;
};

}  // namespace qor
