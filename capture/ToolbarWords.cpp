#include "capture/ToolbarWords.h"

#include <cmath>
#include <memory>

namespace qor {

TRdFont WordCaptionFont(TScale scale) {
  TRdFont font;
  font.Name = u"Segoe UI";
  font.Height = scale(13);
  font.Color = 0xFFFFFF;
  return font;
}

int32_t WordCaptionWidth(TRdTextMeasurer* measure, std::u16string_view text, TScale scale) {
  if (!measure) return 0;
  const int32_t width = measure->MeasureText(text, WordCaptionFont(scale), 0).Width;
  return int32_t(std::ceil(width / scale.Factor));
}

TRdLabel* AddWordCaption(TRdControlHost& host, std::u16string name, std::u16string text, TScale scale,
                         const TRect& bounds) {
  auto* caption = host.Add(std::make_unique<TRdLabel>());
  caption->Name = std::move(name);
  caption->SetAutoSize(false);
  caption->SetAlignment(TAlignment::taCenter);
  caption->SetLayout(TVerticalAlignment::vaCenter);
  caption->SetFont(WordCaptionFont(scale));
  caption->SetHitTest(false);
  caption->SetCaption(std::move(text));
  caption->SetBounds(bounds);
  return caption;
}

}  // namespace qor
