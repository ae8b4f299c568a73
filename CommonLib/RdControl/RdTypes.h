#pragma once
// Plain values shared by the skinned controls: colours, fonts, alignments and picture layout options.
#include <cstdint>
#include <string>

namespace qor {

// Colours are 0x00BBGGRR values. Two special encodings: "not set" (use the font's colour) and system colours
// (0xFF0000nn, nn = the system colour index), resolved by the platform side.
inline constexpr uint32_t ColorNotSet = 0x20000000;
inline constexpr uint32_t ColorNone = 0x1FFFFFFF;  // no fill
inline constexpr uint32_t SystemColorFlag = 0xFF000000;
constexpr uint32_t SystemColor(uint8_t index) { return SystemColorFlag | index; }
constexpr bool IsSystemColor(uint32_t c) { return (c & 0xFF000000) == SystemColorFlag; }
inline constexpr uint32_t clGrayText = SystemColor(0x11);    // the system grey-text colour
inline constexpr uint32_t cl3DDkShadow = SystemColor(0x15);  // system colour 21
inline constexpr uint32_t AccentColor = 0xFF7733;            // frames, cross-hair, selected tools
inline constexpr uint32_t DarkPanelColor = 0x262626;         // toolbar and panels
inline constexpr uint32_t MagnifierPanelColor = 0x261B18;    // the magnifier's background

// "not set" falls back to the given colour.
constexpr uint32_t ColorOr(uint32_t c, uint32_t fallback) { return c == ColorNotSet ? fallback : c; }

enum class TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
enum class TVerticalAlignment : uint8_t { vaTop, vaBottom, vaCenter };
// Where over-long text is cut with "..."; the controls cut at the end for every position but None.
enum class TRdEllipsisPosition : uint8_t { None, Path, End, Word };

// Mouse cursors by the toolkit's numbers; crDefault leaves the window's own cursor.
using TCursor = int16_t;
inline constexpr TCursor crDefault = 0, crArrow = -2, crCross = -3, crIBeam = -4, crHandPoint = -21;

struct TRdFont {
  std::u16string Name = u"Segoe UI";
  int32_t Height = 12;  // character height in pixels
  uint32_t Color = 0xFFFFFF;
  bool Bold = false;
  friend bool operator==(const TRdFont&, const TRdFont&) = default;
};

// How a picture is laid into a rectangle: with all margins 0 it is stretched whole; otherwise it is cut into nine
// parts whose corners keep their size, edges stretch along one axis and the centre along both.
struct TRdDesignRect {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool IsEmpty() const { return Left == 0 && Top == 0 && Right == 0 && Bottom == 0; }
  friend bool operator==(const TRdDesignRect&, const TRdDesignRect&) = default;
};

}  // namespace qor
