#pragma once
// Drawing a picture with a design rectangle (corners, edges, centre; stretched or tiled, see DesignRect.h) onto a
// device context: each piece is alpha blended from the picture's memory DC, so a piece of equal size is a plain
// copy and corners and tiles keep their exact pixels.
//   TDibImage picture;  // premultiplied BGRA
//   DrawDesignRect(dc, TRect::FromSize(0, 0, 200, 40), picture.Dc(), {picture.Width(), picture.Height()},
//                  TDesignRect(4, 4, 4, 4, TSuperStretchMode::sdmFill));
#include <windows.h>

#include <cstdint>

#include "CommonLib/RdControl/DesignRect.h"
#include "base/Geometry.h"

namespace qor {

// picture: a memory DC holding a 32-bit premultiplied bitmap of pictureSize; alpha: overall opacity.
void DrawDesignRect(HDC target, const TRect& dest, HDC picture, TSize pictureSize, const TDesignRect& option,
                    uint8_t alpha = 255);

}  // namespace qor
