#pragma once
// TMyMemo: the text editor the overlay places over the selection. A small child window draws the dashed frame and
// carries the drag; inside it, two pixels in, the platform's rich edit control (no border, no word wrap, no scroll
// bars, no margins) holds the text. The editor paints the text itself over what the overlay draws under it, so the
// text shows with no box around it; committing a text renders the rich text alone into a picture.
//
//   TFormOf<TMyMemo> memo;
//   memo.Create(overlay);  // hidden, 200 x 150
//   memo.OnContentSize = [&](TSize c) {
//     memo.SetBounds(FollowContent(memo.Bounds(), selection, c, memo.FontHeight()));
//   };
//   memo.SetTextFont(tools.FontSize(), tools.TextColor());
//   memo.SetBounds(PlaceNewEditor(selection, click, NewEditorSize(tools.FontSize())));
//   memo.ShowAndFocus();
//   ...
//   surface.AddText(textTopLeft, memo.RenderStamp(dpi), memo.SelfFlag);
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "base/Geometry.h"
#include "base/Image.h"
#include "base/win/Form.h"
#include "engine/TextStamp.h"

namespace qor {

class TDibImage;

class TMyMemo : public TForm {
 public:
  TMyMemo() = default;
  // Creates the editor hidden as a child of parent; false when the rich edit control is not available.
  bool Create(HWND parent);

  bool CurEdit = false;  // the text is open for typing
  int32_t SelfFlag = 0;  // this editor's index in the overlay's list of editors

  uint32_t EdgeColor() const { return FEdgeColor; }  // 0x00BBGGRR
  uint32_t EnterColor() const { return FEnterColor; }
  void SetEdgeColor(uint32_t color);
  void SetEnterColor(uint32_t color);
  bool MouseOver() const { return FMouseOver; }  // the pointer is over the frame

  HWND Edit() const { return FEdit; }
  TRect Bounds() const;  // in the parent's coordinates
  void SetBounds(const TRect& r);
  void ShowAndFocus();
  void Hide();

  // Size in points and colour (0x00BBGGRR) of the whole text and of what is typed next (the control holds plain
  // text: one font and one colour).
  void SetTextFont(int32_t points, uint32_t color);
  // The size and colour given last.
  int32_t Points() const { return FPoints; }
  uint32_t Color() const { return FColor; }
  // The face for SetTextFont; empty: Tahoma when installed, else the control's own.
  void SetFace(std::u16string face) { FFace = std::move(face); }
  void SelectAll();
  void CaretToEnd();
  // The font's height in pixels for the last size given, at the screen's pixels per inch.
  int32_t FontHeight() const;
  void SetWordWrap(bool wrap);
  bool WordWrap() const { return FWordWrap; }

  std::wstring Text() const;
  void SetText(std::wstring_view text);
  int32_t LineCount() const;
  int32_t LongestLine() const;  // in characters
  // Pixels the content needs: its widest line and its height.
  TSize ContentSize() const;

  // The rich text as the editor lays it out, at dpi pixels per inch, as a stamp of the text area (inside the frame:
  // its top-left lies FrameWidth pixels right of and below the editor's).
  TTextStamp RenderStamp(int dpi) const;

  // The content's size after it changed (typing, pasting, a new font size).
  std::function<void(TSize content)> OnContentSize;
  // A press on the frame; a drag starts from it. The overlay picks up the text colour here.
  std::function<void()> OnPress;
  // The editor moved by a drag (its new bounds in the parent's coordinates).
  std::function<void(const TRect& bounds)> OnMoved;
  // Paints what lies under the text (area: inside the frame, in the parent's coordinates) with area's top-left at
  // the dc's origin; the text is then drawn over it. The system's window colour when not set.
  std::function<void(HDC dc, const TRect& area)> PaintBackground;
  // The area a drag keeps the editor inside (the selection); the parent's client area when empty.
  TRect DragBounds;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HWND FEdit = nullptr;
  WNDPROC FEditProc = nullptr;  // the rich edit control's own procedure
  bool FPaintingEdit = false;
  uint32_t FEdgeColor = 0;
  uint32_t FEnterColor = 0x0000FF;
  bool FMouseOver = false;
  bool FWordWrap = false;
  bool FHighlight = false;  // selected characters are shown inverted
  int32_t FPoints = 12;
  uint32_t FColor = 0;
  std::u16string FFace;
  bool FDragging = false;
  TPoint FGrab;
  mutable bool FMeasuring = false;  // a size request of our own is under way
  int32_t FRequestedHeight = 0;     // the control's last request for its content
  TSize FReported{-1, -1};

  // The rich text inside area (client coordinates) on a canvas of area's size filled with ground (0x00BBGGRR).
  void DrawTextOn(TDibImage& canvas, const TRect& area, uint32_t ground, int dpi) const;
  TTextStamp RenderStamp(int dpi, const TRect& area) const;
  void PaintFrame(HDC dc) const;
  static LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  void PaintEdit();
  void ResizeEdit(TSize size);
  void InvertSelection(HDC dc) const;
  void Repaint();
  void ContentChanged();
  void MouseMoved(TPoint p);
};

}  // namespace qor
