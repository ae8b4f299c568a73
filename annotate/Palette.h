#pragma once
// The 20 colours of the options panel, in two rows of ten, with the names of their swatches.
#include <array>
#include <cstdint>
#include <string_view>

namespace qor {

struct TSwatch {
  std::u16string_view Name;
  uint32_t Color = 0;  // 0x00BBGGRR
};

inline constexpr int PaletteColumns = 10;
inline constexpr int PaletteRows = 2;
inline constexpr int PaletteSize = PaletteColumns * PaletteRows;

// Row 1 left to right, then row 2.
extern const std::array<TSwatch, PaletteSize> Palette;

}  // namespace qor
