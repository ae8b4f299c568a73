#include "companions/stitch/FrameMatcher.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstdlib>

namespace qor::stitch {

namespace {

// Cells that occur more often than this in the older frame (rules, repeated icons) do not vote.
constexpr int MaxOccurrences = 4;
// How many displacements with the most votes are checked in full.
constexpr size_t VotedCandidates = 8;
// A join needs at least this many agreeing non-flat cells ...
constexpr int64_t MinEvidence = 24;
// ... and at most one disagreeing cell per this many compared ones.
constexpr int64_t ErrorRatio = 12;
// A scroll bar covers one strip, or two where it straddles a boundary.
constexpr int MaxIgnoredStrips = 2;

inline uint64_t SlotKey(uint64_t cell, int strip) {
  const uint64_t key = (cell ^ (uint64_t(strip) * 0x9E3779B97F4A7C15ull)) | 1;  // 0 marks an empty slot
  return key;
}

inline size_t SlotIndex(uint64_t key, uint64_t mask) { return size_t((key * 0xD6E8FEB86659FD93ull) >> 20) & mask; }

}  // namespace

void TFrameMatcher::BuildTable(const TFrameSignature& older) {
  const size_t cells = size_t(older.Height()) * size_t(older.Strips());
  size_t capacity = 1024;
  while (capacity < cells * 2) capacity *= 2;
  FTable.assign(capacity, TSlot{});
  FTableMask = capacity - 1;
  for (int32_t y = 0; y < older.Height(); ++y) {
    const uint32_t flat = older.FlatMask(y);
    for (int s = 0; s < older.Strips(); ++s) {
      if (flat & (1u << s)) continue;
      const uint64_t key = SlotKey(older.Cell(y, s), s);
      size_t i = SlotIndex(key, FTableMask);
      while (FTable[i].Key != 0 && FTable[i].Key != key) i = (i + 1) & FTableMask;
      TSlot& slot = FTable[i];
      slot.Key = key;
      if (slot.Count < 4) slot.Rows[slot.Count] = y;
      ++slot.Count;
    }
  }
}

const TFrameMatcher::TSlot* TFrameMatcher::Find(uint64_t key) const {
  size_t i = SlotIndex(key, FTableMask);
  while (FTable[i].Key != 0) {
    if (FTable[i].Key == key) return &FTable[i];
    i = (i + 1) & FTableMask;
  }
  return nullptr;
}

void TFrameMatcher::CollectCandidates(const TFrameSignature& older, const TFrameSignature& newer, int32_t lastStep,
                                      std::vector<int32_t>& candidates) {
  const int32_t h = newer.Height();
  const int32_t maxShift = h - MinOverlapRows;
  candidates.clear();
  candidates.push_back(0);
  if (maxShift <= 0) return;
  BuildTable(older);
  FVotes.assign(size_t(2 * h + 1), 0);
  for (int32_t y = 0; y < h; ++y) {
    const uint32_t flat = newer.FlatMask(y);
    for (int s = 0; s < newer.Strips(); ++s) {
      if (flat & (1u << s)) continue;
      const TSlot* slot = Find(SlotKey(newer.Cell(y, s), s));
      if (slot == nullptr || slot->Count > MaxOccurrences) continue;
      for (int i = 0; i < slot->Count; ++i) ++FVotes[size_t(slot->Rows[i] - y + h)];
    }
  }
  std::vector<std::pair<int32_t, int32_t>> ranked;  // votes, displacement
  for (int32_t d = -maxShift; d <= maxShift; ++d)
    if (d != 0 && FVotes[size_t(d + h)] > 0) ranked.emplace_back(FVotes[size_t(d + h)], d);
  const size_t keep = std::min(VotedCandidates, ranked.size());
  std::partial_sort(ranked.begin(), ranked.begin() + ptrdiff_t(keep), ranked.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first > b.first : a.second < b.second;
  });
  for (size_t i = 0; i < keep; ++i) candidates.push_back(ranked[i].second);
  // The step the page took last time is worth a look even when repetitive content hides it from the vote.
  if (lastStep != 0 && std::abs(lastStep) <= maxShift) {
    for (int32_t d : {lastStep, -lastStep})
      if (std::find(candidates.begin(), candidates.end(), d) == candidates.end()) candidates.push_back(d);
  }
}

