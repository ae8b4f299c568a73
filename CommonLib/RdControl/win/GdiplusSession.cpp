#include "CommonLib/RdControl/win/GdiplusSession.h"

// clang-format off
#include <objidl.h>  // before gdiplus.h: lean Windows headers leave it out
#include <gdiplus.h>
// clang-format on

namespace qor {

TGdiplusSession::TGdiplusSession() {
  Gdiplus::GdiplusStartupInput input;
  if (Gdiplus::GdiplusStartup(&FToken, &input, nullptr) != Gdiplus::Ok) FToken = 0;
}

TGdiplusSession::~TGdiplusSession() {
  if (FToken) Gdiplus::GdiplusShutdown(FToken);
}

bool EnsureGdiplus() {
  static TGdiplusSession session;
  return session.Started();
}

}  // namespace qor
