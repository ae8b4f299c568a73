#include "CommonLib/RdControl/RdTextLines.h"

#include <algorithm>

#include <cstdlib>

namespace qor {

namespace {

constexpr std::u16string_view Ellipsis = u"...";

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t'; }

// The length of the character at pos: a surrogate pair is one character.
size_t CharLength(std::u16string_view s, size_t pos) {
  const bool pair =
      pos + 1 < s.size() && s[pos] >= 0xD800 && s[pos] <= 0xDBFF && s[pos + 1] >= 0xDC00 && s[pos + 1] <= 0xDFFF;
  return pair ? 2 : 1;
}

// Punctuation that does not start a line in Japanese and Chinese text: a line break before it takes the letter
// before it along.
bool NoLineStart(char16_t c) {
  constexpr std::u16string_view Closing = u"、。，．・：；？！）］｝〉》」』】〕ー…";
  return Closing.find(c) != std::u16string_view::npos;
}

// The length of the character that ends at end (a surrogate pair is one character).
size_t LastCharLength(std::u16string_view s, size_t end) {
  const bool pair =
      end >= 2 && s[end - 1] >= 0xDC00 && s[end - 1] <= 0xDFFF && s[end - 2] >= 0xD800 && s[end - 2] <= 0xDBFF;
  return pair ? 2 : 1;
}

class TLineBreaker {
 public:
  TLineBreaker(TRdTextMeasurer& measurer, const TRdFont& font, int32_t maxWidth, std::vector<std::u16string>& out)
      : FMeasurer(measurer), FFont(font), FMaxWidth(maxWidth), FOut(out) {}

  bool Fits(std::u16string_view s) const { return FMeasurer.MeasureText(s, FFont, 0).Width <= FMaxWidth; }

  void ByCharacters(std::u16string_view para) {
    std::u16string line;
    for (size_t pos = 0; pos < para.size();) {
      const size_t n = CharLength(para, pos);
      const std::u16string_view ch = para.substr(pos, n);
      pos += n;
      if (line.empty() && FBroke && IsSpace(ch[0])) continue;  // a broken-off line starts without spaces
      if (line.empty() || Fits(line + std::u16string(ch))) {
        line.append(ch);
        continue;
      }
      std::u16string carried;
      if (NoLineStart(ch[0]) && line.size() > LastCharLength(line, line.size())) {
        carried = line.substr(line.size() - LastCharLength(line, line.size()));
        line.resize(line.size() - carried.size());
      }
      Push(std::move(line));
      line = std::move(carried);
      if (!IsSpace(ch[0])) line.append(ch);
    }
    if (!line.empty() || !FBroke) FOut.push_back(std::move(line));
  }

  void ByWords(std::u16string_view para) {
    std::u16string line;
    size_t pos = 0;
    while (pos < para.size()) {
      size_t end = pos;
      while (end < para.size() && IsSpace(para[end])) ++end;
      while (end < para.size() && !IsSpace(para[end])) ++end;
      const std::u16string_view piece = para.substr(pos, end - pos);  // spaces before the word, and the word
      if (Fits(line + std::u16string(piece))) {
        line.append(piece);
        pos = end;
        continue;
      }
      if (!line.empty()) {  // the word starts the next line, without its spaces
        Push(std::move(line));
        line.clear();
        while (pos < para.size() && IsSpace(para[pos])) ++pos;
        continue;
      }
      // A word wider than a whole line: as many of its characters as fit.
      size_t taken = CharLength(para, pos);
      while (pos + taken < end) {
        const size_t n = CharLength(para, pos + taken);
        if (!Fits(para.substr(pos, taken + n))) break;
        taken += n;
      }
      if (pos + taken < end && NoLineStart(para[pos + taken]) && taken > LastCharLength(para, pos + taken))
        taken -= LastCharLength(para, pos + taken);
      Push(std::u16string(para.substr(pos, taken)));
      pos += taken;
    }
    if (!line.empty() || !FBroke) FOut.push_back(std::move(line));
  }

  void StartParagraph() { FBroke = false; }

 private:
  TRdTextMeasurer& FMeasurer;
  const TRdFont& FFont;
  int32_t FMaxWidth;
  std::vector<std::u16string>& FOut;
  bool FBroke = false;  // a line of this paragraph was broken off

  void Push(std::u16string line) {
    FOut.push_back(std::move(line));
    FBroke = true;
  }
};

}  // namespace

std::vector<std::u16string> BreakTextLines(std::u16string_view text, TRdTextMeasurer& measurer, const TRdFont& font,
                                           int32_t maxWidth, bool wrapChar) {
  std::vector<std::u16string> lines;
  TLineBreaker breaker(measurer, font, maxWidth, lines);
  size_t start = 0;
  while (true) {
    size_t end = text.find(u'\n', start);
    const bool last = end == std::u16string_view::npos;
    if (last) end = text.size();
    std::u16string_view para = text.substr(start, end - start);
    if (!para.empty() && para.back() == u'\r') para.remove_suffix(1);
    breaker.StartParagraph();
    if (maxWidth <= 0 || para.empty())
      lines.emplace_back(para);
    else if (wrapChar)
      breaker.ByCharacters(para);
    else
      breaker.ByWords(para);
    if (last) break;
    start = end + 1;
  }
  return lines;
}

std::u16string WithEndEllipsis(std::u16string_view line, TRdTextMeasurer& measurer, const TRdFont& font,
                               int32_t maxWidth) {
  std::u16string_view kept = line;
  while (!kept.empty()) {
    while (!kept.empty() && IsSpace(kept.back())) kept.remove_suffix(1);
    std::u16string candidate(kept);
    candidate.append(Ellipsis);
    if (measurer.MeasureText(candidate, font, 0).Width <= maxWidth) return candidate;
    if (kept.empty()) break;
    // Drop the last character (both halves of a surrogate pair).
    const bool pair = kept.size() >= 2 && kept.back() >= 0xDC00 && kept.back() <= 0xDFFF;
    kept.remove_suffix(pair ? 2 : 1);
  }
  return std::u16string(Ellipsis);
}

TSize MeasureTextLines(std::u16string_view text, TRdTextMeasurer& measurer, const TRdFont& font, int32_t maxWidth,
                       bool wrapChar) {
  const std::vector<std::u16string> lines = BreakTextLines(text, measurer, font, maxWidth, wrapChar);
  int32_t width = 0;
  for (const std::u16string& line : lines) width = std::max(width, measurer.MeasureText(line, font, 0).Width);
  return {width, int32_t(lines.size()) * TextLineHeight(&measurer, font)};
}

int32_t TextLineHeight(TRdTextMeasurer* measurer, const TRdFont& font) {
  if (measurer) {
    if (const int32_t sample = measurer->MeasureText(u"`ghj_", font, 0).Height; sample > 0) return sample;
    if (const int32_t metrics = measurer->FontLineHeight(font); metrics > 0) return metrics;
  }
  return std::abs(font.Height) + 3;
}

}  // namespace qor
