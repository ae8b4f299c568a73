#pragma once
// The rectangles of a window's update region, read before BeginPaint empties it: painting them one by one keeps a
// moving magnifier or a distant border band from growing into their bounding box.
#include <windows.h>

#include <vector>

namespace qor {

std::vector<RECT> UpdateRects(HWND wnd);

}  // namespace qor
