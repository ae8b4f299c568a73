#pragma once
// The few conversions between the portable types and Win32's: UTF-16 text (char16_t and wchar_t are the same
// 16-bit units on Windows) and rectangles (both with exclusive right and bottom edges).
#include <windows.h>

#include <string>
#include <string_view>

#include "base/Geometry.h"

namespace qor {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

// A null-terminated wide string for a Win32 call; lives as long as text.
inline const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }
// The units of a view, for calls that take a length (not null-terminated).
inline const wchar_t* WideUnits(std::u16string_view text) { return reinterpret_cast<const wchar_t*>(text.data()); }
inline std::u16string FromWide(const wchar_t* text, size_t length) {
  return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}
inline std::u16string FromWide(const wchar_t* text) { return text ? FromWide(text, wcslen(text)) : std::u16string(); }

inline RECT ToRECT(const TRect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }
inline TRect ToTRect(const RECT& r) { return TRect{r.left, r.top, r.right, r.bottom}; }

}  // namespace qor
