#include "engine/UndoList.h"

#include <utility>

namespace qor {

namespace {

TStepEffect TakeOut(TUndoStep& step, TLayerList& layers) {
  const auto at = layers.begin() + (step.Layer - 1);
  step.SetAside = std::move(*at);
  layers.erase(at);
  return {step.Layer, false, true};
}

TStepEffect PutBack(TUndoStep& step, TLayerList& layers) {
  layers.insert(layers.begin() + (step.Layer - 1), std::move(step.SetAside));
  return {step.Layer, true, false};
}

// Create and delete are each other's reverse; so are the two directions of a move, resize, replacement or pixelation.
TStepEffect Apply(TUndoStep& step, TLayerList& layers, const TImageView& picture, bool forwards) {
  switch (step.Kind) {
    case TStepKind::Create: return forwards ? PutBack(step, layers) : TakeOut(step, layers);
    case TStepKind::Delete: return forwards ? TakeOut(step, layers) : PutBack(step, layers);
    case TStepKind::Pixelate:
      forwards ? step.Pixels.Repeat(picture) : step.Pixels.Restore(picture);
      return {0, false, false};
    case TStepKind::Replace: std::swap(step.SetAside, layers[step.Layer - 1]); return {step.Layer, false, false};
    case TStepKind::Move:
    case TStepKind::Resize: break;
  }
  layers[step.Layer - 1]->SetGeometry(forwards ? step.After : step.Before);
  return {step.Layer, false, false};
}

}  // namespace

void TUndoList::Push(TUndoStep step) {
  FDone.push_back(std::move(step));
  FUndone.clear();
}

TStepEffect TUndoList::Undo(TLayerList& layers, const TImageView& picture) {
  TUndoStep step = std::move(FDone.back());
  FDone.pop_back();
  const TStepEffect effect = Apply(step, layers, picture, false);
  FUndone.push_back(std::move(step));
  return effect;
}

TStepEffect TUndoList::Redo(TLayerList& layers, const TImageView& picture) {
  TUndoStep step = std::move(FUndone.back());
  FUndone.pop_back();
  const TStepEffect effect = Apply(step, layers, picture, true);
  FDone.push_back(std::move(step));
  return effect;
}

void TUndoList::Clear() {
  FDone.clear();
  FUndone.clear();
}

}  // namespace qor
