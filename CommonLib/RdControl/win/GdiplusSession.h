#pragma once
// GDI+ start-up and shut-down as an owner object. Code that uses GDI+ (the GIF and TIFF encoders) calls
// EnsureGdiplus() first; the process-wide session it starts lives until the process ends.
#include <windows.h>

namespace qor {

class TGdiplusSession {
 public:
  TGdiplusSession();
  ~TGdiplusSession();
  TGdiplusSession(const TGdiplusSession&) = delete;
  TGdiplusSession& operator=(const TGdiplusSession&) = delete;
  bool Started() const { return FToken != 0; }

 private:
  ULONG_PTR FToken = 0;
};

// Starts GDI+ once for the process; false when it could not be started.
bool EnsureGdiplus();

}  // namespace qor
