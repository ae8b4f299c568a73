#pragma once
// The edit surface: a layered picture the size of the selection. Layer 0 is the selection's picture; layers 1 and
// up are annotations in creation order (top-most last). The mouse creates, selects, moves and resizes layers;
// every change is one step of an undo list (with redo); merging paints layers into layer 0. Each call returns the
// rectangles of the surface whose pixels changed, so that only those are composed and repainted.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "base/Geometry.h"
#include "base/Image.h"
#include "base/Scale.h"
#include "engine/LayerLook.h"
#include "engine/TextStamp.h"

namespace qor {

struct TSurfaceUpdate {
  std::vector<TRect> Dirty;  // surface coordinates, clipped to the surface
  bool UndoChanged = false;  // the number of undo or redo steps changed
};

enum class TSurfaceCursor { Arrow, Cross, Move, SizeNwse, SizeNs, SizeNesw, SizeWe };

class TEditSurface {
 public:
  // background becomes layer 0; the handles grow with the layout's scale.
  explicit TEditSurface(TImage background, TScale scale = {});
  ~TEditSurface();

  TSize Size() const;
  const TImage& Background() const;
  int32_t LayerCount() const;  // layer 0 included
  TLayerKind KindOf(int32_t layer) const;
  const TLayerLook& LookOf(int32_t layer) const;
  // Gives a layer a new look (its geometry stays) and redraws it; not an undo step.
  TSurfaceUpdate SetLook(int32_t layer, const TLayerLook& look);
  // The selected layer, with its handles shown; 0 when none is.
  int32_t CurrentLayer() const;

  // What a press on empty picture creates. None: presses only select, move and resize. Pixelate: every press starts
  // a stroke of the pixelation brush in layer 0 (presses then never select or move layers), moves extend it, and the
  // release ends it; the stroke is one undo step.
  void SetCreateMode(TCreateMode mode);
  TCreateMode CreateMode() const;
  // The pixelation brush's diameter and cell side in pixels (20 and 10 until set); taken by the strokes that follow.
  void SetPixelationBrush(int32_t brushSize, int32_t blockSize);
  // Called right after a press has started a new layer (its index and kind), before its first pixel is drawn: the
  // place to give it its look with SetLook.
  std::function<void(int32_t layer, TLayerKind kind)> OnNewLayer;

  // The mouse in surface coordinates (points outside the surface are allowed during a drag).
  TSurfaceUpdate MouseDown(TPoint p);
  TSurfaceUpdate MouseMove(TPoint p);
  TSurfaceUpdate MouseUp(TPoint p);
  TSurfaceCursor CursorAt(TPoint p) const;
  bool Dragging() const;
  // Ends a drag in progress where it stands, as a release would.
  TSurfaceUpdate EndInteractiveAction();

  // Undo steps: creating, moving, resizing, deleting or replacing a layer, a pixelation stroke. A new step clears the
  // redo steps.
  int32_t UndoCount() const;
  int32_t RedoCount() const;
  TSurfaceUpdate Undo();
  TSurfaceUpdate Redo();
  // The selected layer removed, or moved by dx, dy; each one undo step.
  TSurfaceUpdate DeleteCurrent();
  TSurfaceUpdate NudgeCurrent(int32_t dx, int32_t dy);
  // Committed texts. A text layer holds a text's stamp with its top-left at `at` and the tag of the editor that
  // typed it; the mouse never picks it. Adding one is an undo step; a blank stamp adds nothing.
  TSurfaceUpdate AddText(TPoint at, TTextStamp stamp, int32_t tag);
  // The top-most text layer whose stamp holds p strictly inside; 0 when none does.
  int32_t TextLayerAt(TPoint p) const;
  // The text layer of the editor with this tag; 0 when none is (never committed, undone or merged).
  int32_t TextLayerWithTag(int32_t tag) const;
  int32_t TagOf(int32_t layer) const;
  // A layer is hidden while its text is open in its editor; hiding is not an undo step.
  bool IsHidden(int32_t layer) const;
  TSurfaceUpdate SetHidden(int32_t layer, bool hidden);
  // The text of a text layer was edited: the layer shows the new stamp at `at`, as one undo step. A blank stamp
  // removes the layer (one step); the same pixels at the same place only show the layer again.
  TSurfaceUpdate ReplaceText(int32_t layer, TPoint at, TTextStamp stamp);
  // Hides the handles of the selected layer (nothing selected).
  TSurfaceUpdate Deselect();

  // Paints layer `layer` into layer 0 and removes it as a layer; the undo list is cleared, since its steps refer
  // to layers that are gone.
  void MergeLayer(int32_t layer);
  // Every annotation painted into layer 0 in stacking order, so that layer 0 then equals what was shown (handles
  // excepted); the surface is left with layer 0 alone.
  void MergeAll();

  // Composes layer 0, the annotations and the selected layer's handles inside area (surface coordinates) into
  // target, whose top-left pixel stands for surface point targetOrigin.
  void Compose(const TRect& area, const TImageView& target, TPoint targetOrigin) const;

 private:
  struct TState;
  std::unique_ptr<TState> FState;
};

}  // namespace qor
