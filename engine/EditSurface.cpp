#include "engine/EditSurface.h"

#include <algorithm>

#include "base/PixelOps.h"

#include "engine/AnnotationLayer.h"
#include "engine/LayerHandles.h"
#include "engine/Pixelation.h"
#include "engine/RectUnion.h"
#include "engine/UndoList.h"

namespace qor {

namespace {

// How far outside the surface layers are still rasterised, so that a small move out and back loses nothing.
constexpr int32_t ClipMargin = 64;
// How close to a drawn pixel a press selects its layer.
constexpr int32_t HitRadius = 3;

enum class TDrag { None, Create, Move, Resize, Pixelate };

const TLayerLook DefaultLook{};

}  // namespace

struct TEditSurface::TState {
  TImage Background;
  int32_t HandleSide = HandleSize;
  TRect Area;  // the surface
  TRect Clip;  // what layers are rasterised inside
  TLayerList Layers;
  int32_t Current = 0;
  TCreateMode Mode = TCreateMode::None;
  TUndoList Steps;
  int32_t BrushSize = 20;
  int32_t BlockSize = 10;

  TDrag Drag = TDrag::None;
  TPoint DragStart;  // where the press was
  TPoint LastPoint;  // where the mouse was last seen during the drag
  THandle Grabbed = THandle::None;
  TPoint GrabShift;  // from the press to the grabbed handle's centre
  TLayerGeometry GeometryBefore;
  std::unique_ptr<TPixelationStroke> Stroke;

  // Collects the rectangles a change touches; Finish makes them disjoint and clips them to the surface.
  std::vector<TRect> Dirty;

  TAnnotationLayer* Layer(int32_t index) const {
    return index >= 1 && index <= int32_t(Layers.size()) ? Layers[index - 1].get() : nullptr;
  }
  bool HandlesShown() const { return Layer(Current) && Drag != TDrag::Create; }

  void AddLayer(int32_t index) {
    if (const TAnnotationLayer* layer = Layer(index)) {
      const std::vector<TRect> rects = layer->DrawnRects();
      Dirty.insert(Dirty.end(), rects.begin(), rects.end());
    }
  }
  void AddHandles() {
    if (!HandlesShown()) return;
    for (const THandleSpot& spot : Layer(Current)->Handles()) Dirty.push_back(HandleSquare(spot.Centre, HandleSide));
  }
  // The layer and the handles as they are now: call before and after a change.
  void AddLayerAndHandles(int32_t index) {
    AddLayer(index);
    AddHandles();
  }
  TSurfaceUpdate Finish(bool undoChanged = false) {
    TSurfaceUpdate update{UnionOfRects(Dirty, Area), undoChanged};
    Dirty.clear();
    return update;
  }

  int32_t TopLayerAt(TPoint p) const {
    for (int32_t i = int32_t(Layers.size()); i >= 1; --i)
      if (Layer(i)->Hits(p, HitRadius)) return i;
    return 0;
  }
  const THandleSpot* HandleOfCurrentAt(TPoint p, std::vector<THandleSpot>& spots) const {
    if (!HandlesShown()) return nullptr;
    spots = Layer(Current)->Handles();
    return HandleAt(spots, p, HandleSide);
  }
  void AddArea(const TPixelatedArea& area) {
    const std::vector<TRect> rects = area.Rects();
    Dirty.insert(Dirty.end(), rects.begin(), rects.end());
  }
  void Select(int32_t index) {
    AddHandles();
    Current = index;
    AddHandles();
  }

