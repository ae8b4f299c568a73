#include "base/win/UpdateRegion.h"

#include "base/win/UniqueHandle.h"

namespace qor {

std::vector<RECT> UpdateRects(HWND wnd) {
  std::vector<RECT> rects;
  const TRegionHandle region(::CreateRectRgn(0, 0, 0, 0));
  if (!region || ::GetUpdateRgn(wnd, region.Get(), FALSE) <= NULLREGION) return rects;
  const DWORD size = ::GetRegionData(region.Get(), 0, nullptr);
  std::vector<unsigned char> data(size);
  auto* rgn = reinterpret_cast<RGNDATA*>(data.data());
  if (size && ::GetRegionData(region.Get(), size, rgn)) {
    const RECT* r = reinterpret_cast<const RECT*>(rgn->Buffer);
    rects.assign(r, r + rgn->rdh.nCount);
  }
  return rects;
}

}  // namespace qor
