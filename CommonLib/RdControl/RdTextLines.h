#pragma once
// Breaking a label's text into lines of a width, and cutting a line to fit with "...". Widths come from the
// platform's text measurer, so the lines drawn are the lines measured.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "CommonLib/RdControl/RdCanvas.h"

namespace qor {

// Lines of text no wider than maxWidth; line breaks in the text always break. maxWidth <= 0: no wrapping.
// wrapChar: a line takes as many characters as fit, breaking inside words; otherwise lines break at spaces and only
// a word wider than the whole line is broken inside. A line never starts with the spaces it was broken at, and
// holds at least one character even when that is wider than maxWidth.
std::vector<std::u16string> BreakTextLines(std::u16string_view text, TRdTextMeasurer& measurer, const TRdFont& font,
                                           int32_t maxWidth, bool wrapChar);

// The room a label needs to show text broken as BreakTextLines breaks it: the widest line by the number of lines
// times TextLineHeight. Windows that size themselves to a wrapping label measure with this, so the label's lines fit.
TSize MeasureTextLines(std::u16string_view text, TRdTextMeasurer& measurer, const TRdFont& font, int32_t maxWidth,
                       bool wrapChar);

// line with "..." at its end, shortened until the whole fits maxWidth (just "..." when nothing of it fits).
std::u16string WithEndEllipsis(std::u16string_view line, TRdTextMeasurer& measurer, const TRdFont& font,
                               int32_t maxWidth);

// The height of one line in font: the height of "`ghj_" (which reaches from the accents down to the
// descenders), else the font's own line height, else the character height + 3.
int32_t TextLineHeight(TRdTextMeasurer* measurer, const TRdFont& font);

}  // namespace qor
