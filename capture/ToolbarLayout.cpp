#include "capture/ToolbarLayout.h"

#include <string>

#include "app/DpiDecision.h"
#include "base/Utf16Text.h"

namespace qor {

namespace {

int32_t Scale(int32_t value, bool scaled) { return ScalePixels(value, scaled); }
TSize Scale(TSize size, bool scaled) { return {Scale(size.Width, scaled), Scale(size.Height, scaled)}; }

}  // namespace

TToolbarLayout LayoutToolbar(const TToolbarSizes& unscaled, bool saveDropVisible, bool scaled) {
  TToolbarLayout layout;
  layout.SaveDropVisible = saveDropVisible;
  layout.Height = Scale(ToolbarHeight, scaled);
  const int32_t height = layout.Height;
  auto place = [&](TToolbarChild child, int32_t left, TSize size) {
    layout.Children[int(child)] = TRect::FromSize(left, (height - size.Height) / 2, size.Width, size.Height);
    return layout.Children[int(child)];
  };
  auto after = [&](const TRect& previous, int32_t gap) { return previous.Right + Scale(gap, scaled); };

  const TSize tool = Scale(unscaled.ToolButton, scaled), divider = Scale(unscaled.Divider, scaled);
  const TSize textButton = Scale(unscaled.TextButton, scaled);
  TRect r = place(TToolbarChild::lbl_WinSize, 0, {Scale(SizeLabelWidth, scaled), height});
  r = place(TToolbarChild::Image_BarDiv1, Scale(SizeLabelWidth, scaled), divider);
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
  const TRect copy = place(TToolbarChild::Rd_Copy, after(r, 8), textButton);
  place(TToolbarChild::Rd_WordCopy, copy.Left + Scale(36, scaled), Scale(unscaled.WordCopy, scaled));
  const TRect save = place(TToolbarChild::Rd_Save, copy.Right - Scale(4, scaled), textButton);
  place(TToolbarChild::Rd_WordSave, save.Left + Scale(saveDropVisible ? 32 : 40, scaled),
        Scale(unscaled.WordSave, scaled));
  if (saveDropVisible)
    place(TToolbarChild::btn_save_drop, save.Left + Scale(62, scaled), Scale(unscaled.SaveDrop, scaled));
  layout.SaveIconOffset = Scale(saveDropVisible ? 10 : 18, scaled);
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

int32_t ExitTipLabelMaxWidth(int32_t panelWidth, bool scaled) { return panelWidth - Scale(30, scaled); }

TExitTipLayout PlaceExitTip(const TRect& selection, int32_t panelWidth, int32_t labelHeight, bool scaled) {
  TExitTipLayout tip;
  tip.LabelLeft = Scale(15, scaled);
  tip.LabelTop = Scale(15, scaled);
  tip.LabelMaxWidth = ExitTipLabelMaxWidth(panelWidth, scaled);
  const int32_t height = labelHeight + Scale(30, scaled);
  // Halves truncate toward zero, as integer division does.
  const int32_t left = selection.Left + (selection.Width() - panelWidth) / 2;
  const int32_t top = selection.Top + (selection.Height() - height) / 2;
  tip.Panel = TRect::FromSize(left, top, panelWidth, height);
  return tip;
}

}  // namespace qor