  void StartLayer(TLayerKind kind, TPoint p, TEditSurface& surface);
  // Undoes (forwards false) or redoes the last step.
  TSurfaceUpdate Step(bool forwards);
  void DragTo(TPoint p);
  bool Release();
  // Keeps the selection on the same layer after a layer came into or left the list at index.
  void FollowSelection(const TStepEffect& effect);
};

void TEditSurface::TState::StartLayer(TLayerKind kind, TPoint p, TEditSurface& surface) {
  Select(0);
  TLayerGeometry geometry{p, p, {}};
  if (kind == TLayerKind::FreeHand) geometry.Path.push_back(PixelCentre(p));
  Layers.push_back(std::make_unique<TAnnotationLayer>(kind, DefaultLook, std::move(geometry), Clip));
  const int32_t index = int32_t(Layers.size());
  Current = index;
  Drag = TDrag::Create;
  if (surface.OnNewLayer) {
    // The handler's own SetLook reports what it repaints; this press reports the layer as it ends up.
    std::vector<TRect> dirty = std::move(Dirty);
    surface.OnNewLayer(index, kind);
    Dirty = std::move(dirty);
    // A handler that undid, merged or selected something else has ended this creation.
    if (Current != index || !Layer(index)) Drag = TDrag::None;
  }
  AddLayer(index);
}

void TEditSurface::TState::DragTo(TPoint p) {
  LastPoint = p;
  if (Drag == TDrag::Pixelate) return Stroke->MoveTo(p, Dirty);
  TAnnotationLayer* layer = Layer(Current);
  if (!layer) return;
  switch (Drag) {
    case TDrag::Create:
      if (layer->Kind() == TLayerKind::FreeHand) {
        // Only points that moved join the path.
        if (layer->Geometry().Path.back() == PixelCentre(p)) return;
        Dirty.push_back(layer->ExtendPath(PixelCentre(p)));
      } else if (layer->Geometry().B != p) {
        AddLayer(Current);
        TLayerGeometry geometry = layer->Geometry();
        geometry.B = p;
        layer->SetGeometry(std::move(geometry));
        AddLayer(Current);
      }
      break;
    case TDrag::Move: {
      const TPoint offset{p.X - DragStart.X, p.Y - DragStart.Y};
      if (offset == layer->Offset()) return;
      AddLayerAndHandles(Current);
      layer->SetOffset(offset);
      AddLayerAndHandles(Current);
      break;
    }
    case TDrag::Resize: {
      TLayerGeometry geometry =
          Reshaped(GeometryBefore, layer->Form(), Grabbed, {p.X + GrabShift.X, p.Y + GrabShift.Y});
      if (geometry == layer->Geometry()) return;
      AddLayerAndHandles(Current);
      layer->SetGeometry(std::move(geometry));
      AddLayerAndHandles(Current);
      break;
    }
    case TDrag::Pixelate:
    case TDrag::None: break;
  }
}

bool TEditSurface::TState::Release() {
  const TDrag drag = Drag;
  Drag = TDrag::None;
  if (drag == TDrag::Pixelate) {
    TUndoStep step{TStepKind::Pixelate, 0, nullptr, {}, {}, Stroke->TakeArea()};
    Stroke.reset();
    if (step.Pixels.IsEmpty()) return false;  // the brush stayed off the picture
    Steps.Push(std::move(step));
    return true;
  }
  TAnnotationLayer* layer = Layer(Current);
  if (!layer) return false;
  switch (drag) {
    case TDrag::Create:
      // A click without a drag leaves no shape or line behind; a free-hand click leaves its dot.
      if (layer->Kind() != TLayerKind::FreeHand && layer->Geometry().A == layer->Geometry().B) {
        AddLayer(Current);
        Layers.erase(Layers.begin() + (Current - 1));
        Current = 0;
        return false;
      }
      AddHandles();
      Steps.Push({TStepKind::Create, Current, nullptr, {}, {}, {}});
      return true;
    case TDrag::Move:
      if (layer->Offset() == TPoint{}) return false;
      AddLayer(Current);
      layer->CommitOffset();
      AddLayer(Current);
      Steps.Push({TStepKind::Move, Current, nullptr, GeometryBefore, layer->Geometry(), {}});
      return true;
    case TDrag::Resize:
      if (layer->Geometry() == GeometryBefore) return false;
      Steps.Push({TStepKind::Resize, Current, nullptr, GeometryBefore, layer->Geometry(), {}});
      return true;
    case TDrag::Pixelate:
    case TDrag::None: break;
  }
  return false;
}

void TEditSurface::TState::FollowSelection(const TStepEffect& effect) {
  if (effect.Removed) {
    if (Current == effect.Layer) {
      Current = 0;
    } else if (Current > effect.Layer) {
      --Current;
    }
  } else if (effect.Inserted && Current >= effect.Layer) {
    ++Current;
  }
}

TEditSurface::TEditSurface(TImage background, TScale scale) : FState(std::make_unique<TState>()) {
  FState->Background = std::move(background);
  FState->HandleSide = scale(HandleSize);
  FState->Area = TRect::FromSize(0, 0, FState->Background.Width(), FState->Background.Height());
  FState->Clip = FState->Area.Inflate(ClipMargin, ClipMargin);
}

TEditSurface::~TEditSurface() = default;

TSize TEditSurface::Size() const { return FState->Area.Size(); }
const TImage& TEditSurface::Background() const { return FState->Background; }
int32_t TEditSurface::LayerCount() const { return int32_t(FState->Layers.size()) + 1; }

TLayerKind TEditSurface::KindOf(int32_t layer) const {
  const TAnnotationLayer* l = FState->Layer(layer);
  return l ? l->Kind() : TLayerKind::Image;
}

const TLayerLook& TEditSurface::LookOf(int32_t layer) const {
  const TAnnotationLayer* l = FState->Layer(layer);
  return l ? l->Look() : DefaultLook;
}

TSurfaceUpdate TEditSurface::SetLook(int32_t layer, const TLayerLook& look) {
  TState& s = *FState;
  TAnnotationLayer* l = s.Layer(layer);
  if (!l || l->Look() == look) return {};
  const bool current = layer == s.Current;
  s.AddLayer(layer);
  if (current) s.AddHandles();
  l->SetLook(look);
  s.AddLayer(layer);
  if (current) s.AddHandles();
  return s.Finish();
}

int32_t TEditSurface::CurrentLayer() const { return FState->Current; }
void TEditSurface::SetCreateMode(TCreateMode mode) { FState->Mode = mode; }

void TEditSurface::SetPixelationBrush(int32_t brushSize, int32_t blockSize) {
  FState->BrushSize = brushSize;
  FState->BlockSize = blockSize;
}

TCreateMode TEditSurface::CreateMode() const { return FState->Mode; }
bool TEditSurface::Dragging() const { return FState->Drag != TDrag::None; }

TSurfaceUpdate TEditSurface::MouseDown(TPoint p) {
  TState& s = *FState;
  const bool released = s.Drag != TDrag::None && s.Release();
  s.DragStart = s.LastPoint = p;
  std::vector<THandleSpot> spots;
  if (s.Mode == TCreateMode::Pixelate) {
    s.Select(0);
    s.Drag = TDrag::Pixelate;
    s.Stroke = std::make_unique<TPixelationStroke>(s.Background.View(), s.BrushSize, s.BlockSize);
    s.Stroke->MoveTo(p, s.Dirty);
  } else if (const THandleSpot* spot = s.HandleOfCurrentAt(p, spots)) {
    s.Drag = TDrag::Resize;
    s.Grabbed = spot->Which;
    s.GrabShift = {spot->Centre.X - p.X, spot->Centre.Y - p.Y};
    s.GeometryBefore = s.Layer(s.Current)->Geometry();
  } else if (const int32_t hit = s.TopLayerAt(p)) {
    s.Select(hit);
    s.Drag = TDrag::Move;
    s.GeometryBefore = s.Layer(hit)->Geometry();
  } else if (s.Mode == TCreateMode::Shape || s.Mode == TCreateMode::Line || s.Mode == TCreateMode::FreeHand) {
    const TLayerKind kind = s.Mode == TCreateMode::Shape  ? TLayerKind::Shape
                            : s.Mode == TCreateMode::Line ? TLayerKind::Line
                                                          : TLayerKind::FreeHand;
    s.StartLayer(kind, p, *this);
  } else {
    s.Select(0);
  }
  return s.Finish(released);
}

TSurfaceUpdate TEditSurface::MouseMove(TPoint p) {
  TState& s = *FState;
  s.DragTo(p);
  if (s.Drag != TDrag::Pixelate) return s.Finish();
  // A brush move reports only cells it pixelated just now, inside the surface and each once: they need no merging,
  // which would cost more than the move itself with small cells.
  TSurfaceUpdate update{std::move(s.Dirty), false};
  s.Dirty.clear();
  return update;
}

TSurfaceUpdate TEditSurface::MouseUp(TPoint p) {
  TState& s = *FState;
  if (s.Drag == TDrag::None) return {};
  s.DragTo(p);
  const bool stepAdded = s.Release();
  return s.Finish(stepAdded);
}

TSurfaceUpdate TEditSurface::EndInteractiveAction() { return MouseUp(FState->LastPoint); }

TSurfaceCursor TEditSurface::CursorAt(TPoint p) const {
  const TState& s = *FState;
  switch (s.Drag) {
    case TDrag::Create:
    case TDrag::Pixelate: return TSurfaceCursor::Cross;
    case TDrag::Move: return TSurfaceCursor::Move;
    case TDrag::Resize: return CursorOf(s.Grabbed);
    case TDrag::None: break;
  }
  if (s.Mode == TCreateMode::Pixelate) return TSurfaceCursor::Cross;  // presses paint wherever they land
  std::vector<THandleSpot> spots;
  if (const THandleSpot* spot = s.HandleOfCurrentAt(p, spots)) return CursorOf(spot->Which);
  if (s.TopLayerAt(p)) return TSurfaceCursor::Move;
  const bool creating = s.Mode == TCreateMode::Shape || s.Mode == TCreateMode::Line || s.Mode == TCreateMode::FreeHand;
  return creating && s.Area.Contains(p) ? TSurfaceCursor::Cross : TSurfaceCursor::Arrow;
}

int32_t TEditSurface::UndoCount() const { return FState->Steps.UndoCount(); }
int32_t TEditSurface::RedoCount() const { return FState->Steps.RedoCount(); }

TSurfaceUpdate TEditSurface::Undo() { return FState->Step(false); }

TSurfaceUpdate TEditSurface::Redo() { return FState->Step(true); }

TSurfaceUpdate TEditSurface::TState::Step(bool forwards) {
  if (Drag != TDrag::None) Release();
  const TUndoStep* step = forwards ? Steps.LastUndone() : Steps.LastDone();
  if (!step) return Finish(false);
  // A layer that the step brings back (undoing a delete, redoing a create) is not in the list yet.
  if (step->Kind != (forwards ? TStepKind::Create : TStepKind::Delete)) AddLayer(step->Layer);
  AddArea(step->Pixels);
  AddHandles();
  const TStepEffect effect = forwards ? Steps.Redo(Layers, Background.View()) : Steps.Undo(Layers, Background.View());
  FollowSelection(effect);
  if (!effect.Removed) AddLayer(effect.Layer);
  AddHandles();
  return Finish(true);
}

TSurfaceUpdate TEditSurface::AddText(TPoint at, TTextStamp stamp, int32_t tag) {
  TState& s = *FState;
  if (s.Drag != TDrag::None) s.Release();
  if (stamp.IsEmpty() || stamp.IsBlank()) return s.Finish(false);
  s.Layers.push_back(std::make_unique<TAnnotationLayer>(std::move(stamp), at, tag));
  const int32_t index = int32_t(s.Layers.size());
  s.AddLayer(index);
  s.Steps.Push({TStepKind::Create, index, nullptr, {}, {}, {}});
  return s.Finish(true);
}

int32_t TEditSurface::TextLayerAt(TPoint p) const {
  const TState& s = *FState;
  for (int32_t i = int32_t(s.Layers.size()); i >= 1; --i) {
    const TAnnotationLayer& layer = *s.Layers[i - 1];
    const TRect r = layer.Bounds();
    if (layer.Kind() == TLayerKind::Text && p.X > r.Left && p.X < r.Right - 1 && p.Y > r.Top && p.Y < r.Bottom - 1)
      return i;
  }
  return 0;
}

int32_t TEditSurface::TextLayerWithTag(int32_t tag) const {
  const TState& s = *FState;
  for (int32_t i = 1; i <= int32_t(s.Layers.size()); ++i)
    if (s.Layers[i - 1]->Kind() == TLayerKind::Text && s.Layers[i - 1]->Tag() == tag) return i;
  return 0;
}

int32_t TEditSurface::TagOf(int32_t layer) const {
  const TAnnotationLayer* l = FState->Layer(layer);
  return l ? l->Tag() : 0;
}

bool TEditSurface::IsHidden(int32_t layer) const {
  const TAnnotationLayer* l = FState->Layer(layer);
  return l && l->Hidden();
}

TSurfaceUpdate TEditSurface::SetHidden(int32_t layer, bool hidden) {
  TState& s = *FState;
  TAnnotationLayer* l = s.Layer(layer);
  if (!l || l->Hidden() == hidden) return {};
  if (s.Current == layer) s.Select(0);
  l->SetHidden(hidden);
  s.AddLayer(layer);
  return s.Finish();
}

TSurfaceUpdate TEditSurface::ReplaceText(int32_t layer, TPoint at, TTextStamp stamp) {
  TState& s = *FState;
  if (s.Drag != TDrag::None) s.Release();
  TAnnotationLayer* old = s.Layer(layer);
  if (!old || old->Kind() != TLayerKind::Text) return s.Finish(false);
  old->SetHidden(false);
  s.AddLayer(layer);
  if (stamp.IsEmpty() || stamp.IsBlank()) {
    // The text was emptied: the layer goes, as a delete would take it.
    if (s.Current == layer) s.Current = 0;
    TUndoStep step{TStepKind::Delete, layer, std::move(s.Layers[layer - 1]), {}, {}, {}};
    s.Layers.erase(s.Layers.begin() + (layer - 1));
    s.Steps.Push(std::move(step));
    return s.Finish(true);
  }
  if (old->Bounds().Left == at.X && old->Bounds().Top == at.Y && SamePixels(old->Stamp(), stamp))
    return s.Finish(false);  // reopened and left as it was
  auto replacement = std::make_unique<TAnnotationLayer>(std::move(stamp), at, old->Tag());
  TUndoStep step{TStepKind::Replace, layer, std::move(replacement), {}, {}, {}};
  std::swap(step.SetAside, s.Layers[layer - 1]);
  s.AddLayer(layer);
  s.Steps.Push(std::move(step));
  return s.Finish(true);
}

TSurfaceUpdate TEditSurface::DeleteCurrent() {
  TState& s = *FState;
  if (s.Drag != TDrag::None) s.Release();
  const int32_t index = s.Current;
  if (!s.Layer(index)) return s.Finish(false);
  s.AddLayerAndHandles(index);
  TUndoStep step{TStepKind::Delete, index, std::move(s.Layers[index - 1]), {}, {}, {}};
  s.Layers.erase(s.Layers.begin() + (index - 1));
  s.Current = 0;
  s.Steps.Push(std::move(step));
  return s.Finish(true);
}

TSurfaceUpdate TEditSurface::NudgeCurrent(int32_t dx, int32_t dy) {
  TState& s = *FState;
  if (s.Drag != TDrag::None) s.Release();
  TAnnotationLayer* layer = s.Layer(s.Current);
  if (!layer || (dx == 0 && dy == 0)) return s.Finish(false);
  s.AddLayerAndHandles(s.Current);
  TLayerGeometry before = layer->Geometry();
  layer->SetGeometry(Moved(before, {dx, dy}));
  s.AddLayerAndHandles(s.Current);
  s.Steps.Push({TStepKind::Move, s.Current, nullptr, std::move(before), layer->Geometry(), {}});
  return s.Finish(true);
}

TSurfaceUpdate TEditSurface::Deselect() {
  TState& s = *FState;
  const bool stepAdded = s.Drag != TDrag::None && s.Release();
  s.Select(0);
  return s.Finish(stepAdded);
}

void TEditSurface::MergeLayer(int32_t layer) {
  TState& s = *FState;
  if (s.Drag != TDrag::None) s.Release();
  s.Dirty.clear();
  const TAnnotationLayer* l = s.Layer(layer);
  if (!l) return;
  l->Blend(s.Area, s.Background.View(), {0, 0});
  s.Layers.erase(s.Layers.begin() + (layer - 1));
  s.FollowSelection({layer, false, true});
  s.Steps.Clear();
}

void TEditSurface::MergeAll() {
  TState& s = *FState;
  if (s.Drag != TDrag::None) s.Release();
  s.Dirty.clear();
  for (const auto& layer : s.Layers) layer->Blend(s.Area, s.Background.View(), {0, 0});
  s.Layers.clear();
  s.Current = 0;
  s.Steps.Clear();
}

void TEditSurface::Compose(const TRect& area, const TImageView& target, TPoint targetOrigin) const {
  const TState& s = *FState;
  const TRect visible =
      area.Intersect(s.Area).Intersect(TRect::FromSize(targetOrigin.X, targetOrigin.Y, target.Width, target.Height));
  if (visible.IsEmpty()) return;
  const TConstImageView background = s.Background.View();
  for (int32_t y = visible.Top; y < visible.Bottom; ++y) {
    const TBgra* from = background.Row(y) + visible.Left;
    std::copy(from, from + visible.Width(), target.Row(y - targetOrigin.Y) + (visible.Left - targetOrigin.X));
  }
  for (const auto& layer : s.Layers) layer->Blend(visible, target, targetOrigin);
  if (s.HandlesShown()) DrawHandles(s.Layer(s.Current)->Handles(), s.HandleSide, visible, target, targetOrigin);
}

}  // namespace qor
