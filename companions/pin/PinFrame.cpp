#include "companions/pin/PinFrame.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace qor {

namespace {

uint8_t Scale(uint8_t value, uint8_t alpha) { return uint8_t((value * alpha + 127) / 255); }

// For each target column (or row), the covered source span [first, last).
struct TSpan {
  int32_t First, Last;
};
std::vector<TSpan> Spans(int32_t sourceLength, int32_t targetLength) {
  std::vector<TSpan> spans(targetLength);
  for (int32_t i = 0; i < targetLength; ++i) {
    if (targetLength >= sourceLength) {
      // The source pixel under the target pixel's centre.
      const int32_t s = int32_t((int64_t(2 * i + 1) * sourceLength) / (2 * int64_t(targetLength)));
      spans[i] = {s, s + 1};
    } else {
      const int32_t first = int32_t(int64_t(i) * sourceLength / targetLength);
      const int32_t last = int32_t(int64_t(i + 1) * sourceLength / targetLength);
      spans[i] = {first, std::max(first + 1, last)};
    }
  }
  return spans;
}

}  // namespace

void ResamplePicture(const TConstImageView& source, const TImageView& target) {
  if (source.IsEmpty() || target.IsEmpty()) return;
  const std::vector<TSpan> columns = Spans(source.Width, target.Width);
  const std::vector<TSpan> rows = Spans(source.Height, target.Height);
  std::vector<uint32_t> sums(size_t(target.Width) * 4);
  for (int32_t y = 0; y < target.Height; ++y) {
    std::fill(sums.begin(), sums.end(), 0u);
    for (int32_t sy = rows[y].First; sy < rows[y].Last; ++sy) {
      const TBgra* in = source.Row(sy);
      for (int32_t x = 0; x < target.Width; ++x) {
        uint32_t* sum = &sums[size_t(x) * 4];
        for (int32_t sx = columns[x].First; sx < columns[x].Last; ++sx) {
          sum[0] += in[sx].B, sum[1] += in[sx].G, sum[2] += in[sx].R, sum[3] += in[sx].A;
        }
      }
    }
    TBgra* out = target.Row(y);
    const uint32_t rowCount = uint32_t(rows[y].Last - rows[y].First);
    for (int32_t x = 0; x < target.Width; ++x) {
      const uint32_t count = rowCount * uint32_t(columns[x].Last - columns[x].First);
      const uint32_t* sum = &sums[size_t(x) * 4];
      out[x] = {uint8_t((sum[0] + count / 2) / count), uint8_t((sum[1] + count / 2) / count),
                uint8_t((sum[2] + count / 2) / count), uint8_t((sum[3] + count / 2) / count)};
    }
  }
}

TImage ComposePinFrame(const TConstImageView& shown, const TPinLook& look) {
  const int32_t m = std::max(0, look.Margin);
  TImage frame(shown.Width + 2 * m, shown.Height + 2 * m);
  const TImageView& view = frame.View();
  const uint8_t shadowMax = look.Focused ? 96 : 48;
  for (int32_t y = 0; y < view.Height; ++y) {
    TBgra* out = view.Row(y);
    const int32_t dy = std::max({m - y, 0, y - (m + shown.Height - 1)});
    for (int32_t x = 0; x < view.Width; ++x) {
      const int32_t dx = std::max({m - x, 0, x - (m + shown.Width - 1)});
      if (dx == 0 && dy == 0) {
        const TBgra& p = shown.At(x - m, y - m);
        const uint8_t a = Scale(p.A, look.Opacity);
        out[x] = {Scale(p.B, a), Scale(p.G, a), Scale(p.R, a), a};
        continue;
      }
      if (look.Focused && dx <= 1 && dy <= 1) {
        out[x] = {Scale(PinAccent.B, look.Opacity), Scale(PinAccent.G, look.Opacity), Scale(PinAccent.R, look.Opacity),
                  look.Opacity};
        continue;
      }
      if (!look.Shadow) {
        out[x] = {};
        continue;
      }
      // Black, fading with the square of the distance from the picture's edge.
      const double d = std::sqrt(double(dx) * dx + double(dy) * dy) / m;
      const double strength = d >= 1.0 ? 0.0 : (1.0 - d) * (1.0 - d);
      out[x] = {0, 0, 0, Scale(uint8_t(std::lround(shadowMax * strength)), look.Opacity)};
    }
  }
  return frame;
}

void BlendReadout(const TImageView& frame, const TConstImageView& readout, TPoint at, uint8_t alpha) {
  if (alpha == 0) return;
  for (int32_t y = std::max(0, -at.Y); y < readout.Height && at.Y + y < frame.Height; ++y) {
    const TBgra* in = readout.Row(y);
    TBgra* out = frame.Row(at.Y + y);
    for (int32_t x = std::max(0, -at.X); x < readout.Width && at.X + x < frame.Width; ++x) {
      TBgra& o = out[at.X + x];
      const uint8_t keep = uint8_t(255 - alpha);
      const auto over = [&](uint8_t top, uint8_t below) {
        return uint8_t(std::min(255, Scale(top, alpha) + Scale(below, keep)));
      };
      o = {over(in[x].B, o.B), over(in[x].G, o.G), over(in[x].R, o.R), over(255, o.A)};
    }
  }
}

}  // namespace qor
