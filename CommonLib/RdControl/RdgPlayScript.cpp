#include "CommonLib/RdControl/RdgPlayScript.h"

#include <algorithm>
#include <string>

#include <cstddef>
#include <cstdint>

namespace qor {

namespace {

bool IsSeparator(char16_t c) { return c == u' ' || c == u',' || c == u'\t' || c == u'\r' || c == u'\n'; }

// A non-negative decimal number that fits 32 bits.
bool ParseCount(std::u16string_view text, int32_t& value) {
  if (text.empty() || text.size() > 10) return false;
  int64_t v = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return false;
    v = v * 10 + (c - u'0');
  }
  if (v > INT32_MAX) return false;
  value = int32_t(v);
  return true;
}

// The steps of one segment's inside ("0-7 d=40").
std::vector<TRdgFrameStep> ParseSegment(std::u16string_view body, int32_t milliseconds) {
  std::vector<TRdgFrameStep> steps;
  size_t pos = 0;
  while (pos < body.size() && steps.size() < RdgMaxSteps) {
    if (IsSeparator(body[pos])) {
      ++pos;
      continue;
    }
    size_t end = pos;
    while (end < body.size() && !IsSeparator(body[end])) ++end;
    const std::u16string_view item = body.substr(pos, end - pos);
    pos = end;
    int32_t a = 0, b = 0;
    if (item.size() > 2 && (item[0] == u'd' || item[0] == u'D') && item[1] == u'=') {
      if (ParseCount(item.substr(2), a)) milliseconds = std::min(a, RdgMaxFrameTime);
      continue;
    }
    const size_t dash = item.find(u'-');
    if (dash == std::u16string_view::npos) {
      if (ParseCount(item, a)) steps.push_back({std::min(a, RdgMaxFrame), milliseconds});
    } else if (ParseCount(item.substr(0, dash), a) && ParseCount(item.substr(dash + 1), b)) {
      a = std::min(a, RdgMaxFrame), b = std::min(b, RdgMaxFrame);
      const int32_t step = a <= b ? 1 : -1;
      for (int32_t f = a; steps.size() < RdgMaxSteps; f += step) {
        steps.push_back({f, milliseconds});
        if (f == b) break;
      }
    }
  }
  return steps;
}

}  // namespace

std::vector<TRdgFrameStep> ParseRdgPlayScript(std::u16string_view script, int32_t defaultMilliseconds) {
  const int32_t fallback = std::clamp(defaultMilliseconds, 0, RdgMaxFrameTime);
  std::vector<TRdgFrameStep> steps;
  size_t pos = 0;
  while (pos < script.size() && steps.size() < RdgMaxSteps) {
    const size_t open = script.find(u'<', pos);
    if (open == std::u16string_view::npos) break;
    const size_t close = script.find(u'>', open + 1);
    if (close == std::u16string_view::npos) break;  // an unclosed segment is dropped
    const std::u16string_view body = script.substr(open + 1, close - open - 1);
    pos = close + 1;
    // A "<" inside the segment starts a new one: the broken part before it is dropped.
    if (body.find(u'<') != std::u16string_view::npos) {
      pos = open + 1 + body.rfind(u'<');
      continue;
    }
    int32_t repeat = 1;
    if (pos < script.size() && script[pos] == u'*') {
      size_t end = pos + 1;
      while (end < script.size() && script[end] >= u'0' && script[end] <= u'9') ++end;
      if (!ParseCount(script.substr(pos + 1, end - pos - 1), repeat)) repeat = 1;
      pos = end;
    }
    const std::vector<TRdgFrameStep> segment = ParseSegment(body, fallback);
    for (int32_t i = 0; i < repeat && !segment.empty() && steps.size() < RdgMaxSteps; ++i) {
      const size_t room = RdgMaxSteps - steps.size();
      steps.insert(steps.end(), segment.begin(), segment.begin() + std::ptrdiff_t(std::min(room, segment.size())));
    }
  }
  return steps;
}

}  // namespace qor
