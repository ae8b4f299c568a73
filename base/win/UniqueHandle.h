#pragma once
// Move-only owners of Win32 handles and scope guards for paired calls. No implicit conversion to the raw handle:
// Get() says where ownership is only lent.
#include <windows.h>

#include <utility>

namespace qor {

template <typename Traits>
class TUniqueHandle {
 public:
  using THandle = typename Traits::THandle;

  TUniqueHandle() noexcept = default;
  explicit TUniqueHandle(THandle h) noexcept : FHandle(h) {}
  ~TUniqueHandle() { Reset(); }
  TUniqueHandle(const TUniqueHandle&) = delete;
  TUniqueHandle& operator=(const TUniqueHandle&) = delete;
  TUniqueHandle(TUniqueHandle&& other) noexcept : FHandle(other.Release()) {}
  TUniqueHandle& operator=(TUniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  THandle Get() const noexcept { return FHandle; }
  explicit operator bool() const noexcept { return Traits::IsValid(FHandle); }
  THandle Release() noexcept { return std::exchange(FHandle, Traits::Invalid()); }
  void Reset(THandle h = Traits::Invalid()) noexcept {
    if (Traits::IsValid(FHandle)) Traits::Close(FHandle);
    FHandle = h;
  }

 private:
  THandle FHandle = Traits::Invalid();
};

template <typename T, auto CloseFn>
struct TNullHandleTraits {
  using THandle = T;
  static constexpr T Invalid() noexcept { return nullptr; }
  static bool IsValid(T h) noexcept { return h != nullptr; }
  static void Close(T h) noexcept { CloseFn(h); }
};

struct TKernelHandleTraits {
  using THandle = HANDLE;
  static HANDLE Invalid() noexcept { return nullptr; }
  static bool IsValid(HANDLE h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) noexcept { ::CloseHandle(h); }
};

inline void DeleteGdiObject(HGDIOBJ h) noexcept { ::DeleteObject(h); }
inline void DeleteMemoryDc(HDC h) noexcept { ::DeleteDC(h); }
inline void FreeModuleHandle(HMODULE h) noexcept { ::FreeLibrary(h); }
inline void UnhookHook(HHOOK h) noexcept { ::UnhookWindowsHookEx(h); }
inline void DestroyWindowHandle(HWND h) noexcept { ::DestroyWindow(h); }
inline void FreeGlobalMemory(HGLOBAL h) noexcept { ::GlobalFree(h); }

using TKernelHandle = TUniqueHandle<TKernelHandleTraits>;
using TGdiObject = TUniqueHandle<TNullHandleTraits<HGDIOBJ, DeleteGdiObject>>;
using TBitmapHandle = TUniqueHandle<TNullHandleTraits<HBITMAP, DeleteGdiObject>>;
using TMemoryDc = TUniqueHandle<TNullHandleTraits<HDC, DeleteMemoryDc>>;
using TModuleHandle = TUniqueHandle<TNullHandleTraits<HMODULE, FreeModuleHandle>>;
using THookHandle = TUniqueHandle<TNullHandleTraits<HHOOK, UnhookHook>>;
using TFontHandle = TUniqueHandle<TNullHandleTraits<HFONT, DeleteGdiObject>>;
using TBrushHandle = TUniqueHandle<TNullHandleTraits<HBRUSH, DeleteGdiObject>>;
using TRegionHandle = TUniqueHandle<TNullHandleTraits<HRGN, DeleteGdiObject>>;
using TUniqueWindow = TUniqueHandle<TNullHandleTraits<HWND, DestroyWindowHandle>>;
using TGlobalMemory = TUniqueHandle<TNullHandleTraits<HGLOBAL, FreeGlobalMemory>>;

// GetDC / ReleaseDC.
class TWindowDc {
 public:
  explicit TWindowDc(HWND wnd) noexcept : FWnd(wnd), FDc(::GetDC(wnd)) {}
  ~TWindowDc() {
    if (FDc) ::ReleaseDC(FWnd, FDc);
  }
  TWindowDc(const TWindowDc&) = delete;
  TWindowDc& operator=(const TWindowDc&) = delete;
  HDC Get() const noexcept { return FDc; }

 private:
  HWND FWnd;
  HDC FDc;
};

// BeginPaint / EndPaint.
class TPaintScope {
 public:
  explicit TPaintScope(HWND wnd) noexcept : FWnd(wnd) { FDc = ::BeginPaint(wnd, &FPaint); }
  ~TPaintScope() { ::EndPaint(FWnd, &FPaint); }
  TPaintScope(const TPaintScope&) = delete;
  TPaintScope& operator=(const TPaintScope&) = delete;
  HDC Get() const noexcept { return FDc; }
  const RECT& Dirty() const noexcept { return FPaint.rcPaint; }

 private:
  HWND FWnd;
  PAINTSTRUCT FPaint{};
  HDC FDc = nullptr;
};

// SelectObject and back.
class TSelectScope {
 public:
  TSelectScope(HDC dc, HGDIOBJ obj) noexcept : FDc(dc), FOld(::SelectObject(dc, obj)) {}
  ~TSelectScope() { ::SelectObject(FDc, FOld); }
  TSelectScope(const TSelectScope&) = delete;
  TSelectScope& operator=(const TSelectScope&) = delete;

 private:
  HDC FDc;
  HGDIOBJ FOld;
};

}  // namespace qor
