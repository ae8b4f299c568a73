#pragma once
// TDesignRect: how a picture is laid into a target of another size. Margins (in source pixels, measured inward
// from each edge) cut the picture into corners, edges and a centre; the stretch mode says which parts are drawn
// and whether they are stretched or tiled:
//   sdmDefault, sdmStretch   corners unscaled, edges stretched along their length, centre stretched both ways
//   sdmFill                  as stretch, but an edge or centre longer than 3 pixels is tiled, not stretched
//   sdmFrame                 corners and edges only
//   sdmCorner                corners only
// With no margins and sdmDefault the whole picture is stretched over the target.
// LayoutDesignRect turns one draw into the list of (source, target) rectangles to copy; a piece whose sizes are
// equal is a plain copy, so corners and tiles keep their exact pixels.
//   TDesignRect option;
//   option.SetMargins(4, 4, DesignMarginSameAsLeft, DesignMarginSameAsLeft);   // 4 on all sides
//   for (const TDesignPiece& piece : LayoutDesignRect({20, 20}, dest, option)) Blit(piece.Source, piece.Dest);
#include <cstdint>
#include <functional>
#include <vector>

#include "CommonLib/RdControl/RdTypes.h"
#include "base/Geometry.h"

namespace qor {

enum class TSuperStretchMode : uint8_t { sdmDefault = 0, sdmStretch = 1, sdmFill = 2, sdmFrame = 3, sdmCorner = 4 };

// Values for the right or bottom argument of TDesignRect::SetMargins.
inline constexpr int32_t DesignMarginKeepPair = -2000;    // leave that pair (left/right or top/bottom) unchanged
inline constexpr int32_t DesignMarginSameAsLeft = -1000;  // right = left (bottom = top)

class TDesignRect {
 public:
  TDesignRect() = default;
  TDesignRect(int32_t left, int32_t top, int32_t right, int32_t bottom,
              TSuperStretchMode mode = TSuperStretchMode::sdmDefault)
      : FLeft(left), FTop(top), FRight(right), FBottom(bottom), FMode(mode) {}
  // The margins-only option the controls keep.
  explicit TDesignRect(const TRdDesignRect& margins)
      : TDesignRect(margins.Left, margins.Top, margins.Right, margins.Bottom) {}

  int32_t Left() const { return FLeft; }
  int32_t Top() const { return FTop; }
  int32_t Right() const { return FRight; }
  int32_t Bottom() const { return FBottom; }
  TSuperStretchMode StretchMode() const { return FMode; }

  // right / bottom may be DesignMarginKeepPair or DesignMarginSameAsLeft (see above).
  void SetMargins(int32_t left, int32_t top, int32_t right, int32_t bottom);
  void SetStretchMode(TSuperStretchMode mode);
  // True exactly when all margins are 0 and the mode is sdmDefault; setting it true clears both.
  bool Empty() const { return FLeft == 0 && FTop == 0 && FRight == 0 && FBottom == 0 && FMode == TSuperStretchMode{}; }
  void SetEmpty(bool empty);

  // Called after every change that alters the value (the owner repaints).
  std::function<void()> OnChange;

  friend bool operator==(const TDesignRect& a, const TDesignRect& b) {
    return a.FLeft == b.FLeft && a.FTop == b.FTop && a.FRight == b.FRight && a.FBottom == b.FBottom &&
           a.FMode == b.FMode;
  }

 private:
  int32_t FLeft = 0, FTop = 0, FRight = 0, FBottom = 0;
  TSuperStretchMode FMode = TSuperStretchMode::sdmDefault;

  void Set(int32_t left, int32_t top, int32_t right, int32_t bottom, TSuperStretchMode mode);
};

// One copy of a draw: the source rectangle (picture coordinates) is drawn into the target rectangle, stretched
// when their sizes differ.
struct TDesignPiece {
  TRect Source;
  TRect Dest;
  friend bool operator==(const TDesignPiece&, const TDesignPiece&) = default;
};

// The pieces that draw a picture of the given size into dest. Margins below 0 count as 0; margins larger than the
// picture or the target are cut down (left before right, top before bottom) so that no two pieces overlap and
// no rectangle is negative. Pieces with an empty source or target are left out.
std::vector<TDesignPiece> LayoutDesignRect(TSize picture, const TRect& dest, const TDesignRect& option);

// Tiles source over dest from dest's top-left corner, row by row; the last column and row are clipped, never
// scaled. Appends to pieces.
void TileDesignPiece(const TRect& source, const TRect& dest, std::vector<TDesignPiece>& pieces);

}  // namespace qor
