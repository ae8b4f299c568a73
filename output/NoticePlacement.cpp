#include "output/NoticePlacement.h"

#include "app/SafeIniFile.h"

namespace qor {

namespace {
constexpr std::u16string_view Section = u"AIAssistant";
constexpr std::u16string_view Key = u"ScreenshotCapTip";
constexpr std::u16string_view Ellipsis = u"...";

bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
}  // namespace

TPoint PlaceNotice(const TRect& desktop, TSize window, int32_t x, int32_t y, int32_t h) {
  TPoint at;
  at.X = x <= desktop.Right - window.Width ? x + NoticeCursorGap : x - window.Width;
  at.Y = desktop.Bottom - window.Height - NoticeCursorGap >= y + h ? y + h + NoticeCursorGap
                                                                   : y - window.Height - NoticeCursorGap;
  return at;
}

TNoticeLayout LayoutNotice(int32_t labelLeft, TSize label1, TSize label2) {
  TNoticeLayout out;
  out.Label_1 = TRect::FromSize(labelLeft, NoticeFirstLineTop, label1.Width, label1.Height);
  out.Label_2 = TRect::FromSize(labelLeft, out.Label_1.Bottom + NoticeLineGap, label2.Width, label2.Height);
  out.ClientHeight = out.Label_2.Bottom + NoticeBottomMargin;
  return out;
}

bool NoticeShouldClose(uint32_t startTick, uint32_t nowTick) {
  const uint32_t elapsed = nowTick - startTick;  // modulo 2^32: right across the wrap
  return elapsed / 1000 > NoticeLifetimeSeconds;
}

std::u16string ShortenInMiddle(std::u16string_view text, int32_t maxWidth,
                               const std::function<int32_t(std::u16string_view)>& measureWidth) {
  if (measureWidth(text) <= maxWidth) return std::u16string(text);
  // Keep k code units: the first (k + 1) / 2 and the last k / 2, moved off the middle of a surrogate pair. The
  // width grows with k, so the largest k that fits is found by bisection.
  auto candidate = [&](size_t keep) {
    size_t head = (keep + 1) / 2, tail = keep / 2;
    if (head > 0 && head < text.size() && IsHighSurrogate(text[head - 1]) && IsLowSurrogate(text[head])) --head;
    size_t tailStart = text.size() - tail;
    if (tail > 0 && tailStart < text.size() && IsLowSurrogate(text[tailStart]) && tailStart > 0 &&
        IsHighSurrogate(text[tailStart - 1]))
      ++tailStart;
    std::u16string out(text.substr(0, head));
    out += Ellipsis;
    out += text.substr(tailStart);
    return out;
  };
  size_t low = 0, high = text.empty() ? 0 : text.size() - 1;  // keep == size would be the whole text
  while (low < high) {
    const size_t mid = (low + high + 1) / 2;
    if (measureWidth(candidate(mid)) <= maxWidth)
      low = mid;
    else
      high = mid - 1;
  }
  return candidate(low);
}

bool NoticeWanted() { return ReadConfigString(Section, Key, u"0") != u"1"; }

bool RecordNoticeSeen(bool noticeVisible) {
  if (!noticeVisible) return false;
  if (ReadConfigString(Section, Key, u"0") == u"1") return false;
  return WriteConfigString(Section, Key, u"1");
}

}  // namespace qor
