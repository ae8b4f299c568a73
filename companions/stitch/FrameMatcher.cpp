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
// ... or at most one row with a disagreeing cell per this many clean rows.
constexpr int32_t BadRowRatio = 2;
// A scroll bar covers one strip, or two where it straddles a boundary.
constexpr int MaxIgnoredStrips = 2;
// A row lines up (in place or shifted) when at most one of this many compared cells differs.
constexpr int LineUpRatio = 6;
// A floating element is at least this tall, and its rows are not all alike (a vertical rule does not float).
constexpr int32_t FloatingRows = 12;
constexpr int32_t FloatingChanges = 4;
// Its edges may blend with the page over at most this many rows.
constexpr int32_t FloatingEdge = 12;

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

void TFrameMatcher::CollectRowCandidates(const TFrameSignature& older, const TFrameSignature& newer, bool downward,
                                         std::vector<int32_t>& candidates) const {
  const int32_t h = newer.Height();
  std::vector<std::pair<int32_t, int32_t>> ranked;  // agreeing rows, displacement
  for (int32_t e = 1; e <= h - MinOverlapRows; ++e) {
    const int32_t d = downward ? e : -e;
    int32_t agree = 0;
    for (int32_t y = std::max(0, -d); y < std::min(h, h - d); ++y)
      agree += newer.RowKey(y) == older.RowKey(y + d) && newer.FlatMask(y) != newer.AllStrips();
    if (agree >= MinOverlapRows) ranked.emplace_back(agree, d);
  }
  const size_t keep = std::min(VotedCandidates, ranked.size());
  std::partial_sort(ranked.begin(), ranked.begin() + ptrdiff_t(keep), ranked.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first > b.first : std::abs(a.second) < std::abs(b.second);
  });
  candidates.clear();
  for (size_t i = 0; i < keep; ++i) candidates.push_back(ranked[i].second);
}

template <typename TOnRun>
void TFrameMatcher::FloatingRuns(const TFrameSignature& newer, int strip, int32_t from, int32_t to,
                                 TOnRun&& onRun) const {
  // A floating element: at least FloatingRows rows of one strip that stayed in place and vary from row to row (a
  // vertical rule or a bullet that happens to line up with one in the older frame does not count).
  const uint32_t bit = 1u << strip;
  int32_t start = from, varied = 0;
  for (int32_t y = from; y <= to; ++y) {
    const bool still = y < to && !(FStaticDiff[size_t(y)] & bit) && (FMoved[size_t(y)] & bit);
    if (still) {
      varied += y > start && newer.Cell(y, strip) != newer.Cell(y - 1, strip);
      continue;
    }
    if (y - start >= FloatingRows && varied >= FloatingChanges) {
      // Its soft edges (antialiasing, a shadow) blend with the page under them: they differ both ways.
      const auto blends = [&](int32_t r) { return (FStaticDiff[size_t(r)] & FMoved[size_t(r)] & bit) != 0; };
      int32_t first = start, end = y;
      while (first > from && start - first < FloatingEdge && blends(first - 1)) --first;
      while (end < to && end - y < FloatingEdge && blends(end)) ++end;
      onRun(first, end);
    }
    start = y + 1;
    varied = 0;
  }
}

