#pragma once
// The skin colour table: turns colour names such as "text_color.cl_text_b" into colours.
//
// A colour is a 32-bit value. Plain colours are 0x00BBGGRR (top byte below FF). A top byte of FF marks either a
// system colour (lower 24 bits 0 to 255: the system's colour of that index) or a named colour, whose code is the
// CRC-32 of its lower-cased name (UTF-16 LE bytes) with the top byte set to FF. So window definitions can store a
// name wherever a colour goes, and the skin decides the colour when it is drawn.
//
// The colour files ("color_setting.ini") give one group per section:
//   [text_color]
//   type=RGB                 "BGR", or anything else for RGB (the default)
//   tint=true                the group's colours follow the skin tint
//   cl_text_b=255,0,0        the colour "text_color.cl_text_b"
// Colour values (ParseRccColorValue):
//   "[" other name "]"       the colour of another entry (resolved by MergeColors)
//   r "," g "," b            decimals 0 to 255
//   "#RRGGBB" or "&RRGGBB"   hexadecimal red, green, blue
//   "$" hex digits           the value as stored (blue in the high byte), up to 8 digits
//   bare value               RGB group: hexadecimal RRGGBB (up to 6 digits); BGR group: the value as stored,
//                            decimal (optional "-"), else hexadecimal (up to 8 digits)
// Anything else is skipped, as are lines before the first section, lines without "=", empty keys and sections
// without a name. A later value of the same name replaces the earlier one (also across files).
//
// Usage:
//   TRdColorTable& table = SkinColorTable();
//   table.LoadColorFile(colorSettingIni);  table.MergeColors();
//   uint32_t code = table.IdentToColor(u"text_color.cl_text_b");   // stored in the control
//   uint32_t rgb = table.ColorToRGB(code);                          // drawn; 230 (red) when the skin lacks it
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qor {

// What a name without a colour draws as: red 230, green and blue 0.
inline constexpr uint32_t RccUnknownColor = 230;
// The tint value that switches tinting off.
inline constexpr uint32_t RccNoTint = 0x1FFFFFFF;

// The code of a colour name (case ignored). The lower 24 bits of a code are never 0 to 255, which would make it
// a system colour: a name whose CRC falls there gets bit 8 set.
uint32_t RccColorCode(std::u16string_view name);
// A named colour's code (top byte FF, lower 24 bits above 255).
constexpr bool IsRccColorCode(uint32_t color) { return (color >> 24) == 0xFF && (color & 0xFFFFFF) > 0xFF; }

struct TRccColorValue {
  bool IsLink = false;
  uint32_t Color = 0;   // 0x00BBGGRR (or any stored value given with "$" or as a bare BGR value)
  std::u16string Link;  // the other entry's name, for "[name]"
};
// One value of a colour file; nullopt for a value that fits no form.
std::optional<TRccColorValue> ParseRccColorValue(std::u16string_view text, bool bgrGroup);

// Half own colour, half tint, channel by channel.
uint32_t RccTintMix(uint32_t own, uint32_t tint);

struct TRccColorItem {
  std::u16string Name;
  bool Defined = false;
  uint32_t Color = RccUnknownColor;     // own colour
  uint32_t CurColor = RccUnknownColor;  // own colour, tinted when Tint is set and a tint is in force
  bool Tint = false;
  uint32_t Code = 0;
  std::u16string Link;  // set while the entry waits for MergeColors to take another entry's colour
};

class TRdColorTable {
 public:
  using TSystemColorFunc = std::function<uint32_t(uint8_t index)>;
  using TTraceFunc = std::function<void(std::u16string_view line)>;

  // Seeded with the 52 standard colour names of the toolkit ("clBlack" ... "clMenuBar", "clNone", "clDefault").
  TRdColorTable();

  // Adds the colours of one colour file. Sections of the same name are one group. A name given again takes
  // the new value.
  void LoadColorFile(std::u16string_view text);
  // Resolves the "[name]" links (through chains of links; a cycle or a link to an undefined entry leaves the
  // entry undefined) and returns the names of the entries still undefined, each also traced as
  // "MergeColor, non-color[n]: name".
  std::vector<std::u16string> MergeColors();
  // Back to the standard names only; the tint stays.
  void Clear();

  // Recolours the tint entries; RccNoTint switches tinting off.
  void SetTint(uint32_t tint);
  uint32_t Tint() const;

  // Identifier to colour: a number (decimal or "$" hexadecimal) is the colour itself; any other name gives its
  // code, and a name not yet in the table is added as an undefined entry.
  uint32_t IdentToColor(std::u16string_view ident);
  // The entry's name for a code; nullopt for any other value.
  std::optional<std::u16string> ColorToIdent(uint32_t color) const;
  // The colour to draw: plain colours as they are, system colours through the system colour function (as they
  // are without one), defined entries their current colour, anything else RccUnknownColor (traced).
  uint32_t ColorToRGB(uint32_t color) const;
  std::optional<TRccColorItem> Item(std::u16string_view name) const;
  // The skin's current colour of that name, or fallback when the skin does not define it (no skin mounted, an
  // older skin): for code that draws with a colour of its own and lets a skin change it.
  uint32_t ColorOr(std::u16string_view name, uint32_t fallback) const;

  // Set once at start-up, before colours are drawn.
  void SetSystemColors(TSystemColorFunc func);
  void SetTrace(TTraceFunc func);

 private:
  void SeedStandardColors();
  TRccColorItem& ItemFor(std::u16string_view name);  // lock held
  void ApplyTint(TRccColorItem& item) const;         // lock held
  uint32_t SystemColor(uint32_t color) const;

  mutable std::mutex FLock;
  std::unordered_map<uint32_t, TRccColorItem> FItems;  // by code
  uint32_t FTint = RccNoTint;
  TSystemColorFunc FSystemColors;
  TTraceFunc FTrace;
};

// The process's colour table.
TRdColorTable& SkinColorTable();

}  // namespace qor
