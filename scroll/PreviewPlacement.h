#pragma once
// Size and place of the preview of a scrolling capture: the first result chooses a side of the region (right,
// left, above, below, or inside when the region leaves no room) and later results stay on that side, growing with
// the stitched picture up to the room there. Coordinates are the run window's (the virtual desktop's).
// Usage (each time a stitched result is shown):
//   std::vector<std::u16string> log;
//   const qor::TRect box = FPlacement.Place({{w, h}, hole, runWindowSize, workAreaBottom, downward}, &log);
//   for (auto& line : log) WriteLog(line);
//   if (!box.IsEmpty()) { scale the result to box.Size(); show the preview at box + desktop origin; }
//   // an accepted step while the preview is visible:
//   preview->SetBounds(FPlacement.MoveAside(previewBounds, hole, delta >= 0));
#include <cstdint>
#include <string>
#include <vector>

#include "base/Geometry.h"

namespace qor {

enum class TPreviewSide { None = 0, Right = 1, Left = 2, Above = 3, Below = 4, Inside = 5 };

inline constexpr int32_t PreviewMaxWidth = 400;
inline constexpr int32_t PreviewHalvedAbove = 250;  // a first result taller than this is shown at half height
inline constexpr int32_t PreviewGap = 10;           // between the region and the preview

struct TPreviewInput {
  TSize Result;                // W x H of the whole stitched picture
  TRect Region;                // R, the hole, run-window coordinates
  TSize RunWindow;             // the run window's size (the virtual desktop)
  int32_t WorkAreaBottom = 0;  // the work area's bottom in run-window coordinates
  bool Downward = true;        // the direction of the step that produced this result
};

class TPreviewPlacement {
 public:
  // The box for this result, always inside the run window. The first shown result decides the side, later ones
  // keep it and the width. An empty result gives an empty box (nothing to show) and decides nothing. log receives
  // a line for each value that came out unusable.
  TRect Place(const TPreviewInput& in, std::vector<std::u16string>* log = nullptr);
  TPreviewSide Side() const { return FSide; }
  // For an accepted step while the preview is visible: a preview inside the region moves to the end the new
  // content does not come in at (the bottom for an upward step, the top for a downward one). Other sides stay.
  TRect MoveAside(const TRect& box, const TRect& region, bool upward) const;

 private:
  TPreviewSide FSide = TPreviewSide::None;
  int32_t FWidth = 0;
};

}  // namespace qor
