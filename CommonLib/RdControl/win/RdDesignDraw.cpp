#include "CommonLib/RdControl/win/RdDesignDraw.h"

namespace qor {

void DrawDesignRect(HDC target, const TRect& dest, HDC picture, TSize pictureSize, const TDesignRect& option,
                    uint8_t alpha) {
  if (alpha == 0) return;
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
  for (const TDesignPiece& p : LayoutDesignRect(pictureSize, dest, option)) {
    ::AlphaBlend(target, p.Dest.Left, p.Dest.Top, p.Dest.Width(), p.Dest.Height(), picture, p.Source.Left, p.Source.Top,
                 p.Source.Width(), p.Source.Height(), blend);
  }
}

}  // namespace qor
