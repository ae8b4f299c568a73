#pragma once
// The magnifier (Panel_Expand) that follows the cursor: its place, the enlarged view of the frozen screen with the
// cross-hair, and the two readouts. The Win32 side calls Update with each overlay point it is given, repaints the
// rectangles returned, draws Render's picture into Image_Expand and sets Label_Size and Label_RGB.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/Image.h"
#include "base/Scale.h"

namespace qor {

// The magnifier's pixel constants, scaled by 2.0 (truncated) when the scaled flag is set.
struct TMagnifierMetrics {
  int32_t PanelWidth = 154;
  int32_t PanelHeight = 168;
  int32_t CursorOffset = 20;  // not scaled: the panel keeps 20 pixels from the cursor
  int32_t ImageLeft = 7;
  int32_t ImageTop = 7;
  int32_t ImageWidth = 140;
  int32_t ImageHeight = 106;
  int32_t HalfWidth = 70;
  int32_t HalfHeight = 53;
  int32_t ShrinkX = 45;  // target half-size minus source half-size
  int32_t ShrinkY = 35;
  int32_t SizeLabelTop = 121;
  int32_t RgbLabelTop = 142;
  int32_t PenWidth = 2;

  static TMagnifierMetrics For(TScale scale);
};

class TMagnifier {
 public:
  TMagnifier(TSize desktop, TScale scale) : FDesktop(desktop), FMetrics(TMagnifierMetrics::For(scale)) {}

  const TMagnifierMetrics& Metrics() const { return FMetrics; }
  bool Visible() const { return FVisible; }
  // The panel in overlay coordinates (its last place when hidden).
  const TRect& Panel() const { return FPanel; }

  // Shows the panel at p; returns the old (when it was shown) and the new panel rectangles to repaint.
  std::vector<TRect> Update(TPoint p);
  // Hides the panel; returns its rectangle when it was shown.
  std::vector<TRect> Hide();

  // The panel's place for cursor p: 20 pixels right of and below the cursor, flipped to touch the cursor near the
  // right or bottom edge.
  TRect PanelRect(TPoint p) const;
  // The part of the frozen screen shown enlarged: 50 x 36 around p, clamped to the desktop.
  TRect SourceRect(TPoint p) const;

  // Draws the enlarged view for p into target (ImageWidth x ImageHeight): a nearest-pixel stretch of SourceRect,
  // then the cross-hair and border with a 2-pixel pen in the accent colour.
  void Render(const TConstImageView& screen, TPoint p, const TImageView& target) const;

 private:
  TSize FDesktop;
  TMagnifierMetrics FMetrics;
  TRect FPanel;
  bool FVisible = false;
};

// Label_Size: the size word (language key M_Screen_Size, "Size:") and " (w x h)".
std::u16string MagnifierSizeText(std::u16string_view sizeWord, int32_t width, int32_t height);
// Label_RGB: "RGB: (r,g,b)" of the frozen screen's pixel at p ("RGB: (0,0,0)" outside it).
std::u16string MagnifierRgbText(const TConstImageView& screen, TPoint p);

inline constexpr std::u16string_view DefaultSizeWord = u"Size:";

// Nearest-pixel stretch of source's part r into the whole target (r clipped to source; black when nothing is left).
void StretchNearest(const TConstImageView& source, const TRect& r, const TImageView& target);

}  // namespace qor
