#include "annotate/NewLayerLook.h"

namespace qor {

int32_t ArrowSizeFor(int32_t penWidth) { return penWidth <= 1 ? 0 : penWidth <= 4 ? 1 : 2; }

TLayerLook NewLayerLook(const TAnnotationTools& tools, TLayerKind kind) {
  TLayerLook look;
  look.FillColor = NoColor;
  look.BorderColor = tools.ShapeColor();
  look.BorderWidth = tools.PenWidth();
  switch (kind) {
    case TLayerKind::Shape:
      switch (tools.CurrentTool()) {
        case TDrawingTool::Rectangle: look.Shape = TShapeKind::Rectangle; break;
        case TDrawingTool::Oval: look.Shape = TShapeKind::Ellipse; break;
        case TDrawingTool::Line: look.Shape = TShapeKind::Line; break;
        default:
          look.Shape = TShapeKind::Arrow;
          look.FillColor = tools.ShapeColor();
          look.BorderWidth = 1;
          look.ArrowSize = ArrowSizeFor(tools.PenWidth());
          break;
      }
      return look;
    case TLayerKind::Line:
    case TLayerKind::FreeHand: return look;
    default: return TLayerLook{};
  }
}

}  // namespace qor