TFrameMatch TFrameMatcher::Score(const TFrameSignature& older, const TFrameSignature& newer, int32_t d) {
  const int32_t h = newer.Height();
  const int strips = newer.Strips();
  const uint32_t all = newer.AllStrips();
  const int32_t e = std::abs(d);
  TFrameMatch match;
  match.Displacement = d;
  if (h - e < MinOverlapRows) return match;

  FShiftDiff.resize(size_t(h));
  for (int32_t y = 0; y < h; ++y) {
    const int32_t oy = y + d;
    FShiftDiff[size_t(y)] = (oy >= 0 && oy < h) ? newer.DiffMask(y, older, oy) : all;
  }

  // Strips that disagree both in place and shifted, on rows that otherwise line up, change by themselves.
  int32_t alignedRows = 0;
  int32_t changed[MaxStrips] = {};
  for (int32_t y = 0; y < h; ++y) {
    const uint32_t shift = FShiftDiff[size_t(y)];
    if (std::popcount(shift) * 4 > strips) continue;
    ++alignedRows;
    for (uint32_t both = shift & FStaticDiff[size_t(y)]; both != 0; both &= both - 1) ++changed[std::countr_zero(both)];
  }
  const int32_t changeLimit = std::max<int32_t>(4, alignedRows * 3 / 100);
  uint32_t ignored = 0;
  for (int s = 0; s < strips; ++s)
    if (changed[s] >= changeLimit) ignored |= 1u << s;
  match.IgnoredStrips = ignored;
  if (std::popcount(ignored) > MaxIgnoredStrips) return match;
  const uint32_t kept = all & ~ignored;

  // Prefix sums of the disagreeing cells in place and shifted, for choosing the bands.
  FPrefixStatic.assign(size_t(h) + 1, 0);
  FPrefixShift.assign(size_t(h) + 1, 0);
  for (int32_t y = 0; y < h; ++y) {
    FPrefixStatic[size_t(y) + 1] = FPrefixStatic[size_t(y)] + std::popcount(FStaticDiff[size_t(y)] & kept);
    FPrefixShift[size_t(y) + 1] = FPrefixShift[size_t(y)] + std::popcount(FShiftDiff[size_t(y)] & kept);
  }
  const auto& ps = FPrefixStatic;
  const auto& pm = FPrefixShift;

  int32_t top = 0, bottom = 0;
  if (d != 0) {
    // Top band: rows above it are compared in place; for an upward move the rows just below it are new.
    const int32_t maxTop = h - e - MinOverlapRows;
    int64_t best = 0;
    for (int32_t t = 0; t <= maxTop; ++t) {
      const int64_t cost = d > 0 ? ps[size_t(t)] - pm[size_t(t)] : ps[size_t(t)] - pm[size_t(t + e)];
      if (cost <= best) best = cost, top = t;  // ties widen the band: a flat row is as good in place
    }
    const int32_t maxBottom = h - e - MinOverlapRows - top;
    // Bottom band: rows below it are compared in place; for a downward move the rows just above it are new.
    best = INT64_MAX;
    for (int32_t b = 0; b <= maxBottom; ++b) {
      const int64_t cost = d > 0 ? (ps[size_t(h)] - ps[size_t(h - b)]) - pm[size_t(h)] + pm[size_t(h - b - d)]
                                 : (ps[size_t(h)] - ps[size_t(h - b)]) - (pm[size_t(h)] - pm[size_t(h - b)]);
      if (cost <= best) best = cost, bottom = b;
    }
  }
  match.TopBand = top;
  match.BottomBand = bottom;
  const int32_t first = d >= 0 ? top : top + e;
  const int32_t last = d >= 0 ? h - bottom - d : h - bottom;  // exclusive
  match.Overlap = last - first;
  if (match.Overlap < MinOverlapRows) return match;

  int64_t errors = (ps[size_t(top)] - ps[0]) + (ps[size_t(h)] - ps[size_t(h - bottom)]);
  errors += pm[size_t(last)] - pm[size_t(first)];
  int64_t evidence = 0;
  for (int32_t y = first; y < last; ++y) evidence += std::popcount(~FShiftDiff[size_t(y)] & ~newer.FlatMask(y) & kept);
  match.Errors = errors;
  match.Evidence = evidence;
  const bool clean = errors == 0;
  const bool enough = evidence >= MinEvidence || (d == 0 && clean);
  if (enough && errors * ErrorRatio <= evidence + errors)
    match.Kind = d == 0 ? TMatchKind::Identical : TMatchKind::Shifted;
  return match;
}

