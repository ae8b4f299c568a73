#pragma once
// The top-level windows from top to bottom as the system lists them, as plain records for the window list.
#include <vector>

#include "capture/WindowList.h"

namespace qor {
std::vector<TWindowInfo> EnumerateTopLevelWindows();
}  // namespace qor
