#include "annotate/TextEditorLayout.h"

#include <cstdlib>

namespace qor {

namespace {

constexpr int32_t DashLength = 8;
constexpr int32_t DashPeriod = 16;

}  // namespace

TSize NewEditorSize(int32_t fontSize) { return {fontSize * 2 + 50, fontSize * 2}; }

TRect PlaceNewEditor(const TRect& selection, TPoint click, TSize editor) {
  int32_t left = selection.Left + click.X;
  int32_t top = selection.Top + click.Y;
  if (left + editor.Width > selection.Right) left = selection.Right - editor.Width - EditorEdgeGap;
  if (top + editor.Height > selection.Bottom) top = selection.Bottom - editor.Height - EditorEdgeGap;
  return TRect::FromSize(left, top, editor.Width, editor.Height);
}

TRect FollowContent(const TRect& editor, const TRect& selection, TSize content, int32_t fontHeight) {
  const int32_t lineRoom = 2 * std::abs(fontHeight);
  const int32_t roomBelow = selection.Bottom - editor.Top;
  const int32_t height = roomBelow > lineRoom + content.Height + EditorSlack ? lineRoom + content.Height : roomBelow;
  const int32_t roomRight = selection.Right - editor.Left;
  const int32_t width = roomRight > content.Width + EditorSlack ? content.Width + EditorSlack : roomRight;
  return TRect::FromSize(editor.Left, editor.Top, width, height);
}

TEditorResize GrowForFont(const TRect& editor, const TRect& selection, int32_t lineCount, TSize content,
                          int32_t fontHeight) {
  if (lineCount <= 0) return {TRect::FromSize(editor.Left, editor.Top, editor.Width() + 1, editor.Height() + 1)};
  TEditorResize r;
  const int32_t roomRight = selection.Right - editor.Left;
  r.WordWrap = roomRight < content.Width + 3;
  const int32_t width = r.WordWrap ? roomRight : content.Width;
  const int32_t height = std::min(2 * std::abs(fontHeight) + content.Height, selection.Bottom - editor.Top);
  r.Editor = TRect::FromSize(editor.Left, editor.Top, width, height);
  return r;
}

TRect ShrinkForFont(const TRect& editor, int32_t lineCount, int32_t longestLine, int32_t fontSize) {
  if (lineCount <= 0) return TRect::FromSize(editor.Left, editor.Top, editor.Width() - 1, editor.Height() - 1);
  int32_t width = editor.Width();
  const int32_t narrower = width - 2 * longestLine - 1;
  if (narrower >= fontSize * longestLine) width = narrower;
  return TRect::FromSize(editor.Left, editor.Top, width, editor.Height() - 4 * lineCount);
}

TRect DragEditor(const TRect& editor, TPoint grabOffset, TPoint pointer, const TRect& selection) {
  // Right and bottom limits first, so that an editor larger than the selection keeps its top-left inside.
  int32_t left = std::min(pointer.X - grabOffset.X, selection.Right - editor.Width());
  int32_t top = std::min(pointer.Y - grabOffset.Y, selection.Bottom - editor.Height());
  left = std::max(left, selection.Left);
  top = std::max(top, selection.Top);
  return TRect::FromSize(left, top, editor.Width(), editor.Height());
}

std::vector<TRect> FrameDashes(TSize editor) {
  std::vector<TRect> dashes;
  for (int32_t x = 0; x < editor.Width; x += DashPeriod) {
    const int32_t right = std::min(x + DashLength, editor.Width);
    dashes.push_back({x, 0, right, FrameWidth});
    dashes.push_back({x, editor.Height - FrameWidth, right, editor.Height});
  }
  for (int32_t y = 0; y < editor.Height; y += DashPeriod) {
    const int32_t bottom = std::min(y + DashLength, editor.Height);
    dashes.push_back({0, y, FrameWidth, bottom});
    dashes.push_back({editor.Width - FrameWidth, y, editor.Width, bottom});
  }
  return dashes;
}

}  // namespace qor
