#include "capture/ToolbarWords.h"

#include <cmath>
#include <memory>

#include "CommonLib/RdControl/RdLabel.h"
#include "CommonLib/RdControl/RdPictureNames.h"

namespace qor {

TRdFont WordCaptionFont(TScale scale) {
  TRdFont font;
  font.Name = u"Segoe UI";
  font.Height = scale(13);
  font.Color = 0xFFFFFF;
  return font;
}

int32_t WordCaptionWidth(TRdTextMeasurer* measure, std::u16string_view text, std::u16string_view designText,
                         TScale scale) {
  if (!measure || text == designText) return 0;
  const int32_t width = measure->MeasureText(text, WordCaptionFont(scale), 0).Width;
  return int32_t(std::ceil(width / scale.Factor));
}

TRdControl* AddWordCaption(TRdControlHost& host, const TWordCaption& caption, TScale scale, const TRect& bounds) {
  TRdControl* control = nullptr;
  if (caption.Text == caption.DesignText) {
    auto* picture = host.Add(std::make_unique<TRdImage>());
    picture->SetPicture(WordPictureName(caption.Word, false));
    picture->Stretch = true;
    control = picture;
  } else {
    auto* label = host.Add(std::make_unique<TRdLabel>());
    label->SetAutoSize(false);
    label->SetAlignment(TAlignment::taCenter);
    label->SetLayout(TVerticalAlignment::vaCenter);
    label->SetFont(WordCaptionFont(scale));
    label->SetCaption(caption.Text);
    control = label;
  }
  control->Name = std::u16string(caption.Name);
  control->SetHitTest(false);
  control->SetBounds(bounds);
  return control;
}

}  // namespace qor
