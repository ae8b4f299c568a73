#pragma once
// The captions on the blue Copy and Save buttons of the overlay's toolbar and of the scroll toolbar: labels in the
// window's language ("Rd_WordCopy.Caption", "Rd_WordSave.Caption"), white 13-pixel "Segoe UI" centred in their
// place, which the toolbars widen for a long caption.
// Usage:
//   const int32_t width = qor::WordCaptionWidth(panel.TextMeasurer(), copyWord, scale);   // unscaled, for layout
//   qor::AddWordCaption(panel, u"Rd_WordCopy", copyWord, scale, layout.Child(TToolbarChild::Rd_WordCopy));
#include <cstdint>
#include <string>
#include <string_view>

#include "CommonLib/RdControl/RdCanvas.h"
#include "CommonLib/RdControl/RdLabel.h"
#include "base/Geometry.h"
#include "base/Scale.h"

namespace qor {

inline constexpr std::u16string_view DefaultWordCopy = u"Copy";
inline constexpr std::u16string_view DefaultWordSave = u"Save";

TRdFont WordCaptionFont(TScale scale);

// The unscaled width the caption needs: its measured width at this scale, rounded up to whole design pixels;
// 0 without a measurer (the design width then holds).
int32_t WordCaptionWidth(TRdTextMeasurer* measure, std::u16string_view text, TScale scale);

// Adds the caption label; it leaves the mouse to the button below, so both press together.
TRdLabel* AddWordCaption(TRdControlHost& host, std::u16string name, std::u16string text, TScale scale,
                         const TRect& bounds);

}  // namespace qor
