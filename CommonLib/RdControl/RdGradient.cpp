#include "CommonLib/RdControl/RdGradient.h"

namespace qor {

uint32_t GradientColor(uint32_t from, uint32_t to, int32_t index, int32_t count) {
  if (count <= 1 || index <= 0) return from & 0xFFFFFF;
  if (index >= count - 1) return to & 0xFFFFFF;
  const int64_t span = count - 1;
  uint32_t result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int64_t a = (from >> shift) & 0xFF, b = (to >> shift) & 0xFF;
    const int64_t v = (a * (span - index) + b * index + span / 2) / span;
    result |= uint32_t(v) << shift;
  }
  return result;
}

std::vector<TRdGradientBand> GradientBands(const TRect& area, uint32_t from, uint32_t to, bool vertical) {
  std::vector<TRdGradientBand> bands;
  const int32_t count = vertical ? area.Height() : area.Width();
  if (area.IsEmpty()) return bands;
  int32_t start = 0;
  uint32_t color = GradientColor(from, to, 0, count);
  auto push = [&](int32_t end) {
    const TRect r = vertical ? TRect{area.Left, area.Top + start, area.Right, area.Top + end}
                             : TRect{area.Left + start, area.Top, area.Left + end, area.Bottom};
    bands.push_back({r, color});
  };
  for (int32_t i = 1; i < count; ++i) {
    const uint32_t next = GradientColor(from, to, i, count);
    if (next == color) continue;
    push(i);
    start = i;
    color = next;
  }
  push(count);
  return bands;
}

}  // namespace qor