TFrameMatch TFrameMatcher::Score(const TFrameSignature& older, const TFrameSignature& newer, int32_t d,
                                 TBands olderBands) {
  const int32_t h = newer.Height();
  const int strips = newer.Strips();
  const uint32_t all = newer.AllStrips();
  const int32_t e = std::abs(d);
  TFrameMatch match;
  match.Displacement = d;
  if (h - e < MinOverlapRows) return match;

  // A row is compared shifted only where its counterpart in the older frame showed page content; elsewhere it
  // counts neither for nor against the displacement.
  const int32_t olderFirst = std::max(0, olderBands.Top), olderLast = h - std::max(0, olderBands.Bottom);
  FShiftDiff.resize(size_t(h));
  FKnown.resize(size_t(h));
  for (int32_t y = 0; y < h; ++y) {
    const int32_t oy = y + d;
    const bool known = oy >= olderFirst && oy < olderLast;
    FKnown[size_t(y)] = known;
    FShiftDiff[size_t(y)] = known ? newer.DiffMask(y, older, oy) : 0;
  }
  int64_t agreeing = 0;  // an upper bound of the evidence: most displacements end here, cheaply
  for (int32_t y = 0; y < h; ++y)
    if (FKnown[size_t(y)]) agreeing += std::popcount(~FShiftDiff[size_t(y)] & ~newer.FlatMask(y) & all);
  if (agreeing < MinEvidence && d != 0) return match;
  // On rows that otherwise line up: strips that agree only in place on many rows do not scroll (a sidebar, a
  // minimap); strips that disagree both in place and shifted change by themselves (a scroll bar thumb, an
  // animation), unless a floating element explains it.
  // (Rows where the older frame had its bands are left out: a bar that stays may show what scrolls under it.)
  const auto lineUp = [&](int32_t y) {
    return FKnown[size_t(y)] && y >= olderFirst && y < olderLast && std::popcount(FShiftDiff[size_t(y)]) * 2 <= strips;
  };
  int32_t alignedRows = 0;
  int32_t changed[MaxStrips] = {}, fixed[MaxStrips] = {};
  for (int32_t y = 0; y < h; ++y) {
    if (!lineUp(y)) continue;
    ++alignedRows;
    for (uint32_t still = FShiftDiff[size_t(y)] & ~FStaticDiff[size_t(y)]; still != 0; still &= still - 1)
      ++fixed[std::countr_zero(still)];
  }
  if (alignedRows < MinOverlapRows) return match;
  // Cells that did not move with the page: where a row's counterpart is not known, whether the older frame's
  // cell at that row reappears d rows away tells it (an avatar that happens to lie where one lay before does).
  FMoved.resize(size_t(h));
  for (int32_t y = 0; y < h; ++y) {
    const int32_t ny = y - d;
    FMoved[size_t(y)] = FKnown[size_t(y)]   ? FShiftDiff[size_t(y)]
                        : ny >= 0 && ny < h ? newer.DiffMask(ny, older, y)
                                            : all;
  }

  const int32_t changeLimit = std::max<int32_t>(4, alignedRows * 3 / 100);
  const int32_t fixedLimit = std::max<int32_t>(changeLimit, alignedRows / 4);
  uint32_t fixedStrips = 0;
  for (int s = 0; s < strips; ++s)
    if (fixed[s] >= fixedLimit) fixedStrips |= 1u << s;

  // Floating elements (a back-to-top button, a chat bubble) stay in place over the scrolling rows near the top
  // or bottom: the bands will reach over them, so that they are written once, with a band, and the rows beside
  // them come again with a later frame. floatAbove: the end of the lowest one in the upper half; floatBelow: the
  // start of the highest one in the lower half.
  // (The strips next to a fixed column, half in it, are no floating elements either.)
  int32_t floatAbove = -1, floatBelow = h;
  const uint32_t nearFixed = fixedStrips | (fixedStrips << 1) | (fixedStrips >> 1);
  uint32_t stillStrips = 0;  // strips with any cell that stayed in place but not with the page
  for (int32_t y = 0; y < h && d != 0; ++y) stillStrips |= ~FStaticDiff[size_t(y)] & FMoved[size_t(y)];
  if (d != 0)
    for (int s = 0; s < strips; ++s)
      if ((stillStrips & ~nearFixed) & (1u << s))
        FloatingRuns(newer, s, 0, h, [&](int32_t from, int32_t to) {
          if (from >= h / 2) floatBelow = std::min(floatBelow, from);
          if (to <= h / 2) floatAbove = std::max(floatAbove, to);
        });
  // Rows whose counterpart lay under a floating element in the older frame do not count either, nor rows where
  // more strips differ than a scroll bar covers (an animated banner, a highlighted line).
  for (int32_t y = floatAbove + 1; y < floatBelow; ++y) {
    if (!lineUp(y) || y + d <= floatAbove || y + d >= floatBelow ||
        std::popcount(FShiftDiff[size_t(y)] & ~fixedStrips) > 2 * MaxIgnoredStrips)
      continue;
    for (uint32_t both = FShiftDiff[size_t(y)] & FStaticDiff[size_t(y)]; both != 0; both &= both - 1)
      ++changed[std::countr_zero(both)];
  }
  uint32_t ignored = 0;
  for (int s = 0; s < strips; ++s)
    if (changed[s] >= changeLimit) ignored |= 1u << s;
  fixedStrips &= ~ignored;
  match.IgnoredStrips = ignored;
  match.FixedStrips = fixedStrips;
  if (std::popcount(ignored) > MaxIgnoredStrips || std::popcount(fixedStrips) * 2 > strips) return match;
  const uint32_t kept = all & ~ignored & ~fixedStrips;

  // Prefix sums of the disagreeing cells in place and shifted (for counting errors), and of the rows that would
  // cost a good row if put in a band (they line up only shifted) or left out of it (they line up only in place).
  // Rows that line up both ways (flat) or neither way (a bar that came, changed, or shows the page blurred under
  // it) fit either: ties widen the bands.
  const int keptCount = std::popcount(kept);
  FPrefixStatic.assign(size_t(h) + 1, 0);
  FPrefixShift.assign(size_t(h) + 1, 0);
  FPrefixInBand.assign(size_t(h) + 1, 0);
  FPrefixOutOfBand.assign(size_t(h) + 1, 0);
  for (int32_t y = 0; y < h; ++y) {
    const int inPlace = std::popcount(FStaticDiff[size_t(y)] & kept);
    const int shifted = std::popcount(FShiftDiff[size_t(y)] & kept);
    const bool alignsInPlace = inPlace * LineUpRatio <= keptCount, alignsShifted = shifted * LineUpRatio <= keptCount;
    FPrefixStatic[size_t(y) + 1] = FPrefixStatic[size_t(y)] + inPlace;
    FPrefixShift[size_t(y) + 1] = FPrefixShift[size_t(y)] + shifted;
    FPrefixInBand[size_t(y) + 1] = FPrefixInBand[size_t(y)] + (alignsShifted && !alignsInPlace);
    FPrefixOutOfBand[size_t(y) + 1] = FPrefixOutOfBand[size_t(y)] + (alignsInPlace && !alignsShifted);
  }
  const auto& ps = FPrefixStatic;
  const auto& pm = FPrefixShift;
  const auto& pb = FPrefixInBand;
  const auto& po = FPrefixOutOfBand;

  int32_t top = 0, bottom = 0;
  if (d != 0) {
    // Each band is at most a third of the frame. Top band: for an upward move the rows just below it are new;
    // bottom band: for a downward move the rows just above it are new. The band on the side of the new rows is
    // chosen first, so that the other does not reach over rows that only the first one explains.
    const auto chooseTop = [&](int32_t limit) {
      int64_t best = INT64_MAX;
      int32_t band = 0;
      for (int32_t t = 0; t <= limit; ++t) {
        const int64_t cost = pb[size_t(t)] - (d > 0 ? po[size_t(t)] : po[size_t(t + e)]);
        if (cost <= best) best = cost, band = t;  // ties widen the band
      }
      return band;
    };
    const auto chooseBottom = [&](int32_t limit) {
      int64_t best = INT64_MAX;
      int32_t band = 0;
      for (int32_t b = 0; b <= limit; ++b) {
        const int64_t cost =
            (pb[size_t(h)] - pb[size_t(h - b)]) - (po[size_t(h)] - po[size_t(d > 0 ? h - b - d : h - b)]);
        if (cost <= best) best = cost, band = b;
      }
      return band;
    };
    const int32_t room = h - e - MinOverlapRows;
    if (d > 0) {
      bottom = chooseBottom(std::min(room, h / 3));
      top = chooseTop(std::min(room - bottom, h / 3));
    } else {
      top = chooseTop(std::min(room, h / 3));
      bottom = chooseBottom(std::min(room - top, h / 3));
    }
  }
  for (int32_t y = 0; y < top; ++y) match.BandChanges += (FStaticDiff[size_t(y)] & kept) != 0;
  for (int32_t y = h - bottom; y < h; ++y) match.BandChanges += (FStaticDiff[size_t(y)] & kept) != 0;

  // The bands reach over the floating elements where there is room.
  if (floatAbove >= 0 && floatAbove + bottom <= h - e - MinOverlapRows) top = std::max(top, floatAbove);
  if (floatBelow < h && top + (h - floatBelow) <= h - e - MinOverlapRows) bottom = std::max(bottom, h - floatBelow);
  match.TopBand = top;
  match.BottomBand = bottom;
  const int32_t first = d >= 0 ? top : top + e;
  const int32_t last = d >= 0 ? h - bottom - d : h - bottom;  // exclusive
  match.Overlap = last - first;
  if (match.Overlap < MinOverlapRows) return match;

  int64_t errors = pm[size_t(last)] - pm[size_t(first)];
  int64_t evidence = 0;
  int32_t goodRows = 0, badRows = 0;
  for (int32_t y = first; y < last; ++y) {
    if (!FKnown[size_t(y)]) continue;
    const int agree = std::popcount(~FShiftDiff[size_t(y)] & ~newer.FlatMask(y) & kept);
    evidence += agree;
    if (FShiftDiff[size_t(y)] & kept)
      ++badRows;
    else
      goodRows += agree > 0;
  }
  if (d == 0) errors = ps[size_t(h)];  // nothing moved: every change counts
  match.Errors = errors;
  match.Evidence = evidence;
  const bool clean = errors == 0;
  const bool enough = evidence >= MinEvidence || (d == 0 && clean);
  // Scattered changes (a caret, a spinner) stay below one cell in ErrorRatio; a change across whole rows (an
  // animated banner, the highlighted line under the pointer) is accepted when the other rows line up well.
  const bool fewErrors = errors * ErrorRatio <= evidence + errors;
  const bool fewBadRows = d != 0 && badRows * BadRowRatio <= goodRows && evidence >= MinEvidence * BadRowRatio;
  if (enough && (fewErrors || fewBadRows) && match.BandChanges * 4 <= h)
    match.Kind = d == 0 ? TMatchKind::Identical : TMatchKind::Shifted;
  return match;
}

