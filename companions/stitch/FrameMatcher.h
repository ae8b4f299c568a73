#pragma once
// Finds how far the content moved between two frames of the same screen rectangle, and which bands at the top
// and bottom stayed in place (toolbars, sticky headers, footers).
#include <cstdint>
#include <vector>

#include "companions/stitch/FrameSignature.h"

namespace qor::stitch {

enum class TMatchKind {
  NoMatch,    // no displacement is trustworthy
  Identical,  // nothing scrolled (small changes such as a caret aside)
  Shifted,    // the content moved by Displacement rows
};

// Rows at the top and bottom of a frame that did not scroll with the page; -1 where that is not known.
struct TBands {
  int32_t Top = -1;
  int32_t Bottom = -1;
};

struct TFrameMatch {
  TMatchKind Kind = TMatchKind::NoMatch;
  // newer row y shows what older row y + Displacement showed: positive when the page scrolled down.
  int32_t Displacement = 0;
  int32_t TopBand = 0;         // rows at the top that stayed in place
  int32_t BottomBand = 0;      // rows at the bottom that stayed in place
  int32_t Overlap = 0;         // rows of scrolled content seen in both frames
  int64_t Evidence = 0;        // non-flat cells that agree at this displacement
  int64_t Errors = 0;          // cells that disagree (outside the ignored strips)
  uint32_t IgnoredStrips = 0;  // strips that change on their own (a scroll bar thumb, an animation)
  uint32_t FixedStrips = 0;    // strips that stay in place while the rest scrolls (a sidebar, a minimap)
  int32_t BandChanges = 0;     // band rows that differ from the older frame (a bar that came, went or changed)
};

// The smallest overlap of scrolled content that a join may rest on.
constexpr int32_t MinOverlapRows = 8;

class TFrameMatcher {
 public:
  // downward: the hinted direction (the page moved down, so Displacement > 0 is expected); lastStep: the previous
  // accepted displacement, 0 when none; olderBands: the older frame's bands where known (its rows there show no
  // page content to compare with). Prefers the hinted sign and, among equally good joins, the one nearest the
  // last step.
  TFrameMatch Match(const TFrameSignature& older, const TFrameSignature& newer, bool downward, int32_t lastStep,
                    TBands olderBands = {});

 private:
  struct TSlot {
    uint64_t Key = 0;
    int32_t Count = 0;
    int32_t Rows[4] = {};
  };
  void BuildTable(const TFrameSignature& older);
  const TSlot* Find(uint64_t key) const;
  void CollectCandidates(const TFrameSignature& older, const TFrameSignature& newer, int32_t lastStep,
                         std::vector<int32_t>& candidates);
  // Candidates from whole rows, for content whose cells repeat too often to vote (identical rows).
  void CollectRowCandidates(const TFrameSignature& older, const TFrameSignature& newer, bool downward,
                            std::vector<int32_t>& candidates) const;
  // Calls onRun(first, end) for each run of rows in [from, to) where the strip may show a floating element: it
  // stayed in place and did not move with the page.
  template <typename TOnRun>
  void FloatingRuns(const TFrameSignature& newer, int strip, int32_t from, int32_t to, TOnRun&& onRun) const;
  TFrameMatch Score(const TFrameSignature& older, const TFrameSignature& newer, int32_t d, TBands olderBands);
  const TFrameMatch* Choose(std::vector<TFrameMatch>& passed, bool downward, int32_t lastStep) const;

  std::vector<TSlot> FTable;
  uint64_t FTableMask = 0;
  std::vector<int32_t> FVotes;
  std::vector<uint32_t> FStaticDiff;
  std::vector<uint32_t> FShiftDiff;
  std::vector<uint8_t> FKnown;   // the row's shifted counterpart shows page content
  std::vector<uint32_t> FMoved;  // the row's cells that did not stay with the page
  std::vector<int32_t> FPrefixStatic;
  std::vector<int32_t> FPrefixShift;
  std::vector<int32_t> FPrefixInBand;
  std::vector<int32_t> FPrefixOutOfBand;
};

}  // namespace qor::stitch
