#pragma once
// The captions on the blue Copy and Save buttons of the overlay's toolbar and of the scroll toolbar, in the
// window's language ("Rd_WordCopy.Caption", "Rd_WordSave.Caption"). The design captions keep their word pictures
// (which a skin may draw); any other caption is a white 13-pixel "Segoe UI" label centred in its place, which the
// toolbars widen for a long caption.
// Usage:
//   const int32_t width = qor::WordCaptionWidth(panel.TextMeasurer(), copyWord, qor::DesignWordCopy, scale);
//   qor::AddWordCaption(panel, {u"Rd_WordCopy", copyWord, qor::DesignWordCopy, u"copy"}, scale, bounds);
#include <cstdint>
#include <string>
#include <string_view>

#include "CommonLib/RdControl/RdCanvas.h"
#include "CommonLib/RdControl/RdControl.h"
#include "base/Geometry.h"
#include "base/Scale.h"

namespace qor {

inline constexpr std::u16string_view DesignWordCopy = u"Copy";
inline constexpr std::u16string_view DesignWordSave = u"Save";

struct TWordCaption {
  std::u16string_view Name;        // "Rd_WordCopy"
  std::u16string Text;             // in the window's language
  std::u16string_view DesignText;  // "Copy"
  std::u16string_view Word;        // the word picture's name part: "copy"
};

TRdFont WordCaptionFont(TScale scale);

// The unscaled width a caption needs: its measured width at this scale, rounded up to whole design pixels; 0 for
// the design caption or without a measurer (the design width then holds).
int32_t WordCaptionWidth(TRdTextMeasurer* measure, std::u16string_view text, std::u16string_view designText,
                         TScale scale);

// Adds the caption (its word picture, or a label); it leaves the mouse to the button below, so both press together.
TRdControl* AddWordCaption(TRdControlHost& host, const TWordCaption& caption, TScale scale, const TRect& bounds);

}  // namespace qor
