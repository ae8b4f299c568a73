#pragma once
// A reduced copy of the long picture for the preview window, kept up to date from the rows each step changed, so
// the user-interface thread only ever scales a picture of bounded size.
//
// The copy is at most PreviewMaxWidth wide (columns area-averaged). Vertically it holds groups of 2^k picture rows,
// aligned to fixed positions that do not move when rows are prepended, so a step recomputes only the groups its
// changed rows fall in (and the two end groups, which may be partly filled). When the picture outgrows about
// 2 * PreviewCopyMaxRows groups, neighbouring groups are merged and k grows by one. View() is the groups resampled
// to evenly sized rows covering exactly the whole picture, which is what ScalePreview expects.
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "base/Image.h"
#include "scroll/PreviewPlacement.h"  // PreviewMaxWidth
#include "scroll/LongResult.h"

namespace qor {

inline constexpr int32_t PreviewCopyMaxRows = 2048;

// One source cell's share of a dest cell in an area-averaging scale.
struct TAreaTap {
  int32_t Source;
  uint32_t Weight;
};

class TPreviewCopy {
 public:
  // whole: TLongResult::View() after the update; changed: what Update reported; prepended: rows added at the top by
  // this update (TLongResult::Prepended(): 0 for a step at the end, negative when the top lost rows).
  void Update(const TConstImageView& whole, TRowSpan changed, int32_t prepended);
  TConstImageView View() const { return FView.View(); }  // the reduced copy, valid until the next update
  TImage Snapshot() const { return FView.Clone(); }      // a copy of View() for handing to another thread
  int32_t GroupRows() const { return int32_t(1) << FLevel; }
  int32_t GroupCount() const { return int32_t(FGroups.size()); }
  void Clear();

 private:
  // Channel averages of the group's rows in 1/256 levels, PreviewWidth * 4 values (B, G, R, A).
  struct TGroup {
    int32_t Rows = 0;
    std::vector<uint16_t> Mean;
  };

  void Rebuild(const TConstImageView& whole);
  void MergeLevel();
  void Compute(const TConstImageView& whole, int64_t group);
  void Render();
  int64_t GroupOf(int64_t row) const;  // group index of an absolute row
  TGroup& At(int64_t group) { return FGroups[size_t(group - FFirstGroup)]; }

  int32_t FPictureWidth = 0;
  int32_t FPictureHeight = 0;
  int32_t FWidth = 0;   // of the copy
  int64_t FOrigin = 0;  // absolute row of picture row 0 (moves up as rows are prepended)
  int FLevel = 0;       // groups of 2^FLevel rows
  int64_t FFirstGroup = 0;
  std::deque<TGroup> FGroups;
  std::vector<int32_t> FColumnStart;  // per copy column, its first entry in FColumnTaps (one more at the end)
  std::vector<TAreaTap> FColumnTaps;
  std::vector<uint32_t> FDownSums;  // scratch of Compute, kept to save an allocation per group
  std::vector<uint64_t> FAcrossSums;
  std::shared_ptr<std::vector<TBgra>> FViewStore;  // the view's pixels, reused from update to update
  TImage FView;
};

// Scales a reduced copy (or any picture) into dest with an area-averaging (box) filter; dest may be any size >= 1x1.
void ScalePreview(const TConstImageView& source, const TImageView& dest);

}  // namespace qor
