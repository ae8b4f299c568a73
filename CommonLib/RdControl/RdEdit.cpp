#include "CommonLib/RdControl/RdEdit.h"

#include <algorithm>

#include "CommonLib/RdControl/RdTextLines.h"

namespace qor {

TRdEdit::TRdEdit() {
  FontError.Color = 13421772;
  FontDisabled.Color = clGrayText;
}

TRdEdit::~TRdEdit() {
  if (FPeer) FPeer->EditDestroyed();
}

void TRdEdit::SetPeer(TRdEditPeer* peer) { FPeer = peer; }

bool TRdEdit::Changed(bool changed) {
  if (!changed) return false;
  Invalidate();
  if (FPeer) FPeer->EditChanged();
  return true;
}

void TRdEdit::PlaceChanged() {
  if (!Enabled()) FEditing = false;
  if (FPeer) FPeer->EditChanged();
}

bool TRdEdit::SetText(std::u16string text) {
  if (text == FText) return false;
  FText = std::move(text);
  Changed(true);
  if (OnChange) OnChange(*this);
  return true;
}

bool TRdEdit::SetErrorMode(bool on) {
  if (on == FErrorMode) return false;
  FErrorMode = on;
  return Changed(true);
}

bool TRdEdit::SetWindowHot(bool hot) {
  if (hot == FWindowHot) return false;
  FWindowHot = hot;
  return Changed(true);
}

bool TRdEdit::SetEditing(bool editing) {
  if (editing == FEditing) return false;
  FEditing = editing;
  return Changed(true);
}

TRdEditLook TRdEdit::Look() const {
  if (!Enabled()) return TRdEditLook::Disabled;
  if (FErrorMode) return TRdEditLook::Error;
  if (FEditing) return TRdEditLook::Focused;
  if (FFrameHot || FWindowHot) return TRdEditLook::Hot;
  if (FText.empty()) return TRdEditLook::Empty;
  return TRdEditLook::Normal;
}

const std::u16string& TRdEdit::ChooseFrame() const {
  const TRdEditPictures& p = Pictures;
  const std::u16string* wanted = &p.ImageNormal;
  switch (Look()) {
    case TRdEditLook::Disabled: wanted = &p.ImageDisabled; break;
    case TRdEditLook::Error: wanted = &p.ImageError; break;
    case TRdEditLook::Focused: wanted = &p.ImageSelected; break;
    case TRdEditLook::Hot: wanted = &p.ImageOver; break;
    case TRdEditLook::Empty: wanted = &p.ImageEmpty; break;
    case TRdEditLook::Normal: break;
  }
  return wanted->empty() ? p.ImageNormal : *wanted;
}

const TRdFont& TRdEdit::ChooseFont() const {
  if (!Enabled()) return FontDisabled;
  return FErrorMode ? FontError : FontNormal;
}

uint32_t TRdEdit::ChooseTextColor() const { return ChooseFont().Color; }

TRect TRdEdit::TextRect(int32_t lineHeight) const {
  const TRect& b = Bounds();
  const TRect inner = b.Inflate(-BorderWidth, -BorderWidth);
  const int32_t height = std::min(lineHeight, inner.Height());
  const TRect r{inner.Left + TextLeftMargin, inner.Top + (inner.Height() - height) / 2, inner.Right - TextRightMargin,
                inner.Top + (inner.Height() - height) / 2 + height};
  return r.IsEmpty() ? TRect{} : r;
}

void TRdEdit::Paint(TRdCanvas& canvas) {
  const TRect& b = Bounds();
  const std::u16string& frame = ChooseFrame();
  if (frame.empty() || !canvas.DrawPicture(frame, b, ImageOption)) {
    canvas.FillRect(b, Color);
    for (int32_t i = 0; i < BorderWidth; ++i) canvas.FrameRect(b.Inflate(-i, -i), BorderColor);
  }
  // With a peer the edit window shows the text; this is what shows without one.
  if (FPeer) return;
  const bool hint = FText.empty() && !FEditing;
  const std::u16string& text = hint ? TextHint : FText;
  if (text.empty()) return;
  const TRdFont& font = ChooseFont();
  TRdTextFormat format;
  format.EndEllipsis = true;
  canvas.PaintText(text, font, hint ? FontEmptyColor : font.Color, TextRect(TextLineHeight(&canvas, font)), format);
}

TRdMouseResult TRdEdit::MouseEnter() {
  FFrameHot = true;
  return {true, false};
}

TRdMouseResult TRdEdit::MouseLeave() {
  const bool was = FFrameHot;
  FFrameHot = false;
  return {was, false};
}

TRdMouseResult TRdEdit::MouseDown(TPoint) {
  if (FPeer) FPeer->FocusRequested();
  return {};
}

}  // namespace qor
