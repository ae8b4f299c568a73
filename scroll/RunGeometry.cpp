#include "scroll/RunGeometry.h"

namespace qor {

TRunRects RunRectsForSelection(const TRect& selection, const TRect& desktop) {
  TRunRects r;
  r.Hole = selection;
  r.Capture = selection.Offset(desktop.Left, desktop.Top);
  if (r.Capture == desktop) {
    r.Capture = r.Capture.Inflate(-1, -1);
    r.Hole = r.Hole.Inflate(-1, -1);
    r.Shrunk = true;
  }
  return r;
}

TFrameLines FrameLinesAround(const TRect& hole) {
  const int32_t width = hole.Width() + 2, height = hole.Height() + 2;
  TFrameLines lines;
  lines.Top = TRect::FromSize(hole.Left - 1, hole.Top - 1, width, 1);
  lines.Left = TRect::FromSize(hole.Left - 1, hole.Top - 1, 1, height);
  lines.Right = TRect::FromSize(hole.Right, hole.Top - 1, 1, height);
  lines.Bottom = TRect::FromSize(hole.Left - 1, hole.Bottom, width, 1);
  return lines;
}

}  // namespace qor
