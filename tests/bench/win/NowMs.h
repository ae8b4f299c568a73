#pragma once
// The Win32 timing tools' clock: milliseconds from the performance counter.
#include <windows.h>

inline double NowMs() {
  LARGE_INTEGER frequency, count;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&count);
  return 1000.0 * double(count.QuadPart) / double(frequency.QuadPart);
}
