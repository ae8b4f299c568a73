#pragma once
// Window lists for the detection tests and benchmarks on a 3840 x 2160 desktop.
#include <random>
#include <vector>

#include "capture/WindowList.h"

namespace qor::test {

// count windows of random places and sizes, partly off the desktop (many end up covered).
inline std::vector<TWindowInfo> RandomWindows(int count) {
  std::mt19937 random(42);
  std::uniform_int_distribution<int32_t> x(-50, 3700), y(-50, 2000), size(60, 1400);
  std::vector<TWindowInfo> windows;
  for (int i = 0; i < count; ++i) {
    TWindowInfo w;
    w.Handle = uintptr_t(100 + i);
    const int32_t left = x(random), top = y(random);
    w.Rect = {left, top, left + size(random), top + size(random)};
    windows.push_back(w);
  }
  return windows;
}

// 200 windows that all stay in the list: a cascade of 20 columns by 10 rows, each partly overlapping the next.
inline std::vector<TWindowInfo> CascadeWindows() {
  std::vector<TWindowInfo> windows;
  for (int i = 0; i < 200; ++i) {
    TWindowInfo w;
    w.Handle = uintptr_t(100 + i);
    const int32_t left = (i % 20) * 190, top = (i / 20) * 210;
    w.Rect = {left, top, left + 180 + (i % 3) * 20, top + 200};
    windows.push_back(w);
  }
  return windows;
}

}  // namespace qor::test