const TFrameMatch* TFrameMatcher::Choose(std::vector<TFrameMatch>& passed, bool downward, int32_t lastStep) const {
  // The hinted direction first (no movement fits either); the other only when nothing in the hinted one fits.
  auto hinted = [&](const TFrameMatch& m) { return downward ? m.Displacement >= 0 : m.Displacement <= 0; };
  if (std::any_of(passed.begin(), passed.end(), hinted))
    passed.erase(std::remove_if(passed.begin(), passed.end(), [&](const TFrameMatch& m) { return !hinted(m); }),
                 passed.end());
  // The share of disagreeing cells, as if MinEvidence more had disagreed: a join on a little evidence does not
  // beat a well-supported one with a few changing cells.
  auto ratio = [](const TFrameMatch& m) {
    return double(m.Errors + MinEvidence) / double(m.Evidence + m.Errors + MinEvidence);
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
    const int leftOutA = std::popcount(m.IgnoredStrips | m.FixedStrips);
    const int leftOutB = std::popcount(chosen->IgnoredStrips | chosen->FixedStrips);
    if (leftOutA != leftOutB) {
      if (leftOutA < leftOutB) chosen = &m;
      continue;
    }
    // Likewise every band row that changed.
    if (m.BandChanges != chosen->BandChanges) {
      if (m.BandChanges < chosen->BandChanges) chosen = &m;
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
  return chosen;
}

TFrameMatch TFrameMatcher::Match(const TFrameSignature& older, const TFrameSignature& newer, bool downward,
                                 int32_t lastStep, TBands olderBands) {
  const int32_t h = newer.Height();
  if (older.Height() != h || older.Width() != newer.Width() || older.Strips() != newer.Strips() || h <= 0) return {};
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
    const TFrameMatch m = Score(older, newer, d, olderBands);
    if (m.Kind != TMatchKind::NoMatch) passed.push_back(m);
  }
  if (passed.empty() && h > MinOverlapRows) {
    // Nothing voted well: the cells repeat too often (identical rows). Whole rows still tell the step.
    const std::vector<int32_t> tried = candidates;
    for (bool hint : {downward, !downward}) {
      CollectRowCandidates(older, newer, hint, candidates);
      for (int32_t d : candidates) {
        if (std::find(tried.begin(), tried.end(), d) != tried.end()) continue;
        const TFrameMatch m = Score(older, newer, d, olderBands);
        if (m.Kind != TMatchKind::NoMatch) passed.push_back(m);
      }
      if (!passed.empty()) break;
    }
  }
  if (passed.empty()) return {};
  return *Choose(passed, downward, lastStep);
}

}  // namespace qor::stitch
