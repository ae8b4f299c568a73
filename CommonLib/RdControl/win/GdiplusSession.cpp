#include "CommonLib/RdControl/win/GdiplusSession.h"

#include <gdiplus.h>
#include <objidl.h>  // before gdiplus.h: lean Windows headers leave it out

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
