#pragma once
// Hints and captions of the overlay's controls: the language key and English default of each component, and the
// rules that build the final texts from what the language table returns.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qor {

struct THintEntry {
  std::u16string_view Component;
  std::u16string_view Key;
  std::u16string_view Default;
  std::u16string_view Suffix;  // appended after the looked-up text (" (Ctrl+C)", " (Ctrl+S)")
};

// Every component with a hint or caption, in toolbar order and then the save-path and tool-option controls.
const std::vector<THintEntry>& OverlayHints();

// Looks a component up (exact name); none for a component without a hint.
std::optional<THintEntry> FindHint(std::u16string_view component);

// The language lookup: (key, default) -> text; a missing key yields the default.
using TLanguageLookup = std::function<std::u16string(std::u16string_view key, std::u16string_view fallback)>;

// The text for one entry: the looked-up text followed by the entry's suffix.
std::u16string HintText(const THintEntry& entry, const TLanguageLookup& lookup);

// A component's hint from the program's language table; empty for a component without one.
std::u16string ComponentHint(std::u16string_view component);

// The exit tip's caption: key M_Screen_ExitTipCap, default "Press %s again to exit this screenshot.", with the
// first "%s" replaced by "\"ESC\"". A translation is outside data: any other '%' sequence is kept as it is and
// never interpreted.
inline constexpr std::u16string_view ExitTipKey = u"M_Screen_ExitTipCap";
inline constexpr std::u16string_view ExitTipDefault = u"Press %s again to exit this screenshot.";
std::u16string ExitTipText(const TLanguageLookup& lookup);
std::u16string FormatExitTip(std::u16string_view pattern);

// The magnifier's size word.
inline constexpr std::u16string_view SizeWordKey = u"M_Screen_Size";

}  // namespace qor