TFrameMatch TFrameMatcher::Match(const TFrameSignature& older, const TFrameSignature& newer, bool downward,
                                 int32_t lastStep) {
  const int32_t h = newer.Height();
  if (older.Height() != h || older.Width() != newer.Width() || h <= 0) return {};
  FStaticDiff.resize(size_t(h));
  bool same = true;
  for (int32_t y = 0; y < h; ++y) {
    FStaticDiff[size_t(y)] = newer.DiffMask(y, older, y);
    same = same && FStaticDiff[size_t(y)] == 0;
  }
  if (same) {
    TFrameMatch match;
    match.Kind = TMatchKind::Identical;
    match.Overlap = h;
    return match;
  }

  std::vector<int32_t> candidates;
  CollectCandidates(older, newer, lastStep, candidates);
  std::vector<TFrameMatch> passed;
  for (int32_t d : candidates) {
    const TFrameMatch m = Score(older, newer, d);
    if (m.Kind != TMatchKind::NoMatch) passed.push_back(m);
  }
  if (passed.empty()) return {};

  // The hinted direction first (no movement fits either); the other only when nothing in the hinted one fits.
  auto hinted = [&](const TFrameMatch& m) { return downward ? m.Displacement >= 0 : m.Displacement <= 0; };
  if (std::any_of(passed.begin(), passed.end(), hinted))
    passed.erase(std::remove_if(passed.begin(), passed.end(), [&](const TFrameMatch& m) { return !hinted(m); }),
                 passed.end());
  auto ratio = [](const TFrameMatch& m) {
    return double(m.Errors) / double(std::max<int64_t>(1, m.Evidence + m.Errors));
  };
  double bestRatio = 1.0;
  for (const TFrameMatch& m : passed) bestRatio = std::min(bestRatio, ratio(m));
  const TFrameMatch* chosen = nullptr;
  for (const TFrameMatch& m : passed) {
    if (ratio(m) > bestRatio + 0.01) continue;
    if (chosen == nullptr) {
      chosen = &m;
      continue;
    }
    // Every strip left out is a change the join does not explain; repetitive rows that differ only in a narrow
    // column line up at wrong displacements only by leaving that column out as well as the scroll bar.
    const int ignoredA = std::popcount(m.IgnoredStrips), ignoredB = std::popcount(chosen->IgnoredStrips);
    if (ignoredA != ignoredB) {
      if (ignoredA < ignoredB) chosen = &m;
      continue;
    }
    if (lastStep != 0) {
      const int32_t da = std::abs(m.Displacement - lastStep), db = std::abs(chosen->Displacement - lastStep);
      if (da != db) {
        if (da < db) chosen = &m;
        continue;
      }
    }
    if (m.Evidence > chosen->Evidence) chosen = &m;
  }
  return *chosen;
}

}  // namespace qor::stitch
