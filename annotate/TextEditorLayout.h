#pragma once
// Where the text editor lies and how big it is: a new editor's size for a font size, its place at a click, how it
// follows its content while the user types, how it grows and shrinks with the font size buttons, where a drag moves
// it, and the dashes of its frame. Rectangles are in the overlay's coordinates, like the selection.
#include <cstdint>
#include <vector>

#include "base/Geometry.h"

namespace qor {

// Distance kept from the selection's right and bottom edges when a click lies too close to them.
inline constexpr int32_t EditorEdgeGap = 3;
// Room left beside and below the content before the editor stops at the selection's edge.
inline constexpr int32_t EditorSlack = 20;

// A new editor: font size * 2 + 50 wide, font size * 2 high.
TSize NewEditorSize(int32_t fontSize);

// The editor placed with its top-left at click (selection coordinates); where it would pass the selection's right
// or bottom edge it ends EditorEdgeGap pixels inside that edge instead.
TRect PlaceNewEditor(const TRect& selection, TPoint click, TSize editor);

// The editor after its content reported needing `content` pixels (fontHeight: the font's height, either sign). It
// keeps its top-left; it grows downwards and rightwards while there is room and otherwise ends at the selection's
// bottom or right edge.
TRect FollowContent(const TRect& editor, const TRect& selection, TSize content, int32_t fontHeight);

struct TEditorResize {
  TRect Editor;
  bool WordWrap = false;  // switched on when the content no longer fits to the selection's right edge
};

// The editor after the font grew (the content measured at the new size). With no line yet it grows by a pixel
// each way.
TEditorResize GrowForFont(const TRect& editor, const TRect& selection, int32_t lineCount, TSize content,
                          int32_t fontHeight);
// The editor after the font shrank: narrower by 2L + 1 (L: the longest line's length in characters) while that
// still leaves fontSize * L pixels, and 4 pixels lower per line. With no line yet it shrinks by a pixel each way.
TRect ShrinkForFont(const TRect& editor, int32_t lineCount, int32_t longestLine, int32_t fontSize);

// The editor dragged so that the pointer keeps its grab offset inside it, kept inside the selection.
TRect DragEditor(const TRect& editor, TPoint grabOffset, TPoint pointer, const TRect& selection);

// The frame's white dashes on an editor of this size (its own coordinates): 8 pixels long every 16, 2 pixels
// thick, along the top and bottom edges from the left and the left and right edges from the top.
std::vector<TRect> FrameDashes(TSize editor);
inline constexpr int32_t FrameWidth = 2;

}  // namespace qor
