#include "scroll/PreviewCopy.h"

#include <algorithm>
#include <memory>

namespace qor {

namespace {

// Area weights from sourceCount cells onto destCount cells: source cell s spans [s * destCount, (s + 1) * destCount)
// and dest cell d spans [d * sourceCount, (d + 1) * sourceCount); a tap's weight is their overlap, so the weights of
// one dest cell add up to sourceCount. start[d] is the first tap of cell d (start has destCount + 1 entries).
void AreaTaps(int32_t sourceCount, int32_t destCount, std::vector<int32_t>& start, std::vector<TAreaTap>& taps) {
  start.assign(size_t(destCount) + 1, 0);
  taps.clear();
  for (int32_t d = 0; d < destCount; ++d) {
    start[size_t(d)] = int32_t(taps.size());
    const int64_t from = int64_t(d) * sourceCount, to = from + sourceCount;
    for (int64_t s = from / destCount; s * destCount < to; ++s) {
      const int64_t overlap = std::min(to, (s + 1) * destCount) - std::max(from, s * destCount);
      if (overlap > 0) taps.push_back({int32_t(s), uint32_t(overlap)});
    }
  }
  start[size_t(destCount)] = int32_t(taps.size());
}

// sums[v] += bytes[v] * weight; the pointers never overlap, which lets the compiler use vector instructions.
void AddWeighted(const uint8_t* __restrict bytes, uint32_t weight, uint32_t* __restrict sums, size_t count) {
  for (size_t v = 0; v < count; ++v) sums[v] += bytes[v] * weight;
}

// Reduces column sums (four per source column) across by the taps into sums (four per dest column).
void SumAcross(const uint32_t* down, const std::vector<int32_t>& start, const std::vector<TAreaTap>& taps,
               uint64_t* sums, int32_t destWidth) {
  for (int32_t x = 0; x < destWidth; ++x, sums += 4) {
    sums[0] = sums[1] = sums[2] = sums[3] = 0;
    for (int32_t t = start[size_t(x)]; t < start[size_t(x) + 1]; ++t) {
      const uint32_t* in = down + size_t(taps[size_t(t)].Source) * 4;
      const uint64_t weight = taps[size_t(t)].Weight;
      sums[0] += in[0] * weight;
      sums[1] += in[1] * weight;
      sums[2] += in[2] * weight;
      sums[3] += in[3] * weight;
    }
  }
}

// Writes sums * scale, rounded, as pixels (four sums per pixel).
void StoreMeans(const uint64_t* sums, double scale, TBgra* out, int32_t width) {
  for (int32_t x = 0; x < width; ++x, sums += 4)
    out[x] = TBgra{uint8_t(double(sums[0]) * scale + 0.5), uint8_t(double(sums[1]) * scale + 0.5),
                   uint8_t(double(sums[2]) * scale + 0.5), uint8_t(double(sums[3]) * scale + 0.5)};
}

int64_t FloorDiv(int64_t value, int64_t divisor) {
  return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

}  // namespace

void ScalePreview(const TConstImageView& source, const TImageView& dest) {
  if (source.IsEmpty() || dest.IsEmpty()) return;
  std::vector<int32_t> columnStart, rowStart;
  std::vector<TAreaTap> columnTaps, rowTaps;
  AreaTaps(source.Width, dest.Width, columnStart, columnTaps);
  AreaTaps(source.Height, dest.Height, rowStart, rowTaps);
  const double scale = 1.0 / (double(source.Width) * double(source.Height));
  const size_t values = size_t(source.Width) * 4;
  // Down the rows first (weights of one dest row add up to the source height, so 32 bits hold 255 times any
  // supported height), then across.
  std::vector<uint32_t> down(values);
  std::vector<uint64_t> sums(size_t(dest.Width) * 4);
  for (int32_t y = 0; y < dest.Height; ++y) {
    std::fill(down.begin(), down.end(), 0u);
    for (int32_t t = rowStart[size_t(y)]; t < rowStart[size_t(y) + 1]; ++t) {
      AddWeighted(reinterpret_cast<const uint8_t*>(source.Row(rowTaps[size_t(t)].Source)), rowTaps[size_t(t)].Weight,
                  down.data(), values);
    }
    SumAcross(down.data(), columnStart, columnTaps, sums.data(), dest.Width);
    StoreMeans(sums.data(), scale, dest.Row(y), dest.Width);
  }
}

void TPreviewCopy::Clear() {
  FPictureWidth = FPictureHeight = FWidth = 0;
  FOrigin = FFirstGroup = 0;
  FLevel = 0;
  FGroups.clear();
  FView = TImage();
}

int64_t TPreviewCopy::GroupOf(int64_t row) const { return FloorDiv(row, int64_t(1) << FLevel); }

void TPreviewCopy::Update(const TConstImageView& whole, TRowSpan changed, int32_t prepended) {
  if (whole.IsEmpty()) {
    Clear();
    return;
  }
  if (FGroups.empty() || whole.Width != FPictureWidth || (changed.First <= 0 && changed.Count >= whole.Height)) {
    Rebuild(whole);
    return;
  }
  if (changed.Count <= 0 && prepended == 0 && whole.Height == FPictureHeight) return;  // the same picture
  FOrigin -= prepended;
  FPictureHeight = whole.Height;
  const int64_t firstGroup = GroupOf(FOrigin), lastGroup = GroupOf(FOrigin + whole.Height - 1);
  // Groups that lie wholly outside the picture now held rows that were dropped.
  while (!FGroups.empty() && FFirstGroup < firstGroup) {
    FGroups.pop_front();
    ++FFirstGroup;
  }
  while (!FGroups.empty() && FFirstGroup + int64_t(FGroups.size()) - 1 > lastGroup) FGroups.pop_back();
  if (FGroups.empty()) FFirstGroup = firstGroup;
  while (GroupOf(FOrigin + whole.Height - 1) - GroupOf(FOrigin) + 1 > 2 * PreviewCopyMaxRows) MergeLevel();
  const int64_t first = GroupOf(FOrigin), last = GroupOf(FOrigin + whole.Height - 1);
  while (FFirstGroup > first) {
    FGroups.emplace_front();
    --FFirstGroup;
  }
  while (FFirstGroup + int64_t(FGroups.size()) - 1 < last) FGroups.emplace_back();
  // The end groups may have gained or lost rows; the changed rows' groups have new content.
  Compute(whole, first);
  Compute(whole, last);
  if (changed.Count > 0) {
    const int64_t from = GroupOf(FOrigin + changed.First), to = GroupOf(FOrigin + changed.First + changed.Count - 1);
    for (int64_t g = std::max(from, first + 1); g <= std::min(to, last - 1); ++g) Compute(whole, g);
  }
  // A group left empty means the changed rows did not cover what moved: start again from the whole picture.
  for (const TGroup& group : FGroups)
    if (group.Rows == 0) {
      Rebuild(whole);
      return;
    }
  Render();
}

void TPreviewCopy::Rebuild(const TConstImageView& whole) {
  FPictureWidth = whole.Width;
  FPictureHeight = whole.Height;
  FWidth = std::min(whole.Width, PreviewMaxWidth);
  AreaTaps(whole.Width, FWidth, FColumnStart, FColumnTaps);
  FOrigin = 0;
  FLevel = 0;
  while (GroupOf(whole.Height - 1) + 1 > 2 * PreviewCopyMaxRows) ++FLevel;
  FFirstGroup = 0;
  FGroups.assign(size_t(GroupOf(whole.Height - 1) + 1), TGroup{});
  for (int64_t g = 0; g < int64_t(FGroups.size()); ++g) Compute(whole, g);
  Render();
}

void TPreviewCopy::MergeLevel() {
  std::deque<TGroup> merged;
  const int64_t firstMerged = FloorDiv(FFirstGroup, 2);
  for (size_t i = 0; i < FGroups.size(); ++i) {
    TGroup& group = FGroups[i];
    const size_t slot = size_t(FloorDiv(FFirstGroup + int64_t(i), 2) - firstMerged);
    if (slot >= merged.size()) merged.emplace_back();
    TGroup& into = merged[slot];
    if (group.Rows == 0) continue;
    if (into.Rows == 0) {
      into = std::move(group);
      continue;
    }
    const uint64_t rows = uint64_t(into.Rows) + uint64_t(group.Rows);
    for (size_t v = 0; v < into.Mean.size(); ++v)
      into.Mean[v] =
          uint16_t((into.Mean[v] * uint64_t(into.Rows) + group.Mean[v] * uint64_t(group.Rows) + rows / 2) / rows);
    into.Rows = int32_t(rows);
  }
  FGroups = std::move(merged);
  FFirstGroup = firstMerged;
  ++FLevel;
}

void TPreviewCopy::Compute(const TConstImageView& whole, int64_t group) {
  const int64_t size = int64_t(1) << FLevel;
  const int64_t from = std::max(group * size, FOrigin), to = std::min((group + 1) * size, FOrigin + whole.Height);
  TGroup& target = At(group);
  target.Rows = int32_t(std::max<int64_t>(0, to - from));
  target.Mean.assign(size_t(FWidth) * 4, 0);
  if (target.Rows == 0) return;
  // Down the group's rows, then across once.
  std::vector<uint32_t>& down = FDownSums;
  down.assign(size_t(whole.Width) * 4, 0);
  for (int64_t row = from; row < to; ++row)
    AddWeighted(reinterpret_cast<const uint8_t*>(whole.Row(int32_t(row - FOrigin))), 1, down.data(), down.size());
  std::vector<uint64_t>& sums = FAcrossSums;
  sums.resize(size_t(FWidth) * 4);
  SumAcross(down.data(), FColumnStart, FColumnTaps, sums.data(), FWidth);
  const uint64_t total = uint64_t(whole.Width) * uint64_t(target.Rows);
  for (size_t v = 0; v < sums.size(); ++v) target.Mean[v] = uint16_t((sums[v] * 256 + total / 2) / total);
}

void TPreviewCopy::Render() {
  // Evenly sized rows over exactly the picture: row i spans [i * H, (i + 1) * H) and picture row p spans
  // [p * n, (p + 1) * n) in units of 1/n picture rows; each row blends the two or three groups it overlaps.
  const int64_t height = FPictureHeight;
  const int64_t count = (height + (int64_t(1) << FLevel) - 1) >> FLevel;
  const size_t values = size_t(FWidth) * 4;
  FView = TImage();
  if (!FViewStore || FViewStore->size() < values / 4 * size_t(count))
    FViewStore = std::make_shared<std::vector<TBgra>>(values / 4 * size_t(count));
  const TImageView view{reinterpret_cast<uint8_t*>(FViewStore->data()), FWidth, int32_t(count),
                        ptrdiff_t(FWidth) * ptrdiff_t(sizeof(TBgra))};
  FView = TImage(view, FViewStore);
  std::vector<float> blend(values);
  const float unit = float(1.0 / (double(height) * 256.0));
  size_t g = 0;
  int64_t groupFrom = 0;  // picture row where group g starts
  for (int64_t i = 0; i < count; ++i) {
    const int64_t from = i * height, to = from + height;
    while (g < FGroups.size() && (groupFrom + FGroups[g].Rows) * count <= from) groupFrom += FGroups[g++].Rows;
    uint8_t* out = reinterpret_cast<uint8_t*>(view.Row(int32_t(i)));
    if (g < FGroups.size() && groupFrom * count == from && (groupFrom + FGroups[g].Rows) * count == to) {
      // The row is exactly one group.
      const uint16_t* mean = FGroups[g].Mean.data();
      for (size_t v = 0; v < values; ++v) out[v] = uint8_t((mean[v] + 128) >> 8);
      continue;
    }
    std::fill(blend.begin(), blend.end(), 0.5f);
    int64_t start = groupFrom;
    for (size_t k = g; k < FGroups.size() && start * count < to; start += FGroups[k++].Rows) {
      const int64_t overlap = std::min(to, (start + FGroups[k].Rows) * count) - std::max(from, start * count);
      const float weight = float(overlap) * unit;
      const uint16_t* mean = FGroups[k].Mean.data();
      for (size_t v = 0; v < values; ++v) blend[v] += float(mean[v]) * weight;
    }
    for (size_t v = 0; v < values; ++v) out[v] = uint8_t(std::min(blend[v], 255.0f));
  }
}

}  // namespace qor
