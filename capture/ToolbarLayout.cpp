#include "capture/ToolbarLayout.h"

#include <algorithm>
#include <string>

#include "app/DpiDecision.h"
#include "base/Utf16Text.h"

namespace qor {

namespace {

// The design offsets of the captions and the drop-down from their blue button's left edge.
constexpr int32_t WordCopyLeft = 36, WordSaveWithDrop = 32, WordSaveAlone = 40, SaveDropLeft = 62;
// What a caption keeps free before the button's right edge, or before the drop-down.
constexpr int32_t WordEndMargin = 6, WordDropMargin = 2;

// How much wider a blue button must be for its caption: the caption's width beyond its room (never less than the
// design caption's width, which the design buttons hold).
int32_t ButtonExtra(int32_t wordWidth, int32_t designWordWidth, int32_t room) {
  return std::max(0, wordWidth - std::max(room, designWordWidth));
}

}  // namespace

TToolbarLayout LayoutToolbar(const TToolbarSizes& unscaled, bool saveDropVisible, TScale scale) {
  TToolbarLayout layout;
  layout.SaveDropVisible = saveDropVisible;
  layout.Height = scale(ToolbarHeight);
  const int32_t height = layout.Height;
  auto place = [&](TToolbarChild child, int32_t left, TSize size) {
    layout.Children[int(child)] = TRect::FromSize(left, (height - size.Height) / 2, size.Width, size.Height);
    return layout.Children[int(child)];
  };
  auto after = [&](const TRect& previous, int32_t gap) { return previous.Right + scale(gap); };

  const TSize tool = scale(unscaled.ToolButton), divider = scale(unscaled.Divider);
  const TSize textButton = scale(unscaled.TextButton);
  TRect r = place(TToolbarChild::lbl_WinSize, 0, {scale(SizeLabelWidth), height});
  r = place(TToolbarChild::Image_BarDiv1, scale(SizeLabelWidth), divider);
  r = place(TToolbarChild::Btn_Rd_Rect, after(r, 19), tool);
  for (TToolbarChild c : {TToolbarChild::Btn_Rd_Ellip, TToolbarChild::Btn_Rd_Line, TToolbarChild::Btn_Rd_Arrow,
                          TToolbarChild::Btn_Rd_Brush, TToolbarChild::Btn_Rd_Masaic, TToolbarChild::Btn_Rd_Font})
    r = place(c, after(r, 12), tool);
  r = place(TToolbarChild::Image_BarDiv2, after(r, 19), divider);
  r = place(TToolbarChild::Btn_Rd_Return, after(r, 19), tool);
  r = place(TToolbarChild::Btn_Rd_Del, after(r, 12), tool);
  r = place(TToolbarChild::Image_BarDiv3, after(r, 19), divider);
  r = place(TToolbarChild::Btn_Rd_ScrollWins, after(r, 19), tool);
  r = place(TToolbarChild::Btn_Rd_Pinned, after(r, 12), tool);
  const TToolbarSizes design;
  const int32_t copyExtra = ButtonExtra(unscaled.WordCopy.Width, design.WordCopy.Width,
                                        unscaled.TextButton.Width - WordCopyLeft - WordEndMargin);
  const int32_t saveWordLeft = saveDropVisible ? WordSaveWithDrop : WordSaveAlone;
  const int32_t saveExtra = ButtonExtra(unscaled.WordSave.Width, design.WordSave.Width,
                                        saveDropVisible ? SaveDropLeft - WordDropMargin - saveWordLeft
                                                        : unscaled.TextButton.Width - saveWordLeft - WordEndMargin);
  const TRect copy =
      place(TToolbarChild::Rd_Copy, after(r, 8), {textButton.Width + scale(copyExtra), textButton.Height});
  place(TToolbarChild::Rd_WordCopy, copy.Left + scale(WordCopyLeft), scale(unscaled.WordCopy));
  const TRect save =
      place(TToolbarChild::Rd_Save, copy.Right - scale(4), {textButton.Width + scale(saveExtra), textButton.Height});
  place(TToolbarChild::Rd_WordSave, save.Left + scale(saveWordLeft), scale(unscaled.WordSave));
  if (saveDropVisible)
    place(TToolbarChild::btn_save_drop, save.Left + scale(SaveDropLeft + saveExtra), scale(unscaled.SaveDrop));
  layout.SaveIconOffset = scale(saveDropVisible ? 10 : 18);
  layout.Width = save.Right;
  return layout;
}

std::u16string ToolbarSizeText(int32_t width, int32_t height) { return IntToText(width) + u" x " + IntToText(height); }

TPoint PlaceToolbar(const TRect& selection, TSize toolbar, const TRect& monitor) {
  TPoint p;
  p.X = toolbar.Width <= selection.Right ? selection.Right - toolbar.Width + 1 : 0;
  if (selection.Bottom + toolbar.Height <= monitor.Bottom)
    p.Y = selection.Bottom + 2;
  else if (monitor.Top >= selection.Top - toolbar.Height)
    p.Y = selection.Top + 2;  // no room above either: inside the selection
  else
    p.Y = selection.Top - toolbar.Height - 2;
  return p;
}

TPoint PlaceToolbarAfterHandleDrag(const TRect& selection, TSize toolbar, int32_t primaryBottom) {
  TPoint p;
  p.X = toolbar.Width <= selection.Right ? selection.Right - toolbar.Width + 1 : 0;
  if (selection.Bottom + 2 + toolbar.Height <= primaryBottom)
    p.Y = selection.Bottom + 2;
  else if (selection.Top - toolbar.Height - 2 >= 0)
    p.Y = selection.Top - toolbar.Height - 2;
  else
    p.Y = selection.Top + 2;
  return p;
}

TPoint PlaceBesideToolbar(const TRect& selection, const TRect& toolbar, int32_t panelHeight, int32_t primaryBottom) {
  TPoint p{toolbar.Left, 0};
  const int32_t below = toolbar.Bottom + 2, above = toolbar.Top - panelHeight - 2;
  if (toolbar.Top >= selection.Top)
    p.Y = below + panelHeight <= primaryBottom ? below : above;
  else
    p.Y = above >= 0 ? above : below;
  return p;
}

TToolbarWithPanel PlaceToolbarWithSavePath(const TRect& selection, TSize toolbar, int32_t panelHeight,
                                           int32_t primaryBottom) {
  TToolbarWithPanel p;
  p.Toolbar.X = p.Panel.X = toolbar.Width <= selection.Right ? selection.Right - toolbar.Width + 1 : 0;
  if (selection.Bottom + 2 + toolbar.Height + 2 + panelHeight + 4 <= primaryBottom) {
    p.Toolbar.Y = selection.Bottom + 2;
    p.Panel.Y = p.Toolbar.Y + toolbar.Height + 2;
  } else if (selection.Top - toolbar.Height - 2 - panelHeight - 2 >= 0) {
    p.Toolbar.Y = selection.Top - toolbar.Height - 2;
    p.Panel.Y = p.Toolbar.Y - panelHeight - 2;
  } else {
    p.Toolbar.Y = selection.Top + 2;
    p.Panel.Y = p.Toolbar.Y + toolbar.Height + 2;
  }
  return p;
}

int32_t ExitTipLabelMaxWidth(int32_t panelWidth, TScale scale) { return panelWidth - scale(30); }

TExitTipLayout PlaceExitTip(const TRect& selection, int32_t panelWidth, int32_t labelHeight, TScale scale) {
  TExitTipLayout tip;
  tip.LabelLeft = scale(15);
  tip.LabelTop = scale(15);
  tip.LabelMaxWidth = ExitTipLabelMaxWidth(panelWidth, scale);
  const int32_t height = labelHeight + scale(30);
  // Halves truncate toward zero, as integer division does.
  const int32_t left = selection.Left + (selection.Width() - panelWidth) / 2;
  const int32_t top = selection.Top + (selection.Height() - height) / 2;
  tip.Panel = TRect::FromSize(left, top, panelWidth, height);
  return tip;
}

}  // namespace qor
